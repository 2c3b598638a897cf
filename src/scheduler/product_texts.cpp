#include "scheduler/product_texts.h"

namespace taktomat::scheduler {
namespace {

std::string majorDotMinor(const platform::Version& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor);
}

}  // namespace

std::string versionCaption(const platform::Version& version) {
    return "Ravik Taktomate " + majorDotMinor(version);
}

std::string productTip(const platform::Version& version) {
    return "Taktomat" + majorDotMinor(version);
}

}  // namespace taktomat::scheduler
