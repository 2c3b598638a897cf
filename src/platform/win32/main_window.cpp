#include "platform/win32/main_window.h"

#include "platform/win32/dpi.h"
#include "platform/win32/label_regions.h"
#include "platform/win32/popup_menu.h"
#include "platform/win32/text.h"
#include "platform/win32/timer.h"
#include "platform/win32/user32_function.h"
#include "resource_ids.h"

namespace taktomat::platform::win32 {

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

// The class carries no icons: each window sets its own, which live as long as it does.
void registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = Win32MainWindow::kClassName;
    RegisterClassExW(&windowClass);
}

}  // namespace

Win32MainWindow::Win32MainWindow(HINSTANCE instance, Win32Icons& icons, const WindowLayout& layout)
    : instance_(instance),
      icons_(icons),
      layout_(layout),
      taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")) {
    registerWindowClass(instance, &Win32MainWindow::windowProcedure);

    // Created at the system DPI's size first, which is mostly the final one; the real
    // monitor's DPI is known once the window exists.
    const int systemDpi = dpiForWindow(nullptr);
    const RECT frame = windowRectForClient(twipsToPixels(layout.clientWidthTwips, systemDpi),
                                           twipsToPixels(layout.clientHeightTwips, systemDpi),
                                           kWindowStyle, kWindowExStyle, systemDpi);
    window_.reset(CreateWindowExW(kWindowExStyle, kClassName, toWide(layout.caption).c_str(),
                                  kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, this));
    // Run as administrator, the window would not hear of a new task bar from the shell of a
    // user without those rights, whose messages the system filters out, and its icon would be
    // gone for good. Looked up, as the rest of user32's newer functions.
    using AllowMessage = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);
    const auto allowMessage = user32Function<AllowMessage>("ChangeWindowMessageFilterEx");
    if (allowMessage && taskbarCreatedMessage_ != 0) {
        allowMessage(window_.get(), taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
    }
    onDpiChanged(dpiForWindow(window_.get()), nullptr);
}

void Win32MainWindow::setIcons() {
    icons_.useDpi(dpi_);
    UniqueIcon bigIcon(static_cast<HICON>(LoadImageW(
        instance_, MAKEINTRESOURCEW(IDI_TAKTOMAT), IMAGE_ICON, systemMetricForDpi(SM_CXICON, dpi_),
        systemMetricForDpi(SM_CYICON, dpi_), LR_DEFAULTCOLOR)));
    SendMessageW(window_.get(), WM_SETICON, ICON_SMALL,
                 static_cast<LPARAM>(icons_.handle(layout_.icon)));
    SendMessageW(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    // The window no longer uses the old one.
    bigIcon_ = std::move(bigIcon);
}

Win32MainWindow::~Win32MainWindow() {
    // Messages that the teardown raises (a control losing the focus, say) must no longer
    // reach this half-destroyed object: the window procedure is detached first.
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    timers_.clear();
    controls_.clear();
}

LRESULT CALLBACK Win32MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->window_.get() != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->handleMessage(message, wParam, lParam);
    } catch (...) {
        // An event handler that fails must not take the window system down with it.
        return 0;
    }
}

