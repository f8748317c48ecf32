# Shared helpers of the end-to-end tests: a private X server with the Italian
# layout, a temporary copy of the program folder, starting the real programs,
# waiting for their windows, typing, reading text boxes and screenshots.
#
# A test script sources this file, calls e2e_begin with the folder of the
# built programs, and fails through e2e_fail; everything it started is ended
# when it exits.

set -euo pipefail

E2E_PIDS=()
E2E_STEP=0

e2e_log() { printf '[%s] %s\n' "$(date +%H:%M:%S)" "$*"; }

# e2e_begin BIN_DIR: a scratch folder, the artifacts folder and the cleanup.
e2e_begin() {
    E2E_BIN=$(cd "$1" && pwd)
    E2E_NAME=$(basename "$0" .sh)
    E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/zentavo-e2e-$E2E_NAME-XXXXXX")
    E2E_SHOTS=${E2E_ARTIFACTS:-$E2E_WORK/shots}
    rm -rf "$E2E_SHOTS"
    mkdir -p "$E2E_SHOTS"
    # Private home and runtime folders: the single-instance locks and any
    # per-user file live there, so tests never meet each other or the user.
    export HOME="$E2E_WORK/home"
    export XDG_RUNTIME_DIR="$E2E_WORK/runtime"
    export XDG_CONFIG_HOME="$HOME/.config"
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    unset QT_QPA_PLATFORM
    trap e2e_end EXIT
    e2e_log "work folder $E2E_WORK, screenshots in $E2E_SHOTS"
}

e2e_end() {
    local status=$?
    local i
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${E2E_PIDS[i]}" 2>/dev/null || true
    done
    sleep 0.2
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        kill -9 "${E2E_PIDS[i]}" 2>/dev/null || true
    done
    if [[ $status -eq 0 && -z ${E2E_KEEP:-} ]]; then
        rm -rf "$E2E_WORK"
    else
        e2e_log "kept $E2E_WORK"
    fi
    exit "$status"
}

e2e_fail() {
    e2e_log "FAIL: $*"
    e2e_shot "failure" || true
    local w
    for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        e2e_log "  window $w: $(xdotool getwindowname "$w" 2>/dev/null)"
    done
    exit 1
}

# e2e_xvfb WIDTHxHEIGHT: a private X server on a free display, Italian layout.
e2e_xvfb() {
    local size=$1
    local fifo="$E2E_WORK/display-$size"
    : >"$fifo"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -noreset -nolisten tcp 3>"$fifo" \
        >"$E2E_WORK/xvfb-$size.log" 2>&1 &
    E2E_XVFB=$!
    E2E_PIDS+=("$E2E_XVFB")
    local n
    for n in $(seq 100); do
        [[ -s $fifo ]] && break
        sleep 0.05
    done
    [[ -s $fifo ]] || e2e_fail "Xvfb did not start"
    export DISPLAY=":$(tr -d '\n' <"$fifo")"
    setxkbmap it || e2e_fail "setxkbmap it failed"
    e2e_log "Xvfb $size on $DISPLAY"
}

e2e_stop_xvfb() {
    kill "$E2E_XVFB" 2>/dev/null || true
    wait "$E2E_XVFB" 2>/dev/null || true
}

# e2e_program_folder DEST: a copy of the programs and the data beside them.
e2e_program_folder() {
    local dest=$1 item
    mkdir -p "$dest"
    for item in Zentavo EditorZentavo modules Lang Esercizi CorsoZentavo help; do
        [[ -e "$E2E_BIN/$item" ]] && cp -r "$E2E_BIN/$item" "$dest/"
    done
    return 0
}

# e2e_start VAR PROGRAM [ARGS...]: starts a program, its pid into VAR.
e2e_start() {
    local var=$1
    shift
    E2E_STEP=$((E2E_STEP + 1))
    local log="$E2E_WORK/${1##*/}-$E2E_STEP.log"
    "$@" >"$log" 2>&1 &
    local pid=$!
    E2E_PIDS+=("$pid")
    printf -v "$var" '%s' "$pid"
    e2e_log "started $* (pid $pid, log $log)"
}

