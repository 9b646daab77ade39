#include "render/hud.h"

#include "render/gl.h"
#include "render/hud_elements.h"

void drawHud(TextureId panelTexture, TextureId slot1Texture, TextureId slot2Texture,
             TextureId slot3Texture, int highestWeapon, TextureId lockedTexture,
             TextureId lifeTexture, int lives, int score, const EntityList<RadarPoint>& radarPoints,
             int bossHitPoints) {
    glDisable(GL_TEXTURE_2D);
    if (bossHitPoints != 0) {
        drawBossBar(bossHitPoints);
    }
    // Only the boss bar's ticks are thick; the rest of the frame is drawn with thin lines.
    glLineWidth(0.5f);
    drawRadar(radarPoints);
    drawTunnelRails();

    glEnable(GL_TEXTURE_2D);
    const PanelImages images{panelTexture, slot1Texture,  slot2Texture,
                             slot3Texture, lockedTexture, lifeTexture};
    drawPanel(images, highestWeapon, lives);
    glDisable(GL_TEXTURE_2D);

    drawWeaponNumbers(highestWeapon);
    drawLivesAndScore(score);
}
