#pragma once

// The pieces drawHud is made of, one file each, drawn in the order drawHud calls them. Every
// piece places itself from a fresh modelview matrix and sets the colours it needs.

#include "base/entity_list.h"
#include "base/radar_point.h"
#include "render/texture.h"

// One tick per hit point plus one, right to left as the boss loses them, and the bar's label.
void drawBossBar(int bossHitPoints);

// The radar grid and a red dot per point.
void drawRadar(const EntityList<RadarPoint>& radarPoints);

// The rails along the tunnel wall, fading from light blue near the ship into the dark.
void drawTunnelRails();

// The images the panel across the top of the view shows.
struct PanelImages {
    TextureId strip;
    TextureId slot1;
    TextureId slot2;
    TextureId slot3;
    TextureId locked;
    TextureId life;
};

// The strip, the three weapon slots (locked above highestWeapon) and one icon per life, with
// texturing on and the colour white.
void drawPanel(const PanelImages& images, int highestWeapon, int lives);

// The keys of the selectable weapons under their slots.
void drawWeaponNumbers(int highestWeapon);

// "Lives:" above the life icons, "Score:" and the score below them.
void drawLivesAndScore(int score);
