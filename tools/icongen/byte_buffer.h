#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace icongen {

// Little-endian output, the byte order of every Windows file header.
class ByteBuffer {
public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    void append(const std::vector<std::uint8_t>& more);

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Writes the bytes to the file, replacing it; throws on failure.
void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace icongen
