#pragma once

#include <windows.h>

namespace taktomat::platform::win32 {

// A function of user32 that older versions of Windows lack, looked up when it is used so that
// the utility still starts there; nullptr where it is missing. user32 stays loaded for the
// life of any GUI process. Not cached: a cached pointer would be a function static, whose
// guard brings a threads library into the executable.
template <typename Function>
Function user32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

}  // namespace taktomat::platform::win32
