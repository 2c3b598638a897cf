#include "app/application.h"

#include "app/form1.h"

namespace taktomat::app {

int run(platform::Platform& platform) {
    Form1 form(platform);
    form.open();
    return platform.runEventLoop();
}

}  // namespace taktomat::app
