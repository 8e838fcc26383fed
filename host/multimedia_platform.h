// The one seam between the music module and the platform's multimedia calls.
// The default is the real winmm; tests put a scripted device in its place.
#pragma once

#include <cstdint>

class MultimediaPlatform {
public:
    virtual ~MultimediaPlatform() = default;
    // mciSendStringA(command, answer, capacity, no callback window).
    virtual std::uint32_t SendString(const char* command, char* answer, unsigned capacity) = 0;
    // mciGetErrorStringA(code, buffer, capacity): true on success.
    virtual bool ErrorText(std::uint32_t code, char* buffer, unsigned capacity) = 0;
    // waveOutGetNumDevs().
    virtual unsigned WaveOutDeviceCount() = 0;
    // PlaySoundA(sound, no module, flags): true on success. The real one's
    // stop (no sound) returns once the threads the sound began have ended.
    virtual bool PlayWave(const char* sound, unsigned flags) = 0;
};

// The platform the music module uses now.
MultimediaPlatform& CurrentMultimediaPlatform();

// Puts another platform in place; nullptr puts the real one back.
void UseMultimediaPlatform(MultimediaPlatform* platform);
