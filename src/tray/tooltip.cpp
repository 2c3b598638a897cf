#include "tray/tooltip.h"

#include <algorithm>
#include <cstring>

namespace taktomat::tray {

void setTooltip(platform::NotifyIconDataA& record, std::string_view text) {
    const size_t kept = std::min(text.size(), static_cast<size_t>(platform::kTipLength - 1));
    std::memset(record.szTip, ' ', sizeof(record.szTip));
    std::memcpy(record.szTip, text.data(), kept);
    record.szTip[kept] = '\0';
}

}  // namespace taktomat::tray
