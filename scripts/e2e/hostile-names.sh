#!/usr/bin/env bash
# Names the code page of the texts cannot write. The programs live in a
# folder named in Greek; the tutor finds its English texts, its help pages
# and an exercise named in Greek there, shows the name as it is in its list,
# runs it and saves its settings beside itself. The editor creates two files
# with two Greek names (the second leaves the first alone), opens one and
# saves into it; a named pipe chosen in its open dialog is refused with a
# message, and the editor goes on.
#
# Usage: hostile-names.sh BIN_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb 1024x768

PROG="$E2E_WORK/Πρόγραμμα Ζεντάβο"
e2e_program_folder "$PROG"
rm -f "$PROG"/Esercizi/*.ftd "$PROG"/CorsoZentavo/*.ftd
printf '[Language]\r\nCurrentLanguage=English\r\n' >"$PROG/Zentavo.ini"
GREEK="άσκηση"
{
    printf '[Livello1]\r\n'
    for n in 1 2 3 4 5; do printf '%d=alfa %d\r\n' "$n" "$n"; done
} >"$PROG/Esercizi/$GREEK.ftd"

# --- the tutor ------------------------------------------------------------------
e2e_start TUTOR "$PROG/Zentavo"
tutor_main
tutor_wait_welcome
tutor_click list
tutor_other_window '' 5 >/dev/null || e2e_fail "the exercise list did not open"
e2e_shot greek-name-in-the-list
# Below the header: the personal exercise, then the Greek name.
e2e_keys Down Down Return
sleep 0.5
# The caption is a text of the code page: there the name's letters are "?".
tutor_start "Zentavo  - ??????.ftd -  Level one: sentence 1"
tutor_type "alfa 1"
tutor_start "Zentavo  - ??????.ftd -  Level one: sentence 2"
e2e_shot greek-exercise-running
tutor_focus
e2e_keys F1
HELP=$(tutor_other_window '.' 10) || e2e_fail "no help page from the Greek folder"
e2e_log "help window: $(xdotool getwindowname "$HELP")"
e2e_shot help-found
xdotool windowclose "$HELP" 2>/dev/null || xdotool windowkill "$HELP"
sleep 0.3
tutor_quit
e2e_wait_exit "$TUTOR" 15
e2e_expect_eq "tutor exit status" 0 "$E2E_STATUS"
e2e_expect_eq "settings saved in the Greek folder" English \
    "$(e2e_ini "$PROG/Zentavo.ini" Language CurrentLanguage)"
e2e_expect_eq "options saved in the Greek folder" 0 "$(e2e_ini "$PROG/Zentavo.ini" Options BackColor)"

# --- the editor -----------------------------------------------------------------
# xdotool loses letters of a long Greek text typed at once: names reach the
# dialogs through the clipboard.
paste() {
    printf '%s' "$1" | xclip -selection clipboard -i
    sleep 0.2
    e2e_keys ctrl+a ctrl+v
    sleep 0.3
}
e2e_start EDITOR "$PROG/EditorZentavo"
MAIN=$(e2e_focus '^Editor Zentavo')
new_file() { # new_file NAME SENTENCE
    xdotool windowfocus --sync "$MAIN"
    e2e_keys alt+n
    e2e_focus '^Digita il nome del nuovo file' >/dev/null
    sleep 0.3
    paste "$PROG/Esercizi/$1"
    e2e_keys Return
    e2e_wait_file "$PROG/Esercizi/$1.ftd"
    sleep 0.5
    xdotool windowfocus --sync "$MAIN"
    e2e_type "$2"
    e2e_keys alt+s
    sleep 0.5
}
new_file "λέξεις" "prima frase"
new_file "φράσης" "seconda frase"
e2e_shot two-greek-files
e2e_expect_eq "first file's sentence" "prima frase" "$(e2e_ini "$PROG/Esercizi/λέξεις.ftd" Livello1 1)"
e2e_expect_eq "second file's sentence" "seconda frase" "$(e2e_ini "$PROG/Esercizi/φράσης.ftd" Livello1 1)"
# The Greek exercise and the editor's two files, beside the tutor's personal one.
e2e_expect_eq "files in Esercizi" 3 "$(find "$PROG/Esercizi" -name '*.ftd' ! -name 'Personal training.ftd' | wc -l)"

open_file() { # open_file PATH
    xdotool windowfocus --sync "$MAIN"
    e2e_keys alt+a
    e2e_focus '^Seleziona il file da aprire' >/dev/null
    sleep 0.3
    paste "$1"
    e2e_keys Return
    sleep 0.8
}
open_file "$PROG/Esercizi/$GREEK.ftd"
# Opened, not refused as read-only: a sentence saves into it.
xdotool search --onlyvisible --name '^Errore' >/dev/null 2>&1 && e2e_fail "the Greek file was refused"
e2e_shot greek-file-opened
xdotool windowfocus --sync "$MAIN"
e2e_type "beta"
e2e_keys alt+s
sleep 0.5
e2e_expect_eq "sentence saved into the opened file" beta "$(e2e_ini "$PROG/Esercizi/$GREEK.ftd" Livello1 1)"

# A named pipe is not an exercise file: a message, and nothing waits on it.
mkfifo "$PROG/Esercizi/tubo.ftd"
open_file "$PROG/Esercizi/tubo.ftd"
BOX=$(e2e_window '^Errore' 10)
e2e_shot pipe-refused
xdotool windowfocus --sync "$BOX" 2>/dev/null || true
e2e_keys Return
e2e_no_window '^Errore'
xdotool windowfocus --sync "$MAIN"
e2e_keys alt+c
e2e_wait_exit "$EDITOR" 10
e2e_expect_eq "editor exit status" 0 "$E2E_STATUS"
e2e_log "passed"
