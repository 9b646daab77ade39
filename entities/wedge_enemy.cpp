#include "entities/wedge_enemy.h"

#include "base/kinds.h"
#include "base/play_field.h"

namespace {

constexpr float kSideStep = 0.3f;

} // namespace

WedgeEnemy::WedgeEnemy(int kind) : subKind(kind) {
    kindId = kKindWedge0 + subKind;
    hitPoints = 1;
    halfWidth = 2.0625f;
    halfDepth = 0.9f;
}

void WedgeEnemy::update() {
    switch (subKind) {
    case 0:
        depth += 0.1f;
        break;
    case 1:
        // The sweep has no bound: the wedge crosses the whole field until it leaves it.
        depth += 0.18f;
        if (startAngle < 0.0f) {
            angle += kSideStep;
        }
        if (startAngle > 0.0f) {
            angle -= kSideStep;
        }
        break;
    case 2:
        // The second test sees the first one's result, so once the centre line is reached the
        // two steps cancel and the wedge keeps its angle just at or below 0.
        depth += 0.16f;
        if (angle < 0.0f) {
            angle += kSideStep;
        }
        if (angle > 0.0f) {
            angle -= kSideStep;
        }
        break;
    }
    if (depth >= kFieldNear) {
        dead = true;
    }
}
