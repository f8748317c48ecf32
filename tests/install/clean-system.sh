#!/usr/bin/env bash
# Installs the Debian package on a clean Debian 12 made with debootstrap and
# uses both programs there as a pupil and as a teacher would: started
# through the Exec lines of their menu entries, under Xvfb, with the
# installed places out of their reach. It checks that the programs take the
# course, exercises, languages and help from /usr/share/zentavo, the
# settings every user starts from from /etc/zentavo, and write only into the
# users' folders; that removing the package leaves only the users' files and
# purging it nothing in /etc; and it leaves screenshots for a person to look
# at. Needs root (debootstrap, chroot, mounts); takes minutes the first time
# (the clean root is kept and copied for every run).
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
teacher=maestra

failures=0
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAIL: $what" >&2; failures=$((failures + 1)); fi
}

if [[ ! -x $base/bin/sh ]]; then
    command -v debootstrap >/dev/null || { echo "debootstrap is missing (scripts/install-deps)" >&2; exit 1; }
    debootstrap --variant=minbase bookworm "$base" "$mirror"
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
rm -f "$shots"/*.png "$shots"/*.log

in_root() { chroot "$work" "$@"; }
# as USER COMMAND: runs a shell command as that user, as a desktop session
# would start it.
as() {
    local user=$1
    in_root mkdir -p "/tmp/runtime-$user"
    in_root chown "$user:$user" "/tmp/runtime-$user"
    in_root chmod 700 "/tmp/runtime-$user"
    chroot --userspec="$user:$user" "$work" env -i HOME="/home/$user" USER="$user" \
        DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="/tmp/runtime-$user" \
        PATH=/usr/bin:/bin LANG=C.UTF-8 sh -c "cd && $2"
}
# launch USER COMMAND LOG: starts a program in the background.
launch() {
    as "$1" "$2" >"$shots/$3.log" 2>&1 &
    started+=($!)
}
exec_line() { sed -n 's/^Exec=//p' "$work/usr/share/applications/$1.desktop"; }
shot() { DISPLAY=$display import -window root "$shots/$1.png"; }
window_of() { DISPLAY=$display timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
has_window() { [[ -n $(window_of "$1") ]]; }
key() { DISPLAY=$display xdotool key --clearmodifiers "$@"; }
# Without a window manager no window is active until it is given the
# keyboard; then its buttons' access keys work wherever the language's
# longer or shorter words have moved the buttons.
point() {
    DISPLAY=$display xdotool mousemove --window "$1" 380 150
    DISPLAY=$display xdotool windowfocus --sync "$1" 2>/dev/null || true
}
click() { DISPLAY=$display xdotool mousemove --window "$1" "$2" "$3" click 1; }
# The users exist only inside the clean system: pgrep is given their ids.
running() { pgrep -u "$(in_root id -u "$1")" -x "$2" >/dev/null; }
wait_gone() {
    for _ in $(seq 50); do running "$1" "$2" || return 0; sleep 0.2; done
    return 1
}
# Ends the program that shows the window, by its process id.
end_window() { kill "$(DISPLAY=$display xdotool getwindowpid "$1")" 2>/dev/null || true; }
# start_exercise NAME: presses Enter until the caption names the exercise
# (Enter is swallowed while the start screen still types itself out);
# false when it never does.
start_exercise() {
    for _ in $(seq 30); do
        key Return
        sleep 1
        DISPLAY=$display xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
    done
    return 1
}
quit_tutor() {
    key Escape
    sleep 1
    key Return
    wait_gone "$1" Zentavo
}

export DEBIAN_FRONTEND=noninteractive
in_root apt-get update -q >/dev/null
echo "install closure without Recommends:"
in_root apt-get install --assume-no --no-install-recommends "./root/$(basename "$deb")" 2>/dev/null |
    grep -E 'newly installed|After this' || true
echo "install closure with Recommends:"
in_root apt-get install --assume-no "./root/$(basename "$deb")" 2>/dev/null |
    grep -E 'newly installed|After this' || true
in_root apt-get install -y -q "./root/$(basename "$deb")" >"$shots/apt.log" 2>&1
in_root useradd -m "$pupil"
in_root useradd -m "$teacher"

check "nothing under /opt" sh -c "! chroot '$work' dpkg -L zentavo | grep -q '^/opt'"
check "the course is in /usr/share/zentavo" \
    test "$(ls "$work/usr/share/zentavo/CorsoZentavo/"*.ftd | wc -l)" -eq 13
check "the settings file is a conffile" \
    grep -qx ' */etc/zentavo/Zentavo.ini [0-9a-f]*' <(in_root dpkg-query -W -f='${Conffiles}\n' zentavo)
check "the manual page renders" sh -c \
    "man -l '$work/usr/share/man/man1/zentavo.1.gz' 2>/dev/null | grep -q 'zentavo - touch-typing tutor'"
check "the installed places are out of the pupil's reach" \
    as "$pupil" '! touch /usr/lib/zentavo/probe /usr/share/zentavo/probe /etc/zentavo/probe 2>/dev/null'

# The administrator sets the editor's language for every user who has not
# started the programs yet.
printf '[EditorLanguage]\r\nCurrentLanguage=English\r\n' >>"$work/etc/zentavo/Zentavo.ini"
touch "$work/root/before-use"
sleep 1

Xvfb "$display" -screen 0 1280x800x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 2

