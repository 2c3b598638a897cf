#include "scheduler/file_check.h"

namespace taktomat::scheduler {

bool fileExists(const platform::FileSystem& files, const std::string& path) {
    const auto attributes = files.attributes(path);
    if (!attributes) return false;
    constexpr std::uint32_t kNotAFile =
        platform::file_attribute::kDirectory | platform::file_attribute::kVolumeLabel;
    return (*attributes & kNotAFile) == 0;
}

}  // namespace taktomat::scheduler
