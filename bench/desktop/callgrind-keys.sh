#!/bin/bash
# Counts the instructions the release tutor spends on the keys of the first
# level of an exercise, with valgrind's callgrind: repeatable where times on a
# shared machine are not. The tutor runs under a private Xvfb with the Italian
# layout, in a fresh program folder and home; the sentences are typed with
# xdotool, 150 ms between keys, and only the typing is counted.
#
# Usage: bench/desktop/callgrind-keys.sh [PROGRAM_FOLDER] [EXERCISE] [OUTPUT]
#   PROGRAM_FOLDER  the folder of the release tutor (build/release/bin)
#   EXERCISE        an exercise with five sentences a level (bench/desktop/bench.ftd)
#   OUTPUT          callgrind's output file (callgrind.keys)
# Then: callgrind_annotate --inclusive=yes OUTPUT
set -eu

program=$(realpath "${1:-build/release/bin}")
exercise=$(realpath "${2:-bench/desktop/bench.ftd}")
output=$(realpath -m "${3:-callgrind.keys}")
# Under valgrind the tutor needs this long to show its start screen.
start_wait=45

work=$(mktemp -d /tmp/callgrind-keys-XXXXXX)
xvfb=
tutor=
finish() {
    [ -n "$tutor" ] && kill "$tutor" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT

exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
display=":$(head -n 1 "$work/display")"
setxkbmap -display "$display" it

cp -r "$program" "$work/prog"
mkdir -p "$work/prog/Esercizi" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$exercise" "$work/prog/Esercizi/"
cd "$work"
env -i DISPLAY="$display" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
    XDG_CONFIG_HOME="$work/home/.config" LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb \
    PATH=/usr/bin:/bin valgrind --tool=callgrind --instr-atstart=no \
    --callgrind-out-file="$output" prog/Zentavo "prog/Esercizi/$(basename "$exercise")" \
    > "$work/valgrind.log" 2>&1 &
tutor=$!
sleep "$start_wait"

export DISPLAY="$display"
window=$(xdotool search --name "^Zentavo" | head -n 1)
# The five sentences of level 1, as key names.
sentences=$(python3 - "$exercise" <<'EOF'
import sys
names = {" ": "space", "à": "agrave", "è": "egrave", "é": "eacute", "ì": "igrave",
         "ò": "ograve", "ù": "ugrave", "'": "apostrophe", ".": "period", ",": "comma"}
level = 0
for raw in open(sys.argv[1], encoding="cp1252"):
    line = raw.rstrip("\r\n")
    if line.startswith("["):
        level = 1 if line == "[Livello1]" else 0
    elif level == 1 and "=" in line:
        print(" ".join(names.get(c, c) for c in line.split("=", 1)[1]))
EOF
)
keys=0
while read -r sentence; do
    xdotool windowfocus --sync "$window" 2> /dev/null || true
    xdotool key Return
    sleep 3
    callgrind_control -i on "$tutor" > /dev/null
    # shellcheck disable=SC2086
    xdotool key --delay 150 $sentence
    sleep 1
    callgrind_control -i off "$tutor" > /dev/null
    keys=$((keys + $(wc -w <<< "$sentence")))
    sleep 5
done <<< "$sentences"
callgrind_control -d "$tutor" > /dev/null
sleep 2
echo "$keys keys counted in $output*"
