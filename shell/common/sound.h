#pragma once

#include "shell/common/music_score.h"

#include <string>

// The shell's sound: the effects of `directory` and the music mixed into one stream on the
// platform's audio (SDL's on the desktop, waveOut on Windows). No audio device is silence, and
// effects that cannot be read are silent; neither is an error.
void startSound(const std::string& directory, bool muted, bool musicOn);
void stopSound();

// M toggles all the sound, N the music alone; called once per pass of the loop, each acts once
// per press.
void pollMuteKey();
void pollMusicKey();

// The theme for the game as the last call left it; it starts on the playing theme's next bar.
void cueMusic(MusicTheme theme);
