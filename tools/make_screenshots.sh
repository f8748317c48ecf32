#!/usr/bin/env bash
# Takes the screenshots the AppStream metadata shows (packaging/screenshots/,
# published under https://zentavo.example.org/screenshots/): the tutor's
# start screen, a sentence of the course being typed, and the editor with a
# new exercise (its window alone), on a 1280 x 800 screen. The metadata
# states each picture's size: keep them in step when a window changes.
#
# Usage: tools/make_screenshots.sh [BIN_DIR]   (default build/dev/bin)
source "$(dirname "$0")/../scripts/e2e/lib.sh"
source "$(dirname "$0")/../scripts/e2e/tutor-lib.sh"
out=$(cd "$(dirname "$0")/../packaging" && pwd)/screenshots
e2e_begin "${1:-build/dev/bin}"
e2e_xvfb 1280x800
mkdir -p "$out"
keep() { import -window "${2:-root}" "$out/$1.png" && e2e_log "kept $out/$1.png"; }

# The editor shows the file's path: a short one reads better than the
# scratch folder's.
PROG=/tmp/scuola/Zentavo
rm -rf /tmp/scuola
trap 'rm -rf /tmp/scuola; e2e_end' EXIT
e2e_program_folder "$PROG"

e2e_start TUTOR "$PROG/Zentavo" "/Proverbi.ftd"
tutor_main
tutor_wait_welcome
keep zentavo-start
tutor_focus
e2e_keys Return
sleep 3
tutor_focus
e2e_type "chi dorme"
sleep 1
keep zentavo-typing
kill "$TUTOR"

e2e_start EDITOR "$PROG/EditorZentavo"
MAIN=$(e2e_focus '^Editor Zentavo')
e2e_keys alt+n
e2e_focus '^Digita il nome del nuovo file' >/dev/null
e2e_type "$PROG/Esercizi/Gli animali della fattoria"
e2e_keys Return
e2e_no_window '^Digita il nome del nuovo file'
sleep 0.5
xdotool windowfocus --sync "$MAIN"
e2e_type "La mucca bruca l'erba nel prato."
sleep 0.5
keep editorzentavo "$MAIN"
