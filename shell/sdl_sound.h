#pragma once

#include <string>

// The game's sound on SDL's audio: the effects of `directory` mixed into one stream. No audio
// device, or effects that cannot be read, is silence and never an error.
void startSound(const std::string& directory, bool muted);
void stopSound();

// M toggles the sound; called once per pass of the loop, it acts once per press.
void pollMuteKey();