LRESULT Win32MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_.get();
    if (message == kTrayCallbackMessage) {
        if (onTrayCallback_) onTrayCallback_(static_cast<std::uint32_t>(LOWORD(lParam)));
        return 0;
    }
    if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
        if (onTaskbarCreated_) onTaskbarCreated_();
        return 0;
    }
    switch (message) {
        case WM_COMMAND:
            onCommand(wParam);
            return 0;
        case WM_TIMER:
            for (const auto& timer : timers_) {
                if (timer->id() == wParam) timer->tick();
            }
            return 0;
        case WM_SIZE:
            if (onResize_) onResize_();
            return 0;
        case WM_WINDOWPOSCHANGED:
            // Shown, by us or anyone: the window's own state counts again.
            if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) {
                stateWhileHidden_.reset();
            }
            break;
        case WM_CLOSE:
            if (onClose_) {
                onClose_();
            } else {
                DestroyWindow(window);
            }
            return 0;
        case WM_QUERYENDSESSION:
            // Nothing is ever refused: the settings are written when the session really ends.
            if (onQueryEndSession_) onQueryEndSession_();
            return TRUE;
        case WM_ENDSESSION:
            if (onEndSession_) onEndSession_(wParam != FALSE);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            // The window system has destroyed the window and its controls: none of them may
            // be destroyed again.
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            for (const auto& control : controls_) control->forgetWindow();
            window_.release();
            return 0;
        case WM_ACTIVATE:
            // Keep the focus where the user left it when the window comes back.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus && IsChild(window, focus)) lastFocus_ = focus;
            } else {
                // A control locked meanwhile cannot take it: the first one in tab order can.
                const HWND focus = lastFocus_ && IsWindowEnabled(lastFocus_)
                                       ? lastFocus_
                                       : GetNextDlgTabItem(window, nullptr, FALSE);
                if (focus) {
                    SetFocus(focus);
                    return 0;
                }
            }
            break;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            if (onDpiChanged_) onDpiChanged_();
            return 0;
        case WM_PAINT:
            paintLines();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32MainWindow::onCommand(WPARAM wParam) {
    const int id = LOWORD(wParam);
    for (const auto& control : controls_) {
        if (control->id() == id) {
            control->onCommand(HIWORD(wParam));
            return;
        }
    }
    // Anything else, Enter's IDOK and Escape's IDCANCEL among it, does nothing.
}

void Win32MainWindow::onDpiChanged(int dpi, const RECT* suggested) {
    dpi_ = dpi;
    const int width = twipsToPixels(layout_.clientWidthTwips, dpi);
    const int height = twipsToPixels(layout_.clientHeightTwips, dpi);
    const RECT frame = windowRectForClient(width, height, kWindowStyle, kWindowExStyle, dpi);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    int left = 0;
    int top = 0;
    if (suggested) {
        left = suggested->left;
        top = suggested->top;
    } else {
        flags |= SWP_NOMOVE;
    }
    RECT outer{};
    GetWindowRect(window_.get(), &outer);
    // A window created at the right size needs no move, which costs a round of messages.
    if (suggested || outer.right - outer.left != frame.right - frame.left ||
        outer.bottom - outer.top != frame.bottom - frame.top) {
        SetWindowPos(window_.get(), nullptr, left, top, frame.right - frame.left,
                     frame.bottom - frame.top, flags);
    }
    // The frame's own metrics can differ from the computed ones (themes, a DPI the frame was
    // not drawn for): make up the difference so the client area is exact.
    RECT client{};
    GetClientRect(window_.get(), &client);
    const int missingWidth = width - (client.right - client.left);
    const int missingHeight = height - (client.bottom - client.top);
    if (missingWidth != 0 || missingHeight != 0) {
        GetWindowRect(window_.get(), &outer);
        SetWindowPos(window_.get(), nullptr, 0, 0, outer.right - outer.left + missingWidth,
                     outer.bottom - outer.top + missingHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    useFont(dialogFont_.choose(dpi, labelTexts()));
    setIcons();
}

std::vector<LabelText> Win32MainWindow::labelTexts() const {
    std::vector<LabelText> labels;
    for (const auto& control : controls_) {
        if (const auto* label = dynamic_cast<const Win32Label*>(control.get())) {
            labels.push_back({toWide(label->text()), label->boxSize(dpi_)});
        }
    }
    return labels;
}

void Win32MainWindow::useFont(const FontChoice& choice) {
    // The controls still use the old font until they are laid out with the new one.
    const UniqueGdiObject previousFont = std::move(font_);
    font_.reset(createFont(choice));
    fontChoice_ = choice;
    applyLayout();
}

void Win32MainWindow::fitFontToLabels() {
    const FontChoice choice = dialogFont_.choose(dpi_, labelTexts());
    if (choice != fontChoice_) useFont(choice);
}

void Win32MainWindow::applyLayout() {
    const auto font = static_cast<HFONT>(font_.get());
    for (const auto& control : controls_) control->applyLayout(dpi_, font);
    clipLabels(controls_);
    // A control whose box stays where it was repaints only when told so.
    RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32MainWindow::paintLines() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window_.get(), &paint);
    if (!lines_.empty()) {
        UniqueGdiObject pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT)));
        const HGDIOBJ previous = SelectObject(dc, pen.get());
        for (const auto& [from, to] : lines_) {
            MoveToEx(dc, twipsToPixels(from.x, dpi_), twipsToPixels(from.y, dpi_), nullptr);
            LineTo(dc, twipsToPixels(to.x, dpi_), twipsToPixels(to.y, dpi_));
        }
        SelectObject(dc, previous);
    }
    EndPaint(window_.get(), &paint);
}

