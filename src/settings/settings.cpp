#include "settings/settings.h"

#include <string>

#include "scheduler/number.h"

namespace taktomat::settings {
namespace {

constexpr const char* kSeconds = "maxsekunden";
constexpr const char* kPasses = "maxdurchlaeufe";
constexpr const char* kFileName = "dateiname";
constexpr const char* kWindowMode = "ausfuehrenals";
constexpr const char* kOnlyWhenEnded = "nurwennbeendet";

constexpr const char* kDefaultSeconds = "5";
constexpr const char* kDefaultPasses = "0";

// A stored mode that is no number, or a number that is no entry of the list (the store
// edited from outside), must still leave the list with a selection.
int windowModeFrom(const std::string& stored, const platform::ComboBox& list, int defaultMode) {
    const auto mode = scheduler::toInt32(stored);
    if (!mode || *mode < 0 || *mode >= list.itemCount()) return defaultMode;
    return *mode;
}

}  // namespace

void loadSettings(platform::SettingsStore& store, const SettingsFields& fields,
                  int defaultWindowMode) {
    const auto get = [&](const char* key) { return store.get(kApplication, kSection, key); };
    const std::string seconds = get(kSeconds);
    fields.sekundentxt.setText(seconds.empty() ? kDefaultSeconds : seconds);
    const std::string passes = get(kPasses);
    fields.durchlauftxt.setText(passes.empty() ? kDefaultPasses : passes);
    const std::string fileName = get(kFileName);
    if (!fileName.empty()) fields.dateinametxt.setText(fileName);
    fields.Combo1.setSelectedIndex(
        windowModeFrom(get(kWindowMode), fields.Combo1, defaultWindowMode));
    // Off unless the user turned it on: a store edited from outside cannot turn it on.
    fields.nurwennbeendetmnu.setChecked(get(kOnlyWhenEnded) == "1");
}

platform::SaveOutcome saveSettings(platform::SettingsStore& store, const SettingsFields& fields) {
    return store.save(kApplication, kSection,
                      {{kFileName, fields.dateinametxt.text()},
                       {kSeconds, fields.sekundentxt.text()},
                       {kPasses, fields.durchlauftxt.text()},
                       {kWindowMode, std::to_string(fields.Combo1.selectedIndex())},
                       {kOnlyWhenEnded, fields.nurwennbeendetmnu.checked() ? "1" : "0"}});
}

void reportUnsavedSettings(platform::MessageBoxes& boxes, const platform::SettingsStore& store,
                           const platform::SaveOutcome& outcome) {
    boxes.show("Die Einstellungen konnten nicht unter \"" + store.place(kApplication, kSection) +
                   "\" gespeichert werden!\r\n" + outcome.errorText,
               platform::message_box_style::kCritical, "Einstellungen nicht gespeichert");
}

}  // namespace taktomat::settings
