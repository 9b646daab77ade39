#pragma once

#include "game/game.h"
#include "render/renderer.h"

// The scenes the benchmarks time, built from the game's own objects: real enemies aged by their
// own updates, real shots, the swarm split by the splitter group itself. Every builder seeds the
// random source first, so a scene comes out the same on every run.

// A fresh game past its set-up frame, in play, with every key up. With a context current, the
// renderer's drawing of the set-up frame loads the images from Data/ below the working directory.
void startPlaying(Game& game, Renderer& renderer);

// One call of the step with every key up, its frame drawn.
void playFrame(Game& game, Renderer& renderer);

// Back to an empty field in the middle of the boss fight, where the level's clock holds and the
// level spawns nothing, with the ship at full strength.
void clearField(Game& game);

// A wave of `enemyCount` enemies of the five kinds that come in numbers (three wedges, square,
// ring) between the far end and -14, and `shotCount` shots: the even ones the ship's (missiles and
// bullets) flying out to meet the wave from their weapons to -11, the odd ones enemy missiles
// flying toward the camera anywhere in the field. All are spread over the field's width, so every
// contact test does its work; the wave and the ship's shots meet a few frames on. Enemy shots
// keep off the ship's angle, so the ship lives through the frames.
void fillBattle(Game& game, int enemyCount, int shotCount);

// The busiest scene of a normal game: the swarm at sixteen, the rings of the last wave, a few
// squares left over, the meteor destroyer's bullets and the enemies' missiles in flight, a wrench
// drifting in, explosions from the last hits, the HUD with weapons 2 and 3 won. Level clock just
// past the swarm's launch.
void fillSwarmScene(Game& game);

// Gives the ship weapons 2 and 3 and mounts the meteor destroyer, running the ship's frames through
// both changes of weapon, and a score of a game this far on.
void armShip(Game& game);

// The number of the game's images the renderer loaded, 0 to 35: without Data/ or a context, none.
int loadedImageCount(const Renderer& renderer);
