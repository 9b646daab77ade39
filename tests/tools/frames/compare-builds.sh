#!/usr/bin/env bash
# Plays scripts through two builds of the replay tool and compares what they give: the trace byte
# for byte, the sounds line for line, the exit status, and every shot pixel for pixel (ImageMagick's
# `compare -metric AE`). Each build runs from its own source tree, whose Data/ it draws with; the
# shots of both are written below OUT. The scripts here reach the frames where what is drawn
# depends on the moment of the call it is drawn at; their shots depend on the machine's OpenGL
# and fonts, so they are compared between two builds on one machine rather than with files kept
# in the tree.
#
#     tests/tools/frames/compare-builds.sh OLD_TREE OLD_REPLAY NEW_TREE NEW_REPLAY OUT SCRIPT...
set -uo pipefail
old_tree=$1 old_replay=$2 new_tree=$3 new_replay=$4 out=$5
shift 5
status=0
for script in "$@"; do
    name=$(basename "$script" .replay)
    dir=$out/$name
    rm -rf "$dir"
    mkdir -p "$dir/old" "$dir/new"
    for build in old new; do
        # Every shot goes to this build's folder, by its file name.
        sed "s#^shot \([0-9]*\) \(.*/\)\{0,1\}\([^/]*\)\$#shot \1 $dir/$build/\3#" "$script" \
            >"$dir/$build.replay"
    done
    (cd "$old_tree" && "$old_replay" --sounds "$dir/old.sounds" "$dir/old.replay" \
        >"$dir/old.trace" 2>"$dir/old.err"
        echo $? >"$dir/old.status")
    (cd "$new_tree" && "$new_replay" --sounds "$dir/new.sounds" "$dir/new.replay" \
        >"$dir/new.trace" 2>"$dir/new.err"
        echo $? >"$dir/new.status")
    verdict=""
    cmp -s "$dir/old.trace" "$dir/new.trace" || verdict="$verdict, the traces differ"
    cmp -s "$dir/old.sounds" "$dir/new.sounds" || verdict="$verdict, the sounds differ"
    cmp -s "$dir/old.status" "$dir/new.status" || verdict="$verdict, the exit status differs"
    shots=0
    for shot in "$dir"/old/*.png; do
        [ -e "$shot" ] || continue
        shots=$((shots + 1))
        differing=$(compare -metric AE "$shot" "$dir/new/${shot##*/}" null: 2>&1)
        [ "$differing" = 0 ] || verdict="$verdict, ${shot##*/} differs in $differing pixels"
    done
    calls=$(wc -l <"$dir/old.trace")
    if [ -z "$verdict" ]; then
        echo "$name: $calls calls and $shots shots the same"
    else
        echo "$name: $calls calls and $shots shots${verdict}"
        status=1
    fi
done
exit "$status"
