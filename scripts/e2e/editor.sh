#!/usr/bin/env bash
# The editor as a user meets it: a new exercise file named with an accent and
# a blank, fifteen sentences of one and two lines over the three levels with
# automatic stepping, the bytes of the file, every sentence read back with
# "Successiva", then the tutor started on that file types its first sentence.
#
# Usage: editor.sh BIN_DIR   (the folder of the built programs)
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb 1024x768

PROG="$E2E_WORK/Programma"
e2e_program_folder "$PROG"
NAME="Città di prova"
FILE="$PROG/Esercizi/$NAME.ftd"

# Level by level, five positions each: first line, second line ("" for none).
LINE1=(
    "Il gatto è sul tavolo."
    "Perché la città"
    "  Spazi attorno alla frase  "
    "Prezzo: 5 € al chilo"
    "Scrivi a posta@esempio.it"
    "Parentesi [quadre] e {graffe}"
    "Prima riga del secondo livello"
    "Virgolette \"doppie\" e 'semplici'"
    "àèéìòù"
    "Simboli: § ° ç £ ^ | \\ < >"
    "Terzo livello, frase uno."
    "Conti: 12 + 30 = 42"
    "Percento: 50% #1"
    "Ultime due"
    "Fine dell'esercizio!"
)
LINE2=(
    ""
    "è così bella?"
    ""
    "  sconto del 10%  "
    ""
    ""
    "e la sua seconda riga"
    ""
    "tutte le vocali accentate"
    ""
    "seconda riga; con punto e virgola"
    ""
    ""
    "righe: ultima"
    ""
)

trim() {
    local s=$1
    s="${s#"${s%%[! ]*}"}"
    s="${s%"${s##*[! ]}"}"
    printf '%s' "$s"
}

# The value the editor stores for a sentence: trimmed lines joined by "¦¦".
stored() {
    local i=$1
    if [[ -n ${LINE2[i]} ]]; then
        printf '%s¦¦%s' "$(trim "${LINE1[i]}")" "$(trim "${LINE2[i]}")"
    else
        trim "${LINE1[i]}"
    fi
}

expected_file() {
    printf '%s\r\n' \
        "==============================================" \
        "*** Attenzione ***   Non  modificare  manualmente  questo file." \
        "Il file DEVE essere modificato solo con l'Editor di Zentavo" \
        "    *** Attention ***     Do  not  modify  improperly  this  file." \
        "This   file   MUST  be  modified  only   using  EditorZentavo.exe" \
        "==============================================" \
        "" "[Editor Zentavo]" "Versione=3.0.0"
    local level pos
    for level in 1 2 3; do
        printf '[Livello%d]\r\n' "$level"
        for pos in 1 2 3 4 5; do
            printf '%d=%s\r\n' "$pos" "$(stored $(((level - 1) * 5 + pos - 1)))"
        done
    done
}

# --- a new file --------------------------------------------------------------
e2e_start EDITOR "$PROG/EditorZentavo"
MAIN=$(e2e_focus '^Editor Zentavo')
e2e_shot editor-started
e2e_keys alt+n
e2e_focus '^Digita il nome del nuovo file' >/dev/null
e2e_type "$PROG/Esercizi/$NAME"
e2e_keys Return
e2e_no_window '^Digita il nome del nuovo file'
e2e_wait_file "$FILE"
sleep 0.3
e2e_shot file-created

# Five positions per level, automatic stepping. Tab stops back from the first
# line: the positions group (entered at "5"), "Incremento automatico", the
# write position, the write level group, "Aggiorna finestra Salva", the
# read button.
xdotool windowfocus --sync "$MAIN"
e2e_keys shift+Tab space shift+Tab space Tab Tab
e2e_shot five-positions-autostep

# --- fifteen sentences -------------------------------------------------------
for i in "${!LINE1[@]}"; do
    xdotool windowfocus --sync "$MAIN"
    e2e_type "${LINE1[i]}"
    if [[ -n ${LINE2[i]} ]]; then
        e2e_keys Return
        e2e_type "${LINE2[i]}"
    fi
    [[ $i -eq 6 ]] && e2e_shot sentence-7-typed
    e2e_keys alt+s
    sleep 0.3
done
# The last save completes the file: "File completato!" in a box of the same title.
for n in $(seq 50); do
    BOX=$(xdotool search --onlyvisible --name '^Editor Zentavo$' | grep -vx "$MAIN" | head -n 1 || true)
    [[ -n $BOX ]] && break
    sleep 0.1
done
[[ -n ${BOX:-} ]] || e2e_fail "no message after the fifteenth sentence"
e2e_shot file-complete-message
xdotool windowfocus --sync "$BOX"
e2e_keys Return
sleep 0.3

cmp <(expected_file | iconv -f UTF-8 -t CP1252) "$FILE" ||
    { diff <(expected_file | iconv -f UTF-8 -t CP1252 | od -c) <(od -c "$FILE") | head -40; e2e_fail "file bytes differ"; }
e2e_log "ok: the file holds the header, the version and the 15 sentences byte for byte"

# --- read back ---------------------------------------------------------------
xdotool windowfocus --sync "$MAIN"
e2e_keys alt+a
e2e_focus '^Seleziona il file da aprire' >/dev/null
e2e_type "$FILE"
e2e_keys Return
e2e_no_window '^Seleziona il file da aprire'
# After opening, the read button is reached with the keyboard, six stops back
# from the first line, and so is "Successiva" after each read.
read_button() {
    xdotool windowfocus --sync "$MAIN"
    e2e_keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
    sleep 0.3
}
read_button
for i in "${!LINE1[@]}"; do
    xdotool windowfocus --sync "$MAIN"
    first=$(e2e_copy_focused)
    e2e_keys Tab
    second=$(e2e_copy_focused)
    e2e_keys shift+Tab
    e2e_expect_eq "sentence $((i + 1)) line 1" "$(trim "${LINE1[i]}")" "$first"
    e2e_expect_eq "sentence $((i + 1)) line 2" "$(trim "${LINE2[i]}")" "$second"
    [[ $i -eq 8 ]] && e2e_shot read-sentence-9
    [[ $i -lt 14 ]] && read_button
done
cmp <(expected_file | iconv -f UTF-8 -t CP1252) "$FILE" || e2e_fail "reading changed the file"

xdotool windowfocus --sync "$MAIN"
e2e_keys alt+c
e2e_wait_exit "$EDITOR" 10
e2e_expect_eq "editor exit status" 0 "$E2E_STATUS"

# --- the tutor on the new file: five sentences a level come in file order --
e2e_start TUTOR "$PROG/Zentavo" "$FILE"
tutor_main
tutor_wait_welcome
tutor_start "Zentavo  - $NAME.ftd -  Primo livello: frase 1"
tutor_type "$(trim "${LINE1[0]}")"
e2e_shot tutor-first-sentence-typed
# Only a sentence typed to its end lets Enter bring the next one.
tutor_start "Zentavo  - $NAME.ftd -  Primo livello: frase 2"
tutor_type "$(trim "${LINE1[1]}")" "$(trim "${LINE2[1]}")"
tutor_start "Zentavo  - $NAME.ftd -  Primo livello: frase 3"
e2e_shot tutor-third-sentence
tutor_quit
e2e_wait_exit "$TUTOR" 15
e2e_expect_eq "tutor exit status" 0 "$E2E_STATUS"
e2e_log "passed"
