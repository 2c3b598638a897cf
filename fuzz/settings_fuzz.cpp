// Any four stored texts (the input split at NUL bytes, which no stored text can hold): the
// startup fills the fields by the rules and the shutdown writes back what they show.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/form1.h"
#include "fuzz_check.h"
#include "scheduler/number.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using taktomat::scheduler::isNumber;
    using taktomat::scheduler::toInt32;
    std::vector<std::string> stored(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && stored.size() < 4) {
            stored.emplace_back();
        } else {
            stored.back().push_back(static_cast<char>(data[i]));
        }
    }
    stored.resize(4);
    const char* const keys[] = {"maxsekunden", "maxdurchlaeufe", "dateiname", "ausfuehrenals"};

    taktomat::testing::FakePlatform platform;
    for (int i = 0; i < 4; ++i) platform.store.put("Raviktaktomate", "Startup", keys[i], stored[i]);
    taktomat::app::Form1 form(platform);
    form.open();
    auto& window = platform.window();

    const auto numberField = [](const std::string& shown, const std::string& value,
                                const char* fallback) {
        if (value.empty()) return shown == fallback;
        return isNumber(value) ? shown == value : shown.empty();
    };
    FUZZ_CHECK(numberField(window.textBox("sekundentxt").text(), stored[0], "5"));
    FUZZ_CHECK(numberField(window.textBox("durchlauftxt").text(), stored[1], "0"));
    FUZZ_CHECK(window.textBox("dateinametxt").text() == stored[2]);
    const auto mode = toInt32(stored[3]);
    const int expected = mode && *mode >= 0 && *mode <= 6 ? *mode : 6;
    FUZZ_CHECK(window.comboBox("Combo1").selectedIndex() == expected);

    FUZZ_CHECK(platform.endsProcess([&] { window.requestClose(); }));
    FUZZ_CHECK(platform.store.stored("Raviktaktomate", "Startup", "dateiname") == stored[2]);
    FUZZ_CHECK(platform.store.stored("Raviktaktomate", "Startup", "ausfuehrenals") ==
               std::to_string(expected));
    return 0;
}
