#!/usr/bin/env bash
# The class folder of a room: the computer's settings name one, and two
# pupils practise on two accounts (two homes). Bruno (3C) types the first
# level and stops. Anna (3B) types an exercise of three levels: after the
# first level her file in the class folder holds its five sentences; the
# share is then taken away (the folder made read-only) for the second level,
# which the tutor tells once while practising goes on; given back before the
# third level ends, the copy after it holds all fifteen sentences, once each,
# in a whole file with its summary. The message comes once, as soon as the
# copy after the second level fails. The teacher's class window then shows
# both pupils, and its CSV export, read by Python's csv module, gives their
# figures.
#
# Usage: tutor-class.sh BIN_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb 1024x768

PROG="$E2E_WORK/Programma"
CLASS="$E2E_WORK/classe"
e2e_program_folder "$PROG"
mkdir -p "$CLASS"
SENTENCE="la casa sul lago"
{
    printf '[Editor Zentavo]\r\nVersione=3.0.0\r\n'
    for level in 1 2 3; do
        printf '[Livello%d]\r\n' "$level"
        for n in 1 2 3 4 5; do printf '%d=%s\r\n' "$n" "$SENTENCE"; done
    done
} >"$PROG/Esercizi/e2e.ftd"
printf '[Options]\r\nSong=0\r\n[Pupils]\r\nAskAtStart=1\r\n[Class]\r\nFolder=%s\r\n' "$CLASS" \
    >"$PROG/Zentavo.ini"
FILE="$CLASS/3B - Anna.sqlite"

# class_count SQL [FILE]: the first value of a query on a class file (Anna's
# unless told), read-only.
class_count() {
    python3 - "${2:-$FILE}" "$1" <<'PY'
import sqlite3, sys, urllib.parse
uri = "file:" + urllib.parse.quote(sys.argv[1]) + "?mode=ro"
print(sqlite3.connect(uri, uri=True, timeout=5).execute(sys.argv[2]).fetchone()[0])
PY
}
# wait_class_sentences N [FILE]: until the class file holds N sentences.
wait_class_sentences() {
    local n got=""
    for n in $(seq 100); do
        [[ -f ${2:-$FILE} ]] && got=$(class_count "SELECT COUNT(*) FROM sentences" "${2:-}" 2>/dev/null || true)
        [[ $got == "$1" ]] && { e2e_log "ok: the class file holds $1 sentences"; return 0; }
        sleep 0.1
    done
    e2e_fail "the class file holds [$got] sentences, not $1"
}
caption() { # LEVEL N
    local texts=("" "-  Primo livello: frase" "-  Secondo livello: frase " "-  Terzo livello: frase ")
    printf 'Zentavo  - e2e.ftd %s %d' "${texts[$1]}" "$2"
}
type_level() { # LEVEL
    local k
    for k in 1 2 3 4 5; do
        tutor_start "$(caption "$1" "$k")"
        tutor_type "$SENTENCE"
    done
}

# start_pupil HOME NAME CLASS: the tutor on an account of its own, the
# pupil named in the chooser.
start_pupil() {
    export HOME="$E2E_WORK/$1"
    mkdir -p "$HOME"
    e2e_start TUTOR "$PROG/Zentavo" "$PROG/Esercizi/e2e.ftd"
    local box
    box=$(tutor_other_window '^Chi scrive\?$' 15) || e2e_fail "no pupil chooser"
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    e2e_keys Tab ctrl+a
    e2e_type "$2"
    e2e_keys Tab ctrl+a
    e2e_type "$3"
    e2e_keys alt+a
    sleep 0.3
    e2e_keys alt+s
    e2e_no_window '^Chi scrive\?$'
    tutor_main
    tutor_wait_welcome
}

# Bruno, on the first account, types the first level and ends.
start_pupil home-bruno Bruno 3C
type_level 1
tutor_results
wait_class_sentences 5 "$CLASS/3C - Bruno.sqlite"
tutor_answer_results alt+t
e2e_wait_exit "$TUTOR" 15

start_pupil home-anna Anna 3B

type_level 1
tutor_results
wait_class_sentences 5
e2e_shot first-level-copied
tutor_answer_results alt+c

