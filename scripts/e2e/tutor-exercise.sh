#!/usr/bin/env bash
# The tutor with an exercise file on its command line, as a pupil meets it:
# Esperto chosen and the sounds switched on with the mouse, fifteen sentences
# (five a level, so they come in file order) typed with wrong keys and line
# breaks, "Continua" at each results window, the results exported as PDF
# once, the window caption checked at every sentence, then the PDF's text
# and the settings file after the program has ended.
#
# Usage: tutor-exercise.sh BIN_DIR [WIDTHxHEIGHT]
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb "${2:-1024x768}"

PROG="$E2E_WORK/Programma"
e2e_program_folder "$PROG"

# Sentences by number; "|" splits the two lines of a sentence.
SENTENCES=(
    "Il gatto dorme."
    "Due righe:|ecco la seconda."
    "Città, perché è già così?"
    "Costa 5 € [sconto]"
    "posta@scuola.it #1"
    "Secondo livello, frase uno."
    "Il cane abbaia forte."
    "Tre + quattro = 7"
    "Virgolette \"doppie\""
    "Ultima del secondo"
    "Terzo livello!"
    "Una riga|e un'altra riga"
    "Percento 50%"
    "Punto e virgola; due punti: ok"
    "Fine."
)
{
    printf '[Editor Zentavo]\r\nVersione=3.0.0\r\n'
    for level in 1 2 3; do
        printf '[Livello%d]\r\n' "$level"
        for n in 1 2 3 4 5; do
            s=${SENTENCES[(level - 1) * 5 + n - 1]}
            printf '%d=%s\r\n' "$n" "${s//|/¦¦}"
        done
    done
} | iconv -f UTF-8 -t CP1252 >"$PROG/Esercizi/e2e.ftd"
printf '[Options]\r\nSong=0\r\nBackColor=2\r\n' >"$PROG/Zentavo.ini"

