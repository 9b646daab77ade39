#include "game/game_state.h"

const char* gameStateName(GameState state) {
    switch (state) {
    case GameState::Init:
        return "Init";
    case GameState::Menu:
        return "Menu";
    case GameState::Quit:
        return "Quit";
    case GameState::Playing:
        return "Playing";
    }
    return "Init";
}
