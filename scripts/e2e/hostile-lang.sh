#!/usr/bin/env bash
# Both programs set to English while the folder Lang/ is gone, empty, or
# holds an English.lng that is binary, cut short or ten megabytes long, a
# named pipe or twenty megabytes (larger than any language file). Both
# must start, the tutor must run a sentence with the texts the file still
# has (or the built-in Italian ones), and both must end cleanly.
#
# Usage: hostile-lang.sh BIN_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb 1024x768

ITALIAN="Zentavo - Frasi interne  -  Primo livello: frase 1"
ENGLISH="Zentavo - Built-in sentences -  Level one: sentence 1"
EMPTY="Zentavo   1"

# run_case NAME MAKE CAPTION: MAKE prepares $PROG/Lang; CAPTION is the
# window caption at the first built-in sentence.
run_case() {
    local name=$1 make=$2 caption=$3
    e2e_log "=== Lang/: $name"
    PROG="$E2E_WORK/$name"
    e2e_program_folder "$PROG"
    printf '[Language]\r\nCurrentLanguage=English\r\n[EditorLanguage]\r\nCurrentLanguage=English\r\n' \
        >"$PROG/Zentavo.ini"
    $make
    e2e_start TUTOR "$PROG/Zentavo"
    e2e_start EDITOR "$PROG/EditorZentavo"
    tutor_main
    local editor
    editor=$(e2e_window '^Editor Zentavo' 20)
    tutor_wait_welcome
    tutor_start "$caption"
    e2e_shot "$name"
    # The editor's buttons may have lost their captions with the texts: its
    # close button is reached as the last stop of the focus chain.
    xdotool windowfocus --sync "$editor" 2>/dev/null || true
    e2e_keys shift+Tab space
    e2e_wait_exit "$EDITOR" 10
    e2e_expect_eq "$name: editor exit status" 0 "$E2E_STATUS"
    tutor_quit
    e2e_wait_exit "$TUTOR" 15
    e2e_expect_eq "$name: tutor exit status" 0 "$E2E_STATUS"
    e2e_expect_eq "$name: language kept" English "$(e2e_ini "$PROG/Zentavo.ini" Language CurrentLanguage)"
    rm -rf "$PROG"
}

ENGLISH_FILE="$E2E_BIN/Lang/English.lng"
no_folder() { rm -rf "$PROG/Lang"; }
empty_folder() { rm -rf "$PROG/Lang" && mkdir "$PROG/Lang"; }
binary_file() { head -c 300000 "$PROG/Zentavo" >"$PROG/Lang/English.lng"; }
cut_file() { head -c "$(($(stat -c %s "$ENGLISH_FILE") / 3))" "$ENGLISH_FILE" >"$PROG/Lang/English.lng"; }
huge_file() {
    {
        cat "$ENGLISH_FILE"
        head -c 10485760 < <(yes $'9999=junk junk junk junk junk junk junk junk junk junk\r')
    } >"$PROG/Lang/English.lng"
}

pipe_file() { rm -f "$PROG/Lang/English.lng" && mkfifo "$PROG/Lang/English.lng"; }
oversized_file() { cp "$ENGLISH_FILE" "$PROG/Lang/English.lng" && truncate -s 20M "$PROG/Lang/English.lng"; }

run_case no-lang-folder no_folder "$ITALIAN"
run_case empty-lang-folder empty_folder "$ITALIAN"
run_case binary-file binary_file "$EMPTY"
run_case cut-file cut_file "$ENGLISH"
run_case ten-megabyte-file huge_file "$ENGLISH"
run_case named-pipe pipe_file "$ITALIAN"
run_case twenty-megabyte-file oversized_file "$ITALIAN"
e2e_log "passed"
