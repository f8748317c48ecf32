#!/usr/bin/env bash
# The tutor's course as a pupil follows it from one start to the next: the
# course header chosen in the exercise list, the first course file typed to
# the end of its fifteen sentences, "Termina", Yes to the bookmark question;
# at the next start the course list picks the file after the bookmarked one,
# and Cancel to the question keeps the bookmark.
#
# Usage: tutor-course.sh BIN_DIR [WIDTHxHEIGHT]
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb "${2:-1024x768}"

PROG="$E2E_WORK/Programma"
e2e_program_folder "$PROG"

# A course of three files with five sentences a level, so that they come in
# order; the names on disk are in small letters, the list shows capitals.
rm -rf "$PROG/CorsoZentavo"
mkdir -p "$PROG/CorsoZentavo"
course_file() { # course_file NAME WORD
    {
        printf '[Editor Zentavo]\r\nVersione=3.0.0\r\n'
        local level n
        for level in 1 2 3; do
            printf '[Livello%d]\r\n' "$level"
            for n in 1 2 3 4 5; do printf '%d=%s %d %d\r\n' "$n" "$2" "$level" "$n"; done
        done
    } >"$PROG/CorsoZentavo/$1.ftd"
}
course_file lezione1 uno
course_file lezione2 due
course_file lezione3 tre


# The exercise list: the exercises header, then the course header.
choose_course() {
    tutor_click list
    local popup
    popup=$(tutor_other_window '' 5) || e2e_fail "the exercise list did not open"
    e2e_shot exercise-list-open
    e2e_keys Down Return
    sleep 0.5
}

caption() { # caption FILE SENTENCE
    local level=$((($2 - 1) / 5)) n=$((($2 - 1) % 5 + 1))
    local texts=("-  Primo livello: frase" "-  Secondo livello: frase " "-  Terzo livello: frase ")
    printf 'Zentavo  - %s.ftd %s %d' "$1" "${texts[level]}" "$n"
}

# --- first start: the course from its first file to the end ---------------
e2e_start TUTOR "$PROG/Zentavo"
tutor_main
tutor_wait_welcome
choose_course
e2e_shot course-chosen
for k in $(seq 15); do
    if [[ $k -eq 6 || $k -eq 11 ]]; then
        tutor_results
        tutor_answer_results alt+c
    fi
    tutor_start "$(caption LEZIONE1 "$k")"
    tutor_type "uno $(((k - 1) / 5 + 1)) $(((k - 1) % 5 + 1))"
done
tutor_results
e2e_shot course-results
tutor_answer_results alt+t
# "Termina" ends the program, which asks whether to keep the bookmark.
tutor_answer_question Return
e2e_wait_exit "$TUTOR" 15
e2e_expect_eq "exit status after Termina" 0 "$E2E_STATUS"
e2e_expect_eq "Bookmark" LEZIONE1 "$(e2e_ini "$PROG/Zentavo.ini" Options Bookmark)"

# --- second start: the course goes on with the next file --------------------
e2e_start TUTOR "$PROG/Zentavo"
tutor_main
tutor_wait_welcome
choose_course
tutor_start "$(caption LEZIONE2 1)"
e2e_shot second-file-started
tutor_type "due 1 1"
tutor_quit
# Cancel to the bookmark question keeps the bookmark as it was.
tutor_answer_question Escape
e2e_wait_exit "$TUTOR" 15
e2e_expect_eq "exit status after Escape" 0 "$E2E_STATUS"
e2e_expect_eq "Bookmark after Cancel" LEZIONE1 "$(e2e_ini "$PROG/Zentavo.ini" Options Bookmark)"
e2e_log "passed"
