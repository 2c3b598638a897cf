#include "resource_sampler.h"

#include <psapi.h>

#include <cstdint>
#include <vector>

namespace taktomat::bench {
namespace {

// The few native structures used here, as Windows and Wine lay them out.
struct ThreadBasicInformation {
    LONG exitStatus;
    void* tebBaseAddress;
    void* clientProcess;
    void* clientThread;
    ULONG_PTR affinityMask;
    LONG priority;
    LONG basePriority;
};

struct ProcessBasicInformation {
    LONG exitStatus;
    void* pebBaseAddress;
    ULONG_PTR affinityMask;
    LONG basePriority;
    ULONG_PTR uniqueProcessId;
    ULONG_PTR inheritedFromUniqueProcessId;
};

// One entry of the GDI handle table; a used one has a type.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t kGdiTableEntries = 0x10000;

struct SystemHandleEntry {
    USHORT processId;
    USHORT creatorBackTraceIndex;
    UCHAR objectType;
    UCHAR attributes;
    USHORT handle;
    void* object;
    ULONG grantedAccess;
};
// The list starts with its length; the entries follow at their own alignment.
struct SystemHandleListHead {
    ULONG count;
    alignas(SystemHandleEntry) unsigned char entries;
};

constexpr ULONG kThreadBasicInformation = 0;
constexpr ULONG kProcessBasicInformation = 0;
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);

// Offsets in the thread and process environment blocks.
constexpr size_t kTebPeb32 = 0x30;
constexpr size_t kTebPeb64 = 0x60;
constexpr size_t kPebGdiTable32 = 0x94;
constexpr size_t kPebGdiTable64 = 0xF8;
// Where Wine keeps the 64-bit block of a 32-bit thread (the field's name is GdiBatchCount).
constexpr size_t kTeb32WineTeb64 = 0xF70;

using QueryInformation = LONG(WINAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);
using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

template <typename Function>
Function ntdll(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

template <typename Value>
bool readValue(HANDLE process, std::uint64_t address, Value& value) {
    if (address == 0 || address > UINTPTR_MAX) return false;
    SIZE_T read = 0;
    return ReadProcessMemory(process, reinterpret_cast<const void*>(address), &value, sizeof(value),
                             &read) &&
           read == sizeof(value);
}

// The address of the process's GDI handle table, found through the thread's environment
// block: the process block's field, or, for a 32-bit process under Wine, that of its
// 64-bit twin.
std::uint64_t gdiTableAddress(HANDLE process, HANDLE thread) {
    ThreadBasicInformation basic{};
    ULONG length = 0;
    const auto query = ntdll<QueryInformation>("NtQueryInformationThread");
    if (!query || query(thread, kThreadBasicInformation, &basic, sizeof(basic), &length) != 0) {
        return 0;
    }
    const auto teb = reinterpret_cast<std::uintptr_t>(basic.tebBaseAddress);
    if constexpr (sizeof(void*) == 8) {
        std::uint64_t peb = 0;
        std::uint64_t table = 0;
        if (readValue(process, teb + kTebPeb64, peb) &&
            readValue(process, peb + kPebGdiTable64, table)) {
            return table;
        }
        return 0;
    } else {
        std::uint32_t peb = 0;
        std::uint32_t table = 0;
        if (readValue(process, teb + kTebPeb32, peb) &&
            readValue(process, peb + kPebGdiTable32, table) && table != 0) {
            return table;
        }
        std::uint32_t teb64 = 0;
        std::uint64_t peb64 = 0;
        std::uint64_t table64 = 0;
        if (readValue(process, teb + kTeb32WineTeb64, teb64) &&
            readValue(process, std::uint64_t{teb64} + kTebPeb64, peb64) &&
            readValue(process, peb64 + kPebGdiTable64, table64)) {
            return table64;
        }
        return 0;
    }
}

struct WindowCount {
    DWORD processId;
    long long count;
};

BOOL CALLBACK countWindow(HWND window, LPARAM parameter) {
    auto& windows = *reinterpret_cast<WindowCount*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == windows.processId) ++windows.count;
    return TRUE;
}

BOOL CALLBACK countWindowAndChildren(HWND window, LPARAM parameter) {
    countWindow(window, parameter);
    EnumChildWindows(window, countWindow, parameter);
    return TRUE;
}

}  // namespace

