#pragma once

// The large "FINAL BOSS" announcement shown in the frames before the swarm arrives.
void drawFinalBossBanner();
