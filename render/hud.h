#pragma once

#include "base/entity_list.h"
#include "base/radar_point.h"
#include "render/texture.h"

// Draws everything on screen that is not a game object, back to front: the boss life bar (only
// while a boss lives, that is while bossHitPoints is not 0), the radar with a dot per point, the
// tunnel rails, the panel strip with the weapon slots (slots above highestWeapon show the locked
// marker) and the life icons, the weapon numbers, and the lives and score texts. Drawn first in a
// frame with depth testing on, so the rails and the strip hide what is drawn behind them later.
// Leaves texturing off and the line width at 0.5.
void drawHud(TextureId panelTexture, TextureId slot1Texture, TextureId slot2Texture,
             TextureId slot3Texture, int highestWeapon, TextureId lockedTexture,
             TextureId lifeTexture, int lives, int score, const EntityList<RadarPoint>& radarPoints,
             int bossHitPoints);
