#pragma once

#include <string>

// The shell's sound: the effects of `directory` mixed into one stream on the platform's audio
// (SDL's on the desktop, waveOut on Windows). No audio device, or effects that cannot be read,
// is silence and never an error.
void startSound(const std::string& directory, bool muted);
void stopSound();

// M toggles the sound; called once per pass of the loop, it acts once per press.
void pollMuteKey();