bool Win32MainWindow::translateDialogKeys(MSG& message) {
    // The window has no default button: Enter on a focused button must not press it, as
    // the dialog keyboard handling would. Space still does.
    const bool enterKey = (message.message == WM_KEYDOWN || message.message == WM_KEYUP ||
                           message.message == WM_CHAR) &&
                          message.wParam == (message.message == WM_CHAR ? L'\r' : VK_RETURN);
    if (enterKey && isButton(message.hwnd)) return true;
    return IsDialogMessageW(window_.get(), &message) != FALSE;
}

bool Win32MainWindow::isButton(HWND window) const {
    for (const auto& control : controls_) {
        if (control->hwnd() == window) return control->isButton();
    }
    return false;
}

NativeHandle Win32MainWindow::handle() const {
    return reinterpret_cast<NativeHandle>(window_.get());
}

std::string Win32MainWindow::caption() const {
    return windowTextUtf8(window_.get());
}

void Win32MainWindow::setCaption(const std::string& caption) {
    // The same caption again would still go to the window system and the display, at every
    // tick of a countdown at one second; reading the window's own text costs neither.
    if (windowTextUtf8(window_.get()) == caption) return;
    setWindowTextUtf8(window_.get(), caption);
}

NativeHandle Win32MainWindow::icon() const {
    return icons_.handle(layout_.icon);
}

WindowState Win32MainWindow::windowState() const {
    if (stateWhileHidden_ && !visible()) return *stateWhileHidden_;
    return IsIconic(window_.get()) ? WindowState::Minimised : WindowState::Normal;
}

void Win32MainWindow::setWindowState(WindowState state) {
    if (state == windowState()) return;
    if (!visible()) {
        // ShowWindow would show a hidden window, and a start from the command line would
        // flash the never-shown window on the screen and the task bar before the resize
        // handler hides it again. The state waits for the next show instead.
        stateWhileHidden_ = state;
        if (onResize_) onResize_();
        return;
    }
    ShowWindow(window_.get(), state == WindowState::Minimised ? SW_MINIMIZE : SW_RESTORE);
}

bool Win32MainWindow::visible() const {
    return IsWindowVisible(window_.get()) != FALSE;
}

void Win32MainWindow::show() {
    const HWND window = window_.get();
    const bool firstShow = !visible() && lastFocus_ == nullptr;
    // A restore asked for while hidden: SW_RESTORE shows the window normal whether the user
    // had minimised it or it was never shown, and unlike SW_SHOW the starter's show command
    // (a shortcut set to "minimised") never replaces it.
    int command = SW_SHOW;
    if (stateWhileHidden_ && !visible()) {
        command = *stateWhileHidden_ == WindowState::Minimised ? SW_SHOWMINIMIZED : SW_RESTORE;
    }
    ShowWindow(window, command);
    SetForegroundWindow(window);
    if (firstShow) {
        // The first control in tab order takes the focus when the window first opens.
        const HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
        if (first) SetFocus(first);
    }
}

