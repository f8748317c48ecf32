#!/usr/bin/env bash
# Installs the Debian package on a clean Debian 12 made with debootstrap and
# uses both programs there as a pupil would: started through the Exec lines
# of their menu entries, under Xvfb, with the program folder out of reach.
# It checks where settings and exercises land and leaves screenshots for a
# person to look at. Needs root (debootstrap, chroot, mounts); takes minutes
# the first time (the clean root is kept and copied for every run).
#
# Usage: tests/install/clean-system.sh <zentavo_*.deb> [clean root] [shots folder]
set -euo pipefail

deb=$(realpath "$1")
base=${2:-/var/tmp/zentavo-clean-bookworm}
shots=$(realpath -m "${3:-build/install-shots}")
mirror=${MIRROR:-http://deb.debian.org/debian}
display=:${DISPLAY_NUMBER:-93}
work=$base.run
pupil=alunno

failures=0
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAIL: $what" >&2; failures=$((failures + 1)); fi
}

if [[ ! -x $base/bin/sh ]]; then
    command -v debootstrap >/dev/null || apt-get install -y -q debootstrap
    debootstrap bookworm "$base" "$mirror"
fi

started=()
xvfb=
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null || true
    for mount in tmp/.X11-unix dev/pts dev sys proc; do
        mountpoint -q "$work/$mount" && umount -l "$work/$mount"
    done
    return 0
}
trap cleanup EXIT

rm -rf "$work"
cp -a "$base" "$work"
for mount in proc sys dev dev/pts; do mount --bind "/$mount" "$work/$mount"; done
mkdir -p "$work/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$work/tmp/.X11-unix"
cp /etc/resolv.conf "$work/etc/resolv.conf"
cp "$deb" "$work/root/"
mkdir -p "$shots"

in_root() { chroot "$work" "$@"; }
as_pupil() {
    in_root mkdir -p "/tmp/runtime-$pupil"
    in_root chown "$pupil:$pupil" "/tmp/runtime-$pupil"
    in_root chmod 700 "/tmp/runtime-$pupil"
    chroot --userspec="$pupil:$pupil" "$work" env -i HOME="/home/$pupil" USER="$pupil" \
        DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="/tmp/runtime-$pupil" \
        PATH=/usr/bin:/bin LANG=C.UTF-8 sh -c "cd && $1"
}
# Starts a program as the pupil in the background and records its pid.
launch() {
    as_pupil "$1" >"$shots/$2.log" 2>&1 &
    started+=($!)
}
exec_line() { sed -n 's/^Exec=//p' "$work/usr/share/applications/$1.desktop"; }
shot() { DISPLAY=$display import -window root "$shots/$1.png"; }
window_of() { DISPLAY=$display timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
key() { DISPLAY=$display xdotool key --clearmodifiers "$@"; }
running() { pgrep -f "^$1" >/dev/null; }
wait_gone() {
    for _ in $(seq 50); do running "$1" || return 0; sleep 0.2; done
    return 1
}

export DEBIAN_FRONTEND=noninteractive
in_root apt-get update -q >/dev/null
in_root apt-get install --assume-no "./root/$(basename "$deb")" 2>/dev/null | grep 'After this' || true
in_root apt-get install -y -q "./root/$(basename "$deb")" >"$shots/apt.log" 2>&1
in_root useradd -m "$pupil"

Xvfb "$display" -screen 0 1280x800x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 2

home=$work/home/$pupil
settings=$home/.config/Zentavo/Zentavo.ini
exercises=$home/.local/share/Zentavo/Esercizi

# First run of the tutor: the start screen, then closed as the pupil would.
check "/opt/zentavo is out of the pupil's reach" as_pupil '! touch /opt/zentavo/probe 2>/dev/null'
launch "$(exec_line org.zentavo.Zentavo)" tutor-first
window_of '^Zentavo$' >/dev/null
sleep 4
shot tutor-first
key Escape
sleep 1
key Return
check "the tutor ends when asked" wait_gone /usr/bin/zentavo
check "settings saved in the pupil's folder" test -s "$settings"
check "nothing written beside the programs" test ! -e "$work/opt/zentavo/Zentavo.ini"

# Second run reads them back: a theme chosen in the file stays chosen.
sed -i 's/^BackColor=.*/BackColor=3\r/' "$settings"
launch "$(exec_line org.zentavo.Zentavo)" tutor-second
window_of '^Zentavo$' >/dev/null
sleep 4
shot tutor-second
key Escape
sleep 1
key Return
wait_gone /usr/bin/zentavo || true
check "the second run kept the theme" grep -q '^BackColor=3' "$settings"

# The editor makes an exercise in the pupil's folder through its dialogs.
# Without a window manager the keyboard goes to the window under the
# pointer, so the buttons are clicked where the window shows them.
click() { DISPLAY=$display xdotool mousemove --window "$1" "$2" "$3" click 1; }
launch "$(exec_line org.zentavo.EditorZentavo | sed 's/ %f//')" editor
editor=$(window_of 'Editor')
sleep 2
click "$editor" 616 24 # Nuovo
sleep 2
shot editor-new-file-dialog
DISPLAY=$display xdotool type --delay 40 Verbi
key Return
sleep 2
check "the editor created the exercise in the pupil's folder" test -s "$exercises/Verbi.ftd"
click "$editor" 363 227 # the first line
DISPLAY=$display xdotool type --delay 40 'io corro nel parco ogni mattina'
click "$editor" 521 126 # Salva
sleep 1
shot editor-saved
click "$editor" 686 317 # Chiudi
wait_gone /usr/bin/editorzentavo || true
check "the sentence is in the file" grep -q '^1=io corro nel parco ogni mattina' "$exercises/Verbi.ftd"

# The tutor takes it from the pupil's folder.
launch "/usr/bin/zentavo Verbi.ftd" tutor-exercise
window_of '^Zentavo$' >/dev/null
sleep 4
key Return
sleep 3
shot tutor-exercise-started
key Escape
sleep 1
key Return
wait_gone /usr/bin/zentavo || true

# The file manager's "open with": the editor's Exec line with the file.
launch "$(exec_line org.zentavo.EditorZentavo |
    sed "s|%f|/home/$pupil/.local/share/Zentavo/Esercizi/Verbi.ftd|")" editor-open
editor=$(window_of 'Editor')
sleep 2
shot editor-opened-file
click "$editor" 686 317 # Chiudi
wait_gone /usr/bin/editorzentavo || true

check "*.ftd is known as an exercise file" \
    grep -q 'application/x-zentavo-exercise:\*\.ftd' "$work/usr/share/mime/globs2"
check "the editor opens exercise files" \
    grep -q 'application/x-zentavo-exercise=org.zentavo.EditorZentavo.desktop' \
    "$work/usr/share/applications/mimeinfo.cache"

in_root apt-get purge -y -q zentavo >/dev/null 2>&1
check "purge leaves no program folder" test ! -e "$work/opt/zentavo"

echo "screenshots in $shots"
exit $((failures > 0))
