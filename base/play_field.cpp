#include "base/play_field.h"

#include "base/random.h"

float randomEntryAngle() {
    return static_cast<float>(nextRandom() % 62 - 31);
}
