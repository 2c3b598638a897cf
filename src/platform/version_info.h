#pragma once

namespace taktomat::platform {

struct Version {
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;
};

}  // namespace taktomat::platform
