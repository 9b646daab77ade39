#include "entities/splitter_group.h"

#include <memory>

void SplitterGroup::split() {
    if (generation < kSwarmGeneration) {
        generation *= 2;
    }
    // The twins go in at the front, behind the walk, so only the splitters that were there
    // when the split began are split.
    for (auto& splitter : splitters) {
        if (splitter->getHitPoints() > 1) {
            splitter->resizeForGeneration(generation);
            splitters.pushFront(std::make_unique<SplitterEnemy>(generation, splitter->getDepth(),
                                                                splitter->getAngle()));
        }
    }
}

void SplitterGroup::update() {
    if (launchPending) {
        // The first generation comes in at the far end whatever position it is given.
        splitters.pushFront(std::make_unique<SplitterEnemy>(generation, 0.0f, 0.0f));
        launchPending = false;
    }
    for (auto& splitter : splitters) {
        splitter->update();
    }
}

void SplitterGroup::reset() {
    *this = SplitterGroup();
}
