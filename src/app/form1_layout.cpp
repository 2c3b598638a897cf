#include "app/form1_layout.h"

namespace taktomat::app {

platform::WindowLayout form1WindowLayout() {
    return {"Taktomat", kClientWidthTwips, kClientHeightTwips, platform::IconId::Main};
}

}  // namespace taktomat::app
