#pragma once

// The game's three bitmap fonts, all the same bold typewriter face.
enum Font {
    FontNormal, // 24 pixels: HUD labels and score, menus, overlay, prompt
    FontSmall,  // 16 pixels: the menu's help text and the HUD's weapon numbers
    FontLarge,  // 38 pixels: the "FINAL BOSS" banner
};

// Reserves 96 display lists, one per character from 32 to 127, fills them with glyphs of this
// height and returns the first; 0 when no lists could be had. A font whose glyphs could not be
// made keeps its (empty) lists, so text simply does not show.
unsigned buildFont(int height);

// Remembers the first display list of each font for drawText.
void setFontLists(unsigned normal, unsigned small, unsigned large);

// Formats a text printf-style (at most 255 characters; the rest is cut off) and draws it with one
// font at the current raster position, which advances past it: a second call without a new
// raster position continues the same line. Characters outside 32 to 127 are skipped. A null
// format draws nothing.
void drawText(Font font, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The characters drawText would draw for this text: at most 255, none outside 32 to 127.
int printableText(const char* text, char* out);
