// What the logic relies on of the window system and the shell. The fake platform and the
// Win32 layer run the same checks, so that the two cannot drift apart.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "cmdline/lower_case.h"
#include "platform/file_system.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "platform/tray_shell.h"

namespace taktomat::contract {

// The shell holds each icon once: a second add fails, and so do a modify and a delete of an
// icon it does not hold. The icon-again-after-a-new-task-bar logic depends on this.
// An unchanged modify is not sent: an icon lost behind its back (`lose`) shows at a changed one.
inline void expectTrayShellHoldsEachIconOnce(platform::TrayShell& shell,
                                             platform::NativeHandle window,
                                             platform::NativeHandle icon, const auto& lose) {
    platform::NotifyIconDataA record{};
    record.cbSize = platform::kNotifyIconFirstFormSize;
    record.hWnd = window;
    record.uID = 77;
    record.uFlags = platform::kNifIcon | platform::kNifTip;
    record.hIcon = icon;
    record.szTip[0] = '\0';
    using platform::TrayMessage, platform::TrayAnswer::Done;
    shell.notify(TrayMessage::Delete, record);  // whatever an earlier run left
    const auto done = [&](TrayMessage message) { return shell.notify(message, record) == Done; };

    EXPECT_EQ(done(TrayMessage::Modify), false) << "modify before add";
    EXPECT_EQ(done(TrayMessage::Add), true) << "first add";
    EXPECT_EQ(done(TrayMessage::Add), false) << "second add";
    EXPECT_EQ(done(TrayMessage::Modify), true) << "modify of the icon";
    lose(record);
    EXPECT_EQ(done(TrayMessage::Modify), true) << "the same modify again is not sent";
    record.szTip[0] = 'x';
    EXPECT_EQ(done(TrayMessage::Modify), false) << "a changed one finds the icon gone";
    EXPECT_EQ(done(TrayMessage::Add), true) << "add after the loss";
    EXPECT_EQ(done(TrayMessage::Delete), true) << "delete";
    EXPECT_EQ(done(TrayMessage::Delete), false) << "second delete";
    EXPECT_EQ(done(TrayMessage::Modify), false) << "modify after delete";
}

// A save says whether it wrote all values, in the system's words when not: a key name longer
// than the registry takes is refused, and nothing of it can be read.
inline void expectTheStoreReportsItsWrites(platform::SettingsStore& store, const std::string& app) {
    EXPECT_TRUE(store.save(app, "Startup", {{"k", "x"}}).saved);
    EXPECT_EQ(store.place(app, "Startup"),
              "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\" + app + "\\Startup");
    const std::string tooLong(300, 's');
    const platform::SaveOutcome refused = store.save(app, tooLong, {{"k", "x"}});
    EXPECT_FALSE(refused.saved || refused.errorText.empty()) << refused.errorText;
    EXPECT_EQ(store.get(app, tooLong, "k"), "");
}

// Changing the state of a hidden window raises the resize event but leaves it hidden, so a
// start never flashes a window that was never shown; the next show shows it in that state. A
// window minimised while visible and then hidden, as the tray logic does, comes back normal.
inline void expectStateChangesLeaveAHiddenWindowHidden(platform::MainWindow& window) {
    using platform::WindowState;
    int resizes = 0;
    window.setOnResize([&] { ++resizes; });
    window.hide();

    window.setWindowState(WindowState::Minimised);
    EXPECT_FALSE(window.visible()) << "minimising keeps a hidden window hidden";
    EXPECT_EQ(window.windowState(), WindowState::Minimised);
    EXPECT_EQ(resizes, 1);

    for (int round = 0; round < 2; ++round) {
        window.setWindowState(WindowState::Normal);
        EXPECT_FALSE(window.visible()) << "restoring keeps a hidden window hidden";
        window.show();
        EXPECT_TRUE(window.visible());
        EXPECT_EQ(window.windowState(), WindowState::Normal) << "round " << round;
        window.setWindowState(WindowState::Minimised);
        EXPECT_TRUE(window.visible()) << "a minimised window is on the task bar";
        window.hide();
        EXPECT_EQ(window.windowState(), WindowState::Minimised) << "hiding keeps the state";
    }
    window.setOnResize({});
}

// Names compare without regard to case, in every script: the command line's lower-cased name
// still names the file. `make` creates a file of the given name and answers its path.
inline void expectNamesMatchWithoutCase(const platform::FileSystem& files,
                                        const std::function<std::string(const char*)>& make) {
    for (const char* name :
         {"PRÜFUNG Äöü ÉŁŽ.EXE", "ΣΎΝΟΨΗ Ά.EXE", "ОТЧЁТ Ж.EXE", "\U00010400LF.EXE"}) {
        const std::string path = make(name);
        ASSERT_TRUE(files.attributes(path).has_value()) << path;
        EXPECT_TRUE(files.attributes(cmdline::toLowerCase(path)).has_value()) << path;
    }
}

// While a box is open the user reaches no control of the window, shown (the box is owned) or
// hidden in the tray (the box is unowned and task-modal); afterwards the controls take input
// again. `duringNextBox` has its argument run while the next box is open.
inline void expectABoxLocksTheWindow(
    platform::MainWindow& window, platform::MessageBoxes& boxes,
    const std::function<void(std::function<void()>)>& duringNextBox,
    const std::function<bool()>& takesInput) {
    for (const bool shown : {true, false}) {
        shown ? window.show() : window.hide();
        bool locked = false;
        duringNextBox([&] { locked = !takesInput(); });
        boxes.show("Text", 16, std::string("Vertrag"));
        EXPECT_TRUE(locked && takesInput()) << (shown ? "shown" : "hidden");
    }
}

}  // namespace taktomat::contract
