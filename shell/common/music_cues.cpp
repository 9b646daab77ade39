#include "shell/common/music_cues.h"

#include "base/kinds.h"

#include <algorithm>

namespace {

bool bossOnTheField(const Game& game) {
    return std::any_of(game.enemies.begin(), game.enemies.end(),
                       [](const auto& enemy) { return enemy->getKindId() == kKindBoss; });
}

MusicTheme playingTheme(const Game& game) {
    if (game.gameOver) {
        return MusicTheme::GameOver;
    }
    if (game.paused) {
        return MusicTheme::Paused;
    }
    const SplitterGroup& swarm = game.splitterGroup;
    if (swarm.generation > 1 || game.endlessSpawning) {
        return MusicTheme::Finale;
    }
    if (bossOnTheField(game) || !swarm.splitters.empty()) {
        return MusicTheme::Boss;
    }
    return MusicTheme::Level;
}

} // namespace

MusicTheme musicThemeFor(const Game& game) {
    switch (game.gameState) {
    case GameState::Init:
    case GameState::Menu:
        return MusicTheme::Menu;
    case GameState::Quit:
        return MusicTheme::Silence;
    case GameState::Playing:
        return playingTheme(game);
    }
    return MusicTheme::Silence;
}
