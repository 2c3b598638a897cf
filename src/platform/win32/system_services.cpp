#include "platform/win32/system_services.h"

#include <cderr.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <winver.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "platform/start_plan.h"
#include "platform/win32/long_path.h"
#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace taktomat::platform::win32 {
namespace {

constexpr const wchar_t* kSettingsRoot = L"Software\\VB and VBA Program Settings\\";
constexpr const wchar_t* kDefaultBoxTitle = L"Taktomat";

std::wstring settingsKeyPath(const std::string& application, const std::string& section) {
    return kSettingsRoot + toWide(application) + L"\\" + toWide(section);
}

std::string describeDialogError(DWORD code) {
    switch (code) {
        case CDERR_DIALOGFAILURE:
            return "The dialog box could not be created.";
        case CDERR_INITIALIZATION:
            return "The dialog box could not be initialised.";
        case CDERR_MEMALLOCFAILURE:
            return "Out of memory.";
        case CDERR_STRUCTSIZE:
            return "The dialog structure has the wrong size.";
        case FNERR_BUFFERTOOSMALL:
            return "The file name is too long.";
        case FNERR_INVALIDFILENAME:
            return "The file name is not valid.";
        default:
            return "The dialog box failed.";
    }
}

// The longest path the W functions take, in UTF-16 units.
constexpr size_t kLongestPath = 32767;

struct PreselectedFile {
    std::wstring folder;
    std::wstring name;
};

// The dialog opens in the folder of the file chosen last, with its name filled in.
PreselectedFile preselectionOf(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return {{}, path};
    std::wstring folder = path.substr(0, separator);
    // A drive's root keeps its backslash: "C:" alone would mean that drive's current folder.
    if (folder.empty() || folder.back() == L':') folder = path.substr(0, separator + 1);
    return {folder, path.substr(separator + 1)};
}

// The window may be in the background or hidden in the tray: the dialog must still come to
// the front, as the message boxes do with MB_SETFOREGROUND. Its own boxes come along.
LRESULT CALLBACK bringDialogToFront(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITDIALOG &&
        (GetWindowLongPtrW(message->hwnd, GWL_STYLE) & WS_CHILD) == 0) {
        SetForegroundWindow(message->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Windows makes an MB_TOPMOST box topmost, Wine does not: the box is made so as it opens.
LRESULT CALLBACK keepBoxOnTop(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITDIALOG &&
        (GetWindowLongPtrW(message->hwnd, GWL_STYLE) & WS_CHILD) == 0) {
        SetWindowPos(message->hwnd, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A file of the system folder; nothing when that folder cannot be read.
std::optional<std::wstring> systemFile(const wchar_t* name) {
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (length == 0 || length >= path.size()) return std::nullopt;
    path.resize(length);
    return path + L"\\" + name;
}

// A library loaded on its first use, not at every start. From the system folder only, so
// that no file of that name elsewhere is taken for it.
HMODULE loadSystemLibrary(const wchar_t* name) {
    const std::optional<std::wstring> path = systemFile(name);
    return path ? LoadLibraryW(path->c_str()) : nullptr;
}

template <typename Function>
Function libraryFunction(HMODULE library, const char* name) {
    return library
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
               : nullptr;
}

}  // namespace

void ComApartment::enter() {
    if (entered_) return;
    entered_ = true;
    library_.reset(loadSystemLibrary(L"ole32.dll"));
    const auto initialise =
        libraryFunction<decltype(&CoInitializeEx)>(library_.get(), "CoInitializeEx");
    // The shell's execution may hand the start to a handler in this apartment; DDE, which
    // it would use otherwise, is old and needs no OLE 1 here.
    initialised_ = initialise && SUCCEEDED(initialise(
                                     nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

ComApartment::~ComApartment() {
    const auto uninitialise =
        libraryFunction<decltype(&CoUninitialize)>(library_.get(), "CoUninitialize");
    if (initialised_ && uninitialise) uninitialise();
}

std::string systemErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 ? std::wstring(buffer, length) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    // Not std::to_wstring, whose formatting brings a wide printf into the executable.
    if (text.empty()) text = L"Fehler " + toWide(std::to_string(error));
    return toUtf8(text);
}

StartOutcome Win32ProgramStarter::start(const std::string& path, int showWindow) {
    com_.enter();
    // The full path names exactly this file: the shell neither searches for a relative name
    // nor reads a path with blanks as a program plus its arguments.
    const std::optional<std::wstring> full = fullPath(toWide(path));
    if (!full) return {false, systemErrorText(GetLastError())};
    // The shell takes no longer name (and some versions of it fail hard on one).
    const std::optional<std::wstring> startable = startablePath(*full);
    if (!startable) return {false, systemErrorText(ERROR_FILENAME_EXCED_RANGE)};
    // What the shell makes of the file: a console program, a Windows program or no program.
    const auto type = static_cast<std::uint32_t>(
        SHGetFileInfoW(startable->c_str(), 0, nullptr, 0, SHGFI_EXETYPE));
    const StartPlan plan = planStart({toUtf8(*startable), type}, showWindow);
    const std::wstring folder = toWide(plan.folder);

    UniqueKernelHandle process;
    if (plan.way == StartWay::Shell) {
        SHELLEXECUTEINFOW execute{};
        execute.cbSize = sizeof(execute);
        // No error dialogs of the shell's own: the utility tells the user itself. The start
        // is complete when the call returns, also when the process ends right after it. The
        // user chose the file and pressed Start: no security warning for a downloaded file
        // holds an unattended run, and whatever the shell still shows belongs to the window,
        // in front. Untested by necessity: Wine has no attachment manager that could show it.
        execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC |
                        SEE_MASK_NOZONECHECKS;
        execute.hwnd = owner_;
        execute.lpFile = startable->c_str();
        execute.lpDirectory = folder.c_str();
        execute.nShow = showWindow;
        if (!ShellExecuteExW(&execute)) return {false, systemErrorText(GetLastError())};
        process.reset(execute.hProcess);
    } else {
        // A console made without a window is never shown, nor handed to a terminal. The
        // program is the file itself with its quoted path for a command line, as the shell
        // starts it, or for a batch file the system's own command processor: its /c takes the
        // rest of the line as the command and strips the outer pair of quotes, so the inner
        // pair keeps a name with blanks, & or ^ one name.
        const bool batch = plan.way == StartWay::BatchFile;
        const std::optional<std::wstring> program = batch ? systemFile(L"cmd.exe") : startable;
        if (!program) return {false, systemErrorText(GetLastError())};
        std::wstring commandLine = L"\"" + *program + L"\"";
        if (batch) commandLine += L" /c \"\"" + *startable + L"\"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        // The mode reaches the program all the same, for a window it may open.
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showWindow);
        PROCESS_INFORMATION created{};
        if (!CreateProcessW(program->c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                            CREATE_NO_WINDOW, nullptr, folder.c_str(), &startup, &created)) {
            return {false, systemErrorText(GetLastError())};
        }
        const UniqueKernelHandle thread(created.hThread);
        process.reset(created.hProcess);
    }
    // Nothing waits for the program; a start through DDE, or one that a running program took
    // over, gives no process.
    if (!process) return {true, {}};
    return {true, {}, std::make_unique<Win32StartedProgram>(std::move(process))};
}

bool Win32StartedProgram::hasEnded() const {
    // A handle that cannot be waited on watches nothing: the program counts as ended.
    return WaitForSingleObject(process_.get(), 0) != WAIT_TIMEOUT;
}

std::optional<std::uint32_t> Win32FileSystem::attributes(const std::string& path) const {
    // Beyond MAX_PATH only the extended-length form is looked up; it is made from the full
    // path, since that form leaves "." and ".." unresolved.
    const std::optional<std::wstring> full = fullPath(toWide(path));
    if (!full) return std::nullopt;
    const DWORD attributes = GetFileAttributesW(extendedLengthPath(*full).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return static_cast<std::uint32_t>(attributes);
}

std::string Win32SettingsStore::get(const std::string& application, const std::string& section,
                                    const std::string& key) {
    UniqueRegistryKey opened;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, settingsKeyPath(application, section).c_str(), 0,
                      KEY_QUERY_VALUE, opened.put()) != ERROR_SUCCESS) {
        return {};
    }
    const std::wstring name = toWide(key);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return {};
    }
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD bufferSize = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &bufferSize) != ERROR_SUCCESS) {
        return {};
    }
    // A stored value need not end in a NUL; the buffer's extra element always does.
    return toUtf8(std::wstring(buffer.data()));
}

SaveOutcome Win32SettingsStore::save(const std::string& application, const std::string& section,
                                     const std::vector<StoredValue>& values) {
    UniqueRegistryKey created;
    const LSTATUS opened =
        RegCreateKeyExW(HKEY_CURRENT_USER, settingsKeyPath(application, section).c_str(), 0,
                        nullptr, 0, KEY_SET_VALUE, nullptr, created.put(), nullptr);
    if (opened != ERROR_SUCCESS) return {false, systemErrorText(static_cast<DWORD>(opened))};
    // A value refused does not keep the others from being written; the first refusal is said.
    LSTATUS refused = ERROR_SUCCESS;
    for (const StoredValue& stored : values) {
        const std::wstring text = toWide(stored.value);
        // With its NUL, as every reader of a text value expects, the empty text included.
        const LSTATUS written =
            RegSetValueExW(created.get(), toWide(stored.key).c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        if (written != ERROR_SUCCESS && refused == ERROR_SUCCESS) refused = written;
    }
    if (refused != ERROR_SUCCESS) return {false, systemErrorText(static_cast<DWORD>(refused))};
    return {true, {}};
}

std::string Win32SettingsStore::place(const std::string& application,
                                      const std::string& section) const {
    return "HKEY_CURRENT_USER\\" + toUtf8(settingsKeyPath(application, section));
}

int Win32MessageBoxes::show(const std::string& prompt, int style,
                            const std::optional<std::string>& title) {
    const std::wstring caption = title ? toWide(*title) : std::wstring(kDefaultBoxTitle);
    UINT type = static_cast<UINT>(style) | MB_SETFOREGROUND;
    HWND owner = owner_;
    UniqueHook onTop;
    if (owner == nullptr || !IsWindowVisible(owner)) {
        // Not yet shown, or hidden in the tray: a box owned by it would have no task bar
        // button and would stay behind other windows whenever the system refuses it the
        // foreground. Unowned it has a button, topmost it stays in front, and task-modal it
        // still locks the window as an owner would.
        owner = nullptr;
        type |= MB_TASKMODAL | MB_TOPMOST;
        onTop.reset(
            SetWindowsHookExW(WH_CALLWNDPROCRET, keepBoxOnTop, nullptr, GetCurrentThreadId()));
    }
    return MessageBoxW(owner, toWide(prompt).c_str(), caption.c_str(), type);
}

OpenFileOutcome Win32OpenFileDialog::showOpen(const OpenFileOptions& options) {
    com_.enter();
    // The common dialogs' library brings the print spooler's libraries along, and most runs
    // never open the dialog.
    if (!library_) library_.reset(loadSystemLibrary(L"comdlg32.dll"));
    const auto getOpenFileName =
        libraryFunction<decltype(&GetOpenFileNameW)>(library_.get(), "GetOpenFileNameW");
    const auto extendedError =
        libraryFunction<decltype(&CommDlgExtendedError)>(library_.get(), "CommDlgExtendedError");
    if (!getOpenFileName || !extendedError) {
        return {static_cast<int>(CDERR_INITIALIZATION), describeDialogError(CDERR_INITIALIZATION)};
    }
    std::wstring filter = toWide(options.filter);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.append(2, L'\0');
    const std::wstring title = toWide(options.title);
    // Room for the longest path the system allows, so no choice is ever too long for it.
    std::vector<wchar_t> file(kLongestPath + 1, L'\0');
    const PreselectedFile previous = preselectionOf(toWide(fileName_));
    std::copy_n(previous.name.begin(), std::min(previous.name.size(), file.size() - 1),
                file.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = previous.folder.empty() ? nullptr : previous.folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = options.flags;
    BOOL chosen = FALSE;
    {
        const UniqueHook toFront(SetWindowsHookExW(WH_CALLWNDPROCRET, bringDialogToFront, nullptr,
                                                   GetCurrentThreadId()));
        chosen = getOpenFileName(&dialog);
    }
    if (chosen) {
        fileName_ = toUtf8(file.data());
        return {};
    }
    const DWORD error = extendedError();
    if (error == 0) {
        return {options.cancelError ? kOpenFileCancelled : 0, {}};
    }
    return {static_cast<int>(error), describeDialogError(error)};
}

void Win32Process::endProcess() {
    ExitProcess(0);
}

std::chrono::milliseconds Win32Clock::now() const {
    return std::chrono::milliseconds(GetTickCount64());
}

Version readOwnVersion() {
    // The resource is already mapped with the executable: no file is opened again and no
    // version library is loaded to read it.
    const HMODULE self = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
    const auto* block = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (block == nullptr) return {};
    // The block begins with its length, its value's length, its type and the key
    // "VS_VERSION_INFO"; the value, the fixed part, follows at the next 32-bit boundary.
    constexpr size_t kHeader = 3 * sizeof(WORD) + sizeof(L"VS_VERSION_INFO");
    constexpr size_t kFixedAt = (kHeader + 3) & ~size_t{3};
    WORD valueLength = 0;
    std::memcpy(&valueLength, block + sizeof(WORD), sizeof(valueLength));
    if (SizeofResource(self, found) < kFixedAt + sizeof(VS_FIXEDFILEINFO) ||
        valueLength < sizeof(VS_FIXEDFILEINFO)) {
        return {};
    }
    VS_FIXEDFILEINFO fixed{};
    std::memcpy(&fixed, block + kFixedAt, sizeof(fixed));
    if (fixed.dwSignature != VS_FFI_SIGNATURE) return {};
    return {static_cast<int>(HIWORD(fixed.dwFileVersionMS)),
            static_cast<int>(LOWORD(fixed.dwFileVersionMS)),
            static_cast<int>(HIWORD(fixed.dwFileVersionLS)),
            static_cast<int>(LOWORD(fixed.dwFileVersionLS))};
}

std::wstring argumentsOf(const std::wstring& commandLine) {
    // The program's name ends at the closing quote when it starts with one, else at the
    // first blank or tab. One blank after it separates the two; any further blanks and tabs
    // are the arguments' own, so that a line of blanks only still reaches the interpreter.
    size_t position = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const size_t closing = commandLine.find(L'"', 1);
        position = closing == std::wstring::npos ? commandLine.size() : closing + 1;
    } else {
        while (position < commandLine.size() && commandLine[position] != L' ' &&
               commandLine[position] != L'\t') {
            ++position;
        }
    }
    if (position < commandLine.size() && commandLine[position] == L' ') ++position;
    return commandLine.substr(position);
}

std::string readCommandLineArguments() {
    return toUtf8(argumentsOf(GetCommandLineW()));
}

}  // namespace taktomat::platform::win32
