#include "scheduler/file_check.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace taktomat::scheduler {
namespace {

namespace attribute = platform::file_attribute;

TEST(FileExists, TrueOnlyForEntriesThatAreNeitherDirectoryNorVolumeLabel) {
    testing::FakeFileSystem files;
    files.addFile("c:\\tool.exe", attribute::kArchive);
    files.addFile("c:\\plain.exe", 0);
    files.addFile("c:\\ro.exe", attribute::kReadOnly);
    files.addFile("c:\\hidden.exe", attribute::kHidden | attribute::kSystem);
    files.addDirectory("c:\\windows");
    files.addFile("c:\\dir-ro", attribute::kDirectory | attribute::kReadOnly);
    files.addFile("c:\\label", attribute::kVolumeLabel);

    const std::pair<const char*, bool> cases[] = {
        {"c:\\tool.exe", true},   {"c:\\plain.exe", true},    {"c:\\ro.exe", true},
        {"c:\\hidden.exe", true}, {"c:\\windows", false},     {"c:\\dir-ro", false},
        {"c:\\label", false},     {"c:\\missing.exe", false}, {"", false},
    };
    for (const auto& [path, exists] : cases) {
        EXPECT_EQ(fileExists(files, path), exists) << path;
    }
}

}  // namespace
}  // namespace taktomat::scheduler
