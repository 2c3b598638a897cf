#include "support/fake_platform.h"

#include <algorithm>
#include <clocale>
#include <cwctype>
#include <stdexcept>
#include <string_view>

#ifndef _WIN32
#include <locale.h>
#include <wctype.h>
#endif

namespace taktomat::testing {

namespace {

const char* trayMessageName(platform::TrayMessage message) {
    switch (message) {
        case platform::TrayMessage::Add:
            return "add";
        case platform::TrayMessage::Modify:
            return "modify";
        case platform::TrayMessage::Delete:
            return "delete";
    }
    return "?";
}

// Windows compares names upper-cased one UTF-16 unit at a time by a table of its own. The C
// library's stands in for it, but for the letters it upper-cases and Windows's leaves as they
// are: the dotless i, the long s, the micro sign, the title-case digraphs. A unit of a surrogate
// pair, half of a letter beyond U+FFFF, is never mapped.
char32_t upperCase(char32_t c) {
    constexpr std::u32string_view kKept = U"\u0131\u017F\u00B5\u01C5\u01C8\u01CB\u01F2";
    if (c > 0xFFFF || kKept.find(c) != kKept.npos) return c;
#ifdef _WIN32
    static const _locale_t system = _create_locale(LC_CTYPE, "");
    return _towupper_l(static_cast<wint_t>(c), system);
#else
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return towupper_l(static_cast<wint_t>(c), utf8);
#endif
}

std::u32string upperCased(const std::string& utf8) {
    std::u32string result;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char32_t c = length == 1 ? lead : lead & (0x7Fu >> length);
        for (size_t k = 1; k < length && i + k < utf8.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        }
        result.push_back(upperCase(c));
        i += length;
    }
    return result;
}

bool sameRecord(const platform::NotifyIconDataA& a, const platform::NotifyIconDataA& b) {
    return std::tie(a.cbSize, a.hWnd, a.uID, a.uFlags, a.uCallbackMessage, a.hIcon) ==
               std::tie(b.cbSize, b.hWnd, b.uID, b.uFlags, b.uCallbackMessage, b.hIcon) &&
           std::equal(std::begin(a.szTip), std::end(a.szTip), std::begin(b.szTip));
}

}  // namespace

bool WindowsNameLess::operator()(const std::string& left, const std::string& right) const {
    return upperCased(left) < upperCased(right);
}

void FakePopupMenu::choose(const std::string& name) const {
    for (const platform::MenuItem& item : items_) {
        if (item.name == name) {
            if (item.onClick) item.onClick();
            return;
        }
    }
    throw std::invalid_argument("no menu item " + name);
}

std::optional<platform::IconId> FakeIcons::identify(platform::NativeHandle handle) const {
    const auto icon = static_cast<int>(handle % 0x1000);
    if (handle < 0x1000 || icon > static_cast<int>(platform::IconId::Frame12)) return std::nullopt;
    return static_cast<platform::IconId>(icon);
}

void FakeMainWindow::setWindowState(platform::WindowState state) {
    if (state == state_) return;
    // A hidden window stays hidden and takes the state on at its next show, as the Win32
    // layer's does; a visible one stays visible (minimised: on the task bar).
    state_ = state;
    if (onResize_) onResize_();
}

void FakeMainWindow::show() {
    visible_ = true;
    journal_.push_back("window: show");
}

void FakeMainWindow::showOnTaskBar() {
    visible_ = true;
    journal_.push_back("window: on the task bar");
    // Shown minimised: a window hidden in another state raises the resize event.
    setWindowState(platform::WindowState::Minimised);
}

void FakeMainWindow::hide() {
    visible_ = false;
    journal_.push_back("window: hide");
}

void FakeMainWindow::remember(const platform::ControlLayout& layout) {
    if (std::find(creationOrder_.begin(), creationOrder_.end(), layout.name) !=
        creationOrder_.end()) {
        throw std::invalid_argument("control created twice: " + layout.name);
    }
    creationOrder_.push_back(layout.name);
    layouts_.push_back(layout);
}

platform::TextBox& FakeMainWindow::addTextBox(const platform::ControlLayout& layout) {
    remember(layout);
    auto& slot = textBoxes_[layout.name];
    slot = std::make_unique<FakeTextBox>(layout);
    slot->journal = &journal_;
    slot->input.windowLocked = locked;
    return *slot;
}

platform::ComboBox& FakeMainWindow::addComboBox(const platform::ControlLayout& layout) {
    remember(layout);
    auto& slot = comboBoxes_[layout.name];
    slot = std::make_unique<FakeComboBox>(layout);
    slot->journal = &journal_;
    slot->input.windowLocked = locked;
    return *slot;
}

platform::Button& FakeMainWindow::addButton(const platform::ControlLayout& layout) {
    remember(layout);
    auto& slot = buttons_[layout.name];
    slot = std::make_unique<FakeButton>(layout, false);
    slot->journal = &journal_;
    slot->input.windowLocked = locked;
    return *slot;
}

