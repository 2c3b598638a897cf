#include "app/form1_layout.h"

#include <stdexcept>
#include <string>

namespace taktomat::app {

const ControlEntry& controlEntry(std::string_view name) {
    for (const ControlEntry& entry : kForm1Controls) {
        if (entry.name == name) return entry;
    }
    throw std::invalid_argument("no control " + std::string(name));
}

platform::ControlLayout controlLayout(std::string_view name) {
    const ControlEntry& entry = controlEntry(name);
    return {std::string(entry.name), std::string(entry.text), entry.bounds, entry.tabIndex};
}

platform::WindowLayout form1WindowLayout() {
    return {"Taktomat", kClientWidthTwips, kClientHeightTwips, platform::IconId::Main};
}

}  // namespace taktomat::app
