#pragma once

#include "base/entity_list.h"
#include "entities/splitter_enemy.h"

// The final swarm: one large splitter, launched once per game, that splits on every hit until it
// is sixteen small ones, which then die one hit each. The frame step reaches into it directly: it
// sets `launchPending`, tests and removes the splitters and counts them off in `remaining`.
// The generation of a full swarm: sixteen splitters of one hit point each. Below it a hit only
// splits the swarm; from it on, every hit also does damage.
constexpr int kSwarmGeneration = 16;

class SplitterGroup {
  public:
    // Doubles the generation (up to 16) and gives every splitter that still has more than one
    // hit point the new generation's size and a twin where it is. Called once for every hit on
    // any splitter; it never takes hit points itself.
    void split();
    // Launches a pending splitter, then moves every splitter.
    void update();
    // Back to the start of a game: no splitters, generation 1, nothing pending, 16 to destroy.
    void reset();

    // 1, 2, 4, 8 or 16; every splitter alive has 16 / generation hit points.
    int generation = 1;
    // Newest first, like every list of the game.
    EntityList<SplitterEnemy> splitters;
    bool launchPending = false;
    // A full swarm is 16 splitters: the one launched and the 1, 2, 4 and 8 made by the splits.
    int remaining = kSwarmGeneration;
};
