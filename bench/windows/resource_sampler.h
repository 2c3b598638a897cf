// Reads another process's resources from outside: GDI and USER objects, kernel handles,
// private bytes and working set. Where the system's own call for a figure gives nothing, as
// several do under Wine, a way that the system does support stands in; sources() says which.
#pragma once

#include <windows.h>

#include <string>

namespace taktomat::bench {

struct ResourceSample {
    long long gdiObjects = -1;
    long long userObjects = -1;
    long long kernelHandles = -1;
    long long privateBytes = -1;
    long long workingSet = -1;
};

// How each figure of the last sample was read.
struct SampleSources {
    std::string gdiObjects;
    std::string userObjects;
    std::string kernelHandles;
    std::string privateBytes;
};

class ResourceSampler {
public:
    // The process, and its thread that owns the windows (it also leads to the GDI table).
    ResourceSampler(DWORD processId, DWORD threadId);
    ~ResourceSampler();
    ResourceSampler(const ResourceSampler&) = delete;
    ResourceSampler& operator=(const ResourceSampler&) = delete;

    bool ready() const { return process_ != nullptr && thread_ != nullptr; }
    ResourceSample sample();
    const SampleSources& sources() const { return sources_; }

private:
    long long gdiObjects();
    long long userObjects();
    long long kernelHandles();

    DWORD processId_;
    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;
    SampleSources sources_;
};

}  // namespace taktomat::bench
