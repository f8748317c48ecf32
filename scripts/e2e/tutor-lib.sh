# Helpers for driving the tutor: its main window, starting sentences, typing
# them, the results window, the questions at the end. Sourced after lib.sh.
#
# The tutor's panels are drawn, not native windows, so the few clicks the
# tests need go to points of the layout; tutor_point names them for the two
# screen sizes the tests use.

TUTOR_WIN=""
TUTOR_MAP=""

# tutor_main: the id of the main window (the largest window named Zentavo...).
tutor_main() {
    local id n
    for n in $(seq 150); do
        for id in $(xdotool search --onlyvisible --class '^Zentavo$' 2>/dev/null); do
            if [[ $(xdotool getwindowgeometry "$id" | awk '/Geometry/ {split($2, s, "x"); print s[1]}') -ge 800 ]]; then
                TUTOR_WIN=$id
                return 0
            fi
        done
        sleep 0.1
    done
    e2e_fail "no main window of the tutor"
}

# tutor_wait_welcome: waits for the start screen to end, which it does by
# sliding in the key map window (a second window named Zentavo); Enter
# pressed before that would start a sentence under the welcome's feet.
tutor_wait_welcome() {
    local n id last="" same=0
    for n in $(seq 150); do
        for id in $(xdotool search --onlyvisible --class '^Zentavo$' 2>/dev/null); do
            [[ $id == "$TUTOR_WIN" ]] && continue
            TUTOR_MAP=$id
            local where
            where=$(xdotool getwindowgeometry "$id" 2>/dev/null | tr -d '\n')
            if [[ $where == "$last" ]]; then
                same=$((same + 1))
            else
                same=0
                last=$where
            fi
        done
        if [[ $same -ge 5 ]]; then
            e2e_log "start screen done after $((n / 10)).$((n % 10)) s of waiting"
            sleep 0.3
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "the start screen never showed the key map"
}

tutor_caption() { xdotool getwindowname "$TUTOR_WIN"; }

tutor_focus() { xdotool windowfocus --sync "$TUTOR_WIN" 2>/dev/null || true; }

# tutor_point NAME: screen coordinates "x y" of a control of the main window.
tutor_point() {
    local size
    size=$(xdotool getdisplaygeometry | tr ' ' 'x')
    case "$size:$1" in
    1024x768:esperto) echo "308 277" ;;
    1024x768:principiante) echo "99 277" ;;
    1024x768:list) echo "632 277" ;;
    1024x768:help) echo "996 260" ;;
    1024x768:sounds) echo "996 312" ;;
    1024x768:theme) echo "996 468" ;;
    800x600:esperto) echo "257 214" ;;
    800x600:principiante) echo "109 214" ;;
    800x600:list) echo "485 214" ;;
    800x600:help) echo "762 188" ;;
    800x600:sounds) echo "762 234" ;;
    800x600:theme) echo "762 372" ;;
    *) e2e_fail "no point $1 on a screen of $size" ;;
    esac
}

tutor_click() {
    local point
    point=$(tutor_point "$1")
    # shellcheck disable=SC2086
    e2e_click $point
}

# A window of the tutor other than the main window and the key map whose
# name (as the window manager would show it) matches REGEX; its id.
tutor_other_window() {
    local regex=$1 seconds=${2:-15} n id
    for n in $(seq $((seconds * 10))); do
        for id in $(xdotool search --onlyvisible --class '^Zentavo$' 2>/dev/null); do
            [[ $id == "$TUTOR_WIN" || $id == "$TUTOR_MAP" ]] && continue
            if [[ $(xdotool getwindowname "$id" 2>/dev/null) =~ $regex ]]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# tutor_start CAPTION: presses Enter until the caption reads CAPTION (the
# start screen types itself out and a finished sentence pauses for up to
# three seconds, during which Enter is swallowed).
tutor_start() {
    local expected=$1 n k
    for n in $(seq 40); do
        tutor_focus
        e2e_keys Return
        for k in $(seq 5); do
            sleep 0.1
            [[ $(tutor_caption) == "$expected" ]] && {
                e2e_log "ok: caption [$expected]"
                sleep 0.2
                return 0
            }
        done
    done
    e2e_fail "caption [$(tutor_caption)] never became [$expected]"
}

# tutor_results: presses Enter until the results window opens; its id.
tutor_results() {
    local n id
    for n in $(seq 40); do
        tutor_focus
        e2e_keys Return
        if id=$(tutor_other_window '^Zentavo$' 1); then
            TUTOR_RESULTS=$id
            e2e_log "results window $id"
            sleep 0.5
            return 0
        fi
    done
    e2e_fail "no results window"
}

# tutor_type LINE [LINE2]: types a sentence, Enter between its lines.
tutor_type() {
    tutor_focus
    e2e_type "$1"
    if [[ $# -gt 1 ]]; then
        e2e_keys Return
        e2e_type "$2"
    fi
}

# tutor_answer_results KEY: presses a button of the results window by its
# access key (alt+c Continua, alt+t Termina) and waits for it to close.
tutor_answer_results() {
    xdotool windowfocus --sync "$TUTOR_RESULTS" 2>/dev/null || true
    e2e_keys "$1"
    local n
    for n in $(seq 50); do
        xdotool getwindowname "$TUTOR_RESULTS" >/dev/null 2>&1 || return 0
        xwininfo -id "$TUTOR_RESULTS" 2>/dev/null | grep IsViewable >/dev/null || return 0
        sleep 0.1
    done
    e2e_fail "the results window stayed open"
}

# tutor_answer_question KEY [TITLE]: answers the next question or message box
# of the tutor (titled "Zentavo" unless TITLE says otherwise) and waits for
# the box to go.
tutor_answer_question() {
    local box n
    box=$(tutor_other_window "${2:-^Zentavo$}" 10) || e2e_fail "no box titled ${2:-Zentavo}"
    e2e_shot "question"
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    e2e_keys "$1"
    for n in $(seq 50); do
        xwininfo -id "$box" 2>/dev/null | grep IsViewable >/dev/null || return 0
        sleep 0.1
    done
    e2e_fail "the question box stayed after $1"
}

# tutor_quit: Escape, then Yes to "Vuoi chiudere il programma?".
tutor_quit() {
    tutor_focus
    e2e_keys Escape
    tutor_answer_question Return
}
