#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/form1.h"
#include "support/fake_platform.h"

namespace taktomat::app {
namespace {

using testing::FakePlatform;

constexpr const char* kApp = "Raviktaktomate";
constexpr const char* kSection = "Startup";

struct StoredCase {
    const char* what;
    std::map<std::string, std::string> stored;
    const char* seconds;
    const char* passes;
    const char* fileName;
    int mode;
};

class StoredSettings : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredSettings, AppearInTheFieldsAtStartup) {
    const StoredCase& c = GetParam();
    FakePlatform platform;
    for (const auto& [key, value] : c.stored) platform.store.put(kApp, kSection, key, value);
    Form1 form(platform);
    form.open();

    const auto& window = platform.window();
    EXPECT_EQ(window.textBox("sekundentxt").text(), c.seconds);
    EXPECT_EQ(window.textBox("durchlauftxt").text(), c.passes);
    EXPECT_EQ(window.textBox("dateinametxt").text(), c.fileName);
    EXPECT_EQ(window.comboBox("Combo1").selectedIndex(), c.mode);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredSettings,
    ::testing::Values(
        StoredCase{"empty store", {}, "5", "0", "", 6},
        StoredCase{"empty texts count as missing",
                   {{"maxsekunden", ""}, {"maxdurchlaeufe", ""}, {"ausfuehrenals", ""}},
                   "5",
                   "0",
                   "",
                   6},
        StoredCase{"values as stored",
                   {{"maxsekunden", "0"},
                    {"maxdurchlaeufe", "-1"},
                    {"dateiname", "C:\\Mein Ordner\\Tool.EXE"},
                    {"ausfuehrenals", "3"}},
                   "0",
                   "-1",
                   "C:\\Mein Ordner\\Tool.EXE",
                   3},
        StoredCase{"letters are refused by the number fields' filters",
                   {{"maxsekunden", "abc"}, {"maxdurchlaeufe", "x1"}, {"ausfuehrenals", "abc"}},
                   "",
                   "",
                   "",
                   6},
        StoredCase{"blanks are a value, not a missing one",
                   {{"maxsekunden", " 7 "}, {"dateiname", " "}, {"ausfuehrenals", " 2 "}},
                   " 7 ",
                   "0",
                   " ",
                   2},
        StoredCase{"mode 0 is an entry", {{"ausfuehrenals", "0"}}, "5", "0", "", 0},
        StoredCase{"mode past the list", {{"ausfuehrenals", "7"}}, "5", "0", "", 6},
        StoredCase{"negative mode", {{"ausfuehrenals", "-1"}}, "5", "0", "", 6},
        StoredCase{"mode beyond 16 bits", {{"ausfuehrenals", "99999"}}, "5", "0", "", 6},
        StoredCase{"mode beyond 32 bits", {{"ausfuehrenals", "4294967299"}}, "5", "0", "", 6}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        return name;
    });

TEST(Settings, AreReadInTheirOrderUnderTheApplicationsNames) {
    FakePlatform platform;
    Form1 form(platform);
    form.open();

    std::vector<std::string> keys;
    for (const auto& access : platform.store.accesses) {
        EXPECT_FALSE(access.write);
        EXPECT_EQ(access.application, kApp);
        EXPECT_EQ(access.section, kSection);
        keys.push_back(access.key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"maxsekunden", "maxdurchlaeufe", "dateiname",
                                              "ausfuehrenals", "nurwennbeendet"}));
}

// What a shutdown writes, the next startup shows, whatever the characters.
TEST(Settings, WrittenAtShutdownAndShownAgainAtTheNextStartup) {
    const std::string fileName = "C:\\Programme\\Mein Ordner\\Prüfung 東京.EXE";
    FakePlatform first;
    {
        Form1 form(first);
        form.open();
        auto& window = first.window();
        window.textBox("dateinametxt").userPaste(fileName);
        window.textBox("sekundentxt").userClear();
        window.textBox("sekundentxt").userPaste("-12");
        window.comboBox("Combo1").userChoose(1);
        ASSERT_TRUE(first.endsProcess([&] { window.requestClose(); }));
    }
    FakePlatform second;
    second.store.values = first.store.values;
    Form1 form(second);
    form.open();

    const auto& window = second.window();
    EXPECT_EQ(window.textBox("dateinametxt").text(), fileName);
    EXPECT_EQ(window.textBox("sekundentxt").text(), "-12");
    EXPECT_EQ(window.textBox("durchlauftxt").text(), "0");
    EXPECT_EQ(window.comboBox("Combo1").selectedIndex(), 1);
}

}  // namespace
}  // namespace taktomat::app
