#pragma once

#include <windows.h>

#include <string>

namespace tavrel::win32 {

// The ringtone player: one MP3 at a time through MCI, or the built-in tone through PlaySound.
// Playback runs on the system's own threads; this object only starts and stops it.
class Sound {
  public:
    Sound() = default;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    // An MCI device left open when the process exits crashes it under Wine.
    ~Sound() { stopAll(); }

    bool playFile(const std::wstring& path);
    void playTone();
    void stopAll();

  private:
    UINT device_ = 0;  // the open MCI device, 0 when none
    bool tonePlaying_ = false;
};

}  // namespace tavrel::win32