# e2e_wait_exit PID SECONDS: waits for the program to end; its exit status
# into E2E_STATUS, or a failure when it runs on.
e2e_wait_exit() {
    local pid=$1 seconds=${2:-10} n
    for n in $(seq $((seconds * 20))); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$pid" 2>/dev/null && e2e_fail "pid $pid still runs after $seconds s"
    E2E_STATUS=0
    wait "$pid" || E2E_STATUS=$?
}

# e2e_window REGEX [SECONDS]: the id of the visible window whose name matches.
e2e_window() {
    local regex=$1 seconds=${2:-15} n id
    for n in $(seq $((seconds * 10))); do
        id=$(xdotool search --onlyvisible --name "$regex" 2>/dev/null | tail -n 1 || true)
        if [[ -n $id ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "no window named /$regex/ within $seconds s"
}

# e2e_no_window REGEX [SECONDS]: waits until no visible window matches.
e2e_no_window() {
    local regex=$1 seconds=${2:-10} n
    for n in $(seq $((seconds * 10))); do
        xdotool search --onlyvisible --name "$regex" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    e2e_fail "window /$regex/ still open after $seconds s"
}

# e2e_focus REGEX: gives the keyboard to that window and prints its id.
e2e_focus() {
    local id
    id=$(e2e_window "$1" "${2:-15}")
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    echo "$id"
}

# e2e_click X Y: a left click at a point of the screen. (mousemove --sync
# would wait for ever when the pointer already stands there.)
e2e_click() {
    xdotool mousemove "$1" "$2"
    sleep 0.15
    xdotool click 1
    sleep 0.3
}

e2e_keys() { xdotool key --delay 60 "$@"; }
e2e_type() { xdotool type --delay "${E2E_TYPE_DELAY:-25}" -- "$1"; }

# e2e_copy_focused: the text of the focused text box, through the clipboard.
e2e_copy_focused() {
    printf '' | xclip -selection clipboard -i >/dev/null 2>&1
    e2e_keys ctrl+a ctrl+c
    sleep 0.2
    xclip -selection clipboard -o 2>/dev/null || true
}

# e2e_shot NAME: a screenshot of the whole screen into the artifacts folder.
e2e_shot() {
    E2E_STEP=$((E2E_STEP + 1))
    local file
    file="$E2E_SHOTS/$(printf '%02d' "$E2E_STEP")-$1.png"
    import -window root "$file" 2>/dev/null && e2e_log "screenshot $file"
}

# e2e_expect_eq WHAT EXPECTED ACTUAL
e2e_expect_eq() {
    [[ "$2" == "$3" ]] || e2e_fail "$1: expected [$2], got [$3]"
    e2e_log "ok: $1 = [$3]"
}

# e2e_cp1252 TEXT: the Windows-1252 bytes of a UTF-8 text.
e2e_cp1252() { printf '%s' "$1" | iconv -f UTF-8 -t CP1252; }

# e2e_wait_file PATH [SECONDS]: waits until the file exists.
e2e_wait_file() {
    local n
    for n in $(seq $((${2:-10} * 10))); do
        [[ -f $1 ]] && return 0
        sleep 0.1
    done
    e2e_fail "no file $1"
}

# e2e_ini FILE SECTION KEY: a value of an INI file, as a reader of the
# format finds it (a byte-order mark and CR line ends allowed).
e2e_ini() {
    sed '1s/^\xEF\xBB\xBF//' "$1" | tr -d '\r' | awk -F= -v s="[$2]" -v k="$3" \
        '/^\[/ {in_s = ($0 == s)} in_s && $1 == k {print substr($0, length(k) + 2); exit}'
}
