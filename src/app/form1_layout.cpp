#include "app/form1_layout.h"

#include <stdexcept>
#include <string>

namespace taktomat::app {

const ControlSpec& controlSpec(std::string_view name) {
    for (const ControlSpec& spec : kForm1Controls) {
        if (spec.name == name) return spec;
    }
    throw std::invalid_argument("no control " + std::string(name));
}

platform::ControlLayout controlLayout(std::string_view name) {
    const ControlSpec& spec = controlSpec(name);
    return {std::string(spec.name), std::string(spec.text), spec.bounds, spec.tabIndex};
}

platform::WindowLayout form1WindowLayout() {
    return {"Taktomat", kClientWidthTwips, kClientHeightTwips, platform::IconId::Main};
}

}  // namespace taktomat::app
