#pragma once

#include <windows.h>

#include <string>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/open_file_dialog.h"
#include "platform/process.h"
#include "platform/program_starter.h"
#include "platform/settings_store.h"
#include "platform/version_info.h"
#include "platform/win32/unique_handle.h"

namespace taktomat::platform::win32 {

// COM for the user-interface thread, from its first use for as long as the object lives.
// Only the shell's execution and the file chooser need it, so a start of the utility that
// neither launches nor chooses loads none of COM's libraries. Each of the two holds its own:
// COM counts the entries of a thread.
class ComApartment {
public:
    ComApartment() = default;
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    void enter();

private:
    // From the system folder; kept until the apartment is left.
    UniqueModule library_;
    bool entered_ = false;
    bool initialised_ = false;
};

// Owns the handle of a started program for as long as the utility watches it.
class Win32StartedProgram final : public StartedProgram {
public:
    explicit Win32StartedProgram(UniqueKernelHandle process) : process_(std::move(process)) {}
    bool hasEnded() const override;

private:
    UniqueKernelHandle process_;
};

// Starts through the shell's execution, which needs COM on the calling thread, so that
// programs, batch files and documents all start as themselves; a hidden console program or
// batch file is created directly instead, as planStart says.
class Win32ProgramStarter final : public ProgramStarter {
public:
    // The owner of anything the shell shows is looked up at every start, as for the boxes.
    explicit Win32ProgramStarter(const HWND& owner) : owner_(owner) {}
    StartOutcome start(const std::string& path, int showWindow) override;
    void prepare() override { com_.enter(); }

private:
    const HWND& owner_;
    ComApartment com_;
};

// The system's message for an error code, without its trailing line break.
std::string systemErrorText(DWORD error);

class Win32FileSystem final : public FileSystem {
public:
    std::optional<std::uint32_t> attributes(const std::string& path) const override;
};

// Kept where the classic GetSetting and SaveSetting keep theirs, so values stored by
// earlier versions are found: HKCU\Software\VB and VBA Program Settings\<app>\<section>.
class Win32SettingsStore final : public SettingsStore {
public:
    std::string get(const std::string& application, const std::string& section,
                    const std::string& key) override;
    SaveOutcome save(const std::string& application, const std::string& section,
                     const std::vector<StoredValue>& values) override;
    std::string place(const std::string& application, const std::string& section) const override;
};

class Win32MessageBoxes final : public MessageBoxes {
public:
    // The owner is looked up at every box, so boxes opened before the window exist work.
    explicit Win32MessageBoxes(const HWND& owner) : owner_(owner) {}
    int show(const std::string& prompt, int style,
             const std::optional<std::string>& title) override;

private:
    const HWND& owner_;
};

class Win32OpenFileDialog final : public OpenFileDialog {
public:
    explicit Win32OpenFileDialog(const HWND& owner) : owner_(owner) {}
    OpenFileOutcome showOpen(const OpenFileOptions& options) override;
    std::string fileName() const override { return fileName_; }

private:
    const HWND& owner_;
    ComApartment com_;
    std::string fileName_;
    // The dialog's library, loaded at the first use.
    UniqueModule library_;
};

class Win32Process final : public Process {
public:
    [[noreturn]] void endProcess() override;
};

class Win32Clock final : public Clock {
public:
    std::chrono::milliseconds now() const override;
};

// The fixed file version of the running executable, from its own resources.
Version readOwnVersion();
// Everything after the program's own name and the one blank that follows it, if any.
std::string readCommandLineArguments();
// The same rule on a given command line; exposed for the tests of the Windows build.
std::wstring argumentsOf(const std::wstring& commandLine);

}  // namespace taktomat::platform::win32