platform::Button& FakeMainWindow::addPictureButton(const platform::ControlLayout& layout,
                                                   platform::Picture) {
    remember(layout);
    auto& slot = buttons_[layout.name];
    slot = std::make_unique<FakeButton>(layout, true);
    slot->journal = &journal_;
    slot->input.windowLocked = locked;
    return *slot;
}

platform::Label& FakeMainWindow::addLabel(const platform::ControlLayout& layout,
                                          const platform::Control* /*names*/) {
    remember(layout);
    auto& slot = labels_[layout.name];
    slot = std::make_unique<FakeLabel>(layout);
    return *slot;
}

void FakeMainWindow::addLine(platform::TwipsPoint from, platform::TwipsPoint to) {
    lines_.emplace_back(from, to);
}

platform::Timer& FakeMainWindow::addTimer(int intervalMilliseconds) {
    timers_.push_back(std::make_unique<FakeTimer>(intervalMilliseconds, clock_));
    timers_.back()->journal = &journal_;
    return *timers_.back();
}

platform::PopupMenu& FakeMainWindow::addPopupMenu(std::vector<platform::MenuItem> items) {
    menus_.push_back(std::make_unique<FakePopupMenu>(std::move(items)));
    return *menus_.back();
}

void FakeMainWindow::showPopupMenu(platform::PopupMenu& menu) {
    ++menusShown_;
    journal_.push_back("menu: open");
    const auto& popup = static_cast<FakePopupMenu&>(menu);
    const std::optional<std::string> choice =
        whileMenuOpen ? whileMenuOpen(popup) : std::optional<std::string>{};
    journal_.push_back("menu: closed");
    if (choice) popup.choose(*choice);
}

void FakeMainWindow::requestClose() {
    if (onClose_) onClose_();
}

void FakeMainWindow::trayCallback(std::uint32_t mouseMessage) {
    if (onTrayCallback_) onTrayCallback_(mouseMessage);
}

void FakeMainWindow::taskbarCreated() {
    if (onTaskbarCreated_) onTaskbarCreated_();
}

void FakeMainWindow::queryEndSession() {
    if (onQueryEndSession_) onQueryEndSession_();
}

void FakeMainWindow::endSession(bool ending) {
    if (onEndSession_) onEndSession_(ending);
}

void FakeMainWindow::changeDpi(int dpi) {
    icons_.useDpi(dpi);
    journal_.push_back("window: dpi " + std::to_string(dpi));
    if (onDpiChanged_) onDpiChanged_();
}

template <typename Control>
Control& FakeMainWindow::find(const std::map<std::string, std::unique_ptr<Control>>& controls,
                              const std::string& name) const {
    const auto found = controls.find(name);
    if (found == controls.end()) throw std::invalid_argument("no such control: " + name);
    return *found->second;
}

FakeTextBox& FakeMainWindow::textBox(const std::string& name) const {
    return find(textBoxes_, name);
}
FakeComboBox& FakeMainWindow::comboBox(const std::string& name) const {
    return find(comboBoxes_, name);
}
FakeButton& FakeMainWindow::button(const std::string& name) const {
    return find(buttons_, name);
}
FakeLabel& FakeMainWindow::label(const std::string& name) const {
    return find(labels_, name);
}
FakeTimer& FakeMainWindow::timer(size_t index) const {
    return *timers_.at(index);
}
FakePopupMenu& FakeMainWindow::popupMenu(size_t index) const {
    return *menus_.at(index);
}

const platform::ControlLayout& FakeMainWindow::controlLayout(const std::string& name) const {
    for (const auto& layout : layouts_) {
        if (layout.name == name) return layout;
    }
    throw std::invalid_argument("no such control: " + name);
}

std::string TrayCall::tipText() const {
    const char* tip = record.szTip;
    return std::string(tip, std::find(tip, tip + platform::kTipLength, '\0'));
}

platform::TrayAnswer FakeTrayShell::notify(platform::TrayMessage message,
                                           const platform::NotifyIconDataA& record) {
    using platform::TrayAnswer;
    calls.push_back({message, record});
    journal_.push_back(std::string("tray: ") + trayMessageName(message) + " " +
                       calls.back().tipText());
    if (whileNotifying) whileNotifying();
    if (message == platform::TrayMessage::Modify && shown_ && sameRecord(record, *shown_)) {
        return TrayAnswer::Done;
    }
    shown_.reset();
    if (unavailable) return TrayAnswer::Refused;
    const auto key = std::make_pair(record.hWnd, record.uID);
    const bool held = icons_.count(key) != 0, kept = message != platform::TrayMessage::Delete;
    const bool done = kept ? held == (message == platform::TrayMessage::Modify) : icons_.erase(key);
    if (done && kept) icons_[key] = record;
    if (late) return TrayAnswer::Late;
    if (done && kept) shown_ = record;
    return done ? TrayAnswer::Done : TrayAnswer::Refused;
}

