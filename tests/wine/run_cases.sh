#!/usr/bin/env bash
# Runs olyindex.exe under wine on every whole-run case, as tests/run_test.cpp
# runs the Linux build: the case's input files copied into a fresh directory,
# the arguments from its `args` file ("source.src" and "copy.txt" by default),
# with the links its `links` file names, then the status, every expected file
# byte for byte, the `empty` and `absent` lists, an `unchanged` directory where
# the case demands it, and the console, whose every line must end in CR LF and read as
# expected once the CR before each LF is removed.
#
#   tests/wine/run_cases.sh BUILD
#
# BUILD is the Windows build directory (build-windows): olyindex.exe is taken
# from there, the wine prefix and the runs' directories are made there. The
# cases are those of tests/cases and tests/wine/cases (names that only Windows
# treats as one, names outside code page 1251), and full_medium_book once more
# with a source and a copy that have Cyrillic names with spaces. Prints
# "wine: N passed, M failed"; any failure makes the exit status 1, and the
# directory of a failed run stays in BUILD/wine-runs.
set -uo pipefail
shopt -s nullglob

if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
exe=$build/olyindex.exe
wine=${WINE:-/usr/lib/wine/wine64}
runs=$build/wine-runs

# Wine takes the arguments and the file names from the locale's encoding.
export LC_ALL=C.UTF-8
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init > /dev/null 2>&1 || { echo "wine: cannot make the prefix $WINEPREFIX" >&2; exit 1; }
fi

passed=0
failed=0
fail() {
    echo "FAILED $label: $*"
    ok=0
}

# run_case CASE LABEL [SOURCE COPY]: with SOURCE and COPY, the case's
# source.src is renamed SOURCE, the arguments are SOURCE and COPY, and the
# expected copy.txt is compared with COPY.
run_case() {
    local case=$1 source=${3:-} copy=${4:-}
    label=$2
    local work=$runs/$label expected=$1/expected
    ok=1
    rm -rf "$work"
    mkdir -p "$work"
    for input in "$case"/* ; do
        case $(basename "$input") in expected|args|links) ;; *) cp -R "$input" "$work/" ;; esac
    done
    if [ -f "$case/links" ]; then
        while read -r kind name target; do
            [ -z "$kind" ] && continue
            if [ "$kind" = soft ]; then ln -s "$target" "$work/$name"; else ln "$work/$target" "$work/$name"; fi
        done < "$case/links"
    fi
    cp -a "$work" "$work.before"
    local args=(source.src copy.txt)
    if [ -n "$source" ]; then
        mv "$work/source.src" "$work/$source"
        args=("$source" "$copy")
    elif [ -f "$case/args" ]; then
        mapfile -t args < <(grep -v '^$' "$case/args")
    fi

    # The console goes beside the run's directory, which a case may demand unchanged.
    local console=$work.console
    (cd "$work" && "$wine" "$exe" "${args[@]}" > "$console" 2> "$work.err")
    local status=$?
    [ "$status" = "$(head -n 1 "$expected/status")" ] || fail "status $status"

    LC_ALL=C sed 's/\r$//' "$console" > "$work.console-lf"
    cmp -s "$work.console-lf" "$expected/console" || fail "console differs"
    local size lf stripped
    size=$(wc -c < "$console")
    lf=$(wc -l < "$console")
    stripped=$(wc -c < "$work.console-lf")
    [ "$stripped" -eq $((size - lf)) ] || fail "console has a line end without CR"

    if [ -f "$expected/unchanged" ]; then
        diff -r "$work.before" "$work" > /dev/null || fail "the directory changed"
    fi
    if [ -d "$expected/files" ]; then
        # Every expected file, also those in a subdirectory (a run with -C).
        while IFS= read -r -d '' want; do
            local name got
            name=${want#"$expected/files/"}
            got=$name
            [ -n "$copy" ] && [ "$name" = copy.txt ] && got=$copy
            cmp -s "$want" "$work/$got" || fail "file $got differs or is missing"
        done < <(find "$expected/files" -type f -print0 | sort -z)
    fi
    if [ -f "$expected/empty" ]; then
        while IFS= read -r name; do
            [ -z "$name" ] && continue
            [ -f "$work/$name" ] && [ ! -s "$work/$name" ] || fail "$name is not an empty file"
        done < "$expected/empty"
    fi
    if [ -f "$expected/absent" ]; then
        while IFS= read -r name; do
            [ -z "$name" ] && continue
            [ ! -e "$work/$name" ] || fail "$name exists"
        done < "$expected/absent"
    fi

    if [ "$ok" = 1 ]; then
        passed=$((passed + 1))
        rm -rf "$work" "$work".*
    else
        failed=$((failed + 1))
    fi
}

rm -rf "$runs"
for case in "$root"/tests/cases/*/ "$root"/tests/wine/cases/*/; do
    case=${case%/}
    run_case "$case" "$(basename "$case")"
done
run_case "$root/tests/cases/full_medium_book" full_medium_book_cyrillic_names \
    "Задачи олимпиады.src" "Копия задач.txt"

# Checks of the Windows side of the paths, when the build has them.
if [ -f "$build/olyindex_windows_checks.exe" ]; then
    if (cd "$build" && "$wine" olyindex_windows_checks.exe); then
        passed=$((passed + 1))
    else
        echo "FAILED olyindex_windows_checks.exe"
        failed=$((failed + 1))
    fi
fi

echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
