#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"
#include "platform/start_plan.h"
#include "support/fake_controls.h"

namespace taktomat::testing {

// Thrown by the fake process end, so that the handler that ended the process stops there
// as it does on Windows. Tests catch it (see FakePlatform::endsProcess).
struct ProcessEnded : platform::ProcessEnding {};

// Journal: every call of the fakes into the outside world, in order, as one readable line
// each, so a test can check the order of effects across fakes.

struct FakeCheckMark final : platform::CheckMark {
    bool checked() const override { return on; }
    void setChecked(bool checked) override { on = checked; }
    bool on = false;
};

class FakePopupMenu final : public platform::PopupMenu {
public:
    explicit FakePopupMenu(std::vector<platform::MenuItem> items) : items_(std::move(items)) {}
    const std::vector<platform::MenuItem>& items() const override { return items_; }
    platform::CheckMark& checkMark(const std::string& name) override { return marks_[name]; }
    // Runs the item's handler as a choice from the open menu would.
    void choose(const std::string& name) const;

private:
    std::vector<platform::MenuItem> items_;
    std::map<std::string, FakeCheckMark> marks_;
};

// Distinct handles for the thirteen icons at each DPI, none of them zero.
class FakeIcons final : public platform::Icons {
public:
    platform::NativeHandle handle(platform::IconId icon) const override {
        return handleAt(icon, dpi_);
    }
    std::optional<platform::IconId> identify(platform::NativeHandle handle) const override;
    void useDpi(int dpi) { dpi_ = dpi; }
    static platform::NativeHandle handleAt(platform::IconId icon, int dpi) {
        return 0x1000 * static_cast<platform::NativeHandle>(dpi) +
               static_cast<platform::NativeHandle>(icon);
    }

private:
    int dpi_ = 96;
};

class FakeMainWindow final : public platform::MainWindow {
public:
    FakeMainWindow(platform::WindowLayout layout, FakeIcons& icons, FakeClock& clock,
                   Journal& journal)
        : layout_(std::move(layout)),
          caption_(layout_.caption),
          icons_(icons),
          clock_(clock),
          journal_(journal) {}

    const platform::WindowLayout& layout() const { return layout_; }

    platform::NativeHandle handle() const override { return kHandle; }
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& caption) override {
        caption_ = caption;
        journal_.push_back("window caption: " + caption);
    }
    platform::NativeHandle icon() const override { return icons_.handle(layout_.icon); }

    platform::WindowState windowState() const override { return state_; }
    void setWindowState(platform::WindowState state) override;
    bool visible() const override { return visible_; }
    void show() override;
    void hide() override;
    void showOnTaskBar() override;

    platform::TextBox& addTextBox(const platform::ControlLayout& layout) override;
    platform::ComboBox& addComboBox(const platform::ControlLayout& layout) override;
    platform::Button& addButton(const platform::ControlLayout& layout) override;
    platform::Button& addPictureButton(const platform::ControlLayout& layout,
                                       platform::Picture picture) override;
    platform::Label& addLabel(const platform::ControlLayout& layout,
                              const platform::Control* names) override;
    void addLine(platform::TwipsPoint from, platform::TwipsPoint to) override;
    platform::Timer& addTimer(int intervalMilliseconds) override;
    platform::PopupMenu& addPopupMenu(std::vector<platform::MenuItem> items) override;
    void showPopupMenu(platform::PopupMenu& menu) override;

    void setOnResize(platform::EventHandler handler) override { onResize_ = std::move(handler); }
    void setOnCloseRequest(platform::EventHandler handler) override {
        onClose_ = std::move(handler);
    }
    std::uint32_t trayCallbackMessage() const override { return kTrayCallbackMessage; }
    void setOnTrayCallback(std::function<void(std::uint32_t)> handler) override {
        onTrayCallback_ = std::move(handler);
    }
    void setOnTaskbarCreated(platform::EventHandler handler) override {
        onTaskbarCreated_ = std::move(handler);
    }
    void setOnDpiChanged(platform::EventHandler handler) override {
        onDpiChanged_ = std::move(handler);
    }
    void setOnQueryEndSession(platform::EventHandler handler) override {
        onQueryEndSession_ = std::move(handler);
    }
    void setOnEndSession(std::function<void(bool)> handler) override {
        onEndSession_ = std::move(handler);
    }

    // What the window system would deliver.
    void userMinimise() { setWindowState(platform::WindowState::Minimised); }
    void requestClose();
    void trayCallback(std::uint32_t mouseMessage);
    void taskbarCreated();
    // The session's question, answered yes, and its end or its going on.
    void queryEndSession();
    void endSession(bool ending);
    // Moved to a monitor of another DPI: the icons switch size, then the event comes.
    void changeDpi(int dpi);

    // Set by the platform: whether a modal box locks the window's controls.
    std::function<bool()> locked;

    // Decides what happens while a pop-up menu is open: the name of the item to choose, or
    // nothing to close it without a choice. Runs inside showPopupMenu.
    std::function<std::optional<std::string>(const FakePopupMenu&)> whileMenuOpen;
    int menusShown() const { return menusShown_; }

