#pragma once

#include <string>
#include <string_view>

namespace taktomat::cmdline {

// The UTF-8 text with every letter that has a lower-case form in that form (Ä to ä, É to é,
// Σ to σ, Ж to ж), by the simple case mappings of Unicode, whatever the locale. A letter whose
// lower form upper-cases to another letter (İ, whose i is I's) stays, so the name still finds
// its file. Everything else, bytes that are no UTF-8 among it, stays as it is.
std::string toLowerCase(std::string_view utf8);

}  // namespace taktomat::cmdline
