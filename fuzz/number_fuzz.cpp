// Any text: the check and the reading agree, and a number holds nothing but blanks, one sign
// and digits, and reads the same from its plain decimal form.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "scheduler/number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto value = taktomat::scheduler::toInt32(text);
    FUZZ_CHECK(taktomat::scheduler::isNumber(text) == value.has_value());
    if (value) {
        FUZZ_CHECK(text.find_first_not_of(" +-0123456789") == std::string::npos);
        FUZZ_CHECK(taktomat::scheduler::toInt32(std::to_string(*value)) == value);
    }
    return 0;
}