home=$work/home/$pupil
settings=$home/.config/Zentavo/Zentavo.ini

# The pupil's first run: the start screen, then closed as the pupil would.
launch "$pupil" "$(exec_line org.zentavo.Zentavo)" tutor-first
window_of '^Zentavo$' >/dev/null
sleep 4
shot tutor-first
check "the pupil's settings began as the computer's" \
    grep -q '^CurrentLanguage=English' "$settings"
quit_tutor "$pupil" || true
check "the tutor ends when asked" wait_gone "$pupil" Zentavo
check "settings saved in the pupil's folder" grep -q '^BackColor=' "$settings"

# A second run reads them back: a theme chosen in the file stays chosen.
sed -i 's/^BackColor=.*/BackColor=3\r/' "$settings"
launch "$pupil" "$(exec_line org.zentavo.Zentavo)" tutor-second
window_of '^Zentavo$' >/dev/null
sleep 4
shot tutor-second
quit_tutor "$pupil" || true
check "the second run kept the theme" grep -q '^BackColor=3' "$settings"

# A shipped exercise named on the command line is found in /usr/share/zentavo.
launch "$pupil" "/usr/bin/zentavo Proverbi.ftd" tutor-shipped-exercise
window_of '^Zentavo$' >/dev/null
check "the shipped exercise runs" start_exercise 'Proverbi\.ftd'
sleep 1
shot tutor-shipped-exercise
quit_tutor "$pupil" || true

# The teacher makes an exercise through the editor's dialogs, in English as
# the computer's settings ask: the language files are found.
teacher_exercises=$work/home/$teacher/.local/share/Zentavo/Esercizi
launch "$teacher" "$(exec_line org.zentavo.EditorZentavo | sed 's/ %f//')" editor
editor=$(window_of 'Editor')
sleep 2
point "$editor"
key alt+n # New
check "the editor speaks the computer's language" has_window '^Type the name of the new file'
shot editor-new-file-dialog
DISPLAY=$display xdotool type --delay 40 Verbi
key Return
sleep 2
check "the editor created the exercise in the teacher's folder" test -s "$teacher_exercises/Verbi.ftd"
click "$editor" 363 227 # the first line
DISPLAY=$display xdotool type --delay 40 'io corro nel parco ogni mattina'
point "$editor"
key alt+s # Save
sleep 1
shot editor-saved
check "the sentence is in the file" grep -q '^1=io corro nel parco ogni mattina' "$teacher_exercises/Verbi.ftd"
click "$editor" 28 317 # "?": the about box, whose Help opens the help pages
sleep 1
shot editor-about
key alt+h
check "the help pages are found" has_window "^L'editor di esercizi"
sleep 2
shot editor-help
end_window "$editor"
wait_gone "$teacher" EditorZentavo || true

# The school gives the exercise to every pupil of the computer.
mkdir -p "$work/usr/local/share/zentavo/Esercizi"
cp "$teacher_exercises/Verbi.ftd" "$work/usr/local/share/zentavo/Esercizi/"
launch "$pupil" "/usr/bin/zentavo Verbi.ftd" tutor-school-exercise
window_of '^Zentavo$' >/dev/null
check "the school's exercise runs" start_exercise 'Verbi\.ftd'
sleep 1
shot tutor-school-exercise
quit_tutor "$pupil" || true

# The file manager's "open with": the editor's Exec line with the file.
launch "$teacher" "$(exec_line org.zentavo.EditorZentavo |
    sed "s|%f|/home/$teacher/.local/share/Zentavo/Esercizi/Verbi.ftd|")" editor-open
editor=$(window_of 'Editor')
sleep 2
shot editor-opened-file
point "$editor"
key alt+c # Close
wait_gone "$teacher" EditorZentavo || true

check "nothing written into the installed places" \
    test -z "$(find "$work/usr/lib/zentavo" "$work/usr/share/zentavo" "$work/etc/zentavo" \
        -newer "$work/root/before-use")"
check "*.ftd is known as an exercise file" \
    grep -q 'application/x-zentavo-exercise:\*\.ftd' "$work/usr/share/mime/globs2"
check "the editor opens exercise files" \
    grep -q 'application/x-zentavo-exercise=org.zentavo.EditorZentavo.desktop' \
    "$work/usr/share/applications/mimeinfo.cache"

in_root apt-get remove -y -q zentavo >/dev/null 2>&1
check "remove takes the programs and the data" \
    test ! -e "$work/usr/lib/zentavo" -a ! -e "$work/usr/share/zentavo" -a ! -e "$work/usr/bin/zentavo"
check "remove keeps the administrator's settings" test -f "$work/etc/zentavo/Zentavo.ini"
in_root apt-get purge -y -q zentavo >/dev/null 2>&1
check "purge leaves nothing in /etc" test ! -e "$work/etc/zentavo"
check "the users' files stay" \
    test -s "$settings" -a -s "$teacher_exercises/Verbi.ftd" \
    -a -s "$work/usr/local/share/zentavo/Esercizi/Verbi.ftd"
left=$(cd "$work" && find usr/share/applications usr/share/metainfo usr/share/icons usr/share/man \
    usr/share/mime/packages usr/share/doc -name '*zentavo*' 2>/dev/null || true)
check "no file of the package is left" test -z "$left"

echo "screenshots in $shots"
exit $((failures > 0))
