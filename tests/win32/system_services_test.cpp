#include "platform/win32/system_services.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/text.h"

namespace taktomat::platform::win32 {
namespace {

// A test application name of its own, so the utility's real settings stay untouched.
constexpr const char* kApplication = "Taktomat Test Settings";

class Win32SettingsStoreTest : public ::testing::Test {
protected:
    ~Win32SettingsStoreTest() override {
        RegDeleteTreeW(HKEY_CURRENT_USER,
                       L"Software\\VB and VBA Program Settings\\Taktomat Test Settings");
    }
    Win32SettingsStore store;
};

TEST_F(Win32SettingsStoreTest, SavedTextsReadBackUnchanged) {
    const std::vector<StoredValue> values = {
        {"dateiname", "C:\\Mein Ordner\\Tool \xC3\x84nderung.EXE"},
        {"maxsekunden", "-5"},
        {"maxdurchlaeufe", "   "},
        {"ausfuehrenals", ""},
    };
    store.save(kApplication, "Startup", values);
    for (const auto& [key, value] : values) {
        EXPECT_EQ(store.get(kApplication, "Startup", key), value) << key;
    }
}

TEST_F(Win32SettingsStoreTest, MissingApplicationSectionOrKeyReadsEmpty) {
    EXPECT_EQ(store.get(kApplication, "Startup", "maxsekunden"), "");
    store.save(kApplication, "Startup", {{"maxsekunden", "30"}});
    EXPECT_EQ(store.get(kApplication, "Startup", "fehlt"), "");
    EXPECT_EQ(store.get(kApplication, "Andere", "maxsekunden"), "");
}

TEST_F(Win32SettingsStoreTest, SavingOverwrites) {
    store.save(kApplication, "Startup", {{"maxsekunden", "30"}});
    store.save(kApplication, "Startup", {{"maxsekunden", "7"}});
    EXPECT_EQ(store.get(kApplication, "Startup", "maxsekunden"), "7");
}

TEST_F(Win32SettingsStoreTest, StoredWhereTheClassicSettingsFunctionsKeepThem) {
    store.save(kApplication, "Startup", {{"dateiname", "x.exe"}, {"ausfuehrenals", ""}});
    wchar_t value[16] = {};
    DWORD size = sizeof value;
    EXPECT_EQ(
        RegGetValueW(HKEY_CURRENT_USER,
                     L"Software\\VB and VBA Program Settings\\Taktomat Test Settings\\Startup",
                     L"dateiname", RRF_RT_REG_SZ, nullptr, value, &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(value, L"x.exe");
    // As any other reader gets it: the value's size counts its terminating NUL, which Wine
    // adds itself only to a text that is not empty.
    UniqueRegistryKey key;
    RegOpenKeyExW(HKEY_CURRENT_USER,
                  L"Software\\VB and VBA Program Settings\\Taktomat Test Settings\\Startup", 0,
                  KEY_READ, key.put());
    for (const auto& [name, size] :
         {std::pair{L"dateiname", sizeof L"x.exe"}, {L"ausfuehrenals", sizeof L""}}) {
        DWORD raw = 0;
        RegQueryValueExW(key.get(), name, nullptr, nullptr, nullptr, &raw);
        EXPECT_EQ(raw, size) << toUtf8(name);
    }
}

class Win32FileSystemTest : public ::testing::Test {
protected:
    Win32FileSystemTest() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        directory = std::wstring(temp) + L"taktomat-files-\u00e4";
        CreateDirectoryW(directory.c_str(), nullptr);
        file = directory + L"\\tool \u20ac.exe";
        HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_READONLY, nullptr);
        CloseHandle(created);
    }
    ~Win32FileSystemTest() override {
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file.c_str());
        RemoveDirectoryW(directory.c_str());
    }

    std::wstring directory;
    std::wstring file;
    Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, AttributesOfFilesAndDirectoriesAndNothingForTheRest) {
    const auto ofFile = files.attributes(toUtf8(file));
    ASSERT_TRUE(ofFile.has_value());
    EXPECT_TRUE(*ofFile & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(*ofFile & FILE_ATTRIBUTE_DIRECTORY);

    const auto ofDirectory = files.attributes(toUtf8(directory));
    ASSERT_TRUE(ofDirectory.has_value());
    EXPECT_TRUE(*ofDirectory & FILE_ATTRIBUTE_DIRECTORY);

    EXPECT_FALSE(files.attributes(toUtf8(directory + L"\\fehlt.exe")).has_value());
    EXPECT_FALSE(files.attributes("").has_value());
    std::string quoted(1, '"');
    quoted += toUtf8(file);
    quoted += '"';
    EXPECT_FALSE(files.attributes(quoted).has_value()) << "quotation marks are part of the name";
}

TEST(Win32ProgramStarter, AFileThatNothingOpensIsRefusedInWordsNotInAWindowOfTheShell) {
    // The shell's own error window would hold the start until the test's time is up.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring file = std::wstring(temp) + L"taktomat.keine-anwendung";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const HWND owner = nullptr;
    const StartOutcome outcome = Win32ProgramStarter(owner).start(toUtf8(file), SW_HIDE);
    EXPECT_FALSE(outcome.started);
    EXPECT_FALSE(outcome.errorText.empty());
    DeleteFileW(file.c_str());
}

TEST(Win32Version, ProgramWithoutVersionInformationReadsAsZero) {
    // The test program carries no version information.
    const Version version = readOwnVersion();
    EXPECT_EQ(version.major, 0);
    EXPECT_EQ(version.minor, 0);
}

}  // namespace
}  // namespace taktomat::platform::win32
