#include "tray/trayicon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "support/fake_platform.h"

namespace taktomat::tray {
namespace {

using Bytes = std::vector<unsigned char>;

void appendLittleEndian(Bytes& bytes, std::uint64_t value, size_t size) {
    for (size_t i = 0; i < size; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void padTo(Bytes& bytes, size_t alignment) {
    while (bytes.size() % alignment != 0) bytes.push_back(0);
}

// The record as the shell reads it, written out field by field from its documented layout.
Bytes expectedRecord(std::uint64_t window, std::uint32_t callback, std::uint64_t icon,
                     const std::string& tip) {
    const size_t pointer = sizeof(void*);
    Bytes bytes;
    appendLittleEndian(bytes, sizeof(platform::NotifyIconDataA), 4);
    padTo(bytes, pointer);
    appendLittleEndian(bytes, window, pointer);
    appendLittleEndian(bytes, 1, 4);
    appendLittleEndian(bytes, 7, 4);
    appendLittleEndian(bytes, callback, 4);
    padTo(bytes, pointer);
    appendLittleEndian(bytes, icon, pointer);
    for (char c : tip) bytes.push_back(static_cast<unsigned char>(c));
    bytes.push_back(0);
    while (bytes.size() % pointer != 0 || bytes.size() < sizeof(platform::NotifyIconDataA)) {
        bytes.push_back(' ');
    }
    return bytes;
}

Bytes bytesOf(const platform::NotifyIconDataA& record) {
    Bytes bytes(sizeof(record));
    std::memcpy(bytes.data(), &record, sizeof(record));
    return bytes;
}

TEST(TrayIcon, RecordHoldsTheShellsFirstFormByteForByte) {
    testing::FakePlatform platform;
    TrayIcon icon(platform.tray);

    icon.fill(0x00012345, 0x8001, 0x00ABCDEF, "Ravik Taktomate 1.2");

    EXPECT_EQ(bytesOf(icon.trayData),
              expectedRecord(0x00012345, 0x8001, 0x00ABCDEF, "Ravik Taktomate 1.2"));
    if (sizeof(void*) == 4) {
        EXPECT_EQ(sizeof(platform::NotifyIconDataA), 88u);
    }
}

TEST(TrayIcon, OperationsSendTheWholeRecordWithTheirMessage) {
    testing::FakePlatform platform;
    TrayIcon icon(platform.tray);
    icon.fill(0x10, 0x8001, 0x20, "Ravik Taktomate 1.2");

    icon.add();
    icon.setImageAndTip(0x30, "4s bis Programmstart");
    icon.modify();
    icon.remove();

    ASSERT_EQ(platform.tray.calls.size(), 3u);
    EXPECT_EQ(platform.tray.calls[0].message, platform::TrayMessage::Add);
    EXPECT_EQ(platform.tray.calls[1].message, platform::TrayMessage::Modify);
    EXPECT_EQ(platform.tray.calls[2].message, platform::TrayMessage::Delete);
    EXPECT_EQ(platform.tray.calls[0].tipText(), "Ravik Taktomate 1.2");
    EXPECT_EQ(platform.tray.calls[0].record.hIcon, 0x20u);
    for (const testing::TrayCall& call : platform.tray.calls) {
        EXPECT_EQ(call.record.uID, 1u);
        EXPECT_EQ(call.record.uFlags, 7u);
        EXPECT_EQ(call.record.uCallbackMessage, 0x8001u);
        EXPECT_EQ(call.record.hWnd, 0x10u);
    }
    EXPECT_EQ(platform.tray.calls[1].tipText(), "4s bis Programmstart");
    EXPECT_EQ(platform.tray.calls[1].record.hIcon, 0x30u);
    EXPECT_EQ(bytesOf(platform.tray.calls[2].record), bytesOf(platform.tray.calls[1].record));
}

}  // namespace
}  // namespace taktomat::tray
