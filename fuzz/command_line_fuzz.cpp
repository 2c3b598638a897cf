// Any byte string as the command line at startup: no crash, at most one box, and the window
// left in a state the rules allow.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/form1.h"
#include "fuzz_check.h"
#include "scheduler/number.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using taktomat::scheduler::isNumber;
    taktomat::testing::FakePlatform platform;
    platform.files.addFile("c:\\a.exe");
    platform.commandLineText.assign(reinterpret_cast<const char*>(data), size);
    taktomat::app::Form1 form(platform);
    FUZZ_CHECK(!platform.endsProcess([&] { form.open(); }));
    auto& window = platform.window();

    FUZZ_CHECK(platform.boxes.shown.size() <= 1);
    const bool running = window.button("Command1").caption() == "Stop";
    if (running) FUZZ_CHECK(platform.boxes.shown.empty() && !window.visible());
    if (!running) FUZZ_CHECK(window.visible());
    for (const char* name : {"sekundentxt", "durchlauftxt"}) {
        const std::string text = window.textBox(name).text();
        FUZZ_CHECK(text.empty() || isNumber(text));
    }
    const int mode = window.comboBox("Combo1").selectedIndex();
    FUZZ_CHECK(mode >= 0 && mode <= 6);
    return 0;
}