    FakeTextBox& textBox(const std::string& name) const;
    FakeComboBox& comboBox(const std::string& name) const;
    FakeButton& button(const std::string& name) const;
    FakeLabel& label(const std::string& name) const;
    FakeTimer& timer(size_t index = 0) const;
    FakePopupMenu& popupMenu(size_t index = 0) const;
    const std::vector<std::pair<platform::TwipsPoint, platform::TwipsPoint>>& lines() const {
        return lines_;
    }
    // Control names in the order the window created them.
    const std::vector<std::string>& creationOrder() const { return creationOrder_; }
    const platform::ControlLayout& controlLayout(const std::string& name) const;

    static constexpr platform::NativeHandle kHandle = 0x4711;
    static constexpr std::uint32_t kTrayCallbackMessage = 0x8001;

private:
    template <typename Control>
    Control& find(const std::map<std::string, std::unique_ptr<Control>>& controls,
                  const std::string& name) const;
    void remember(const platform::ControlLayout& layout);

    platform::WindowLayout layout_;
    std::string caption_;
    FakeIcons& icons_;
    FakeClock& clock_;
    Journal& journal_;
    platform::WindowState state_ = platform::WindowState::Normal;
    bool visible_ = false;
    int menusShown_ = 0;
    std::map<std::string, std::unique_ptr<FakeTextBox>> textBoxes_;
    std::map<std::string, std::unique_ptr<FakeComboBox>> comboBoxes_;
    std::map<std::string, std::unique_ptr<FakeButton>> buttons_;
    std::map<std::string, std::unique_ptr<FakeLabel>> labels_;
    std::vector<std::unique_ptr<FakeTimer>> timers_;
    std::vector<std::unique_ptr<FakePopupMenu>> menus_;
    std::vector<std::pair<platform::TwipsPoint, platform::TwipsPoint>> lines_;
    std::vector<std::string> creationOrder_;
    std::vector<platform::ControlLayout> layouts_;
    platform::EventHandler onResize_;
    platform::EventHandler onClose_;
    std::function<void(std::uint32_t)> onTrayCallback_;
    platform::EventHandler onTaskbarCreated_;
    platform::EventHandler onDpiChanged_;
    platform::EventHandler onQueryEndSession_;
    std::function<void(bool)> onEndSession_;
};

struct TrayCall {
    platform::TrayMessage message;
    platform::NotifyIconDataA record;
    // The tip up to its NUL.
    std::string tipText() const;
};

// Keeps the icons it holds as the shell does: an add of an icon it has, and a modify or
// delete of one it has not, fail. Like the Win32 layer it answers a modify that would send the
// record last added or modified again itself; the call is recorded all the same.
class FakeTrayShell final : public platform::TrayShell {
public:
    explicit FakeTrayShell(Journal& journal) : journal_(journal) {}
    platform::TrayAnswer notify(platform::TrayMessage message,
                                const platform::NotifyIconDataA& record) override;

    // The icon as the shell shows it, if it has it.
    const platform::NotifyIconDataA* icon(platform::NativeHandle window, std::uint32_t id) const;
    // A new task bar has none of the old one's icons.
    void restart() { icons_.clear(); }

    std::vector<TrayCall> calls;
    // When set, every call fails as a shell that is not there does.
    bool unavailable = false;
    // When set, every call is carried out but answered too late, as by a busy shell.
    bool late = false;
    // Runs inside every call, as a busy shell would (it may move the clock).
    std::function<void()> whileNotifying;

private:
    Journal& journal_;
    std::map<std::pair<platform::NativeHandle, std::uint32_t>, platform::NotifyIconDataA> icons_;
    std::optional<platform::NotifyIconDataA> shown_;
};

struct ProgramStart {
    std::string path;
    int showWindow;
    // When on the fake clock it was started.
    std::chrono::milliseconds at;
    platform::StartPlan plan;  // how, the path taken for the full one
};

class FakeProgramStarter final : public platform::ProgramStarter {
public:
    FakeProgramStarter(Journal& journal, const FakeClock& clock)
        : journal_(journal), clock_(clock) {}
    platform::StartOutcome start(const std::string& path, int showWindow) override;

    std::vector<ProgramStart> starts;
    // What the shell says the started file is (SHGFI_EXETYPE); 0, no program.
    std::uint32_t executableType = 0;
    // The system's words for a start that fails; nothing for one that succeeds.
    std::optional<std::string> failure;
    // Runs inside the start, as a start that takes its time would (it may move the clock).
    std::function<void()> whileStarting;
    // How long a started program runs; unset, a start gives no process to watch.
    std::optional<std::chrono::milliseconds> runTime;
    // When the program of the last start was found still running.
    std::vector<std::chrono::milliseconds> foundRunning;

private:
    Journal& journal_;
    const FakeClock& clock_;
};

// Orders names as Windows compares them: ordinal, after upper-casing both.
struct WindowsNameLess {
    bool operator()(const std::string& left, const std::string& right) const;
};

