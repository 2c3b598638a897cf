#pragma once

#include <windows.h>

#include <utility>

namespace taktomat::platform::win32 {

// Owns one Win32 handle and closes it with Traits::close. Move-only, so a handle can never
// be closed twice; put() hands the slot to functions that return handles through a pointer.
template <typename Traits>
class UniqueHandle {
public:
    using pointer = typename Traits::pointer;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(pointer value) noexcept : value_(value) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    pointer get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::invalid(); }

    pointer release() noexcept { return std::exchange(value_, Traits::invalid()); }
    void reset(pointer value = Traits::invalid()) noexcept {
        const pointer old = std::exchange(value_, value);
        if (old != Traits::invalid()) Traits::close(old);
    }
    pointer* put() noexcept {
        reset();
        return &value_;
    }

private:
    pointer value_ = Traits::invalid();
};

struct WindowTraits {
    using pointer = HWND;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer value) noexcept { DestroyWindow(value); }
};
struct IconTraits {
    using pointer = HICON;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer value) noexcept { DestroyIcon(value); }
};
struct MenuTraits {
    using pointer = HMENU;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer value) noexcept { DestroyMenu(value); }
};
struct GdiObjectTraits {
    using pointer = HGDIOBJ;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer value) noexcept { DeleteObject(value); }
};
struct RegistryKeyTraits {
    using pointer = HKEY;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer value) noexcept { RegCloseKey(value); }
};
struct KernelHandleTraits {
    using pointer = HANDLE;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer value) noexcept { CloseHandle(value); }
};
struct ModuleTraits {
    using pointer = HMODULE;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer value) noexcept { FreeLibrary(value); }
};
struct HookTraits {
    using pointer = HHOOK;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer value) noexcept { UnhookWindowsHookEx(value); }
};

using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueHook = UniqueHandle<HookTraits>;

}  // namespace taktomat::platform::win32
