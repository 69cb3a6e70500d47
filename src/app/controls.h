#pragma once

#include <string>
#include <string_view>

namespace tavrel {

struct LocalTime {
    int hour = 0;    // 0-23
    int minute = 0;  // 0-59
    int second = 0;  // 0-59
};

// Everything a handler may do: the operations on the window's controls and the few system
// services. Handlers see nothing else, so the same handler code runs on the real window
// (Win32 layer) and on the in-memory form of the unit tests. Controls are addressed by their
// form names ("编辑框1", "超级按钮3", "MainWindow"); texts are UTF-8.
class Controls {
  public:
    virtual ~Controls() = default;

    // Control operations. Each takes effect at once.
    virtual std::string readText(std::string_view editBox) = 0;
    virtual void writeText(std::string_view editBox, std::string_view text) = 0;
    virtual std::string readCaption(std::string_view button) = 0;
    virtual void writeCaption(std::string_view button, std::string_view caption) = 0;
    virtual void writeTitle(std::string_view title) = 0;
    virtual void setVisible(std::string_view control, bool visible) = 0;
    virtual void setEnabled(std::string_view control, bool enabled) = 0;
    // Negative counts as 0 (stopped). Writing the current period does nothing, so a running
    // countdown is not restarted; any other value restarts the timer, first tick one period on.
    virtual void setPeriod(std::string_view timer, int milliseconds) = 0;
    // Display names and patterns separated by "|", as in "MP3文件|*.mp3".
    virtual void setFilter(std::string_view dialog, std::string_view filter) = 0;
    // The full path chosen last, or "" if none was ever chosen.
    virtual std::string readFileName(std::string_view dialog) = 0;
    // Modal; true when a file was chosen. A cancel keeps the previous file name.
    virtual bool open(std::string_view dialog) = 0;

    // Services.
    virtual LocalTime currentLocalTime() = 0;
    // Task-modal, owned by no window, error icon, one OK button; returns when closed.
    virtual void messageBox(std::string_view text, std::string_view caption) = 0;
    // Stops what an earlier play started, then plays the MP3 at path once in the background.
    // Returns false, silently, when the file could not be opened or started.
    virtual bool playSoundFile(std::string_view path) = 0;
    // The built-in alarm tone, played once in the background; stopped like a sound file.
    virtual void playAlarmTone() = 0;
    // Stops all sound; returns once it has stopped. Harmless when nothing plays.
    virtual void stopSound() = 0;
    virtual void openUrl(std::string_view url) = 0;
};

}  // namespace tavrel
