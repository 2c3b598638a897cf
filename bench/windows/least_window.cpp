// The least window: the least that a program must do to show the utility's main window, and
// so the limit of the utility's start-up under Wine. The same window class style and frame,
// the same fifteen controls (twelve child windows, the painted line, a timer and a file
// dialog that cost nothing until used) with their texts and the same font, the main icon on
// the window and in the tray, shown with the focus in the file field. Nothing else: no
// settings are read, no font is searched for, no icon is loaded beyond the main icon.
// It ends on a close request, taking its tray icon with it.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <string_view>

#include "app/form1_layout.h"
#include "app/info_text.h"
#include "resource_ids.h"
#include "taktomat_version.h"

namespace {

using taktomat::app::ControlKind;

constexpr wchar_t kClassName[] = L"Taktomat.LeastWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// The face the utility's layout takes where the classic dialog font is installed as
// "MS Sans Serif" only, as in the benchmark's Wine prefix.
constexpr wchar_t kFace[] = L"MS Sans Serif";
constexpr int kComboListTwips = 2400;

std::wstring wide(std::string_view text) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        length);
    return result;
}

int pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

struct Window {
    int dpi = 96;
    NOTIFYICONDATAA tray{};
    RECT line{};
};

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC dc = BeginPaint(window, &paint);
            const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
            const HGDIOBJ previous = SelectObject(dc, pen);
            MoveToEx(dc, self->line.left, self->line.top, nullptr);
            LineTo(dc, self->line.right, self->line.bottom);
            SelectObject(dc, previous);
            DeleteObject(pen);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CLOSE:
            Shell_NotifyIconA(NIM_DELETE, &self->tray);
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND addControl(HWND parent, const taktomat::app::ControlEntry& entry, int dpi, HFONT font,
                HINSTANCE instance) {
    const wchar_t* windowClass = WC_BUTTONW;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    int height = entry.bounds.height;
    switch (entry.kind) {
        case ControlKind::Button:
            style |= WS_TABSTOP | BS_PUSHBUTTON;
            break;
        case ControlKind::PictureButton:
            style |= WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP;
            break;
        case ControlKind::TextBox:
            windowClass = WC_EDITW;
            style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::ComboBox:
            windowClass = WC_COMBOBOXW;
            style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
            height = kComboListTwips;
            break;
        case ControlKind::Label:
            windowClass = WC_STATICW;
            style |= SS_LEFT | SS_NOPREFIX | WS_CLIPSIBLINGS;
            break;
        default:
            return nullptr;
    }
    const std::wstring text =
        wide(entry.name == "infolabel" ? taktomat::app::infoText() : std::string(entry.text));
    const HWND control = CreateWindowExW(
        exStyle, windowClass, text.c_str(), style, pixels(entry.bounds.left, dpi),
        pixels(entry.bounds.top, dpi), pixels(entry.bounds.width, dpi), pixels(height, dpi), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + entry.tabIndex)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (entry.kind == ControlKind::PictureButton) {
        const int size = MulDiv(FOLDER_BITMAP_SIZE, dpi, 96);
        SendMessageW(
            control, BM_SETIMAGE, IMAGE_BITMAP,
            reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(IDB_FOLDER),
                                                IMAGE_BITMAP, size, size, LR_DEFAULTCOLOR)));
    }
    if (entry.kind == ControlKind::ComboBox) {
        for (std::string_view item : taktomat::app::kWindowModeTexts) {
            SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
        }
        SendMessageW(control, CB_SETCURSEL, taktomat::app::kDefaultWindowMode, 0);
    }
    return control;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    const std::string caption = "Ravik Taktomate " + std::to_string(TAKTOMAT_VERSION_MAJOR) + "." +
                                std::to_string(TAKTOMAT_VERSION_MINOR);
    Window state;
    const HDC screen = GetDC(nullptr);
    state.dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const int dpi = state.dpi;
    RECT frame{0, 0, pixels(taktomat::app::kClientWidthTwips, dpi),
               pixels(taktomat::app::kClientHeightTwips, dpi)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const HWND window = CreateWindowExW(
        kExStyle, kClassName, wide(caption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, &state);
    const HFONT font = CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kFace);
    // In tab order, so that the focus follows it without any reordering; labels last.
    HWND first = nullptr;
    for (int pass = 0; pass < 2; ++pass) {
        for (int index = 0; index < 12; ++index) {
            for (const auto& entry : taktomat::app::kForm1Controls) {
                const bool label = entry.kind == ControlKind::Label;
                if (entry.tabIndex != index || label != (pass == 1)) continue;
                const HWND control = addControl(window, entry, dpi, font, instance);
                if (first == nullptr) first = control;
            }
        }
    }
    for (const auto& entry : taktomat::app::kForm1Controls) {
        if (entry.kind != ControlKind::Line) continue;
        state.line = {pixels(entry.bounds.left, dpi), pixels(entry.bounds.top, dpi),
                      pixels(entry.bounds.left + entry.bounds.width, dpi),
                      pixels(entry.bounds.top + entry.bounds.height, dpi)};
    }

    const auto small = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAKTOMAT), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    const auto big = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAKTOMAT),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                   GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));

    state.tray.cbSize = NOTIFYICONDATAA_V1_SIZE;
    state.tray.hWnd = window;
    state.tray.uID = 1;
    state.tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    state.tray.uCallbackMessage = WM_APP + 1;
    state.tray.hIcon = small;
    std::memset(state.tray.szTip, ' ', sizeof(state.tray.szTip));
    std::memcpy(state.tray.szTip, caption.c_str(), caption.size() + 1);
    Shell_NotifyIconA(NIM_ADD, &state.tray);

    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(first);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    DestroyIcon(small);
    DestroyIcon(big);
    return 0;
}
