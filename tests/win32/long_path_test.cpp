#include "platform/win32/long_path.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/system_services.h"
#include "platform/win32/text.h"

namespace taktomat::platform::win32 {
namespace {

TEST(ExtendedLengthPath, PrefixedOnlyFromMaxPathOn) {
    const std::wstring folder = L"C:\\" + std::wstring(MAX_PATH - 4, L'a');
    EXPECT_EQ(extendedLengthPath(folder), folder) << "one below MAX_PATH";
    EXPECT_EQ(extendedLengthPath(folder + L"b"), L"\\\\?\\" + folder + L"b");
    const std::wstring share = L"\\\\server\\share\\" + std::wstring(MAX_PATH, L'a');
    EXPECT_EQ(extendedLengthPath(share),
              L"\\\\?\\UNC\\server\\share\\" + std::wstring(MAX_PATH, L'a'));
    const std::wstring prefixed = L"\\\\?\\C:\\" + std::wstring(MAX_PATH, L'a');
    EXPECT_EQ(extendedLengthPath(prefixed), prefixed);
}

class LongPathTest : public ::testing::Test {
protected:
    LongPathTest() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"taktomat-long-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(root.c_str(), nullptr);
        // Folders beyond MAX_PATH can only be made in the extended-length form.
        std::wstring folder = root;
        while (folder.size() < 2 * MAX_PATH) {
            folder += L"\\" + std::wstring(60, L'o');
            CreateDirectoryW(extendedLengthPath(folder).c_str(), nullptr);
            folders.insert(folders.begin(), folder);
        }
        deepFile = folder + L"\\tool.exe";
        CloseHandle(CreateFileW(extendedLengthPath(deepFile).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr));
    }
    ~LongPathTest() override {
        DeleteFileW(extendedLengthPath(deepFile).c_str());
        for (const std::wstring& folder : folders) {
            RemoveDirectoryW(extendedLengthPath(folder).c_str());
        }
        RemoveDirectoryW(root.c_str());
    }

    std::wstring root;
    std::vector<std::wstring> folders;
    std::wstring deepFile;
    Win32FileSystem files;
};

TEST_F(LongPathTest, AFileBeyondMaxPathIsFound) {
    const auto attributes = files.attributes(toUtf8(deepFile));
    ASSERT_TRUE(attributes.has_value());
    EXPECT_FALSE(*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(LongPathTest, AProgramBeyondMaxPathStarts) {
    // Wine reads the long name back into a buffer of MAX_PATH and starts what it held before.
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) GTEST_SKIP();
    // A program that ends at once when it is given nothing to do.
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    ASSERT_TRUE(CopyFileW((std::wstring(system) + L"\\rundll32.exe").c_str(),
                          extendedLengthPath(deepFile).c_str(), FALSE));
    const HWND owner = nullptr;
    const StartOutcome outcome = Win32ProgramStarter(owner).start(toUtf8(deepFile), SW_HIDE);
    EXPECT_TRUE(outcome.started) << outcome.errorText;
    // Its folders can go once it has ended.
    for (const ULONGLONG end = GetTickCount64() + 10000;
         !DeleteFileW(extendedLengthPath(deepFile).c_str()) && GetTickCount64() < end;) {
        Sleep(20);
    }
}

TEST_F(LongPathTest, ALongNameOfANearFileIsResolvedFirst) {
    // 32000 characters that name a file of the first folder: ".." is resolved, not looked up.
    std::wstring name = root;
    while (name.size() < 32000 - 20) name += L"\\x\\..";
    name += L"\\" + std::wstring(60, L'o');
    ASSERT_EQ(fullPath(name), root + L"\\" + std::wstring(60, L'o'));
    const auto attributes = files.attributes(toUtf8(name));
    ASSERT_TRUE(attributes.has_value());
    EXPECT_TRUE(*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
}  // namespace taktomat::platform::win32
