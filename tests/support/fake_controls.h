#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/controls.h"

namespace taktomat::testing {

using Journal = std::vector<std::string>;

// Notes a change of a control's enabled state in the journal, so that tests can check the
// order in which controls are locked and unlocked.
void noteEnabled(Journal* journal, const std::string& name, bool enabled);

// What the user reaches: an enabled control, as long as no modal box locks its window (the
// window system disables the box's owner, or with no owner every window of the thread).
struct UserInput {
    std::function<bool()> windowLocked;
    bool reaches(bool enabled) const { return enabled && !(windowLocked && windowLocked()); }
};

// A text box that behaves like the window system's: every assignment raises the change
// event synchronously (nested inside the assignment) and puts the caret at the start;
// the user* calls act like a person at the keyboard, one change event per edit.
class FakeTextBox final : public platform::TextBox {
public:
    explicit FakeTextBox(platform::ControlLayout layout) : layout_(std::move(layout)) {}

    const platform::ControlLayout& layout() const { return layout_; }

    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override {
        enabled_ = enabled;
        noteEnabled(journal, layout_.name, enabled);
    }
    std::string text() const override { return text_; }
    void setText(const std::string& text) override;
    int caretPosition() const override { return selectionStart_; }
    void setCaretPosition(int position) override;
    void setOnChange(platform::EventHandler handler) override { onChange_ = std::move(handler); }

    int selectionLength() const { return selectionLength_; }
    int changeEvents() const { return changeEvents_; }

    // Selects as a drag with the mouse would.
    void userSelect(int start, int length);
    // Types each character at the caret (over the selection), one change per character.
    void userType(const std::string& characters);
    // Pastes over the selection: one change for the whole text.
    void userPaste(const std::string& text);
    // Backspace: deletes the selection or the character before the caret.
    void userBackspace();
    // Selects everything and deletes it.
    void userClear();

    Journal* journal = nullptr;
    UserInput input;

private:
    void replaceSelection(const std::string& replacement);
    void raiseChange();

    platform::ControlLayout layout_;
    std::string text_;
    int selectionStart_ = 0;
    int selectionLength_ = 0;
    bool enabled_ = true;
    int changeEvents_ = 0;
    platform::EventHandler onChange_;
};

class FakeComboBox final : public platform::ComboBox {
public:
    explicit FakeComboBox(platform::ControlLayout layout) : layout_(std::move(layout)) {}

    const platform::ControlLayout& layout() const { return layout_; }
    const std::vector<std::string>& items() const { return items_; }

    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override {
        enabled_ = enabled;
        noteEnabled(journal, layout_.name, enabled);
    }
    void clear() override;
    void addItem(const std::string& text) override { items_.push_back(text); }
    int itemCount() const override { return static_cast<int>(items_.size()); }
    int selectedIndex() const override { return index_; }
    void setSelectedIndex(int index) override;
    std::string text() const override { return text_; }
    void setOnEdit(platform::EventHandler handler) override { onEdit_ = std::move(handler); }

    // Typing into the text part: one edit event per character.
    void userType(const std::string& characters);
    // A choice from the open list: no edit event.
    void userChoose(int index) {
        if (input.reaches(enabled_)) setSelectedIndex(index);
    }

    Journal* journal = nullptr;
    UserInput input;

private:
    platform::ControlLayout layout_;
    std::vector<std::string> items_;
    int index_ = -1;
    std::string text_;
    bool enabled_ = true;
    platform::EventHandler onEdit_;
};

class FakeButton final : public platform::Button {
public:
    FakeButton(platform::ControlLayout layout, bool picture)
        : layout_(std::move(layout)), caption_(picture ? "" : layout_.text), picture_(picture) {}

    const platform::ControlLayout& layout() const { return layout_; }
    bool showsPicture() const { return picture_; }

    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override {
        enabled_ = enabled;
        noteEnabled(journal, layout_.name, enabled);
    }
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& caption) override {
        caption_ = caption;
        if (journal) journal->push_back("caption " + layout_.name + ": " + caption);
    }
    void setOnClick(platform::EventHandler handler) override { onClick_ = std::move(handler); }

    // A press by the user; a disabled button cannot be pressed. False when nothing ran.
    bool userClick();

    Journal* journal = nullptr;
    UserInput input;

private:
    platform::ControlLayout layout_;
    std::string caption_;
    bool picture_;
    bool enabled_ = true;
    platform::EventHandler onClick_;
};

class FakeLabel final : public platform::Label {
public:
    explicit FakeLabel(platform::ControlLayout layout)
        : layout_(std::move(layout)), text_(layout_.text) {}

    const platform::ControlLayout& layout() const { return layout_; }
    std::string text() const override { return text_; }
    void setText(const std::string& text) override { text_ = text; }

private:
    platform::ControlLayout layout_;
    std::string text_;
};

// The monotonic clock; it moves only when a test moves it or a timer waits for its tick.
class FakeClock final : public platform::Clock {
public:
    std::chrono::milliseconds now() const override { return now_; }
    void advance(std::chrono::milliseconds by) { now_ += by; }
    // Never backwards.
    void advanceTo(std::chrono::milliseconds time) { now_ = std::max(now_, time); }

private:
    std::chrono::milliseconds now_{1'000'000};
};

// Ticks on the fake clock as the window system's timer does on the real one: the first tick
// one interval after it was enabled, then every interval after the due time of the last one.
// A tick that falls due while a handler still runs comes once, as soon as it can.
class FakeTimer final : public platform::Timer {
public:
    FakeTimer(int interval, FakeClock& clock) : interval_(interval), clock_(clock) {}

    int intervalMilliseconds() const override { return interval_; }
    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;
    void setNextTickIn(std::chrono::milliseconds delay) override;
    void setOnTick(platform::EventHandler handler) override { onTick_ = std::move(handler); }

    std::chrono::milliseconds dueTime() const { return due_; }
    // Moves the clock on to the next due time and ticks. Like the window system, a disabled
    // timer does not tick; false when nothing ran.
    bool elapse();

    Journal* journal = nullptr;
    // The window system's own error at a wake-up, drawn each time: it counts a due time in
    // clock ticks, so a tick may come up to one clock tick early (negative), and late when the
    // system is busy. Never before the clock's present.
    std::function<std::chrono::milliseconds()> error;

private:
    int interval_;
    FakeClock& clock_;
    bool enabled_ = false;
    std::chrono::milliseconds due_{0};
    platform::EventHandler onTick_;
};

}  // namespace taktomat::testing
