#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "platform/geometry.h"

namespace taktomat::platform {

using EventHandler = std::function<void()>;

// Where a control sits and what it shows when created. The tab index orders keyboard
// focus; labels hold one too but never take the focus.
struct ControlLayout {
    std::string name;
    std::string text;
    TwipsRect bounds;
    int tabIndex = 0;
};

class Control {
public:
    virtual ~Control() = default;
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
};

class TextBox : public Control {
public:
    virtual std::string text() const = 0;
    // Raises the change event synchronously, nested inside the assignment, as typing does.
    virtual void setText(const std::string& text) = 0;
    // Caret position in characters (UTF-16 units on Windows, as the control counts them).
    virtual int caretPosition() const = 0;
    // Puts the caret there and clears any selection.
    virtual void setCaretPosition(int position) = 0;
    // Runs after every change of the text: typed, deleted, pasted, cut or assigned.
    virtual void setOnChange(EventHandler handler) = 0;
};

// A drop-down list with an editable text part.
class ComboBox : public Control {
public:
    virtual void clear() = 0;
    virtual void addItem(const std::string& text) = 0;
    virtual int itemCount() const = 0;
    // -1 when no entry is selected.
    virtual int selectedIndex() const = 0;
    // Selects the entry (or none for an index outside the list); raises no edit event.
    virtual void setSelectedIndex(int index) = 0;
    virtual std::string text() const = 0;
    // Runs when the user edits the text part; a choice from the list is no edit.
    virtual void setOnEdit(EventHandler handler) = 0;
};

class Button : public Control {
public:
    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setOnClick(EventHandler handler) = 0;
};

class Label {
public:
    virtual ~Label() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

// The window's own timer: ticks on the user-interface thread while enabled, every interval
// from the moment it was enabled. Its ticks are only approximate: a busy thread loses them
// rather than queueing them.
class Timer {
public:
    virtual ~Timer() = default;
    virtual int intervalMilliseconds() const = 0;
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    // The next tick comes this long from now (at once for zero or less); later ticks follow
    // at the interval again. Does nothing while the timer is disabled.
    virtual void setNextTickIn(std::chrono::milliseconds delay) = 0;
    virtual void setOnTick(EventHandler handler) = 0;
};

}  // namespace taktomat::platform
