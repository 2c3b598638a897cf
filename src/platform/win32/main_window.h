#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/main_window.h"
#include "platform/win32/child_controls.h"
#include "platform/win32/dialog_font.h"
#include "platform/win32/icons.h"
#include "platform/win32/unique_handle.h"

namespace taktomat::platform::win32 {

class Win32Timer;
class Win32PopupMenu;

class Win32MainWindow final : public MainWindow {
public:
    static constexpr const wchar_t* kClassName = L"Taktomat.Form1";

    Win32MainWindow(HINSTANCE instance, Win32Icons& icons, const WindowLayout& layout);
    ~Win32MainWindow() override;

    // For the message loop: Tab, Shift+Tab and the other dialog keys.
    bool translateDialogKeys(MSG& message);

    NativeHandle handle() const override;
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    NativeHandle icon() const override;

    WindowState windowState() const override;
    void setWindowState(WindowState state) override;
    bool visible() const override;
    void show() override;
    void hide() override;
    void showOnTaskBar() override;

    TextBox& addTextBox(const ControlLayout& layout) override;
    ComboBox& addComboBox(const ControlLayout& layout) override;
    Button& addButton(const ControlLayout& layout) override;
    Button& addPictureButton(const ControlLayout& layout, Picture picture) override;
    Label& addLabel(const ControlLayout& layout, const Control* names) override;
    void addLine(TwipsPoint from, TwipsPoint to) override;
    Timer& addTimer(int intervalMilliseconds) override;
    PopupMenu& addPopupMenu(std::vector<MenuItem> items) override;
    void showPopupMenu(PopupMenu& menu) override;

    void setOnResize(EventHandler handler) override { onResize_ = std::move(handler); }
    void setOnCloseRequest(EventHandler handler) override { onClose_ = std::move(handler); }
    std::uint32_t trayCallbackMessage() const override { return kTrayCallbackMessage; }
    void setOnTrayCallback(std::function<void(std::uint32_t)> handler) override {
        onTrayCallback_ = std::move(handler);
    }
    void setOnTaskbarCreated(EventHandler handler) override {
        onTaskbarCreated_ = std::move(handler);
    }
    void setOnDpiChanged(EventHandler handler) override { onDpiChanged_ = std::move(handler); }
    void setOnQueryEndSession(EventHandler handler) override {
        onQueryEndSession_ = std::move(handler);
    }
    void setOnEndSession(std::function<void(bool)> handler) override {
        onEndSession_ = std::move(handler);
    }

private:
    static constexpr UINT kTrayCallbackMessage = WM_APP + 1;

public:
    // Control ids are this plus the tab index. Ids 1 and 2 are what the dialog keys Enter
    // and Escape send; controls stay clear of them.
    static constexpr int kFirstControlId = 100;

private:
    static constexpr UINT_PTR kFirstTimerId = 1;

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(WPARAM wParam);
    void onDpiChanged(int dpi, const RECT* suggested);
    void applyLayout();
    std::vector<LabelText> labelTexts() const;
    void useFont(const FontChoice& choice);
    // A label's text changed or a label came: a stand-in font may have to be smaller.
    void fitFontToLabels();
    void setIcons();
    void paintLines();
    template <typename Control, typename... Args>
    Control& addControl(const ControlLayout& layout, Args&&... args);
    void placeInTabOrder(const ChildControl& control);
    bool isButton(HWND window) const;

    HINSTANCE instance_;
    Win32Icons& icons_;
    WindowLayout layout_;
    UINT taskbarCreatedMessage_ = 0;
    int dpi_ = 96;
    DialogFont dialogFont_;
    FontChoice fontChoice_;
    // Declared before the window, so they outlive it.
    UniqueIcon bigIcon_;
    UniqueGdiObject font_;
    UniqueWindow window_;
    HWND lastFocus_ = nullptr;
    // A state asked for while the window was hidden; it takes effect at the next show.
    std::optional<WindowState> stateWhileHidden_;
    std::vector<std::unique_ptr<ChildControl>> controls_;
    std::vector<std::pair<TwipsPoint, TwipsPoint>> lines_;
    std::vector<std::unique_ptr<Win32Timer>> timers_;
    std::vector<std::unique_ptr<Win32PopupMenu>> menus_;
    EventHandler onResize_;
    EventHandler onClose_;
    std::function<void(std::uint32_t)> onTrayCallback_;
    EventHandler onTaskbarCreated_;
    EventHandler onDpiChanged_;
    EventHandler onQueryEndSession_;
    std::function<void(bool)> onEndSession_;
};

}  // namespace taktomat::platform::win32
