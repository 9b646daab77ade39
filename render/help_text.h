#pragma once

// The main menu's lines on the controls, drawn in the transform the caller has set up.
void drawHelpText();