void Win32MainWindow::hide() {
    ShowWindow(window_.get(), SW_HIDE);
}

void Win32MainWindow::showOnTaskBar() {
    ShowWindow(window_.get(), SW_SHOWMINNOACTIVE);
}

template <typename Control, typename... Args>
Control& Win32MainWindow::addControl(const ControlLayout& layout, Args&&... args) {
    // Tab indexes are unique, so they make stable control ids that tests can find.
    const int id = kFirstControlId + layout.tabIndex;
    auto control =
        std::make_unique<Control>(window_.get(), id, layout, std::forward<Args>(args)...);
    Control& result = *control;
    control->applyLayout(dpi_, static_cast<HFONT>(font_.get()));
    placeInTabOrder(*control);
    controls_.push_back(std::move(control));
    // A new field may cover any label; a new label changes only its own region.
    if (result.takesFocus()) {
        clipLabels(controls_);
    } else {
        clipLabel(result, controls_);
    }
    return result;
}

void Win32MainWindow::placeInTabOrder(const ChildControl& control) {
    // Labels take no focus: they go to the bottom, and one that names a field then before it.
    if (!control.takesFocus()) {
        SetWindowPos(control.hwnd(), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    // Keyboard focus follows the z-order of the children: put the control right behind the
    // one with the next lower tab index.
    const ChildControl* before = nullptr;
    for (const auto& other : controls_) {
        if (other->takesFocus() && other->tabIndex() < control.tabIndex() &&
            (before == nullptr || other->tabIndex() > before->tabIndex())) {
            before = other.get();
        }
    }
    SetWindowPos(control.hwnd(), before ? before->hwnd() : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TextBox& Win32MainWindow::addTextBox(const ControlLayout& layout) {
    return addControl<Win32TextBox>(layout);
}

ComboBox& Win32MainWindow::addComboBox(const ControlLayout& layout) {
    return addControl<Win32ComboBox>(layout);
}

Button& Win32MainWindow::addButton(const ControlLayout& layout) {
    return addControl<Win32Button>(layout);
}

Button& Win32MainWindow::addPictureButton(const ControlLayout& layout, Picture /*picture*/) {
    return addControl<Win32PictureButton>(layout, instance_, IDB_FOLDER, FOLDER_BITMAP_SIZE);
}

Label& Win32MainWindow::addLabel(const ControlLayout& layout, const Control* names) {
    Win32Label& label = addControl<Win32Label>(layout);
    // The accessibility layer names a field after the label just before it among the
    // children; the focus, which skips labels, keeps its order.
    if (const auto* field = dynamic_cast<const ChildControl*>(names)) {
        const HWND above = GetWindow(field->hwnd(), GW_HWNDPREV);
        SetWindowPos(label.hwnd(), above ? above : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    label.setOnTextChanged([this] { fitFontToLabels(); });
    fitFontToLabels();
    return label;
}

void Win32MainWindow::addLine(TwipsPoint from, TwipsPoint to) {
    lines_.emplace_back(from, to);
    InvalidateRect(window_.get(), nullptr, TRUE);
}

Timer& Win32MainWindow::addTimer(int intervalMilliseconds) {
    const UINT_PTR id = kFirstTimerId + timers_.size();
    timers_.push_back(std::make_unique<Win32Timer>(window_.get(), id, intervalMilliseconds));
    return *timers_.back();
}

PopupMenu& Win32MainWindow::addPopupMenu(std::vector<MenuItem> items) {
    menus_.push_back(std::make_unique<Win32PopupMenu>(std::move(items)));
    return *menus_.back();
}

void Win32MainWindow::showPopupMenu(PopupMenu& menu) {
    static_cast<Win32PopupMenu&>(menu).show(window_.get());
}

}  // namespace taktomat::platform::win32
