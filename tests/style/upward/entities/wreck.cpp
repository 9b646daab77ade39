// An entity that reaches up into the game: the include check must refuse it.
#include "base/random.h"
#include "game/game.h"
