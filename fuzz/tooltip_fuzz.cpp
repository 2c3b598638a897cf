// Any text into a record holding anything: the tip is the text's start, one NUL, blanks.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "fuzz_check.h"
#include "tray/tooltip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    taktomat::platform::NotifyIconDataA record;
    std::memset(&record, size > 0 ? data[0] : 0x5A, sizeof record);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    taktomat::tray::setTooltip(record, text);

    const std::size_t kept = std::min<std::size_t>(size, taktomat::platform::kTipLength - 1);
    FUZZ_CHECK(std::memcmp(record.szTip, text.data(), kept) == 0);
    FUZZ_CHECK(record.szTip[kept] == '\0');
    for (std::size_t i = kept + 1; i < sizeof record.szTip; ++i) FUZZ_CHECK(record.szTip[i] == ' ');
    return 0;
}
