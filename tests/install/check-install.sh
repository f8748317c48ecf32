#!/usr/bin/env bash
# Installs the built programs into a scratch DESTDIR and checks the tree a
# school would get: the program folder laid out like the build's bin/, the
# launchers, menu entries, icons, metadata and MIME type of exercise files.
# Usage: check-install.sh <build folder> <source folder>
set -euo pipefail

build=$1
source=$2
prefix=/opt/zentavo
desktop=$(sed -n 's/^ZENTAVO_DESKTOP_PREFIX:PATH=//p' "$build/CMakeCache.txt")
root=$(mktemp -d "${TMPDIR:-/tmp}/zentavo-install-XXXXXX")
trap 'rm -rf "$root"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

DESTDIR=$root cmake --install "$build" --prefix "$prefix" >"$root.log" 2>&1 ||
    { cat "$root.log" >&2; rm -f "$root.log"; exit 1; }
rm -f "$root.log"
folder=$root$prefix

# The program folder holds what the build folder holds, file for file.
listing() { (cd "$1" && find Lang Esercizi CorsoZentavo help -type f | LC_ALL=C sort); }
if ! diff <(listing "$build/bin") <(listing "$folder") >&2; then
    fail "the program folder differs from the build's bin/ folder"
fi
while IFS= read -r file; do
    cmp -s "$source/data/$file" "$folder/$file" || fail "$file differs from data/$file"
done < <(listing "$folder")
for program in Zentavo EditorZentavo; do
    [[ -f $folder/$program && -x $folder/$program ]] || fail "$program is missing or not executable"
done

# Nothing a pupil could change for everybody.
writable=$(find "$root" -perm -o+w ! -type l)
[[ -z $writable ]] || fail "world-writable: $writable"
odd=$(find "$folder" -type f ! -perm 644 ! -name Zentavo ! -name EditorZentavo)
[[ -z $odd ]] || fail "data files not 0644: $odd"

# Launchers point into the program folder, so the programs find their data.
for pair in zentavo:Zentavo editorzentavo:EditorZentavo; do
    link=$root$desktop/bin/${pair%%:*}
    target=$(readlink "$link" || true)
    [[ $target == "$prefix/${pair#*:}" ]] || fail "$link points to '$target'"
done

# Menu entries: valid, starting the launchers, with icons in every size.
for app in Zentavo EditorZentavo; do
    entry=$root$desktop/share/applications/org.zentavo.$app.desktop
    [[ -f $entry ]] || { fail "no menu entry for $app"; continue; }
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$entry" >&2 || fail "desktop-file-validate refuses $entry"
    fi
    exec_line=$(sed -n 's/^Exec=//p' "$entry")
    launcher=${exec_line%% *}
    [[ -L $root$launcher ]] || fail "$app: Exec names $launcher, which is not installed"
    icon=$(sed -n 's/^Icon=//p' "$entry")
    for size in 16 24 32 48 64 128 256; do
        png=$root$desktop/share/icons/hicolor/${size}x$size/apps/$icon.png
        [[ $(file -b "$png" 2>/dev/null) == "PNG image data, $size x $size,"* ]] ||
            fail "$icon: no $size px PNG"
    done
    grep -q '<svg' "$root$desktop/share/icons/hicolor/scalable/apps/$icon.svg" ||
        fail "$icon: no scalable icon"
    metainfo=$root$desktop/share/metainfo/org.zentavo.$app.metainfo.xml
    grep -q "<launchable type=\"desktop-id\">org.zentavo.$app.desktop</launchable>" "$metainfo" ||
        fail "$app: metadata does not name its menu entry"
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net --explain "$metainfo" >&2 ||
            fail "appstreamcli refuses $metainfo"
    fi
done
grep -q '^MimeType=application/x-zentavo-exercise;$' \
    "$root$desktop/share/applications/org.zentavo.EditorZentavo.desktop" ||
    fail "the editor does not open exercise files"

# The MIME database built from the installed package maps *.ftd to it.
if command -v update-mime-database >/dev/null; then
    mime=$root/mime
    mkdir -p "$mime/packages"
    cp "$root$desktop/share/mime/packages/zentavo-exercise.xml" "$mime/packages/"
    update-mime-database "$mime" 2>/dev/null
    grep -q '^50:application/x-zentavo-exercise:\*\.ftd$' "$mime/globs2" ||
        fail "*.ftd is not an exercise file in the MIME database"
fi

if ((failures > 0)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "installed tree checked"
