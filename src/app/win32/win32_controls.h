#pragma once

#include "app/controls.h"
#include "app/win32/sound.h"
#include "ui/win32/main_window.h"

namespace tavrel::win32 {

// The handlers' operations carried out on the real window and the real system.
class Win32Controls : public Controls {
  public:
    Win32Controls(MainWindow& window, Sound& sound) : window_(window), sound_(sound) {}

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
    MainWindow& window_;
    Sound& sound_;
};

}  // namespace tavrel::win32
