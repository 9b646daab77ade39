#pragma once

// The numbers of the game's resources (shell/win32/glimmerwake.rc.in), shared by the resource
// script and the code that loads them. Plain macros: the resource compiler reads this file too.
#define GLIMMERWAKE_ICON 1
