#!/usr/bin/env bash
# The keys the tutor answers with a message on their release each bring one
# message, once: F1 without help pages, Escape answered No, and Caps Lock,
# which must also end up switched off.
#
# Usage: single-dialog.sh BIN_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb 1024x768

PROG="$E2E_WORK/Programma"
e2e_program_folder "$PROG"
rm -rf "$PROG/help"

caps_lock() { xset q | awk '/Caps Lock:/ {print $4}'; }

# one_message WHAT KEY TITLE: closes the message that just came with KEY and checks
# that no second one follows (a second one is closed too, and noted).
TWICE=()
one_message() {
    tutor_answer_question "$2" "$3"
    sleep 1
    if box=$(tutor_other_window "$3" 1); then
        e2e_shot "second-message-$1"
        xdotool windowfocus --sync "$box" 2>/dev/null || true
        e2e_keys "$2"
        TWICE+=("$1")
        e2e_log "FAULT: $1 brought its message twice"
        sleep 0.5
    else
        e2e_log "ok: $1 brought one message"
    fi
}

e2e_start TUTOR "$PROG/Zentavo"
tutor_main
tutor_wait_welcome

tutor_focus
e2e_keys F1
one_message F1 Return "^Zentavo$"

tutor_focus
e2e_keys Escape
one_message Escape-No alt+n "^Zentavo$"

tutor_focus
e2e_keys Caps_Lock
one_message Caps-Lock Return "^Attenzione!$"
e2e_expect_eq "Caps Lock after the warning" off "$(caps_lock)"

tutor_quit
e2e_wait_exit "$TUTOR" 15
e2e_expect_eq "tutor exit status" 0 "$E2E_STATUS"
[[ ${#TWICE[@]} -eq 0 ]] || e2e_fail "messages shown twice: ${TWICE[*]}"
e2e_log "passed"