const platform::NotifyIconDataA* FakeTrayShell::icon(platform::NativeHandle window,
                                                     std::uint32_t id) const {
    const auto found = icons_.find({window, id});
    return found == icons_.end() ? nullptr : &found->second;
}

platform::StartOutcome FakeProgramStarter::start(const std::string& path, int showWindow) {
    starts.push_back(
        {path, showWindow, clock_.now(), platform::planStart({path, executableType}, showWindow)});
    journal_.push_back("start: " + path + " " + std::to_string(showWindow));
    if (whileStarting) whileStarting();
    if (failure) return {false, *failure};
    if (!runTime) return {true, {}};
    struct Program final : platform::StartedProgram {
        FakeProgramStarter& starter;
        std::chrono::milliseconds ends;
        Program(FakeProgramStarter& s, std::chrono::milliseconds e) : starter(s), ends(e) {}
        bool hasEnded() const override {
            if (starter.clock_.now() < ends) starter.foundRunning.push_back(starter.clock_.now());
            return starter.clock_.now() >= ends;
        }
    };
    return {true, {}, std::make_unique<Program>(*this, starts.back().at + *runTime)};
}

std::optional<std::uint32_t> FakeFileSystem::attributes(const std::string& path) const {
    const auto found = entries.find(path);
    if (found == entries.end()) return std::nullopt;
    return found->second;
}

std::string FakeSettingsStore::get(const std::string& application, const std::string& section,
                                   const std::string& key) {
    const auto found = values.find({application, section, key});
    const std::string value = found == values.end() ? std::string() : found->second;
    accesses.push_back({false, application, section, key, value});
    journal_.push_back("store: get " + key);
    return value;
}

platform::SaveOutcome FakeSettingsStore::save(const std::string& application,
                                              const std::string& section,
                                              const std::vector<platform::StoredValue>& entries) {
    // The system's words for a key name it will not take.
    constexpr size_t kLongestKeyName = 255;
    const std::optional<std::string> refused =
        application.size() > kLongestKeyName || section.size() > kLongestKeyName
            ? std::optional<std::string>("The parameter is incorrect.")
            : refusal;
    if (refused) {
        journal_.push_back("store: save refused");
        return {false, *refused};
    }
    for (const platform::StoredValue& stored : entries) {
        values[{application, section, stored.key}] = stored.value;
        accesses.push_back({true, application, section, stored.key, stored.value});
        journal_.push_back("store: save " + stored.key + "=" + stored.value);
    }
    return {true, {}};
}

std::string FakeSettingsStore::place(const std::string& application,
                                     const std::string& section) const {
    return "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\" + application + "\\" +
           section;
}

std::optional<std::string> FakeSettingsStore::stored(const std::string& application,
                                                     const std::string& section,
                                                     const std::string& key) const {
    const auto found = values.find({application, section, key});
    if (found == values.end()) return std::nullopt;
    return found->second;
}

int FakeMessageBoxes::show(const std::string& prompt, int style,
                           const std::optional<std::string>& title) {
    shown.push_back({prompt, style, title});
    journal_.push_back("box: " + title.value_or("(no title)"));
    const ShownBox box = shown.back();
    ++open_;
    int result = 1;
    try {
        if (whileOpen) result = whileOpen(box);
    } catch (...) {
        --open_;
        throw;
    }
    --open_;
    journal_.push_back("box closed: " + title.value_or("(no title)"));
    return result;
}

platform::OpenFileOutcome FakeOpenFileDialog::showOpen(const platform::OpenFileOptions& options) {
    opened.push_back(options);
    preselected.push_back(fileName_);
    journal_.push_back("dialog: " + options.title);
    // Without a script the user cancels.
    Answer answer{{options.cancelError ? platform::kOpenFileCancelled : 0, {}}, std::nullopt};
    if (whileOpen) answer = whileOpen(options, fileName_);
    // Like the real dialog, only a choice changes the file it remembers.
    if (answer.chosenFile && answer.outcome.errorNumber == 0) fileName_ = *answer.chosenFile;
    return answer.outcome;
}

void FakeProcess::endProcess() {
    ended = true;
    journal_.push_back("process: end");
    throw ProcessEnded{};
}

FakePlatform::FakePlatform() = default;

platform::MainWindow& FakePlatform::createMainWindow(const platform::WindowLayout& layout) {
    if (window_) throw std::logic_error("the main window is created once");
    window_ = std::make_unique<FakeMainWindow>(layout, iconSet, monotonic, journal);
    window_->locked = [this] { return boxes.isOpen(); };
    return *window_;
}

FakeMainWindow& FakePlatform::window() const {
    if (!window_) throw std::logic_error("no main window yet");
    return *window_;
}

bool FakePlatform::endsProcess(const std::function<void()>& action) {
    try {
        action();
    } catch (const ProcessEnded&) {
        return true;
    }
    return false;
}

}  // namespace taktomat::testing
