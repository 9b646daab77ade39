#pragma once

// Sets the OpenGL state the whole game draws with and builds the three fonts. Called once, with
// the rendering context current, after the textures have been loaded.
void initGlState();
