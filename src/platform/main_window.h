#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/geometry.h"
#include "platform/icons.h"
#include "platform/native_handle.h"

namespace taktomat::platform {

enum class WindowState { Normal = 0, Minimised = 1 };

struct WindowLayout {
    std::string caption;
    // The client area; the frame is fixed around it and can be minimised.
    int clientWidthTwips = 0;
    int clientHeightTwips = 0;
    IconId icon = IconId::Main;
};

struct MenuItem {
    std::string name;
    // "-" makes a separator line.
    std::string caption;
    EventHandler onClick;
};

// The check mark in front of a menu item, which says whether what the item names is on.
class CheckMark {
public:
    virtual ~CheckMark() = default;
    virtual bool checked() const = 0;
    virtual void setChecked(bool checked) = 0;
};

class PopupMenu {
public:
    virtual ~PopupMenu() = default;
    virtual const std::vector<MenuItem>& items() const = 0;
    // The named item's check mark, off until set; choosing the item does not turn it.
    virtual CheckMark& checkMark(const std::string& name) = 0;
};

// The one main window and the factory of its controls. Controls live as long as the window.
class MainWindow {
public:
    virtual ~MainWindow() = default;

    virtual NativeHandle handle() const = 0;
    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    // The handle of the window's own icon (the one its layout named).
    virtual NativeHandle icon() const = 0;

    virtual WindowState windowState() const = 0;
    // Raises the resize event when the state changes, as the window system does.
    virtual void setWindowState(WindowState state) = 0;
    virtual bool visible() const = 0;
    // Makes the window visible and active.
    virtual void show() = 0;
    // Makes the window invisible; it leaves the task bar too.
    virtual void hide() = 0;
    // Makes a hidden window visible again as a button on the task bar, minimised and without
    // activating it: the user may be typing elsewhere.
    virtual void showOnTaskBar() = 0;

    virtual TextBox& addTextBox(const ControlLayout& layout) = 0;
    virtual ComboBox& addComboBox(const ControlLayout& layout) = 0;
    virtual Button& addButton(const ControlLayout& layout) = 0;
    // A button that shows only the picture, no text.
    virtual Button& addPictureButton(const ControlLayout& layout, Picture picture) = 0;
    // `names` is the field the label names for a screen reader, if any; it exists already.
    virtual Label& addLabel(const ControlLayout& layout, const Control* names) = 0;
    virtual void addLine(TwipsPoint from, TwipsPoint to) = 0;
    virtual Timer& addTimer(int intervalMilliseconds) = 0;
    // A menu that never shows as a menu bar, only as a pop-up.
    virtual PopupMenu& addPopupMenu(std::vector<MenuItem> items) = 0;
    // Opens the menu at the pointer and returns once it has closed; a chosen item's handler
    // has run by then.
    virtual void showPopupMenu(PopupMenu& menu) = 0;

    // Size or state changed.
    virtual void setOnResize(EventHandler handler) = 0;
    // Any close request: title-bar button, Alt+F4, the task manager's end.
    virtual void setOnCloseRequest(EventHandler handler) = 0;
    // The message number the shell is to send tray callbacks with; the window answers it.
    virtual std::uint32_t trayCallbackMessage() const = 0;
    // A tray callback; the argument is the mouse message the shell reports for the icon.
    virtual void setOnTrayCallback(std::function<void(std::uint32_t mouseMessage)> handler) = 0;
    // The shell's task bar was (re)created and holds no icons of ours any more.
    virtual void setOnTaskbarCreated(EventHandler handler) = 0;
    // The session asks whether it may end (log-off, shutdown); the window answers yes.
    virtual void setOnQueryEndSession(EventHandler handler) = 0;
    // The session's answer: `ending` true when it ends now, false when it goes on after all.
    virtual void setOnEndSession(std::function<void(bool ending)> handler) = 0;
    // The window's DPI changed; it has laid itself out again and the icons now come at the
    // new DPI's size (its own icon among them).
    virtual void setOnDpiChanged(EventHandler handler) = 0;
};

}  // namespace taktomat::platform
