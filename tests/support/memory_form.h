#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/controls.h"
#include "ui/form.h"

namespace tavrel::test {

// MainWindow in memory: the controls of the form with the semantics of the real window, a
// wall clock the test sets, and a message loop that delivers timer ticks at their periods
// through the program's bindings.
class MemoryForm : public Controls {
  public:
    struct Control {
        std::string text;  // edit box text or button caption
        bool visible = false;
        bool enabled = true;
        int period = 0;                // timers
        std::int64_t nextTickMs = -1;  // timers: due time on the loop's clock, -1 stopped
        std::string filter;            // file dialog
        std::string fileName;          // file dialog
    };

    explicit MemoryForm(LocalTime wallClock = {7, 0, 0});

    Control& operator[](std::string_view name);
    const std::string& title() const { return title_; }
    bool windowVisible() const { return windowVisible_; }

    // --- The loop ---------------------------------------------------------------------------
    // Runs the message loop for ms of real time. Each tick is delivered lateMs after it falls
    // due and the timer's next countdown starts from the delivery, as a busy desktop does.
    void run(int ms, int lateMs = 0);
    std::int64_t nowMs() const { return nowMs_; }
    // Moves the wall clock (not the loop's clock), as a user or time service would.
    void jumpWallClock(int seconds) { wallOffsetMs_ += seconds * 1000LL; }
    void setWallClock(LocalTime t);

    // --- What a user does -------------------------------------------------------------------
    // Keyboard focus into an edit box and type; characters the box refuses are dropped.
    void type(std::string_view editBox, std::string_view text);
    // Focus moves to the button (rewriting an integer box that had it); an enabled button
    // then fires its clicked event.
    void click(std::string_view button);
    // The answers the open-file dialog will give, in order: a path, or nullopt for Cancel.
    std::deque<std::optional<std::string>> dialogAnswers;
    // Files the sound service can play; any other path fails as a missing file does.
    std::set<std::string> playableFiles;

    // --- What the program did ---------------------------------------------------------------
    struct MessageBoxShown {
        std::string text, caption;
    };
    std::vector<MessageBoxShown> messageBoxes;
    std::vector<std::string> playRequests;  // every playSoundFile path, in order
    int alarmTones = 0;
    std::string playing;  // what is sounding now: a path, "<tone>", or ""
    int stops = 0;
    std::vector<std::string> urls;
    std::vector<std::string> dialogFilters;  // the filter each time the dialog opened

    // Controls
    std::string readText(std::string_view editBox) override;
    void writeText(std::string_view editBox, std::string_view text) override;
    std::string readCaption(std::string_view button) override;
    void writeCaption(std::string_view button, std::string_view caption) override;
    void writeTitle(std::string_view title) override;
    void setVisible(std::string_view control, bool visible) override;
    void setEnabled(std::string_view control, bool enabled) override;
    void setPeriod(std::string_view timer, int milliseconds) override;
    void setFilter(std::string_view dialog, std::string_view filter) override;
    std::string readFileName(std::string_view dialog) override;
    bool open(std::string_view dialog) override;
    LocalTime currentLocalTime() override;
    void messageBox(std::string_view text, std::string_view caption) override;
    bool playSoundFile(std::string_view path) override;
    void playAlarmTone() override;
    void stopSound() override;
    void openUrl(std::string_view url) override;

  private:
    Control& of(std::string_view name, form::Kind kind);
    void loseFocus();

    std::map<std::string, Control, std::less<>> controls_;
    std::string title_;
    bool windowVisible_ = true;
    std::string focus_;
    std::int64_t nowMs_ = 0;
    std::int64_t wallOffsetMs_ = 0;  // wall clock minus loop clock
};

}  // namespace tavrel::test
