#pragma once

#include "../../base/sound_effects.h"

#include <vector>

// The samples of one effect, in [-1, 1] at the game's sample rate.
std::vector<double> renderEffect(SoundEffect effect);
