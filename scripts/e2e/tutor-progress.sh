#!/usr/bin/env bash
# Two pupils of one account, each with the wrong key of their own: the
# teacher has the tutor ask who is typing at start; Anna (3B) types "ò" for
# every "à" of five sentences, Bruno (3C) "à" for every "ò"; each ends with
# "Termina". After a third start each pupil's progress window must name only
# the pupil's own key as the weakest and list the pupil's own confusion, and
# the PDF exported from it must pass qpdf and say the name, the period and
# the weakest key.
#
# Usage: tutor-progress.sh BIN_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb 1024x768

PROG="$E2E_WORK/Programma"
e2e_program_folder "$PROG"
# Four "à" and four "ò" a sentence: twenty of each over a level, enough
# keystrokes for the key map to judge both keys.
SENTENCE="là può là può là può là può"
{
    printf '[Editor Zentavo]\r\nVersione=3.0.0\r\n'
    for level in 1 2 3; do
        printf '[Livello%d]\r\n' "$level"
        for n in 1 2 3 4 5; do printf '%d=%s\r\n' "$n" "$SENTENCE"; done
    done
} | iconv -f UTF-8 -t CP1252 >"$PROG/Esercizi/e2e.ftd"
printf '[Options]\r\nSong=0\r\n[Pupils]\r\nAskAtStart=1\r\n' >"$PROG/Zentavo.ini"

mkdir -p "$E2E_WORK/viewer" "$E2E_WORK/viewed" "$E2E_WORK/tmp"
cat >"$E2E_WORK/viewer/xdg-open" <<'VIEWER'
#!/usr/bin/env bash
url=${1#file://}
path=$(printf '%b' "${url//%/\\x}")
cp "$path" "$E2E_VIEWED/" 2>>"$E2E_VIEWED.log" || printf '%s\n' "$1" >"$E2E_VIEWED/not-a-file"
VIEWER
chmod +x "$E2E_WORK/viewer/xdg-open"
export PATH="$E2E_WORK/viewer:$PATH" TMPDIR="$E2E_WORK/tmp" E2E_VIEWED="$E2E_WORK/viewed"

MENU_X=996
menu_y() { echo $((260 + ($1 - 2) * 52)); } # lblMenu(2) stands at 260, 52 apart

# The chooser "Chi scrive?": a new pupil, or one already listed, chosen.
chooser_window() {
    local id
    for n in $(seq 100); do
        id=$(tutor_other_window '^Chi scrive\?$' 1) && { echo "$id"; return 0; }
    done
    e2e_fail "no pupil chooser"
}
add_and_choose() { # NAME CLASS
    local box
    box=$(chooser_window)
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    e2e_keys Tab ctrl+a
    e2e_type "$1"
    e2e_keys Tab ctrl+a
    e2e_type "$2"
    e2e_keys alt+a
    sleep 0.3
    e2e_shot "chooser-$1"
    e2e_keys alt+s
    e2e_no_window '^Chi scrive\?$'
}
choose_listed() { # NAME: typed into the list, which selects it
    local box
    box=$(chooser_window)
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    e2e_type "$1"
    sleep 0.3
    e2e_shot "chooser-pick-$1"
    e2e_keys alt+s
    e2e_no_window '^Chi scrive\?$'
}

# One level of the exercise, WRONG typed once before every RIGHT.
type_level() { # RIGHT WRONG
    local k wrongs=0 i c
    for k in 1 2 3 4 5; do
        tutor_start "Zentavo  - e2e.ftd -  Primo livello: frase $k"
        tutor_focus
        for ((i = 0; i < ${#SENTENCE}; i++)); do
            c=${SENTENCE:i:1}
            if [[ $c == "$1" ]]; then
                e2e_type "$2"
                wrongs=$((wrongs + 1))
            fi
            e2e_type "$c"
        done
    done
    e2e_log "typed five sentences with $wrongs wrong keystrokes"
}

practise() { # NAME CLASS RIGHT WRONG
    e2e_start TUTOR "$PROG/Zentavo" "$PROG/Esercizi/e2e.ftd"
    add_and_choose "$1" "$2"
    tutor_main
    tutor_wait_welcome
    e2e_shot "start-$1"
    type_level "$3" "$4"
    tutor_results
    e2e_shot "results-$1"
    tutor_answer_results alt+t
    e2e_wait_exit "$TUTOR" 15
}

practise Anna 3B à ò
practise Bruno 3C ò à

# Third start: each pupil's own progress.
check_progress() { # NAME RIGHT WRONG
    local win text pdf
    e2e_click "$MENU_X" "$(menu_y 10)"
    win=$(tutor_other_window '^Progressi - Zentavo$' 15) || e2e_fail "no progress window"
    sleep 1
    e2e_shot "progress-$1"
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    text=$(e2e_copy_focused)
    e2e_log "the progress window says: ${text//$'\n'/ | }"
    [[ $text == *"Tasti più deboli: $2"$'\n'* ]] ||
        e2e_fail "the weakest keys of $1 are not exactly [$2]: $text"
    [[ $text == *"\"$3\" digitato al posto di \"$2\": 20 volte"* ]] ||
        e2e_fail "no confusion of $3 for $2 for $1: $text"
    [[ $text != *"digitato al posto di \"$3\""* ]] || e2e_fail "$1 shows the other pupil's confusion"

    rm -f "$E2E_WORK/viewed/"*
    e2e_keys alt+e
    for n in $(seq 100); do
        [[ -n $(ls "$E2E_WORK/viewed") ]] && break
        sleep 0.1
    done
    pdf="$E2E_WORK/viewed/Progressi $1.pdf"
    [[ -f $pdf ]] || e2e_fail "the viewer got [$(ls "$E2E_WORK/viewed")], not the progress PDF"
    qpdf --check "$pdf" >"$E2E_WORK/qpdf-$1.txt" 2>&1 || e2e_fail "qpdf refused: $(cat "$E2E_WORK/qpdf-$1.txt")"
    pdftotext -layout "$pdf" "$E2E_WORK/progress-$1.txt" || e2e_fail "pdftotext refused the PDF"
    pdftoppm -r 60 -png -singlefile "$pdf" "$E2E_SHOTS/progress-pdf-$1"
    local expected
    for expected in "Progressi di: $1" "Classe: $4" "Periodo: Ultimo mese" "Tasti più deboli: $2\$"; do
        grep -qE -- "$expected" "$E2E_WORK/progress-$1.txt" || {
            cat "$E2E_WORK/progress-$1.txt"
            e2e_fail "the PDF of $1 lacks [$expected]"
        }
        e2e_log "ok: the PDF of $1 says [$expected]"
    done
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    e2e_keys alt+c
    e2e_no_window '^Progressi - Zentavo$'
}

e2e_start TUTOR "$PROG/Zentavo" "$PROG/Esercizi/e2e.ftd"
choose_listed Anna
tutor_main
tutor_wait_welcome
e2e_shot start-again
check_progress Anna à ò 3B
e2e_click "$MENU_X" "$(menu_y 9)"
choose_listed Bruno
sleep 0.5
e2e_shot start-bruno
check_progress Bruno ò à 3C
tutor_quit
e2e_wait_exit "$TUTOR" 15
e2e_log "both pupils see their own progress"
