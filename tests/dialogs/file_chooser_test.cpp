#include <gtest/gtest.h>

#include "app/form1.h"
#include "support/fake_platform.h"

namespace taktomat::app {
namespace {

// Plain texts: GCC 12 warns falsely about strings in an aggregate table at -O3.
struct Use {
    int errorNumber;
    const char* description;
    const char* chosen;  // nullptr: none
    const char* before;
    const char* after;
    const char* box;  // nullptr: none
};

TEST(FileChooser, OnlyAChoiceReachesTheFieldAndEachUseStartsFromTheLastChoice) {
    testing::FakePlatform platform;
    Form1 form(platform);
    form.open();
    testing::FakeTextBox& field = platform.window().textBox("dateinametxt");
    const int cancel = platform::kOpenFileCancelled;
    const Use uses[] = {
        {0, "", "C:\\Neu\\werkzeug.exe", "c:\\getippt.exe", "C:\\Neu\\werkzeug.exe", nullptr},
        {0, "", "D:\\liste.txt", "", "D:\\liste.txt", nullptr},
        // The remembered choice must not come back with a cancel.
        {cancel, "", nullptr, "", "", nullptr},
        {cancel, "", nullptr, "c:\\getippt.exe", "c:\\getippt.exe", nullptr},
        {5, "Invalid procedure call or argument", "c:\\nie.exe", "c:\\getippt.exe",
         "c:\\getippt.exe", "Error 5 selecting file.\r\nInvalid procedure call or argument"},
    };
    for (const Use& use : uses) {
        SCOPED_TRACE(std::string(use.before) + " -> " + use.after);
        field.setText(use.before);
        platform.boxes.shown.clear();
        platform.dialog.whileOpen = [&](const platform::OpenFileOptions&, const std::string&) {
            testing::FakeOpenFileDialog::Answer answer{{use.errorNumber, use.description}, {}};
            if (use.chosen) answer.chosenFile = use.chosen;
            return answer;
        };
        ASSERT_TRUE(platform.window().button("Command2").userClick());
        EXPECT_EQ(field.text(), use.after);
        ASSERT_EQ(platform.boxes.shown.size(), use.box ? 1u : 0u);
        if (use.box) {
            EXPECT_EQ(platform.boxes.shown[0].prompt, use.box);
            EXPECT_EQ(platform.boxes.shown[0].style, 0);
            EXPECT_EQ(platform.boxes.shown[0].title, std::nullopt);
        }
    }
    EXPECT_EQ(platform.dialog.preselected,
              (std::vector<std::string>{"", "C:\\Neu\\werkzeug.exe", "D:\\liste.txt",
                                        "D:\\liste.txt", "D:\\liste.txt"}));
    for (const platform::OpenFileOptions& options : platform.dialog.opened) {
        EXPECT_EQ(options.filter,
                  "Ausführbare Dateien (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|"
                  "Alle Dateien (*.*)|*.*");
        EXPECT_EQ(options.title, "File wählen");
        EXPECT_EQ(options.flags, 2625540u);
        EXPECT_TRUE(options.cancelError);
    }
}

}  // namespace
}  // namespace taktomat::app
