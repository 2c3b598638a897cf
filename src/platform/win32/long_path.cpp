#include "platform/win32/long_path.h"

#include <windows.h>

#include <string_view>

namespace taktomat::platform::win32 {
namespace {

constexpr std::wstring_view kExtended = L"\\\\?\\";
constexpr std::wstring_view kExtendedShare = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevice = L"\\\\.\\";
constexpr std::wstring_view kShare = L"\\\\";

bool startsWith(std::wstring_view text, std::wstring_view start) {
    return text.substr(0, start.size()) == start;
}

// The ordinary form of an extended-length path, as the shell takes it.
std::wstring withoutPrefix(const std::wstring& path) {
    if (startsWith(path, kExtendedShare)) {
        return std::wstring(kShare) + path.substr(kExtendedShare.size());
    }
    if (startsWith(path, kExtended)) return path.substr(kExtended.size());
    return path;
}

}  // namespace

std::optional<std::wstring> fullPath(const std::wstring& path) {
    if (path.empty()) return std::nullopt;
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::nullopt;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return std::nullopt;
    full.resize(length);
    return full;
}

std::wstring extendedLengthPath(const std::wstring& fullPath) {
    if (fullPath.size() < MAX_PATH || startsWith(fullPath, kExtended) ||
        startsWith(fullPath, kDevice)) {
        return fullPath;
    }
    if (startsWith(fullPath, kShare)) {
        return std::wstring(kExtendedShare) + fullPath.substr(kShare.size());
    }
    return std::wstring(kExtended) + fullPath;
}

std::optional<std::wstring> startablePath(const std::wstring& fullPath) {
    if (fullPath.size() < MAX_PATH) return fullPath;
    const std::wstring extended = extendedLengthPath(fullPath);
    const DWORD needed = GetShortPathNameW(extended.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::wstring shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(extended.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed) return std::nullopt;
    shortPath.resize(length);
    shortPath = withoutPrefix(shortPath);
    if (shortPath.size() >= MAX_PATH) return std::nullopt;
    return shortPath;
}

}  // namespace taktomat::platform::win32
