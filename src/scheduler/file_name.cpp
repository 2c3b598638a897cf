#include "scheduler/file_name.h"

#include <string>

namespace taktomat::scheduler {

void unquoteFileName(platform::TextBox& dateinametxt) {
    const std::string name = dateinametxt.text();
    // A lone quotation mark is both ends of nothing: no pair.
    if (name.size() < 2 || name.front() != '"' || name.back() != '"') return;
    dateinametxt.setText(name.substr(1, name.size() - 2));
}

}  // namespace taktomat::scheduler
