#pragma once

#include "game/frame_picture.h"
#include "render/game_textures.h"

class Game;

// Draws the game's frames into the current OpenGL context and owns everything of it the game
// uses: the images, the fonts and the drawing state. Drawing reads the game and changes nothing
// of it. Every frame must be drawn, in order: the drawing state carries from one to the next.
class Renderer {
  public:
    // The frame of one call of the step: `picture` is what the step recorded of it.
    void drawFrame(const Game& game, const FramePicture& picture);
    // Fits the view to a drawable of this size; called whenever the drawable is made or changes
    // size.
    void resize(int width, int height);

    // The images, once the first frame has loaded them (every one 0 before, or where none loaded).
    const GameTextures& textures() const { return textures_; }

  private:
    void drawPlay(const Game& game, const FramePicture& picture) const;

    GameTextures textures_{};
    bool texturesLoaded_ = false;
};
