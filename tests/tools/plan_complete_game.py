#!/usr/bin/env python3
"""Plans complete_game.replay: a whole game played by a simple pilot through the replay tool.

The pilot plays, looking at the trace after every few calls: it fires all the time, dodges what
comes at it until it has caught the second weapon, pauses and resumes, then flies into trouble
until its last life is gone, and restarts with F2. The script it writes is committed; this file
only says how it was made. Run it again after a change to the game's rules:

    tests/tools/plan_complete_game.py build/glimmerwake-replay > tests/tools/complete_game.replay
"""
import json
import subprocess
import sys

STEP = 5
EPOCH = 1781000000


def last_state(replay, lines, calls):
    script = "\n".join([f"epoch {EPOCH}"] + lines + [f"end {calls}", ""])
    out = subprocess.run([replay, "-"], input=script, capture_output=True, text=True, check=True)
    return json.loads(out.stdout.strip().splitlines()[-1])


def threat(state, angle):
    """How much is about to hit a ship sitting at this angle."""
    danger = 0.0
    for enemy in state["enemies"]:
        if -15.0 < enemy["depth"] < -4.0 and abs(enemy["angle"] - angle) < 15.0:
            danger += 1.0 + (enemy["depth"] + 15.0) / 10.0
    for shot in state["shots"]:
        if shot["enemy"] and -12.0 < shot["depth"] < -5.0 and abs(shot["angle"] - angle) < 14.0:
            danger += 2.0
    return danger


def safest_angle(state):
    here = state["ship"]["angle"]
    candidates = range(-30, 31, 2)
    return min(candidates, key=lambda a: (threat(state, a), abs(a - here)))


def main():
    replay = sys.argv[1]
    lines = ["2 down RETURN", "3 up RETURN", "4 down SPACE"]
    held = set()
    call = 5
    phase = "dodge"
    pause_at = None
    over_at = None

    def hold(keys):
        for key in sorted(held - keys):
            lines.append(f"{call} up {key}")
        for key in sorted(keys - held):
            lines.append(f"{call} down {key}")
        held.clear()
        held.update(keys)

    while True:
        state = last_state(replay, lines, call)
        ship = state["ship"]
        keys = set()
        if phase == "dodge":
            powerups = [p for p in state["powerups"] if p["type"] == 2]
            target = powerups[0]["angle"] if powerups and powerups[0]["depth"] > -12 else None
            if target is None:
                target = safest_angle(state)
            if ship["highest"] == 2:
                phase = "pause"
                pause_at = call
        elif phase == "pause":
            target = ship["angle"]
            if call == pause_at + 20:
                keys.add("ESCAPE")
            if call == pause_at + 120:
                keys.add("ESCAPE")
            if call > pause_at + 130:
                phase = "crash"
        elif phase == "crash":
            near = [e for e in state["enemies"] if e["depth"] > -12]
            target = near[0]["angle"] if near else 0.0
            if state["over"]:
                phase = "over"
                over_at = call
        else:
            target = ship["angle"]
            if call == over_at + 150:
                lines.append(f"{call} down F2")
                lines.append(f"{call + 5} up F2")
                lines.append(f"end {call + 200}")
                break
        if target < ship["angle"] - 1.0:
            keys.add("LEFT")
        elif target > ship["angle"] + 1.0:
            keys.add("RIGHT")
        hold(keys)
        call += STEP
        if call > 20000:
            sys.exit("the pilot never finished its game")

    print("# A whole game, played by tests/tools/plan_complete_game.py: Play, fire all the time,")
    print("# dodge until the second weapon is caught, pause and resume, lose every life, then F2.")
    print(f"epoch {EPOCH}")
    print("\n".join(lines))


if __name__ == "__main__":
    main()
