#include "platform/win32/child_controls.h"

#include <commctrl.h>

#include "platform/geometry.h"
#include "platform/win32/text.h"

namespace taktomat::platform::win32 {

ChildControl::ChildControl(HWND parent, int id, const ControlLayout& layout,
                           const wchar_t* windowClass, DWORD style, DWORD exStyle)
    : id_(id), layout_(layout) {
    window_.reset(CreateWindowExW(
        exStyle, windowClass, toWide(layout.text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
        0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr));
}

namespace {

RECT pixelRect(const TwipsRect& bounds, int dpi) {
    // Right and bottom edges are converted too, so neighbours never overlap by rounding.
    return {twipsToPixels(bounds.left, dpi), twipsToPixels(bounds.top, dpi),
            twipsToPixels(bounds.left + bounds.width, dpi),
            twipsToPixels(bounds.top + bounds.height, dpi)};
}

}  // namespace

void ChildControl::applyLayout(int dpi, HFONT font) {
    const RECT box = pixelRect(layout_.bounds, dpi);
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowPos(hwnd(), nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE ChildControl::boxSize(int dpi) const {
    const RECT box = pixelRect(layout_.bounds, dpi);
    return {box.right - box.left, box.bottom - box.top};
}

std::string ChildControl::windowText() const {
    return windowTextUtf8(hwnd());
}

void ChildControl::setWindowText(const std::string& text) {
    setWindowTextUtf8(hwnd(), text);
}

bool ChildControl::isEnabled() const {
    return IsWindowEnabled(hwnd()) != FALSE;
}

void ChildControl::enable(bool enabled) {
    EnableWindow(hwnd(), enabled ? TRUE : FALSE);
}

Win32TextBox::Win32TextBox(HWND parent, int id, const ControlLayout& layout)
    : ChildControl(parent, id, layout, WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT,
                   WS_EX_CLIENTEDGE) {}

void Win32TextBox::setText(const std::string& text) {
    {
        struct Assigning {
            int& depth;
            explicit Assigning(int& d) : depth(d) { ++depth; }
            ~Assigning() { --depth; }
        } assigning(assigning_);
        setWindowText(text);
    }
    if (onChange_) onChange_();
}

int Win32TextBox::caretPosition() const {
    DWORD start = 0;
    SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void Win32TextBox::setCaretPosition(int position) {
    SendMessageW(hwnd(), EM_SETSEL, static_cast<WPARAM>(position), static_cast<LPARAM>(position));
}

void Win32TextBox::onCommand(WORD notification) {
    if (notification == EN_CHANGE && assigning_ == 0 && onChange_) onChange_();
}

Win32ComboBox::Win32ComboBox(HWND parent, int id, const ControlLayout& layout)
    : ChildControl(parent, id, layout, WC_COMBOBOXW,
                   WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0) {}

void Win32ComboBox::applyLayout(int dpi, HFONT font) {
    ChildControl::applyLayout(dpi, font);
    // A drop-down combo box's window height is that of its open list; the closed field
    // takes its height from the font.
    RECT rect{};
    GetWindowRect(hwnd(), &rect);
    const int listHeight = twipsToPixels(2400, dpi);
    SetWindowPos(hwnd(), nullptr, 0, 0, rect.right - rect.left, listHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32ComboBox::clear() {
    SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
}

void Win32ComboBox::addItem(const std::string& text) {
    SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(text).c_str()));
}

int Win32ComboBox::itemCount() const {
    return static_cast<int>(SendMessageW(hwnd(), CB_GETCOUNT, 0, 0));
}

int Win32ComboBox::selectedIndex() const {
    return static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
}

void Win32ComboBox::setSelectedIndex(int index) {
    SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32ComboBox::onCommand(WORD notification) {
    if (notification == CBN_EDITCHANGE && onEdit_) onEdit_();
}

Win32Button::Win32Button(HWND parent, int id, const ControlLayout& layout, DWORD extraStyle)
    : ChildControl(parent, id, layout, WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON | extraStyle, 0) {}

void Win32Button::onCommand(WORD notification) {
    if (notification == BN_CLICKED && onClick_) onClick_();
}

Win32PictureButton::Win32PictureButton(HWND parent, int id, const ControlLayout& layout,
                                       HINSTANCE instance, int bitmapResource, int bitmapSize)
    : ChildControl(parent, id, layout, WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP, 0),
      instance_(instance),
      bitmapResource_(bitmapResource),
      bitmapSize_(bitmapSize) {}

void Win32PictureButton::applyLayout(int dpi, HFONT font) {
    ChildControl::applyLayout(dpi, font);
    const int size = MulDiv(bitmapSize_, dpi, 96);
    UniqueGdiObject bitmap(LoadImageW(instance_, MAKEINTRESOURCEW(bitmapResource_), IMAGE_BITMAP,
                                      size, size, LR_DEFAULTCOLOR));
    SendMessageW(hwnd(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
    // The button does not own the bitmap: keep it until the next one is in place.
    bitmap_ = std::move(bitmap);
}

void Win32PictureButton::onCommand(WORD notification) {
    if (notification == BN_CLICKED && onClick_) onClick_();
}

Win32Label::Win32Label(HWND parent, int id, const ControlLayout& layout)
    : ChildControl(parent, id, layout, WC_STATICW, SS_LEFT | SS_NOPREFIX | WS_CLIPSIBLINGS, 0) {}

void Win32Label::setText(const std::string& text) {
    setWindowText(text);
    if (onTextChanged_) onTextChanged_();
}

}  // namespace taktomat::platform::win32
