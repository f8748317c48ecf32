#!/usr/bin/env bash
# Installs the built programs into a scratch DESTDIR and checks the tree a
# school would get, laid out by the Filesystem Hierarchy Standard: the
# programs in lib/zentavo/ with relative launchers in bin/, the data in
# share/zentavo/ file for file as the build's bin/ folder holds it, the
# computer's settings file, manual pages, menu entries, icons, metadata and
# the MIME type of exercise files.
# Usage: check-install.sh <build folder> <source folder>
set -euo pipefail

build=$1
source=$2
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
root=$(mktemp -d "${TMPDIR:-/tmp}/zentavo-install-XXXXXX")
trap 'rm -rf "$root" "$root.log"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

DESTDIR=$root cmake --install "$build" >"$root.log" 2>&1 || { cat "$root.log" >&2; exit 1; }
usr=$root$prefix
programs=$usr/lib/zentavo
data=$usr/share/zentavo

# The data folder holds what the build folder holds, file for file.
listing() { (cd "$1" && find Lang Esercizi CorsoZentavo help -type f | LC_ALL=C sort); }
if ! diff <(listing "$build/bin") <(listing "$data") >&2; then
    fail "share/zentavo differs from the build's bin/ folder"
fi
while IFS= read -r file; do
    cmp -s "$source/data/$file" "$data/$file" || fail "$file differs from data/$file"
done < <(listing "$data")
for program in Zentavo EditorZentavo; do
    [[ -f $programs/$program && -x $programs/$program ]] || fail "$program is missing or not executable"
done
# The charts module, which the programs load from beside themselves.
module=$programs/modules/libzentavo_charts.so
if [[ -f $module ]]; then
    [[ $(stat -c %a "$module") == 644 ]] || fail "the charts module is not 0644"
    exported=$(nm -D --defined-only "$module")
    for function in zentavo_new_day_chart zentavo_fill_day_chart; do
        grep -w "$function" <<<"$exported" >/dev/null || fail "the charts module lacks $function"
    done
else
    fail "the charts module is missing from lib/zentavo/modules"
fi
extra=$(find "$programs" -mindepth 1 ! -name Zentavo ! -name EditorZentavo ! -path "$programs/modules" \
    ! -path "$module")
[[ -z $extra ]] || fail "more than the programs and their charts module in lib/zentavo: $extra"

# Nothing a pupil could change for everybody.
writable=$(find "$root" -perm -o+w ! -type l)
[[ -z $writable ]] || fail "world-writable: $writable"
odd=$(find "$data" -type f ! -perm 644)
[[ -z $odd ]] || fail "data files not 0644: $odd"

# Launchers: relative links that reach the programs, so the programs find
# their installation wherever the prefix is.
for pair in zentavo:Zentavo editorzentavo:EditorZentavo; do
    link=$usr/bin/${pair%%:*}
    target=$(readlink "$link" || true)
    [[ $target == ../lib/zentavo/${pair#*:} ]] || fail "$link points to '$target'"
    [[ $(realpath -m "$link") == "$programs/${pair#*:}" ]] || fail "$link does not reach the program"
done

# The computer's settings: one file in the configuration folder, holding no
# entry (every line a comment), so a user's first copy changes nothing.
mapfile -t ini < <(find "$root" -path '*/etc/zentavo/Zentavo.ini')
if [[ ${#ini[@]} -ne 1 ]]; then
    fail "not one etc/zentavo/Zentavo.ini: ${ini[*]}"
elif grep -qv '^;\|^$' "${ini[0]}"; then
    fail "the computer's settings file sets values: $(grep -v '^;\|^$' "${ini[0]}")"
fi

# Manual pages: compressed, without time stamps, rendered without a warning.
for page in zentavo editorzentavo; do
    man=$usr/share/man/man1/$page.1.gz
    [[ -f $man ]] || { fail "no manual page $page(1)"; continue; }
    [[ $(file -b "$man") != *"last modified"* ]] || fail "$page.1.gz carries a time stamp"
    if command -v man >/dev/null; then
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$man" 2>&1 >/dev/null)
        [[ -z $warnings ]] || fail "$page(1): $warnings"
        LC_ALL=C.UTF-8 man -l "$man" 2>/dev/null | grep '/usr/share/zentavo/Lang' >/dev/null ||
            fail "$page(1) does not name the language folder"
    fi
done

# Menu entries: valid, starting the launchers, with icons in every size.
for app in Zentavo EditorZentavo; do
    entry=$usr/share/applications/org.zentavo.$app.desktop
    [[ -f $entry ]] || { fail "no menu entry for $app"; continue; }
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$entry" >&2 || fail "desktop-file-validate refuses $entry"
    fi
    exec_line=$(sed -n 's/^Exec=//p' "$entry")
    launcher=${exec_line%% *}
    [[ -L $root$launcher ]] || fail "$app: Exec names $launcher, which is not installed"
    icon=$(sed -n 's/^Icon=//p' "$entry")
    for size in 16 24 32 48 64 128 256; do
        png=$usr/share/icons/hicolor/${size}x$size/apps/$icon.png
        [[ $(file -b "$png" 2>/dev/null) == "PNG image data, $size x $size,"* ]] ||
            fail "$icon: no $size px PNG"
    done
    grep -q '<svg' "$usr/share/icons/hicolor/scalable/apps/$icon.svg" ||
        fail "$icon: no scalable icon"
    metainfo=$usr/share/metainfo/org.zentavo.$app.metainfo.xml
    grep -q "<launchable type=\"desktop-id\">org.zentavo.$app.desktop</launchable>" "$metainfo" ||
        fail "$app: metadata does not name its menu entry"
    grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" ||
        fail "$app: metadata does not give the licence"
    # Each screenshot is in packaging/screenshots/, of the size stated.
    while read -r width height shot; do
        png=$source/packaging/screenshots/$shot
        [[ $(file -b "$png" 2>/dev/null) == "PNG image data, $width x $height,"* ]] ||
            fail "$app: packaging/screenshots/$shot is not a $width x $height PNG"
    done < <(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">https://[^<]*/screenshots/\([^<]*\)</image>.*|\1 \2 \3|p' "$metainfo")
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net --explain "$metainfo" >&2 ||
            fail "appstreamcli refuses $metainfo"
    fi
done
grep -q '^MimeType=application/x-zentavo-exercise;$' \
    "$usr/share/applications/org.zentavo.EditorZentavo.desktop" ||
    fail "the editor does not open exercise files"

# The MIME database built from the installed files maps *.ftd to it.
if command -v update-mime-database >/dev/null; then
    mime=$root/mime
    mkdir -p "$mime/packages"
    cp "$usr/share/mime/packages/zentavo-exercise.xml" "$mime/packages/"
    update-mime-database "$mime" 2>/dev/null
    grep -q '^50:application/x-zentavo-exercise:\*\.ftd$' "$mime/globs2" ||
        fail "*.ftd is not an exercise file in the MIME database"
fi

if ((failures > 0)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "installed tree checked"
