#!/usr/bin/env python3
"""Plans swarm.replay: a pilot that plays through the level to the final boss's swarm.

Every few calls the pilot tries each way to steer (left, right, straight on) for a while ahead
through the replay tool, and keeps the one that loses the fewest lives and does the most damage;
it fires all the time and takes the best weapon it has. It stops once the great ellipse has split
into many pieces and they have come near, and writes the script with a shot of that moment. The script is committed; this
file only says how it was made:

    docs/screenshots/plan_swarm.py build/glimmerwake-replay > docs/screenshots/swarm.replay
"""
import json
import subprocess
import sys

STEP = 10
LOOKAHEAD = 50
EPOCH = 1781000000
SWARM_PIECES = 8
# How near (depth, 0 at the eye) the nearest piece must be for the shot: they start at -20.
SWARM_DEPTH = -11.0
GIVE_UP = 30000


def run(replay, lines, calls):
    script = "\n".join([f"epoch {EPOCH}"] + lines + [f"end {calls}", ""])
    out = subprocess.run([replay, "-"], input=script, capture_output=True, text=True, check=True)
    return [json.loads(line) for line in out.stdout.strip().splitlines()[-LOOKAHEAD - STEP:]]


def worth(states):
    """How good the future looks: lives first, then damage done."""
    last = states[-1]
    ship = last["ship"]
    value = ship["lives"] * 100000.0
    value -= last["bossHp"] * 200.0
    value -= last["remaining"] * 300.0
    value += ship["score"]
    if last["over"]:
        value -= 10**9
    return value


def main():
    replay = sys.argv[1]
    lines = ["2 down RETURN", "3 up RETURN", "4 down SPACE"]
    held = set()
    call = 5

    def change(keys, at, out):
        for key in sorted(held - keys):
            out.append(f"{at} up {key}")
        for key in sorted(keys - held):
            out.append(f"{at} down {key}")

    while True:
        best = None
        for steer in (set(), {"LEFT"}, {"RIGHT"}):
            trial = list(lines)
            change(steer, call, trial)
            states = run(replay, trial, call + STEP + LOOKAHEAD)
            value = worth(states)
            if best is None or value > best[0]:
                best = (value, steer, states)
        _, steer, states = best
        change(steer, call, lines)
        held.clear()
        held.update(steer)
        now = states[STEP - 1]
        ship = now["ship"]
        # Take up the best weapon: tap its number for one call.
        if ship["weapon"] != ship["highest"] and not ship["switching"]:
            key = str(ship["highest"])
            lines.append(f"{call + 1} down {key}")
            lines.append(f"{call + 2} up {key}")
        call += STEP
        pieces = len(now["splitters"])
        print(f"call {call} frame {now['frame']} lives {ship['lives']} boss {now['bossHp']} "
              f"pieces {pieces} remaining {now['remaining']}", file=sys.stderr)
        if now["over"]:
            sys.exit("the pilot lost the game")
        if pieces >= SWARM_PIECES and max(s["depth"] for s in now["splitters"]) > SWARM_DEPTH:
            break
        if call > GIVE_UP:
            sys.exit("the pilot never reached the swarm")

    print("# The final boss's swarm, reached by docs/screenshots/plan_swarm.py: Play, fire all the")
    print("# time, steer by looking ahead, take the best weapon; shot once the swarm is near.")
    print(f"epoch {EPOCH}")
    print("\n".join(lines))
    print(f"shot {call} docs/screenshots/swarm.png")
    print(f"end {call + 1}")


if __name__ == "__main__":
    main()
