// Flies a swarm of 16 splitters and 15 rings for many frames, straight through their own update
// rules, and prints every position of every frame as exact hexadecimal floats. Built once against
// one tree and once against another, `cmp` of the two outputs shows the first frame whose motion
// differs, in a swarm far larger and longer-lived than any game's (the whole-level replays reach
// the rings and one swarm, for a few thousand frames).
//
//     drift-compare FRAMES > positions.txt

#include "base/random.h"
#include "entities/ring_enemy.h"
#include "entities/splitter_enemy.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

int main(int argc, char** argv) {
    const long frames = argc > 1 ? std::atol(argv[1]) : 100000;
    seedRandom(1781000000u);
    std::vector<std::unique_ptr<Enemy>> swarm;
    for (int i = 0; i < 16; ++i) {
        swarm.push_back(std::make_unique<SplitterEnemy>(16, -12.0f, 0.0f));
    }
    for (int i = 0; i < 15; ++i) {
        swarm.push_back(std::make_unique<RingEnemy>());
    }
    for (long frame = 0; frame < frames; ++frame) {
        std::printf("%ld", frame);
        for (const auto& enemy : swarm) {
            enemy->update();
            std::printf(" %a %a", enemy->getAngle(), enemy->getDepth());
        }
        std::printf("\n");
    }
    return 0;
}
