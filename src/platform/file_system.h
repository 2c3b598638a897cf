#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace taktomat::platform {

namespace file_attribute {
inline constexpr std::uint32_t kReadOnly = 1;
inline constexpr std::uint32_t kHidden = 2;
inline constexpr std::uint32_t kSystem = 4;
inline constexpr std::uint32_t kVolumeLabel = 8;
inline constexpr std::uint32_t kDirectory = 16;
inline constexpr std::uint32_t kArchive = 32;
}  // namespace file_attribute

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The attribute word of a path (relative to the current directory), or nothing when it
    // cannot be read for any reason.
    virtual std::optional<std::uint32_t> attributes(const std::string& path) const = 0;
};

}  // namespace taktomat::platform
