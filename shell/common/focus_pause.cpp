#include "shell/common/focus_pause.h"

#include "game/game.h"

void FocusPause::beginFrame(const Game& game) {
    pressing = armed && game.gameState == GameState::Playing && !game.paused && !game.gameOver;
    armed = false;
}
