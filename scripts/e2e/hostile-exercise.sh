#!/usr/bin/env bash
# The tutor given exercise files that its editor would never write. A file
# with Unix line ends, "¦¦" at the start, at the end and twice, UTF-8 text and
# a two-letter line is typed to the end of its first level (each sentence as
# the tutor must make it typeable), then its empty second level brings the
# built-in sentences. Binary, zeroed, 5,000-character, holed, missing and
# folder "files", a named pipe, a link to a device and a file of twenty
# megabytes must each give a sentence and a clean end; so must a file that
# becomes a named pipe between two sentences.
#
# Usage: hostile-exercise.sh BIN_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb 1024x768

PROG="$E2E_WORK/Programma"
e2e_program_folder "$PROG"
EX="$PROG/Esercizi"

caption() { # caption FILE LEVEL N
    local texts=("" "-  Primo livello: frase" "-  Secondo livello: frase " "-  Terzo livello: frase ")
    printf 'Zentavo  - %s %s %d' "$1" "${texts[$2]}" "$3"
}

# --- level 1 of odd sentences, typed; level 2 empty --------------------------
# Windows-1252 bytes written as they are ("¦" is A6), with Unix line ends.
{
    printf '[Livello1]\n'
    printf '1=\xA6\xA6seconda riga\n'
    printf '2=prima riga\xA6\xA6\n'
    printf '3=uno\xA6\xA6due\xA6\xA6tre\n'
    printf '4=perch\xC3\xA9 citt\xC3\xA0\n' # UTF-8, as another editor would save it
    printf '5=ab\n'
    printf '[Livello2]\n1=\n[Livello3]\n1=terzo\n'
} >"$EX/strane.ftd"

e2e_start TUTOR "$PROG/Zentavo" "$EX/strane.ftd"
tutor_main
tutor_wait_welcome
tutor_start "$(caption strane.ftd 1 1)"
tutor_focus
e2e_keys Return # the sentence opens with its line break
e2e_type "seconda riga"
tutor_start "$(caption strane.ftd 1 2)"
tutor_type "prima riga"
e2e_keys Return # and this one closes with it
tutor_start "$(caption strane.ftd 1 3)"
e2e_shot second-separator-dropped
tutor_type "uno" "duetre" # "¦" has no key: the second separator is dropped
tutor_start "$(caption strane.ftd 1 4)"
e2e_shot utf8-sentence
tutor_type "perch citt" # the UTF-8 bytes of the accents have no key
tutor_start "$(caption strane.ftd 1 5)"
tutor_type "abab" # a line of two letters is repeated
tutor_results
e2e_shot first-level-results
tutor_answer_results alt+c
tutor_start "$(caption strane.ftd 2 1)"
e2e_shot empty-level-built-in-sentence
tutor_quit
e2e_wait_exit "$TUTOR" 15
e2e_expect_eq "exit status" 0 "$E2E_STATUS"

# --- files that give no sentence of their own --------------------------------
# start_and_quit NAME [CAPTION]: the tutor on Esercizi/NAME gives a sentence,
# takes a few keys and ends cleanly.
start_and_quit() {
    local name=$1 expected=${2:-$(caption "$1" 1 1)}
    e2e_log "=== $name"
    e2e_start TUTOR "$PROG/Zentavo" "$EX/$name"
    tutor_main
    tutor_wait_welcome
    tutor_start "$expected"
    tutor_type "ab"
    e2e_shot "${name%.ftd}"
    tutor_quit
    e2e_wait_exit "$TUTOR" 15
    e2e_expect_eq "$name: exit status" 0 "$E2E_STATUS"
}

head -c 100000 "$PROG/Zentavo" >"$EX/binario.ftd"
head -c 65536 /dev/zero >"$EX/zeri.ftd"
{
    printf '[Livello1]\r\n'
    for n in 1 2 3 4 5; do
        printf '%d=' "$n"
        head -c 5000 < <(yes 'parola lunga ' | tr -d '\n')
        printf '\r\n'
    done
} >"$EX/righe lunghe.ftd"
printf '[Livello1]\r\n15=quindici\r\n1=uno\r\n3=tre\r\n6=sei\r\n9=nove\r\n' >"$EX/buchi.ftd"
mkdir -p "$EX/cartella.ftd"

start_and_quit binario.ftd
start_and_quit zeri.ftd
start_and_quit "righe lunghe.ftd"
start_and_quit buchi.ftd
# A folder, a pipe, a device or a file larger than any exercise is no
# exercise file, and neither is a missing one: the built-in sentences are
# used.
BUILT_IN="Zentavo - Frasi interne  -  Primo livello: frase 1"
mkfifo "$EX/tubo.ftd"
ln -s /dev/zero "$EX/zeri infiniti.ftd"
printf '[Livello1]\r\n1=grande\r\n' >"$EX/enorme.ftd"
truncate -s 20M "$EX/enorme.ftd"
start_and_quit cartella.ftd "$BUILT_IN"
start_and_quit manca.ftd "$BUILT_IN"
start_and_quit tubo.ftd "$BUILT_IN"
start_and_quit "zeri infiniti.ftd" "$BUILT_IN"
start_and_quit enorme.ftd "$BUILT_IN"

# --- an exercise that becomes a pipe between two sentences --------------------
printf '[Livello1]\r\n1=uno\r\n2=due\r\n3=tre\r\n4=quattro\r\n5=cinque\r\n' >"$EX/scambio.ftd"
e2e_start TUTOR "$PROG/Zentavo" "$EX/scambio.ftd"
tutor_main
tutor_wait_welcome
tutor_start "$(caption scambio.ftd 1 1)"
tutor_type "uno"
rm "$EX/scambio.ftd"
mkfifo "$EX/scambio.ftd"
# The next sentence is a built-in one; the tutor is not held by the pipe.
tutor_start "$(caption scambio.ftd 1 2)"
e2e_shot swapped-for-a-pipe
tutor_quit
e2e_wait_exit "$TUTOR" 15
e2e_expect_eq "swapped for a pipe: exit status" 0 "$E2E_STATUS"
e2e_log "passed"
