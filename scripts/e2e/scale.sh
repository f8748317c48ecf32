#!/usr/bin/env bash
# The main window, its keyboard and the results window at Qt scale factors
# 1, 1.25, 1.5 and 2, each on a screen whose size in logical pixels the tutor
# accepts. The screenshots (start screen, a sentence with its highlighted
# keys, the results of the first level) are kept for a person to look at;
# the test checks that the windows fill their screens and that the results
# window lies wholly on the screen.
#
# Usage: scale.sh BIN_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"

PROG="$E2E_WORK/Programma"
e2e_program_folder "$PROG"
printf '[Livello1]\r\n1=Città già\r\n2=Bbb\r\n3=ccc\r\n4=ddd\r\n5=eee\r\n' |
    iconv -f UTF-8 -t CP1252 >"$PROG/Esercizi/scala.ftd"
SENTENCES=("" "Città già" "Bbb" "ccc" "ddd" "eee")

# factor:screen in physical pixels
for run in 1:1024x768 1.25:1280x960 1.5:1200x900 2:1600x1200; do
    factor=${run%%:*} screen=${run#*:}
    e2e_log "=== QT_SCALE_FACTOR=$factor on $screen"
    e2e_xvfb "$screen"
    QT_SCALE_FACTOR=$factor e2e_start TUTOR "$PROG/Zentavo" "$PROG/Esercizi/scala.ftd"
    tutor_main
    tutor_wait_welcome
    e2e_expect_eq "main window at $factor" "$screen" \
        "$(xdotool getwindowgeometry "$TUTOR_WIN" | awk '/Geometry/ {print $2}')"
    e2e_shot "scale-$factor-start"
    for k in 1 2 3 4 5; do
        tutor_start "Zentavo  - scala.ftd -  Primo livello: frase $k"
        [[ $k -eq 1 ]] && e2e_shot "scale-$factor-sentence"
        tutor_type "${SENTENCES[k]}"
    done
    tutor_results
    read -r x y w h < <(xdotool getwindowgeometry "$TUTOR_RESULTS" |
        awk -F'[ ,x]+' '/Position/ {x = $3; y = $4} /Geometry/ {print x, y, $3, $4}')
    e2e_log "results window at $x,$y, $w x $h"
    [[ $x -ge 0 && $y -ge 0 && $((x + w)) -le ${screen%x*} && $((y + h)) -le ${screen#*x} ]] ||
        e2e_fail "the results window leaves the screen at $factor"
    e2e_shot "scale-$factor-results"
    tutor_answer_results alt+t
    e2e_wait_exit "$TUTOR" 15
    e2e_expect_eq "exit status at $factor" 0 "$E2E_STATUS"
    e2e_stop_xvfb
done
e2e_log "passed"