// Answers from a table of paths, found whatever their case; anything not in it does not exist.
class FakeFileSystem final : public platform::FileSystem {
public:
    std::optional<std::uint32_t> attributes(const std::string& path) const override;

    void addFile(const std::string& path, std::uint32_t attributes = 32) {
        entries[path] = attributes;
    }
    void addDirectory(const std::string& path) { entries[path] = 16; }
    void remove(const std::string& path) { entries.erase(path); }

    std::map<std::string, std::uint32_t, WindowsNameLess> entries;
};

struct StoreAccess {
    bool write;
    std::string application;
    std::string section;
    std::string key;
    std::string value;
};

class FakeSettingsStore final : public platform::SettingsStore {
public:
    explicit FakeSettingsStore(Journal& journal) : journal_(journal) {}
    std::string get(const std::string& application, const std::string& section,
                    const std::string& key) override;
    platform::SaveOutcome save(const std::string& application, const std::string& section,
                               const std::vector<platform::StoredValue>& entries) override;
    std::string place(const std::string& application, const std::string& section) const override;

    // Direct access for the tests, not recorded.
    void put(const std::string& application, const std::string& section, const std::string& key,
             const std::string& value) {
        values[{application, section, key}] = value;
    }
    std::optional<std::string> stored(const std::string& application, const std::string& section,
                                      const std::string& key) const;

    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    std::vector<StoreAccess> accesses;
    // When set, no value is written and a save gives these words, as a key the user may not
    // write. A name longer than the registry's 255 characters is refused in any case.
    std::optional<std::string> refusal;

private:
    Journal& journal_;
};

struct ShownBox {
    std::string prompt;
    int style;
    std::optional<std::string> title;
};

// Every box is recorded. A box is modal: it stays open, blocking the handler that opened it,
// while whileOpen runs; there the test can deliver events (a timer tick, say) as the window
// system would during the box. Its result is the button that closed the box.
class FakeMessageBoxes final : public platform::MessageBoxes {
public:
    explicit FakeMessageBoxes(Journal& journal) : journal_(journal) {}
    int show(const std::string& prompt, int style,
             const std::optional<std::string>& title) override;

    bool isOpen() const { return open_ > 0; }

    std::vector<ShownBox> shown;
    std::function<int(const ShownBox&)> whileOpen;

private:
    Journal& journal_;
    int open_ = 0;
};

// Modal like the real dialog: whileOpen decides the outcome and may choose a file.
class FakeOpenFileDialog final : public platform::OpenFileDialog {
public:
    explicit FakeOpenFileDialog(Journal& journal) : journal_(journal) {}
    platform::OpenFileOutcome showOpen(const platform::OpenFileOptions& options) override;
    std::string fileName() const override { return fileName_; }

    struct Answer {
        platform::OpenFileOutcome outcome;
        // The file the user picked; it becomes fileName() when the outcome is a choice.
        std::optional<std::string> chosenFile;
    };
    std::function<Answer(const platform::OpenFileOptions&, const std::string& preselected)>
        whileOpen;
    std::vector<platform::OpenFileOptions> opened;
    std::vector<std::string> preselected;

private:
    Journal& journal_;
    std::string fileName_;
};

class FakeProcess final : public platform::Process {
public:
    explicit FakeProcess(Journal& journal) : journal_(journal) {}
    [[noreturn]] void endProcess() override;
    bool ended = false;

private:
    Journal& journal_;
};

class FakePlatform final : public platform::Platform {
public:
    FakePlatform();

    platform::MainWindow& createMainWindow(const platform::WindowLayout& layout) override;
    platform::TrayShell& trayShell() override { return tray; }
    platform::ProgramStarter& programStarter() override { return starter; }
    const platform::FileSystem& fileSystem() const override { return files; }
    platform::SettingsStore& settingsStore() override { return store; }
    platform::MessageBoxes& messageBoxes() override { return boxes; }
    platform::OpenFileDialog& openFileDialog() override { return dialog; }
    const platform::Icons& icons() const override { return iconSet; }
    platform::Process& process() override { return processEnd; }
    const platform::Clock& clock() const override { return monotonic; }
    platform::Version version() const override { return versionInfo; }
    std::string commandLine() const override { return commandLineText; }
    int runEventLoop() override { return 0; }

    FakeMainWindow& window() const;
    // Runs the action and tells whether it ended the process.
    bool endsProcess(const std::function<void()>& action);

    Journal journal;
    FakeTrayShell tray{journal};
    FakeClock monotonic;
    FakeProgramStarter starter{journal, monotonic};
    FakeFileSystem files;
    FakeSettingsStore store{journal};
    FakeMessageBoxes boxes{journal};
    FakeOpenFileDialog dialog{journal};
    FakeIcons iconSet;
    FakeProcess processEnd{journal};
    platform::Version versionInfo{1, 2, 0, 0};
    std::string commandLineText;

private:
    std::unique_ptr<FakeMainWindow> window_;
};

}  // namespace taktomat::testing
