#!/usr/bin/env bash
# How the programs end and start when the desktop, the terminal or the disk
# has a say. SIGTERM (a logout), SIGINT (Ctrl+C) and SIGHUP (a closed
# terminal) end the tutor as closing its window does: the options the pupil
# changed are saved, also with the results window open, and no question
# waits for an answer. The editor ends on them too, with a message box open.
# A single-instance lock that is empty, garbled, written on another host or
# huge is taken over; where no lock can be made (a folder, a named pipe or a
# link to a device at its path) the programs run without one and say so on
# standard error.
#
# Usage: hostile-signals.sh BIN_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb 1024x768

PROG="$E2E_WORK/Programma"
e2e_program_folder "$PROG"
INI="$PROG/Zentavo.ini"
LOCK="$XDG_RUNTIME_DIR/Zentavo.lock"

# The pupil changes two options, then the signal comes.
signal_case() { # signal_case SIGNAL
    e2e_log "=== tutor and $1"
    rm -f "$INI"
    e2e_start TUTOR "$PROG/Zentavo"
    tutor_main
    tutor_wait_welcome
    tutor_click theme
    tutor_click sounds
    sleep 0.5
    kill -s "$1" "$TUTOR"
    e2e_wait_exit "$TUTOR" 15
    e2e_expect_eq "$1: tutor exit status" 0 "$E2E_STATUS"
    e2e_expect_eq "$1: BackColor saved" 1 "$(e2e_ini "$INI" Options BackColor)"
    e2e_expect_eq "$1: Song saved" 0 "$(e2e_ini "$INI" Options Song)"
    e2e_expect_eq "$1: lock released" no "$([[ -e $LOCK ]] && echo yes || echo no)"
}
signal_case TERM
signal_case INT
signal_case HUP

# --- the results window open, in the course: no question holds the end ---------
e2e_log "=== tutor and TERM with the results window open"
rm -f "$INI" "$PROG"/CorsoZentavo/*.ftd
{
    printf '[Livello1]\r\n'
    for n in 1 2 3 4 5; do printf '%d=ab\r\n' "$n"; done
} >"$PROG/CorsoZentavo/lezione.ftd"
printf '[Options]\r\nBookmark=PRIMA\r\n' >"$INI"
e2e_start TUTOR "$PROG/Zentavo"
tutor_main
tutor_wait_welcome
tutor_click list
tutor_other_window '' 5 >/dev/null || e2e_fail "the exercise list did not open"
e2e_keys Down Return
sleep 0.5
tutor_click theme
for n in 1 2 3 4 5; do
    tutor_start "Zentavo  - LEZIONE.ftd -  Primo livello: frase $n"
    tutor_type "abab"
done
tutor_results
e2e_shot results-open-before-term
kill -s TERM "$TUTOR"
e2e_wait_exit "$TUTOR" 15
e2e_expect_eq "results open: tutor exit status" 0 "$E2E_STATUS"
e2e_expect_eq "results open: BackColor saved" 1 "$(e2e_ini "$INI" Options BackColor)"
e2e_expect_eq "results open: bookmark kept" PRIMA "$(e2e_ini "$INI" Options Bookmark)"

# --- the editor ---------------------------------------------------------------
for sig in TERM HUP; do
    e2e_log "=== editor and $sig with a message box open"
    rm -rf "$PROG/help"
    e2e_start EDITOR "$PROG/EditorZentavo"
    MAIN=$(e2e_focus '^Editor Zentavo')
    e2e_keys F1
    e2e_window '^Errore' 10 >/dev/null
    kill -s "$sig" "$EDITOR"
    e2e_wait_exit "$EDITOR" 10
    e2e_expect_eq "editor and $sig: exit status" 0 "$E2E_STATUS"
done

# --- locks ----------------------------------------------------------------------
# lock_case NAME MAKE STDERR: MAKE puts something at the lock's path; the
# tutor must come up and end cleanly; STDERR says whether it ran without the
# lock and told so.
lock_case() {
    local name=$1 make=$2 told=$3
    e2e_log "=== lock: $name"
    rm -rf "$LOCK"
    $make
    e2e_start TUTOR "$PROG/Zentavo"
    local log="$E2E_WORK/Zentavo-$E2E_STEP.log"
    tutor_main
    tutor_wait_welcome
    e2e_shot "lock-$name"
    tutor_quit
    e2e_wait_exit "$TUTOR" 15
    e2e_expect_eq "$name: tutor exit status" 0 "$E2E_STATUS"
    local said=no
    grep -q 'running without it' "$log" && said=yes
    e2e_expect_eq "$name: told on standard error" "$told" "$said"
}
lock_empty() { : >"$LOCK"; }
lock_garbage() { head -c 300 "$PROG/Zentavo" >"$LOCK"; }
lock_other_host() { printf '%s\nZentavo\nsome-other-host\n' $$ >"$LOCK"; }
lock_huge() { head -c 5000000 /dev/zero >"$LOCK"; }
lock_folder() { mkdir -p "$LOCK"; }
lock_pipe() { mkfifo "$LOCK"; }
lock_device() { ln -s /dev/zero "$LOCK"; }
lock_case empty lock_empty no
lock_case garbage lock_garbage no
lock_case other-host lock_other_host no
lock_case huge lock_huge no
lock_case folder lock_folder yes
lock_case named-pipe lock_pipe yes
lock_case link-to-device lock_device yes
rm -rf "$LOCK"

# A copy that really runs still keeps a second one out, without a word.
e2e_start TUTOR "$PROG/Zentavo"
tutor_main
e2e_start SECOND "$PROG/Zentavo"
e2e_wait_exit "$SECOND" 10
e2e_expect_eq "second copy's exit status" 0 "$E2E_STATUS"
e2e_expect_eq "second copy's words about the lock" 0 "$(grep -c -i lock "$E2E_WORK/Zentavo-$E2E_STEP.log")"
kill -s TERM "$TUTOR"
e2e_wait_exit "$TUTOR" 15
e2e_log "passed"
