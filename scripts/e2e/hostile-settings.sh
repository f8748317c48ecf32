#!/usr/bin/env bash
# Both programs started together on one settings file that a user's disk may
# hold in any state: read-only, missing, empty, zero-filled, ten megabytes,
# binary, with LF line ends or a byte-order mark; or something that is no
# file to read: a named pipe, a link to a device, or twenty megabytes, more
# than any settings file holds. Each time both windows must come up, both
# programs must end cleanly when asked, and the file must then hold what the
# tutor saved (or, read-only or unreadable, be left exactly as it was).
#
# Usage: hostile-settings.sh BIN_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/tutor-lib.sh"
e2e_begin "$1"
e2e_xvfb 1024x768

VALID=$'[Options]\r\nBackColor=5\r\nCategory=1\r\nBookmark=LEZIONE2\r\n[Language]\r\nCurrentLanguage=Italian\r\n'


# run_case NAME MAKE EXPECT: MAKE writes the settings file ($INI); EXPECT is
# "defaults", "kept" (the values of VALID survive) or "untouched".
run_case() {
    local name=$1 make=$2 expect=$3
    e2e_log "=== settings file: $name"
    PROG="$E2E_WORK/$name"
    e2e_program_folder "$PROG"
    INI="$PROG/Zentavo.ini"
    $make
    local before=""
    [[ -f $INI ]] && before=$(sha256sum <"$INI")
    local kind
    kind=$(stat -c %F "$INI" 2>/dev/null || echo none)

    local t0=$SECONDS
    e2e_start TUTOR "$PROG/Zentavo"
    e2e_start EDITOR "$PROG/EditorZentavo"
    tutor_main
    local editor
    editor=$(e2e_window '^Editor Zentavo' 20)
    tutor_wait_welcome
    e2e_log "both windows up after $((SECONDS - t0)) s"
    e2e_shot "$name"
    xdotool windowfocus --sync "$editor" 2>/dev/null || true
    e2e_keys alt+c
    e2e_wait_exit "$EDITOR" 10
    e2e_expect_eq "$name: editor exit status" 0 "$E2E_STATUS"
    tutor_quit
    e2e_wait_exit "$TUTOR" 15
    e2e_expect_eq "$name: tutor exit status" 0 "$E2E_STATUS"

    case $expect in
    untouched)
        e2e_expect_eq "$name: the read-only file" "$before" "$(sha256sum <"$INI")"
        ;;
    special)
        e2e_expect_eq "$name: still what it was" "$kind" "$(stat -c %F "$INI")"
        ;;
    kept)
        e2e_expect_eq "$name: BackColor" 5 "$(e2e_ini "$INI" Options BackColor)"
        e2e_expect_eq "$name: Category" 1 "$(e2e_ini "$INI" Options Category)"
        e2e_expect_eq "$name: Bookmark" LEZIONE2 "$(e2e_ini "$INI" Options Bookmark)"
        ;;
    defaults)
        e2e_expect_eq "$name: Song" 1 "$(e2e_ini "$INI" Options Song)"
        e2e_expect_eq "$name: BackColor" 0 "$(e2e_ini "$INI" Options BackColor)"
        e2e_expect_eq "$name: Category" 0 "$(e2e_ini "$INI" Options Category)"
        ;;
    esac
    [[ $expect == untouched || $expect == special ]] ||
        e2e_expect_eq "$name: CurrentLanguage" Italian "$(e2e_ini "$INI" Language CurrentLanguage)"
    local leftovers
    leftovers=$(find "$PROG" -maxdepth 1 -name '.Zentavo.ini*' | wc -l)
    e2e_expect_eq "$name: temporary files left" 0 "$leftovers"
    rm -rf "$PROG"
}

make_readonly() { printf '%s' "$VALID" >"$INI" && chmod 444 "$INI"; }
make_missing() { rm -f "$INI"; }
make_empty() { : >"$INI"; }
make_zeros() { head -c 65536 /dev/zero >"$INI"; }
make_huge() {
    {
        printf '[Junk]\r\n'
        head -c 10485760 < <(yes $'junk=xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\r')
        printf '\r\n%s' "$VALID"
    } >"$INI"
}
make_binary() { head -c 200000 "$PROG/Zentavo" >"$INI"; } # binary bytes, the same every run
make_lf() { printf '%s' "$VALID" | tr -d '\r' >"$INI"; }
make_bom() { printf '\xEF\xBB\xBF%s' "$VALID" >"$INI"; }
make_pipe() { mkfifo "$INI"; }
make_device() { ln -s /dev/zero "$INI"; }
make_oversized() { printf '%s' "$VALID" >"$INI" && truncate -s 20M "$INI"; }

run_case read-only make_readonly untouched
run_case missing make_missing defaults
run_case empty make_empty defaults
run_case zero-filled make_zeros defaults
run_case ten-megabytes make_huge kept
run_case binary make_binary defaults
run_case lf-only make_lf kept
run_case byte-order-mark make_bom kept
run_case named-pipe make_pipe special
run_case link-to-device make_device special
run_case twenty-megabytes make_oversized untouched
e2e_log "passed"
