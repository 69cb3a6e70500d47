#include "support/memory_form.h"

#include <algorithm>
#include <stdexcept>

#include "app/bindings.h"
#include "ui/integer_input.h"

namespace tavrel::test {

namespace {

constexpr std::int64_t kDayMs = 24LL * 3600 * 1000;

std::u32string decodeUtf8(std::string_view s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = n == 1 ? b : b & (0x3F >> (n - 1));
        for (int k = 1; k < n && i + k < s.size(); ++k) c = (c << 6) | (s[i + k] & 0x3F);
        out.push_back(c);
        i += n;
    }
    return out;
}

}  // namespace

MemoryForm::MemoryForm(LocalTime wallClock) : title_(form::kMainWindow.title) {
    for (const form::ControlSpec& entry : form::kControls) {
        Control c;
        c.text = entry.content;
        c.visible = entry.visible;
        c.enabled = entry.enabled;
        c.period = entry.period;
        c.nextTickMs = entry.period > 0 ? entry.period : -1;
        controls_.emplace(std::string(entry.name), c);
    }
    focus_ = "超级按钮1";
    setWallClock(wallClock);
}

void MemoryForm::setWallClock(LocalTime t) {
    const std::int64_t wallMs = ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000;
    wallOffsetMs_ = wallMs - nowMs_;
}

MemoryForm::Control& MemoryForm::operator[](std::string_view name) {
    const auto it = controls_.find(name);
    if (it == controls_.end()) throw std::invalid_argument("no control " + std::string(name));
    return it->second;
}

MemoryForm::Control& MemoryForm::of(std::string_view name, form::Kind kind) {
    const form::ControlSpec* entry = form::find(name);
    if (!entry || entry->kind != kind)
        throw std::invalid_argument("wrong control for this operation: " + std::string(name));
    return (*this)[name];
}

void MemoryForm::run(int ms, int lateMs) {
    const std::int64_t end = nowMs_ + ms;
    for (;;) {
        // The earliest due timer; ties go in creation order, as the real window's do.
        const form::ControlSpec* next = nullptr;
        std::int64_t due = 0;
        for (const form::ControlSpec& entry : form::kControls) {
            if (entry.kind != form::Kind::Timer) continue;
            const Control& t = controls_.at(std::string(entry.name));
            if (t.nextTickMs < 0) continue;
            // A tick an earlier run left overdue goes out at once, never back in time.
            const std::int64_t at = std::max(t.nextTickMs + lateMs, nowMs_);
            if (!next || at < due) next = &entry, due = at;
        }
        if (!next || due > end) break;
        nowMs_ = due;
        Control& timer = (*this)[next->name];
        timer.nextTickMs = nowMs_ + timer.period;
        dispatch(*this, next->name, Event::Tick);
    }
    nowMs_ = end;
}

void MemoryForm::type(std::string_view editBox, std::string_view text) {
    Control& box = of(editBox, form::Kind::EditBox);
    if (!box.enabled || !box.visible)
        throw std::logic_error("cannot type into " + std::string(editBox));
    if (focus_ != editBox) loseFocus();
    focus_ = editBox;
    const form::EditSettings& settings = *form::find(editBox)->edit;
    std::size_t length = decodeUtf8(box.text).size();
    const std::u32string typed = decodeUtf8(text);
    std::size_t at = 0;
    for (char32_t c : typed) {
        const std::size_t bytes = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        const std::string_view piece = text.substr(at, bytes);
        at += bytes;
        if (settings.input == form::Input::Integer && !acceptsTypedCharacter(c)) continue;
        if (settings.maxTypedLength > 0 &&
            length >= static_cast<std::size_t>(settings.maxTypedLength))
            continue;
        box.text += piece;
        ++length;
    }
}

void MemoryForm::loseFocus() {
    const form::ControlSpec* entry = form::find(focus_);
    if (entry && entry->kind == form::Kind::EditBox && entry->edit->input == form::Input::Integer) {
        Control& box = (*this)[focus_];
        box.text = canonicalInteger(box.text);
    }
}

void MemoryForm::click(std::string_view button) {
    Control& b = of(button, form::Kind::SuperButton);
    if (!b.enabled || !b.visible || !windowVisible_)
        throw std::logic_error("cannot click " + std::string(button));
    if (focus_ != button) loseFocus();
    focus_ = button;
    dispatch(*this, button, Event::Clicked);
}

std::string MemoryForm::readText(std::string_view editBox) {
    return of(editBox, form::Kind::EditBox).text;
}

void MemoryForm::writeText(std::string_view editBox, std::string_view text) {
    of(editBox, form::Kind::EditBox).text = text;
}

std::string MemoryForm::readCaption(std::string_view button) {
    return of(button, form::Kind::SuperButton).text;
}

void MemoryForm::writeCaption(std::string_view button, std::string_view caption) {
    of(button, form::Kind::SuperButton).text = caption;
}

void MemoryForm::writeTitle(std::string_view title) {
    title_ = title;
}

void MemoryForm::setVisible(std::string_view control, bool visible) {
    if (control == form::kMainWindow.name) {
        windowVisible_ = visible;
        return;
    }
    Control& c = (*this)[control];
    c.visible = visible;
}

void MemoryForm::setEnabled(std::string_view control, bool enabled) {
    Control& c = (*this)[control];
    c.enabled = enabled;
}

void MemoryForm::setPeriod(std::string_view timer, int milliseconds) {
    Control& t = of(timer, form::Kind::Timer);
    if (milliseconds < 0) milliseconds = 0;
    if (milliseconds == t.period) return;
    t.period = milliseconds;
    t.nextTickMs = milliseconds > 0 ? nowMs_ + milliseconds : -1;
}

void MemoryForm::setFilter(std::string_view dialog, std::string_view filter) {
    of(dialog, form::Kind::FileDialog).filter = filter;
}

std::string MemoryForm::readFileName(std::string_view dialog) {
    return of(dialog, form::Kind::FileDialog).fileName;
}

bool MemoryForm::open(std::string_view dialog) {
    Control& d = of(dialog, form::Kind::FileDialog);
    dialogFilters.push_back(d.filter);
    if (dialogAnswers.empty()) throw std::logic_error("the test gave the dialog no answer");
    const std::optional<std::string> answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    if (!answer) return false;
    d.fileName = *answer;
    return true;
}

LocalTime MemoryForm::currentLocalTime() {
    const std::int64_t ms = ((nowMs_ + wallOffsetMs_) % kDayMs + kDayMs) % kDayMs;
    const int seconds = static_cast<int>(ms / 1000);
    return {seconds / 3600, seconds / 60 % 60, seconds % 60};
}

void MemoryForm::messageBox(std::string_view text, std::string_view caption) {
    messageBoxes.push_back({std::string(text), std::string(caption)});
}

bool MemoryForm::playSoundFile(std::string_view path) {
    playRequests.emplace_back(path);
    playing.clear();
    if (!playableFiles.count(std::string(path))) return false;
    playing = path;
    return true;
}

void MemoryForm::playAlarmTone() {
    ++alarmTones;
    playing = "<tone>";
}

void MemoryForm::stopSound() {
    ++stops;
    playing.clear();
}

void MemoryForm::openUrl(std::string_view url) {
    urls.emplace_back(url);
}

}  // namespace tavrel::test