# The system's PDF viewer: a stand-in that keeps a copy of what it is given.
mkdir -p "$E2E_WORK/viewer" "$E2E_WORK/viewed" "$E2E_WORK/tmp"
cat >"$E2E_WORK/viewer/xdg-open" <<'EOF'
#!/usr/bin/env bash
url=${1#file://}
path=$(printf '%b' "${url//%/\\x}")
ls -la "$(dirname "$path")" >>"$E2E_VIEWED.log" 2>&1; cp "$path" "$E2E_VIEWED/" 2>>"$E2E_VIEWED.log" || printf '%s\n' "$1" >"$E2E_VIEWED/not-a-file"
EOF
chmod +x "$E2E_WORK/viewer/xdg-open"
export PATH="$E2E_WORK/viewer:$PATH" TMPDIR="$E2E_WORK/tmp" E2E_VIEWED="$E2E_WORK/viewed"

e2e_start TUTOR "$PROG/Zentavo" "$PROG/Esercizi/e2e.ftd"
tutor_main
tutor_wait_welcome
e2e_shot start-screen
tutor_click esperto
tutor_click sounds
e2e_shot esperto-sounds-on

caption() {
    local level=$((($1 - 1) / 5)) n=$((($1 - 1) % 5 + 1))
    local texts=("-  Primo livello: frase" "-  Secondo livello: frase " "-  Terzo livello: frase ")
    printf 'Zentavo  - e2e.ftd %s %d' "${texts[level]}" "$n"
}

CORRECT=0
for k in $(seq 15); do
    if [[ $k -eq 6 || $k -eq 11 ]]; then
        tutor_results
        e2e_shot "results-after-$((k - 1))"
        tutor_answer_results alt+c
    fi
    tutor_start "$(caption "$k")"
    IFS='|' read -r line1 line2 <<<"${SENTENCES[k - 1]}"
    tutor_focus
    case $k in
    1 | 7) # a wrong key once the clock runs: counted
        e2e_type "${line1:0:1}"
        e2e_type "x"
        e2e_type "${line1:1}"
        ;;
    4) # a wrong key before the first correct one: signalled, not counted
        e2e_type "z"
        e2e_type "$line1"
        ;;
    13) # Backspace is a wrong key like any other
        e2e_type "${line1:0:3}"
        e2e_keys BackSpace
        e2e_type "${line1:3}"
        ;;
    *)
        e2e_type "$line1"
        ;;
    esac
    CORRECT=$((CORRECT + ${#line1}))
    if [[ -n $line2 ]]; then
        e2e_keys Return
        e2e_type "$line2"
        CORRECT=$((CORRECT + 1 + ${#line2}))
    fi
    [[ $k -eq 2 || $k -eq 12 ]] && e2e_shot "sentence-$k-typed"
done
WRONG=3

# The end of the exercise: the results of all three levels, exported as PDF.
tutor_results
e2e_shot results-after-15
read -r RX RY < <(xdotool getwindowgeometry "$TUTOR_RESULTS" | awk -F'[ ,]+' '/Position/ {print $3, $4}')
e2e_click $((RX + 381)) $((RY + 15)) # the PDF picture
NAMEBOX=$(tutor_other_window 'Stampa dei risultati' 10) || e2e_fail "no name question"
e2e_shot name-question
xdotool windowfocus --sync "$NAMEBOX" 2>/dev/null || true
e2e_type "Mario Rossi (3B)"
e2e_keys Return
for n in $(seq 100); do
    [[ -n $(ls "$E2E_WORK/viewed") ]] && break
    sleep 0.1
done
PDF="$E2E_WORK/viewed/Mario Rossi (3B).pdf"
[[ -f $PDF ]] || e2e_fail "the viewer got [$(ls "$E2E_WORK/viewed")], not the results PDF: $(cat "$E2E_WORK/viewed.log" 2>/dev/null)"
e2e_shot after-export
pdftotext -layout "$PDF" "$E2E_WORK/results.txt" || e2e_fail "pdftotext refused the PDF"
pdftoppm -r 50 -png -singlefile "$PDF" "$E2E_SHOTS/results-pdf"
expect_pdf() { # a regular expression, a blank standing for any run of blanks
    grep -qE -- "$(printf '%s' "$1" | sed -E 's/ +/ +/g')" "$E2E_WORK/results.txt" || {
        cat "$E2E_WORK/results.txt"
        e2e_fail "the PDF lacks [$1]"
    }
    e2e_log "ok: the PDF says [$1]"
}
RATIO=$(awk -v w=$WRONG -v c=$CORRECT 'BEGIN { printf "%.1f%%", 100 * w / c }')
expect_pdf "Risultati ottenuti da: Mario Rossi \(3B\)"
expect_pdf "Esperto"
expect_pdf "Risultati complessivi dell'esercizio"
expect_pdf "- Totali errori di battitura: $WRONG"
expect_pdf "- Totali  numero  battute: $CORRECT"
expect_pdf "- Rapporto errori/battute: ${RATIO//./\\.}"
expect_pdf "utilizzando il file  e2e.ftd"
for level in 1 2 3; do expect_pdf "Livello$level"; done

# "Continua" after the whole exercise named on the command line: sentence 1 again.
tutor_answer_results alt+c
for n in $(seq 50); do
    [[ $(tutor_caption) == "$(caption 1)" ]] && break
    sleep 0.1
done
e2e_expect_eq "caption after the restart" "$(caption 1)" "$(tutor_caption)"
[[ -e "$E2E_WORK/tmp" && -z $(find "$E2E_WORK/tmp" -name '*.pdf') ]] ||
    e2e_fail "the temporary PDF outlived its results window: $(find "$E2E_WORK/tmp" -name '*.pdf')"
e2e_shot restarted

tutor_quit
e2e_wait_exit "$TUTOR" 15
e2e_expect_eq "tutor exit status" 0 "$E2E_STATUS"

# The settings the pupil left: sounds on, Esperto, the theme kept.
e2e_expect_eq "Song" 1 "$(e2e_ini "$PROG/Zentavo.ini" Options Song)"
e2e_expect_eq "Category" 1 "$(e2e_ini "$PROG/Zentavo.ini" Options Category)"
e2e_expect_eq "BackColor" 2 "$(e2e_ini "$PROG/Zentavo.ini" Options BackColor)"
e2e_expect_eq "Ergonomic" 0 "$(e2e_ini "$PROG/Zentavo.ini" Options Ergonomic)"
e2e_expect_eq "KeyMap" 0 "$(e2e_ini "$PROG/Zentavo.ini" Options KeyMap)"
e2e_expect_eq "Highlight" 0 "$(e2e_ini "$PROG/Zentavo.ini" Options Highlight)"
e2e_expect_eq "CurrentLanguage" Italian "$(e2e_ini "$PROG/Zentavo.ini" Language CurrentLanguage)"
e2e_expect_eq "settings lines without CR LF" 0 "$(grep -c $'[^\r]$' "$PROG/Zentavo.ini" || true)"
e2e_log "passed"
