// The installer of this build on a system that has never seen the product (a fresh Wine
// prefix): it installs silently without administrator rights, the installed program starts
// and shows its window, and the silent uninstaller takes everything away again.
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "gui_driver.h"
#include "release_files.h"

namespace taktomat::e2e {
namespace {

constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Taktomat";

std::wstring folder(int id) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

const std::wstring& installFolder() {
    static const std::wstring path = folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Taktomat";
    return path;
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring registryText(const wchar_t* key, const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return value;
}

bool keyExists(const wchar_t* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

// Runs a program with arguments and waits for its end; its exit code, or -1.
long runAndWait(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        return -1;
    }
    DWORD code = 0;
    const bool ended = WaitForSingleObject(info.hProcess, kPatienceMs * 4) == WAIT_OBJECT_0;
    if (!ended || !GetExitCodeProcess(info.hProcess, &code)) code = static_cast<DWORD>(-1);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return static_cast<long>(code);
}

struct Shortcut {
    std::wstring target;
    std::wstring arguments;
};

// What a shortcut file starts; an empty target when there is no such file.
Shortcut readShortcut(const std::wstring& file) {
    Shortcut shortcut;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return shortcut;
    }
    IPersistFile* persisted = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persisted)))) {
        wchar_t text[MAX_PATH] = {};
        if (SUCCEEDED(persisted->Load(file.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0))) {
            shortcut.target = text;
            if (SUCCEEDED(link->GetArguments(text, MAX_PATH))) shortcut.arguments = text;
        }
        persisted->Release();
    }
    link->Release();
    return shortcut;
}

class Installer : public ::testing::Test {
protected:
    Installer() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Installer() override { CoUninitialize(); }

    const std::wstring program = installFolder() + L"\\taktomat.exe";
    const std::wstring menuEntry = folder(CSIDL_PROGRAMS) + L"\\Taktomat.lnk";
    const std::wstring autostartEntry = folder(CSIDL_STARTUP) + L"\\Taktomat.lnk";

    // The uninstaller hands over to a copy of itself and ends at once; the copy's work shows.
    bool uninstall(const std::wstring& arguments) {
        return runAndWait(installFolder() + L"\\uninstall.exe", arguments) == 0 && waitUntil([&] {
                   return !exists(installFolder()) && !exists(menuEntry) &&
                          !exists(autostartEntry) && !keyExists(kUninstallKey);
               });
    }
};

TEST_F(Installer, InstallsStartsAndUninstallsSilentlyForTheUserAlone) {
    ASSERT_FALSE(exists(installFolder())) << "the prefix is not fresh";
    ASSERT_EQ(runAndWait(kSetupExe, L"/S /AUTOSTART"), 0);

    for (const wchar_t* file : {L"taktomat.exe", L"README.txt", L"LICENSE.txt", L"uninstall.exe"}) {
        EXPECT_TRUE(exists(installFolder() + L"\\" + file)) << utf8(file) << " is missing";
    }
    EXPECT_EQ(utf8(readShortcut(menuEntry).target), utf8(program));
    const Shortcut autostart = readShortcut(autostartEntry);
    EXPECT_EQ(utf8(autostart.target), utf8(program));
    EXPECT_EQ(utf8(autostart.arguments), "start");
    EXPECT_EQ(utf8(registryText(kUninstallKey, L"DisplayName")), "Taktomat");
    EXPECT_EQ(utf8(registryText(kUninstallKey, L"DisplayVersion")), kVersion);
    const std::wstring quiet = L"\"" + installFolder() + L"\\uninstall.exe\" /S";
    EXPECT_EQ(utf8(registryText(kUninstallKey, L"QuietUninstallString")), utf8(quiet));

    {
        Product installed(L"", StoredSettings::Cleared, MainWindowWait::Shown, program);
        ASSERT_TRUE(installed.ready()) << installed.why();
        EXPECT_EQ(utf8(windowText(installed.window())), "Ravik Taktomate 1.2");
        setText(installed.control(2), L"17");
        PostMessageW(installed.window(), WM_CLOSE, 0, 0);
        ASSERT_TRUE(installed.waitForExit());
    }
    ASSERT_EQ(storedSetting(L"maxsekunden"), L"17");

    ASSERT_TRUE(uninstall(L"/S")) << "files or entries are left";
    EXPECT_EQ(storedSetting(L"maxsekunden"), L"17") << "a silent uninstall keeps the settings";

    // Again without Autostart, and an uninstall told to take the settings as well.
    ASSERT_EQ(runAndWait(kSetupExe, L"/S"), 0);
    EXPECT_TRUE(exists(program));
    EXPECT_FALSE(exists(autostartEntry));
    ASSERT_TRUE(uninstall(L"/S /DELETESETTINGS")) << "files or entries are left";
    EXPECT_FALSE(keyExists(L"Software\\VB and VBA Program Settings\\Raviktaktomate"));
}

}  // namespace
}  // namespace taktomat::e2e
