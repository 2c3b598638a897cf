#include "support/fake_controls.h"

#include <algorithm>

namespace taktomat::testing {

void noteEnabled(Journal* journal, const std::string& name, bool enabled) {
    if (!journal) return;
    std::string line(enabled ? "enable " : "disable ");
    line += name;
    journal->push_back(line);
}

void FakeTextBox::setText(const std::string& text) {
    text_ = text;
    selectionStart_ = 0;
    selectionLength_ = 0;
    raiseChange();
}

void FakeTextBox::setCaretPosition(int position) {
    selectionStart_ = std::clamp(position, 0, static_cast<int>(text_.size()));
    selectionLength_ = 0;
}

void FakeTextBox::userSelect(int start, int length) {
    selectionStart_ = std::clamp(start, 0, static_cast<int>(text_.size()));
    selectionLength_ = std::clamp(length, 0, static_cast<int>(text_.size()) - selectionStart_);
}

void FakeTextBox::userType(const std::string& characters) {
    for (char character : characters) {
        if (!input.reaches(enabled_)) return;
        replaceSelection(std::string(1, character));
    }
}

void FakeTextBox::userPaste(const std::string& text) {
    if (input.reaches(enabled_)) replaceSelection(text);
}

void FakeTextBox::userBackspace() {
    if (!input.reaches(enabled_)) return;
    if (selectionLength_ == 0) {
        if (selectionStart_ == 0) return;
        --selectionStart_;
        selectionLength_ = 1;
    }
    replaceSelection("");
}

void FakeTextBox::userClear() {
    if (!input.reaches(enabled_) || text_.empty()) return;
    userSelect(0, static_cast<int>(text_.size()));
    replaceSelection("");
}

void FakeTextBox::replaceSelection(const std::string& replacement) {
    const auto start = static_cast<size_t>(selectionStart_);
    std::string edited = text_.substr(0, start);
    edited += replacement;
    edited += text_.substr(start + static_cast<size_t>(selectionLength_));
    text_ = std::move(edited);
    selectionStart_ += static_cast<int>(replacement.size());
    selectionLength_ = 0;
    raiseChange();
}

void FakeTextBox::raiseChange() {
    ++changeEvents_;
    if (onChange_) onChange_();
}

void FakeComboBox::clear() {
    items_.clear();
    index_ = -1;
    text_.clear();
}

void FakeComboBox::setSelectedIndex(int index) {
    if (index >= 0 && index < itemCount()) {
        index_ = index;
        text_ = items_[static_cast<size_t>(index)];
    } else {
        index_ = -1;
        text_.clear();
    }
}

void FakeComboBox::userType(const std::string& characters) {
    for (char character : characters) {
        if (!input.reaches(enabled_)) return;
        text_.push_back(character);
        if (onEdit_) onEdit_();
    }
}

bool FakeButton::userClick() {
    if (!input.reaches(enabled_) || !onClick_) return false;
    onClick_();
    return true;
}

void FakeTimer::setEnabled(bool enabled) {
    if (enabled) due_ = clock_.now() + std::chrono::milliseconds(interval_);
    enabled_ = enabled;
    noteEnabled(journal, "timer", enabled);
}

void FakeTimer::setNextTickIn(std::chrono::milliseconds delay) {
    if (enabled_) due_ = clock_.now() + std::max(delay, std::chrono::milliseconds(0));
}

bool FakeTimer::elapse() {
    if (!enabled_) return false;
    clock_.advanceTo(due_ + (error ? error() : std::chrono::milliseconds(0)));
    due_ = std::max(due_, clock_.now()) + std::chrono::milliseconds(interval_);
    if (onTick_) onTick_();
    return true;
}

}  // namespace taktomat::testing
