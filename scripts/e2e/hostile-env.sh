#!/usr/bin/env bash
# The programs on a machine that lacks things: no sound device (ALSA given an
# empty configuration), no printer, no help pages, no compositor (Xvfb has
# none), a keyboard layout that is not Italian, a program folder and a home
# whose paths hold accents, a euro sign and blanks; started a second time
# while running and again after being killed with kill -9; and a screen
# smaller than 800 x 600.
#
# Usage: hostile-env.sh BIN_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb 1024x768
setxkbmap us

PROG="$E2E_WORK/Programmi di Zoë/Città € 2"
e2e_program_folder "$PROG"
rm -rf "$PROG/help"
export HOME="$E2E_WORK/Casa di Zoë"
mkdir -p "$HOME"
: >"$E2E_WORK/empty-alsa.conf"
export ALSA_CONFIG_PATH="$E2E_WORK/empty-alsa.conf"
lpstat -d 2>/dev/null | grep 'system default destination' >/dev/null && e2e_log "note: a printer is installed here"

# The viewer that keyboard printing falls back on without a printer.
mkdir -p "$E2E_WORK/viewer" "$E2E_WORK/viewed"
cat >"$E2E_WORK/viewer/xdg-open" <<'EOF'
#!/usr/bin/env bash
url=${1#file://}
path=$(printf '%b' "${url//%/\\x}")
cp "$path" "$E2E_VIEWED/" 2>>"$E2E_VIEWED.log" || printf '%s\n' "$1" >"$E2E_VIEWED/not-a-file"
EOF
chmod +x "$E2E_WORK/viewer/xdg-open"
export PATH="$E2E_WORK/viewer:$PATH" E2E_VIEWED="$E2E_WORK/viewed"

layout() { setxkbmap -query | awk '/^layout/ {print $2}'; }

printf '[Livello1]\r\n1=Zoe è già qui\r\n2=due\r\n3=tre\r\n4=quattro\r\n5=cinque\r\n' |
    iconv -f UTF-8 -t CP1252 >"$PROG/Esercizi/Zoë.ftd"

# --- the tutor ------------------------------------------------------------------
e2e_start TUTOR "$PROG/Zentavo" "$PROG/Esercizi/Zoë.ftd"
tutor_main
tutor_wait_welcome
e2e_expect_eq "layout while the tutor runs" it "$(layout)"

# A second start ends at once, leaving the first alone.
e2e_start SECOND "$PROG/Zentavo"
e2e_wait_exit "$SECOND" 10
e2e_expect_eq "second tutor's exit status" 0 "$E2E_STATUS"
e2e_expect_eq "tutor main windows" 1 "$(xdotool search --onlyvisible --name '^Zentavo' | wc -l)"

# Sounds on without a device: a whole sentence of keystroke sounds.
tutor_start "Zentavo  - Zoë.ftd -  Primo livello: frase 1"
tutor_type "Zoe è già qui"
tutor_start "Zentavo  - Zoë.ftd -  Primo livello: frase 2"

# No help pages: F1 tells so and the tutor goes on.
tutor_focus
e2e_keys F1
tutor_answer_question Return
tutor_type "due"

# No printer: the keyboard is printed into a PDF handed to the viewer.
tutor_start "Zentavo  - Zoë.ftd -  Primo livello: frase 3"
e2e_click "$(tutor_point help | cut -d' ' -f1)" "$(tutor_point help | cut -d' ' -f2)"
ABOUT=$(tutor_other_window '^Informazioni' 10) || e2e_fail "no about box"
read -r AX AY < <(xdotool getwindowgeometry "$ABOUT" | awk -F'[ ,]+' '/Position/ {print $3, $4}')
e2e_shot about-box
e2e_click $((AX + 295)) $((AY + 234)) # "Stampa la tastiera di Zentavo!"
tutor_answer_question Return
for n in $(seq 100); do
    [[ -n $(ls "$E2E_VIEWED") ]] && break
    sleep 0.1
done
KEYBOARD_PDF=$(find "$E2E_VIEWED" -name '*.pdf' | head -n 1)
[[ -n $KEYBOARD_PDF ]] || e2e_fail "no keyboard PDF reached the viewer: $(ls "$E2E_VIEWED") $(cat "$E2E_VIEWED.log" 2>/dev/null)"
pdfinfo "$KEYBOARD_PDF" >/dev/null || e2e_fail "the keyboard PDF does not open"
pdftoppm -r 30 -png -singlefile "$KEYBOARD_PDF" "$E2E_SHOTS/keyboard-pdf"
e2e_log "ok: keyboard printed to $(basename "$KEYBOARD_PDF")"
xdotool windowfocus --sync "$ABOUT" 2>/dev/null || true
e2e_keys alt+c
e2e_no_window '^Informazioni'

# Killed: the next start takes the lock over and runs normally.
kill -9 "$TUTOR"
e2e_wait_exit "$TUTOR" 5
e2e_log "killed the tutor: status $E2E_STATUS"
setxkbmap us
e2e_start TUTOR "$PROG/Zentavo" "$PROG/Esercizi/Zoë.ftd"
tutor_main
tutor_wait_welcome
tutor_start "Zentavo  - Zoë.ftd -  Primo livello: frase 1"
tutor_type "Zoe è già qui"
e2e_shot after-kill
tutor_quit
e2e_wait_exit "$TUTOR" 15
e2e_expect_eq "tutor exit status" 0 "$E2E_STATUS"
e2e_expect_eq "layout after the tutor" us "$(layout)"
e2e_expect_eq "settings in the accented folder" Italian \
    "$(e2e_ini "$PROG/Zentavo.ini" Language CurrentLanguage)"

# --- the editor -----------------------------------------------------------------
setxkbmap it
e2e_start EDITOR "$PROG/EditorZentavo"
MAIN=$(e2e_focus '^Editor Zentavo')
e2e_start SECOND "$PROG/EditorZentavo"
e2e_wait_exit "$SECOND" 10
e2e_expect_eq "second editor's exit status" 0 "$E2E_STATUS"
e2e_expect_eq "editor windows" 1 "$(xdotool search --onlyvisible --name '^Editor Zentavo' | wc -l)"
kill -9 "$EDITOR"
e2e_wait_exit "$EDITOR" 5
e2e_start EDITOR "$PROG/EditorZentavo"
MAIN=$(e2e_focus '^Editor Zentavo')
e2e_keys F1
HELPBOX=$(e2e_window '^Errore' 10)
e2e_shot editor-help-missing
xdotool windowfocus --sync "$HELPBOX" 2>/dev/null || true
e2e_keys Return
e2e_no_window '^Errore'
xdotool windowfocus --sync "$MAIN"
e2e_keys alt+n
e2e_focus '^Digita il nome del nuovo file' >/dev/null
e2e_type "$PROG/Esercizi/Già fatto"
e2e_keys Return
e2e_wait_file "$PROG/Esercizi/Già fatto.ftd"
sleep 0.5
xdotool windowfocus --sync "$MAIN"
e2e_type "Però è così"
e2e_keys alt+s
sleep 0.5
e2e_keys alt+c
e2e_wait_exit "$EDITOR" 10
e2e_expect_eq "editor exit status" 0 "$E2E_STATUS"
e2e_expect_eq "sentence in the accented folder" "Però è così" \
    "$(e2e_ini "$PROG/Esercizi/Già fatto.ftd" Livello1 1 | iconv -f CP1252 -t UTF-8)"

# --- a folder name the code page cannot hold ----------------------------------
FAR="$E2E_WORK/Zentavo 漢字"
e2e_program_folder "$FAR"
e2e_start TUTOR "$FAR/Zentavo"
tutor_main
tutor_wait_welcome
e2e_shot folder-outside-the-code-page
tutor_start "Zentavo - Frasi interne  -  Primo livello: frase 1"
tutor_quit
e2e_wait_exit "$TUTOR" 15
e2e_expect_eq "tutor exit status in $FAR" 0 "$E2E_STATUS"
e2e_log "settings of that run: $(find "$E2E_WORK" -name Zentavo.ini -newer "$PROG/Zentavo.ini" | tr '\n' ' ')"

# --- a screen below 800 x 600 -----------------------------------------------------
e2e_stop_xvfb
e2e_xvfb 640x480
e2e_start TUTOR "$PROG/Zentavo"
BOX=$(e2e_window '^Zentavo' 20)
e2e_shot screen-too-small
xdotool windowfocus --sync "$BOX" 2>/dev/null || true
e2e_keys Return
e2e_wait_exit "$TUTOR" 10
e2e_expect_eq "tutor exit status on 640 x 480" 0 "$E2E_STATUS"
e2e_log "passed"
