#include "game/game.h"

#include "game/random.h"
#include "render/gl.h"
#include "render/gl_state.h"
#include "render/main_menu.h"
#include "shell/platform.h"

void Game::step() {
    if (!texturesLoaded) {
        textures = loadGameTextures();
        texturesLoaded = true;
    }
    seedRandom(static_cast<std::uint32_t>(calendarSeconds()));
    const std::uint32_t frameStart = tickCount();

    switch (gameState) {
    case GameState::Init:
        initGlState();
        gameState = GameState::Menu;
        break;
    case GameState::Menu:
        runMainMenu(textures.texMenu, menuQuitChosen, menuPlayChosen, menuCursorY, menuSelection,
                    menuUpArmed, menuDownArmed);
        if (menuPlayChosen) {
            gameState = GameState::Playing;
        }
        // Quit wins when both were chosen.
        if (menuQuitChosen) {
            gameState = GameState::Quit;
        }
        break;
    case GameState::Quit:
        // The shell ends at the next pass of its loop; until then every call asks again.
        postQuitMessage(0);
        break;
    case GameState::Playing:
        playFrame();
        break;
    }

    swapBuffers();
    // No catching up: a call that already took its 10 ms returns at once.
    waitSince(frameStart, kFramePeriodMs);
}

void Game::playFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
