#pragma once

#include "platform/controls.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

namespace taktomat::settings {

inline constexpr const char* kApplication = "Raviktaktomate";
inline constexpr const char* kSection = "Startup";

// The fields and the tray menu's check mark are the only copy of the settings while the
// utility runs.
struct SettingsFields {
    platform::TextBox& sekundentxt;
    platform::TextBox& durchlauftxt;
    platform::TextBox& dateinametxt;
    platform::ComboBox& Combo1;
    platform::CheckMark& nurwennbeendetmnu;
};

// Puts the stored values into the fields; the number fields' own filters judge what they
// are given, as if it were typed. Missing values get their defaults, and a stored window
// mode that names no entry of the list selects `defaultWindowMode`, which the list's owner
// knows.
void loadSettings(platform::SettingsStore& store, const SettingsFields& fields,
                  int defaultWindowMode);

// Writes the four fields' texts and the check mark as they stand, whether they changed or not,
// and says whether they all were written.
platform::SaveOutcome saveSettings(platform::SettingsStore& store, const SettingsFields& fields);

// Tells the user in one box that the settings were not written, where they belong and why.
void reportUnsavedSettings(platform::MessageBoxes& boxes, const platform::SettingsStore& store,
                           const platform::SaveOutcome& outcome);

}  // namespace taktomat::settings
