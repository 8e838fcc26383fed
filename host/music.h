// Background music (module Sorvane_BGM): an audio CD through "cdaudio" with
// track repeat, one MP3 file through "MPEGVideo" under the alias "MP3Play",
// or one looping WAV file through PlaySoundA. Nothing here shows a message:
// failures stay in LastApiResult, LastMciAnswer and CdPollOk.
#pragma once

#include <cstdint>
#include <string>

// Answer (or error text) of the last command sent by QueryMci or PlayCdFromTo.
extern std::string LastMciAnswer;

// Sends one command; 0 on success, else the MCI error code, or -1 for an
// empty command. The answer receives the device's answer or an error text.
std::int32_t SendMciCommand(const std::string& command, std::string& answer);

// The answer of a status command, or "Error:" and the decimal error code.
std::string QueryMci(const std::string& command);

// "play <device>[ from <start>][ to <end>]"; an empty start or end is left out.
std::int32_t PlayCdFromTo(const std::string& device, const std::string& start, const std::string& end);

void OpenCdMusic();
// One step of CD playback, run by the saver form's 200 ms timer; sets CdPollOk.
void PollCdMusic();
void CloseCdMusic();

void OpenMp3Music();
bool IsMp3Playing();
// Restarts "MP3Play" from its beginning unless it is playing (1000 ms timer).
void RepeatMp3Music();
void CloseMp3Music();

void PlayWaveMusic();
void StopWaveMusic();