ResourceSampler::ResourceSampler(DWORD processId, DWORD threadId) : processId_(processId) {
    process_ = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    thread_ = OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId);
}

ResourceSampler::~ResourceSampler() {
    if (process_) CloseHandle(process_);
    if (thread_) CloseHandle(thread_);
}

ResourceSample ResourceSampler::sample() {
    ResourceSample sample;
    sample.gdiObjects = gdiObjects();
    sample.userObjects = userObjects();
    sample.kernelHandles = kernelHandles();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process_, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof(memory))) {
        sample.workingSet = static_cast<long long>(memory.WorkingSetSize);
        // Windows documents both as the process's commit charge; Wine fills only the first,
        // with the process's resident anonymous memory and its swap.
        if (memory.PrivateUsage != 0) {
            sample.privateBytes = static_cast<long long>(memory.PrivateUsage);
            sources_.privateBytes = "GetProcessMemoryInfo PrivateUsage";
        } else {
            sample.privateBytes = static_cast<long long>(memory.PagefileUsage);
            sources_.privateBytes = "GetProcessMemoryInfo PagefileUsage (PrivateUsage reads 0)";
        }
    }
    return sample;
}

long long ResourceSampler::gdiObjects() {
    SetLastError(ERROR_SUCCESS);
    const DWORD counted = GetGuiResources(process_, GR_GDIOBJECTS);
    // A running GUI process always holds some; none means the call is not implemented.
    if (counted != 0) {
        sources_.gdiObjects = "GetGuiResources";
        return counted;
    }
    sources_.gdiObjects =
        "used entries of the process's GDI handle table (GetGuiResources reads 0)";
    const std::uint64_t table = gdiTableAddress(process_, thread_);
    if (table == 0 || table > UINTPTR_MAX) return -1;
    std::vector<GdiHandleEntry> entries(kGdiTableEntries);
    SIZE_T read = 0;
    if (!ReadProcessMemory(process_, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), &read)) {
        return -1;
    }
    long long used = 0;
    for (const GdiHandleEntry& entry : entries) {
        if (entry.type != 0) ++used;
    }
    return used;
}

long long ResourceSampler::userObjects() {
    SetLastError(ERROR_SUCCESS);
    const DWORD counted = GetGuiResources(process_, GR_USEROBJECTS);
    if (counted != 0) {
        sources_.userObjects = "GetGuiResources";
        return counted;
    }
    sources_.userObjects =
        "the process's windows: top-level, message-only and their children "
        "(GetGuiResources reads 0)";
    WindowCount windows{processId_, 0};
    EnumWindows(countWindowAndChildren, reinterpret_cast<LPARAM>(&windows));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        countWindowAndChildren(window, reinterpret_cast<LPARAM>(&windows));
    }
    return windows.count;
}

long long ResourceSampler::kernelHandles() {
    DWORD counted = 0;
    if (GetProcessHandleCount(process_, &counted) && counted != 0) {
        sources_.kernelHandles = "GetProcessHandleCount";
        return counted;
    }
    sources_.kernelHandles =
        "the process's entries in the system's handle list (GetProcessHandleCount reads 0)";
    const auto query = ntdll<QuerySystemInformation>("NtQuerySystemInformation");
    if (!query) return -1;
    std::vector<std::uint64_t> buffer(1 << 14);
    LONG status = kStatusInfoLengthMismatch;
    // The list grows between calls; it is asked again with room to spare, a few times at most.
    for (int attempt = 0; attempt < 12 && status == kStatusInfoLengthMismatch; ++attempt) {
        ULONG needed = 0;
        const auto size = static_cast<ULONG>(buffer.size() * sizeof(buffer[0]));
        status = query(kSystemHandleInformation, buffer.data(), size, &needed);
        if (status == kStatusInfoLengthMismatch) buffer.resize(buffer.size() * 2);
    }
    if (status != 0) return -1;
    const auto* head = reinterpret_cast<const SystemHandleListHead*>(buffer.data());
    const auto* entries = reinterpret_cast<const SystemHandleEntry*>(&head->entries);
    long long own = 0;
    for (ULONG index = 0; index < head->count; ++index) {
        // The list holds the low 16 bits of each owner's id.
        if (entries[index].processId == static_cast<USHORT>(processId_)) ++own;
    }
    return own;
}

}  // namespace taktomat::bench
