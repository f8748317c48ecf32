#!/usr/bin/env bash
# The personal exercise as a pupil meets it: the tutor starts with a
# balanced "Allenamento personale" in the list; the pupil chooses it and
# types its fifteen sentences, slipping on "z" and "v" every time; back on
# the start screen the exercise has been made anew from those figures and
# aims at "z" and "v"; the pupil chooses it again and its sentences, which
# hold the two keys far more often than before, are the ones shown (only
# the shown sentence's keys are taken, so typing the file's sentence to
# its end proves it). The shipped exercise files are left out, so that the
# material is the built-in sentences and the word list.
#
# Usage: tutor-personal.sh BIN_DIR [WIDTHxHEIGHT]
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb "${2:-1024x768}"

[[ -r /usr/share/dict/italian ]] || e2e_fail "no word list: witalian is one of scripts/install-deps"
PROG="$E2E_WORK/Programma"
e2e_program_folder "$PROG"
rm -f "$PROG"/Esercizi/*.ftd "$PROG"/CorsoZentavo/*.ftd
printf '[Options]\r\nSong=0\r\n' >"$PROG/Zentavo.ini"
PERSONAL="$PROG/Esercizi/Allenamento personale.ftd"
NAME="Allenamento personale.ftd"

# sentence FILE N: sentence N (1-15) of the exercise file, UTF-8, "|"
# between its two lines.
sentence() {
    local level=$((($2 - 1) / 5 + 1)) n=$((($2 - 1) % 5 + 1))
    iconv -f CP1252 -t UTF-8 "$1" | tr -d '\r' |
        awk -v s="[Livello$level]" -v k="$n=" '
            /^\[/ { inside = ($0 == s); next }
            inside && index($0, k) == 1 { print substr($0, length(k) + 1); exit }' |
        sed 's/¦¦/|/'
}

# share FILE: how many "z" and "v" per thousand characters of the file's sentences.
share() {
    local all="" k
    for k in $(seq 15); do all+=$(sentence "$1" "$k"); done
    local keys=${all//[^zvZV]/}
    echo $((1000 * ${#keys} / ${#all}))
}

caption() {
    local level=$((($1 - 1) / 5)) n=$((($1 - 1) % 5 + 1))
    local texts=("-  Primo livello: frase" "-  Secondo livello: frase " "-  Terzo livello: frase ")
    printf 'Zentavo  - %s %s %d' "$NAME" "${texts[level]}" "$n"
}

# choose_personal: on the start screen, the list entry under the exercises
# header (there is no course).
choose_personal() {
    tutor_click list
    tutor_other_window '' 5 >/dev/null || e2e_fail "the exercise list did not open"
    e2e_shot "exercise-list-open"
    e2e_keys Down Return
    sleep 0.5
}

# type_slipping TEXT: types TEXT, a wrong key before every "z" and "v" but
# the first character (the clock runs from the first key).
type_slipping() {
    local text=$1 i c
    e2e_type "${text:0:1}"
    for ((i = 1; i < ${#text}; i++)); do
        c=${text:i:1}
        [[ $c == [zvZV] ]] && e2e_type "k"
        e2e_type "$c"
    done
}

e2e_start TUTOR "$PROG/Zentavo"
tutor_main
tutor_wait_welcome
[[ -f $PERSONAL ]] || e2e_fail "no personal exercise in $PROG/Esercizi: $(ls "$PROG/Esercizi")"
cp "$PERSONAL" "$E2E_WORK/balanced.ftd"
BEFORE=$(share "$PERSONAL")
e2e_log "balanced exercise: z and v $BEFORE per thousand"
choose_personal
e2e_shot personal-in-list

for k in $(seq 15); do
    if [[ $k -eq 6 || $k -eq 11 ]]; then
        tutor_results
        tutor_answer_results alt+c
    fi
    tutor_start "$(caption "$k")"
    IFS='|' read -r line1 line2 <<<"$(sentence "$E2E_WORK/balanced.ftd" "$k")"
    tutor_focus
    type_slipping "$line1"
    if [[ -n $line2 ]]; then
        e2e_keys Return
        type_slipping "$line2"
    fi
    [[ $k -eq 1 ]] && e2e_shot first-sentence-typed
done
tutor_results
e2e_shot results-after-15
tutor_answer_results alt+c
tutor_wait_welcome
e2e_shot start-screen-again

cmp -s "$PERSONAL" "$E2E_WORK/balanced.ftd" && e2e_fail "the personal exercise was not made anew"
AFTER=$(share "$PERSONAL")
e2e_log "after slipping on z and v: $AFTER per thousand"
((AFTER >= 3 * BEFORE && AFTER > 0)) || e2e_fail "z and v came $AFTER per thousand, before $BEFORE"
for k in 1 2 3 4 5; do
    [[ $(sentence "$PERSONAL" "$k") == *[zv]* ]] || e2e_fail "drill $k lacks z and v: $(sentence "$PERSONAL" "$k")"
done

choose_personal
e2e_shot personal-renewed-in-list
for k in 1 2 3; do
    tutor_start "$(caption "$k")"
    line=$(sentence "$PERSONAL" "$k")
    tutor_type "$line"
    e2e_log "typed the shown sentence [$line]"
    [[ $k -eq 1 ]] && e2e_shot renewed-sentence-typed
done
# The third sentence was taken to its end only if the window showed it.
tutor_start "$(caption 4)"
e2e_shot renewed-fourth

tutor_quit
e2e_wait_exit "$TUTOR" 15
