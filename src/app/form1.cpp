#include "app/form1.h"

#include "app/form1_layout.h"

namespace taktomat::app {

Form1::Form1(platform::Platform& platform)
    : platform_(platform), window_(platform.createMainWindow(form1WindowLayout())) {
    window_.setOnCloseRequest([this] { platform_.process().endProcess(); });
}

void Form1::open() {
    window_.show();
}

}  // namespace taktomat::app
