#pragma once

#include <optional>
#include <string>

namespace taktomat::platform::win32 {

// The path made absolute, with "." and ".." resolved as the system resolves them; nothing
// when the system cannot (a path longer than the W functions take, say).
std::optional<std::wstring> fullPath(const std::wstring& path);

// A full path in the form the W file functions accept at any length: beyond MAX_PATH with
// the extended-length prefix (\\?\, or \\?\UNC\ for a share), which turns the system's own
// resolving of the path off; shorter paths and paths that have a prefix stay as they are.
std::wstring extendedLengthPath(const std::wstring& fullPath);

// A name for the shell's start of a program, which takes none of MAX_PATH or more: the full
// path itself, or beyond that its 8.3 form where the volume keeps one; nothing otherwise.
std::optional<std::wstring> startablePath(const std::wstring& fullPath);

}  // namespace taktomat::platform::win32
