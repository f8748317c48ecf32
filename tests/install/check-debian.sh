#!/usr/bin/env bash
# Holds the two routes to the Debian package to one package: the fields,
# dependencies, version and description CPack is given (packaging/
# Package.cmake, read back from the build's CPackConfig.cmake) against
# debian/control and debian/changelog, and the build dependencies of
# debian/control against scripts/install-deps. A dependency added to one
# place and not the other fails here with the line to add.
# Usage: check-debian.sh <build folder> <source folder>
set -euo pipefail

build=$1
source=$2
control=$source/debian/control
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# CPack's settings as CMake reads them, one "NAME=value" a line.
script=$(mktemp "${TMPDIR:-/tmp}/zentavo-check-XXXXXX.cmake")
trap 'rm -f "$script"' EXIT
cat >"$script" <<'CMAKE'
include(${CONFIG})
foreach(name CPACK_PACKAGE_NAME CPACK_PACKAGE_VERSION CPACK_DEBIAN_PACKAGE_RELEASE
        CPACK_DEBIAN_PACKAGE_DEPENDS CPACK_DEBIAN_PACKAGE_RECOMMENDS
        CPACK_DEBIAN_PACKAGE_SECTION CPACK_DEBIAN_PACKAGE_PRIORITY
        CPACK_DEBIAN_PACKAGE_MAINTAINER CPACK_DEBIAN_PACKAGE_HOMEPAGE
        CPACK_PACKAGE_DESCRIPTION_SUMMARY CPACK_PACKAGE_DESCRIPTION)
  string(REPLACE "\n" " " value "${${name}}")
  message("${name}=${value}")
endforeach()
CMAKE
settings=$(cmake -DCONFIG="$build/CPackConfig.cmake" -P "$script" 2>&1)
cpack() { sed -n "s/^$1=//p" <<<"$settings"; }
# A field of debian/control's binary or source stanza, continuation lines
# joined.
field() {
    awk -v stanza="$1" -v name="$2" '
        /^$/ { n++ }
        n == stanza && $0 ~ "^" name ":" { sub("^" name ":[ ]*", ""); value = $0; on = 1; next }
        n == stanza && on && /^[ \t]/ { sub("^[ \t]+", " "); value = value $0; next }
        { on = 0 }
        END { print value }' "$control"
}
# A list of packages, one a line, sorted; substitution variables and
# version constraints left out.
packages() { tr ',' '\n' | sed 's/([^)]*)//; s/^[ \t]*//; s/[ \t]*$//' | grep -v '^\${\|^$' | LC_ALL=C sort; }

compare() {
    local what=$1 ours=$2 theirs=$3
    if [[ $(packages <<<"$ours") != "$(packages <<<"$theirs")" ]]; then
        fail "$what differ: Package.cmake has '$ours', debian/control has '$theirs'"
    fi
}
compare Depends "$(cpack CPACK_DEBIAN_PACKAGE_DEPENDS)" "$(field 1 Depends)"
compare Recommends "$(cpack CPACK_DEBIAN_PACKAGE_RECOMMENDS)" "$(field 1 Recommends)"

same() {
    [[ $2 == "$3" ]] || fail "$1: Package.cmake gives '$2', debian/ gives '$3'"
}
same Package "$(cpack CPACK_PACKAGE_NAME)" "$(field 1 Package)"
same Section "$(cpack CPACK_DEBIAN_PACKAGE_SECTION)" "$(field 0 Section)"
same Priority "$(cpack CPACK_DEBIAN_PACKAGE_PRIORITY)" "$(field 0 Priority)"
same Maintainer "$(cpack CPACK_DEBIAN_PACKAGE_MAINTAINER)" "$(field 0 Maintainer)"
same Homepage "$(cpack CPACK_DEBIAN_PACKAGE_HOMEPAGE)" "$(field 0 Homepage)"
description=$(field 1 Description)
same Synopsis "$(cpack CPACK_PACKAGE_DESCRIPTION_SUMMARY)" "${description%% Zentavo *}"
same Description "$(cpack CPACK_PACKAGE_DESCRIPTION_SUMMARY) $(cpack CPACK_PACKAGE_DESCRIPTION)" \
    "$description"

project=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
changelog=$(sed -n '1s/^zentavo (\([^)]*\)).*/\1/p' "$source/debian/changelog")
same Version "$project-$(cpack CPACK_DEBIAN_PACKAGE_RELEASE)" "$changelog"
same "Version of the project" "$(cpack CPACK_PACKAGE_VERSION)" "$project"

# Everything Debian's build needs is something `make` installs too.
# A set, not a pipe into `grep -q`: grep quitting at the first match may
# leave the writer with SIGPIPE, which pipefail reports as a miss.
declare -A ours=()
while IFS= read -r package; do
    ours[$package]=1
done < <(sed -n '/^packages=(/,/^)/p' "$source/scripts/install-deps" |
    sed 's/#.*//' | tr ' ' '\n' | grep -v '^$\|packages=(\|^)$')
while IFS= read -r needed; do
    [[ $needed == debhelper-compat ]] && continue
    [[ -n ${ours[$needed]:-} ]] ||
        fail "Build-Depends names $needed, which scripts/install-deps does not install"
done < <(field 0 Build-Depends | packages)

if ((failures > 0)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "debian/ and Package.cmake agree"
