#pragma once

#include "entities/enemy.h"
#include "entities/explosion.h"
#include "entities/player_ship.h"
#include "entities/powerup.h"
#include "entities/projectile.h"
#include "entities/splitter_enemy.h"
#include "render/game_textures.h"

// The game's objects as the frame shows them, read from their state alone. Each places itself
// from a fresh modelview matrix; what they leave of the GL state is what the next one expects.

// The hit flash, the hull by its damage, the mounted weapon as its switch shows it and the two
// flames, by the look the ship recorded where its frame was drawn.
void drawShip(const PlayerShip& ship, const GameTextures& textures);

// A flat-coloured shape by the enemy's kind; rings as green ellipse outlines.
void drawEnemy(const Enemy& enemy);

// A blue ellipse outline sized by the splitter's generation.
void drawSplitter(const SplitterEnemy& splitter);

// The shot's image by its weapon, its nose leading the way it flies.
void drawProjectile(const Projectile& shot, const GameTextures& textures);

// The image of the explosion's step before its latest; nothing for one that appeared after the
// frame was drawn.
void drawExplosion(const Explosion& explosion, const GameTextures& textures);

// The power-up's image at the step its frame shows.
void drawPowerup(const Powerup& powerup, const GameTextures& textures);
