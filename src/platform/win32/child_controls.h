#pragma once

#include <windows.h>

#include <string>

#include "platform/controls.h"
#include "platform/win32/unique_handle.h"

namespace taktomat::platform::win32 {

// A control window inside the main window. The main window routes its WM_COMMAND
// notifications here by control id and lays it out again when the DPI changes.
class ChildControl {
public:
    ChildControl(HWND parent, int id, const ControlLayout& layout, const wchar_t* windowClass,
                 DWORD style, DWORD exStyle);
    virtual ~ChildControl() = default;
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    HWND hwnd() const { return window_.get(); }
    int id() const { return id_; }
    int tabIndex() const { return layout_.tabIndex; }
    const ControlLayout& layout() const { return layout_; }

    // Pixels for the layout's twips at this DPI; the font is the window's current one.
    virtual void applyLayout(int dpi, HFONT font);
    SIZE boxSize(int dpi) const;
    virtual void onCommand(WORD /*notification*/) {}
    virtual bool takesFocus() const { return true; }
    virtual bool isButton() const { return false; }
    // The parent's destruction took this control's window with it.
    void forgetWindow() { window_.release(); }

protected:
    std::string windowText() const;
    void setWindowText(const std::string& text);
    bool isEnabled() const;
    void enable(bool enabled);

private:
    int id_;
    ControlLayout layout_;
    UniqueWindow window_;
};

class Win32TextBox final : public ChildControl, public TextBox {
public:
    Win32TextBox(HWND parent, int id, const ControlLayout& layout);

    bool enabled() const override { return isEnabled(); }
    void setEnabled(bool enabled) override { enable(enabled); }
    std::string text() const override { return windowText(); }
    void setText(const std::string& text) override;
    int caretPosition() const override;
    void setCaretPosition(int position) override;
    void setOnChange(EventHandler handler) override { onChange_ = std::move(handler); }

    void onCommand(WORD notification) override;

private:
    EventHandler onChange_;
    // While the program assigns the text, the control's own EN_CHANGE is not passed on:
    // the assignment raises the event itself, exactly once.
    int assigning_ = 0;
};

class Win32ComboBox final : public ChildControl, public ComboBox {
public:
    Win32ComboBox(HWND parent, int id, const ControlLayout& layout);

    bool enabled() const override { return isEnabled(); }
    void setEnabled(bool enabled) override { enable(enabled); }
    void clear() override;
    void addItem(const std::string& text) override;
    int itemCount() const override;
    int selectedIndex() const override;
    void setSelectedIndex(int index) override;
    std::string text() const override { return windowText(); }
    void setOnEdit(EventHandler handler) override { onEdit_ = std::move(handler); }

    void applyLayout(int dpi, HFONT font) override;
    void onCommand(WORD notification) override;

private:
    EventHandler onEdit_;
};

class Win32Button final : public ChildControl, public Button {
public:
    Win32Button(HWND parent, int id, const ControlLayout& layout, DWORD extraStyle = 0);

    bool enabled() const override { return isEnabled(); }
    void setEnabled(bool enabled) override { enable(enabled); }
    std::string caption() const override { return windowText(); }
    void setCaption(const std::string& caption) override { setWindowText(caption); }
    void setOnClick(EventHandler handler) override { onClick_ = std::move(handler); }

    void onCommand(WORD notification) override;
    bool isButton() const override { return true; }

private:
    EventHandler onClick_;
};

// Shows one bitmap resource, scaled with the DPI, and no text.
class Win32PictureButton final : public ChildControl, public Button {
public:
    Win32PictureButton(HWND parent, int id, const ControlLayout& layout, HINSTANCE instance,
                       int bitmapResource, int bitmapSize);

    bool enabled() const override { return isEnabled(); }
    void setEnabled(bool enabled) override { enable(enabled); }
    std::string caption() const override { return {}; }
    void setCaption(const std::string&) override {}
    void setOnClick(EventHandler handler) override { onClick_ = std::move(handler); }

    void applyLayout(int dpi, HFONT font) override;
    void onCommand(WORD notification) override;
    bool isButton() const override { return true; }

private:
    HINSTANCE instance_;
    int bitmapResource_;
    int bitmapSize_;
    UniqueGdiObject bitmap_;
    EventHandler onClick_;
};

class Win32Label final : public ChildControl, public Label {
public:
    Win32Label(HWND parent, int id, const ControlLayout& layout);

    std::string text() const override { return windowText(); }
    void setText(const std::string& text) override;
    bool takesFocus() const override { return false; }
    void setOnTextChanged(EventHandler handler) { onTextChanged_ = std::move(handler); }

private:
    EventHandler onTextChanged_;
};

}  // namespace taktomat::platform::win32