# The share goes away for the second level.
chmod 555 "$CLASS"
type_level 2
# Told as soon as the level's copy fails, before the level's results.
warning=$(tutor_other_window '^Attenzione!$' 10) || e2e_fail "no word that the class folder cannot be reached"
e2e_shot share-away-told
# Its words are the core's (ClassFolderMessage); here it is seen in the
# screenshot, and answered.
xdotool windowfocus --sync "$warning" 2>/dev/null || true
e2e_keys Return
e2e_no_window '^Attenzione!$'
[[ $(class_count "SELECT COUNT(*) FROM sentences") == 5 ]] || e2e_fail "the read-only folder was written"
tutor_results
tutor_answer_results alt+c

# Back during the third level: the copy after it takes both levels over.
tutor_start "$(caption 3 1)"
chmod 755 "$CLASS"
tutor_type "$SENTENCE"
for k in 2 3 4 5; do
    tutor_start "$(caption 3 "$k")"
    tutor_type "$SENTENCE"
done
tutor_results
wait_class_sentences 15
tutor_other_window '^Attenzione!$' 1 >/dev/null && e2e_fail "the message came a second time"
e2e_shot exercise-copied
tutor_answer_results alt+t
e2e_wait_exit "$TUTOR" 15

e2e_expect_eq "distinct identities" 15 "$(class_count 'SELECT COUNT(DISTINCT uid) FROM sentences')"
e2e_expect_eq "summary sentences" 15 "$(class_count 'SELECT sentences FROM pupil_summary')"
e2e_expect_eq "exercises finished" 1 "$(class_count 'SELECT exercises_finished FROM pupil_summary')"
e2e_expect_eq "integrity" ok "$(class_count 'PRAGMA integrity_check')"
e2e_expect_eq "files in the class folder" "3B - Anna.sqlite|3C - Bruno.sqlite" "$(ls "$CLASS" | paste -sd '|')"
e2e_log "the class copy caught up with every sentence"

# The teacher's editor: the class window (the editor stands at the top left
# of the bare display, its "Classe" button beside "Chiudi"), then its CSV.
export HOME="$E2E_WORK/home-teacher"
mkdir -p "$HOME"
e2e_start EDITOR "$PROG/EditorZentavo"
editor=$(e2e_window '^Editor Zentavo$' 15) || e2e_fail "no editor window"
sleep 0.5
e2e_click 585 317
class=$(e2e_window '^Classe - Zentavo$' 15) || e2e_fail "no class window"
sleep 1
e2e_shot class-window
xdotool windowfocus --sync "$class" 2>/dev/null || true
e2e_keys alt+e
e2e_window '^Esporta CSV$' 15 >/dev/null || e2e_fail "no save dialog for the CSV"
sleep 0.5
e2e_keys ctrl+a
e2e_type "$E2E_WORK/classe.csv"
e2e_keys Return
e2e_wait_file "$E2E_WORK/classe.csv" 15
e2e_shot class-exported
python3 - "$E2E_WORK/classe.csv" <<'PY' || e2e_fail "the CSV lacks the class's figures"
import csv, sys
with open(sys.argv[1], encoding="utf-8-sig", newline="") as f:
    rows = list(csv.reader(f, delimiter=";"))
header = rows[0]
pupils = {row[0]: dict(zip(header, row)) for row in rows[1:]}
print("CSV header:", header)
for name, values in sorted(pupils.items()):
    print("CSV row:", name, values)
assert set(pupils) == {"Anna", "Bruno"}, pupils
assert pupils["Anna"]["Classe"] == "3B" and pupils["Bruno"]["Classe"] == "3C"
assert pupils["Anna"]["Frasi"] == "15" and pupils["Bruno"]["Frasi"] == "5"
assert pupils["Anna"]["Esercizi finiti"] == "1" and pupils["Bruno"]["Esercizi finiti"] == "0"
for values in pupils.values():
    speed = values["Velocità ora (battute / min)"]
    assert "," in speed and float(speed.replace(",", ".")) > 0, speed
PY
e2e_log "the class window exports both pupils with every sentence"
