#include "app/win32/sound.h"

#include <mmsystem.h>

#include <cstdint>
#include <span>
#include <vector>

#include "alarm/alarm_tone.h"
#include "alarm/audio_sniff.h"
#include "app/win32/system_function.h"

namespace tavrel::win32 {

namespace {

// Enough of the file's start to recognise its kind, past an ID3 tag of any size.
bool fileLooksLikeAudio(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::vector<std::uint8_t> head(16 * 1024);
    DWORD got = 0;
    bool audio = false;
    if (ReadFile(file, head.data(), 10, &got, nullptr) && got == 10) {
        const std::size_t tag = id3TagSize(std::span(head.data(), got));
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(tag);
        if (SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
            ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &got, nullptr)) {
            // What follows the tag is judged as if the file started there.
            audio = looksLikeAudio(std::span(head.data(), got));
        }
    }
    CloseHandle(file);
    return audio;
}

MCIERROR mci(MCIDEVICEID device, UINT command, DWORD_PTR flags, void* parameters) {
    static const auto send =
        systemFunction<decltype(mciSendCommandW)>(L"winmm.dll", "mciSendCommandW");
    return send ? send(device, command, flags, reinterpret_cast<DWORD_PTR>(parameters))
                : MCIERR_DEVICE_NOT_INSTALLED;
}

BOOL playSound(LPCWSTR sound, DWORD flags) {
    static const auto play = systemFunction<decltype(PlaySoundW)>(L"winmm.dll", "PlaySoundW");
    return play ? play(sound, nullptr, flags) : FALSE;
}

}  // namespace

bool Sound::playFile(const std::wstring& path) {
    stopAll();
    if (path.empty() || !fileLooksLikeAudio(path)) return false;
    // Structures, never a command string: a path can hold any character.
    MCI_OPEN_PARMSW open{};
    open.lpstrDeviceType = L"mpegvideo";
    open.lpstrElementName = path.c_str();
    if (mci(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT, &open) != 0) return false;
    device_ = open.wDeviceID;
    // A file that opens but has no playable length is not audio.
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_LENGTH;
    MCI_PLAY_PARMS play{};
    if (mci(device_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status) != 0 ||
        status.dwReturn == 0 || mci(device_, MCI_PLAY, 0, &play) != 0) {
        stopAll();
        return false;
    }
    return true;
}

void Sound::playTone() {
    stopAll();
    const auto& wav = alarmToneWav();
    tonePlaying_ = playSound(reinterpret_cast<LPCWSTR>(wav.data()),
                             SND_MEMORY | SND_ASYNC | SND_NODEFAULT) != FALSE;
}

void Sound::stopAll() {
    if (device_) {
        MCI_GENERIC_PARMS generic{};
        mci(device_, MCI_STOP, MCI_WAIT, &generic);
        mci(device_, MCI_CLOSE, MCI_WAIT, &generic);
        device_ = 0;
    }
    if (tonePlaying_) {
        playSound(nullptr, 0);
        tonePlaying_ = false;
    }
}

}  // namespace tavrel::win32
