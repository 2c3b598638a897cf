#include <gtest/gtest.h>

#include "app/form1.h"
#include "support/fake_platform.h"

namespace taktomat::app {
namespace {

using Answer = testing::FakeOpenFileDialog::Answer;

const platform::OpenFileOutcome kChoice{};
const platform::OpenFileOutcome kCancel{platform::kOpenFileCancelled, {}};

class FileChooser : public ::testing::Test {
protected:
    FileChooser() { form.open(); }

    // One use of the browse button, the user answering the dialog as given.
    void browse(platform::OpenFileOutcome outcome, std::optional<std::string> chosen = {}) {
        platform.dialog.whileOpen = [=](const platform::OpenFileOptions&, const std::string&) {
            return Answer{outcome, chosen};
        };
        ASSERT_TRUE(window.button("Command2").userClick());
    }

    testing::FakePlatform platform;
    Form1 form{platform};
    testing::FakeMainWindow& window = platform.window();
    testing::FakeTextBox& field = window.textBox("dateinametxt");
};

TEST_F(FileChooser, ChoiceReplacesTheFieldWhateverItsExtension) {
    for (const char* chosen : {"C:\\Programme\\Neu\\werkzeug.exe", "D:\\Daten\\liste.txt"}) {
        field.setText("c:\\getippt.exe");
        browse(kChoice, chosen);
        EXPECT_EQ(field.text(), chosen);
    }
    EXPECT_TRUE(platform.boxes.shown.empty());
}

TEST_F(FileChooser, CancelLeavesTheFieldAndShowsNothing) {
    for (const char* before : {"", "c:\\getippt.exe"}) {
        field.setText(before);
        browse(kCancel);
        EXPECT_EQ(field.text(), before);
    }
    // Also when an earlier choice is remembered: the cancel must not bring it back.
    browse(kChoice, "c:\\erste.exe");
    field.setText("");
    browse(kCancel);
    EXPECT_EQ(field.text(), "");
    EXPECT_TRUE(platform.boxes.shown.empty());
}

TEST_F(FileChooser, FailureShowsItsNumberAndDescriptionAndLeavesTheField) {
    browse(kChoice, "c:\\erste.exe");
    field.setText("c:\\getippt.exe");
    platform.journal.clear();

    browse({5, "Invalid procedure call or argument"}, "c:\\nie.exe");

    ASSERT_EQ(platform.boxes.shown.size(), 1u);
    const testing::ShownBox& box = platform.boxes.shown[0];
    EXPECT_EQ(box.prompt, "Error 5 selecting file.\r\nInvalid procedure call or argument");
    EXPECT_EQ(box.style, 0);
    EXPECT_EQ(box.title, std::nullopt);
    EXPECT_EQ(platform.journal, (testing::Journal{"dialog: File wählen", "box: (no title)",
                                                  "box closed: (no title)"}));
    EXPECT_EQ(field.text(), "c:\\getippt.exe");
    EXPECT_EQ(platform.dialog.fileName(), "c:\\erste.exe");
}

TEST_F(FileChooser, EveryUseSetsTheOptionsAndStartsFromTheLastChoiceNotTheField) {
    browse(kChoice, "c:\\erste.exe");
    field.setText("c:\\getippt.exe");
    browse(kCancel);
    browse(kChoice, "c:\\zweite.exe");
    browse(kCancel);

    EXPECT_EQ(platform.dialog.preselected,
              (std::vector<std::string>{"", "c:\\erste.exe", "c:\\erste.exe", "c:\\zweite.exe"}));
    ASSERT_EQ(platform.dialog.opened.size(), 4u);
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
