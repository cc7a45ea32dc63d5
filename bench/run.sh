#!/usr/bin/env bash
# Benchmark: olyindex (the whole run, every output) against makeindex -q
# building one index from the same (heading, book number) pairs.
#
#   bench/run.sh [--olyindex PATH] [--compare PATH] [--name NAME]
#                [--baseline NAME] [--big [MB]] [--sizes "250 2500 9999"]
#                [--rounds N] [--memory-runs N] [--seed S] [--plot FILE]
#                [--keep DIR] [--refs R] [--pipe]
#
# For each size (problems in the book) it generates a book with
# bench/gen_book.py (same seed, same bytes), writes the pairs with
# bench/to_idx.py, checks that olyindex runs cleanly on it (exit status 0, no
# error line on the console) and that makeindex accepts every entry, then
# times both with hyperfine in paired rounds: every round runs each tool once,
# the order alternating from round to round (A B, B A, ...), so that both see
# the same load. It reports the median CPU time (user + system) of each tool,
# the ratio of the medians, and the peak memory of each ("Maximum resident set
# size" of /usr/bin/time -v, the median of a few runs).
#
# Results: bench/results/NAME.md (the Markdown table, also printed),
# NAME.csv (the figures), NAME-runs.csv (every timed run) and NAME.png (CPU time
# and peak memory against problems, both tools; gnuplot), plus a copy of the
# plot at --plot FILE when given. --baseline NAME adds the olyindex figures of
# an earlier bench/results/NAME.csv to the table and to the plot, for before
# and after comparisons. --compare PATH runs a second olyindex binary (say, a
# build of the code before a change) in the same rounds, after checking that
# it writes the same bytes, so that both are timed under the same load. --big adds a source of about 50 MB (or MB), the
# 9,999-problem book made denser, measured once for peak memory only.
#
# --refs R gives the books about R index references per problem (gen_book.py's
# density; 15 by default, 7 for a sparse book). --pipe times the runs with their
# console read through a pipe, as a terminal or an editor reads it, instead of
# thrown into /dev/null.
#
# Defaults: olyindex from build/olyindex (cmake -S . -B build), makeindex from
# PATH, sizes 250 2500 9999, 15 rounds, 3 memory runs, seed 1, name latest.
# Needs hyperfine, makeindex (texlive-binaries), time, python3, gnuplot-nox.
# Timings are noisy on a shared machine: compare medians of runs made under
# the same load, not single runs.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)

olyindex=${OLYINDEX:-$repo/build/olyindex}
makeindex=${MAKEINDEX:-makeindex}
sizes="250 2500 9999"
rounds=15
memory_runs=3
seed=1
name=latest
baseline=
compare=
big=
plot=
keep=
refs=
output=null

usage() { sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit "${1:-0}"; }

while [ $# -gt 0 ]; do
    case $1 in
        --olyindex) olyindex=$2; shift 2 ;;
        --makeindex) makeindex=$2; shift 2 ;;
        --compare) compare=$2; shift 2 ;;
        --sizes) sizes=$2; shift 2 ;;
        --rounds) rounds=$2; shift 2 ;;
        --memory-runs) memory_runs=$2; shift 2 ;;
        --seed) seed=$2; shift 2 ;;
        --name) name=$2; shift 2 ;;
        --baseline) baseline=$2; shift 2 ;;
        --plot) plot=$2; shift 2 ;;
        --keep) keep=$2; shift 2 ;;
        --refs) refs=$2; shift 2 ;;
        --pipe) output=pipe; shift ;;
        --big)
            if [ $# -gt 1 ] && [[ $2 =~ ^[0-9]+([.][0-9]+)?$ ]]; then big=$2; shift 2; else big=50; shift; fi ;;
        -h|--help) usage 0 ;;
        *) echo "run.sh: unknown argument $1" >&2; usage 2 >&2 ;;
    esac
done

die() { echo "run.sh: $*" >&2; exit 1; }

[ -x "$olyindex" ] || die "no olyindex at $olyindex (build it, or give --olyindex PATH)"
olyindex=$(cd "$(dirname "$olyindex")" && pwd)/$(basename "$olyindex")
makeindex=$(command -v "$makeindex") || die "no makeindex (apt-get install texlive-binaries)"
command -v hyperfine >/dev/null || die "no hyperfine (apt-get install hyperfine)"
[ -x /usr/bin/time ] || die "no /usr/bin/time (apt-get install time)"
command -v python3 >/dev/null || die "no python3"
if [ -n "$compare" ]; then
    [ -x "$compare" ] || die "no olyindex to compare at $compare"
    compare=$(cd "$(dirname "$compare")" && pwd)/$(basename "$compare")
fi
case $olyindex$makeindex$compare in *"'"*) die "the tool paths may not hold a single quote" ;; esac

results=$here/results
mkdir -p "$results"
if [ -n "$baseline" ] && [ ! -f "$results/$baseline.csv" ]; then
    die "no baseline $results/$baseline.csv"
fi

if [ -n "$keep" ]; then
    scratch=$keep
    mkdir -p "$scratch"
else
    scratch=$(mktemp -d "${TMPDIR:-/tmp}/olyindex-bench.XXXXXX")
    trap 'rm -rf "$scratch"' EXIT
fi
raw=$scratch/raw
mkdir -p "$raw"

# Every file a run writes besides the console.
outputs="log1.log log2.log log3.log log4.log log5.log po_zadacham.tex po_jazykam.tex po_olimpiadam.tex
 polnyj_indeksal.tex po_avtoram_uslovij.tex po_avtoram_reshenij.tex po_avtoram.tex po_terminam.tex
 po_russkomu_jazyku.tex tabl_po_nomeram.tex tabl_po_olimpiadam.tex indeksal_yazykov.tex book.copy"

# Byte patterns of the console are code page 1251.
LC_ALL=C
export LC_ALL
cp1251() { printf '%s' "$1" | iconv -f UTF-8 -t CP1251; }
error_pattern="$(cp1251 'ОШИБКА')|\\[<!>|$(cp1251 'ДУБЛИКАТ')|$(cp1251 'ошибка распределения')"

# The figures of one run of /usr/bin/time -v: "peak_kb cpu_s wall_s".
time_v() {
    local log=$1; shift
    /usr/bin/time -v -o "$log" "$@" >/dev/null 2>&1 || return 1
    python3 - "$log" <<'EOF'
import re, sys
t = open(sys.argv[1]).read()
peak = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", t).group(1))
cpu = float(re.search(r"User time \(seconds\): ([\d.]+)", t).group(1)) + float(re.search(r"System time \(seconds\): ([\d.]+)", t).group(1))
w = re.search(r"Elapsed \(wall clock\) time \(h:mm:ss or m:ss\): ([\d:.]+)", t).group(1).split(":")
wall = sum(float(x) * 60 ** i for i, x in enumerate(reversed(w)))
print(peak, "%.3f" % cpu, "%.3f" % wall)
EOF
}

# Generate, convert, check. Leaves the book in $scratch/N.
prepare() {
    local n=$1 dir=$scratch/$1; shift
    mkdir -p "$dir"
    python3 "$here/gen_book.py" --problems "$n" --seed "$seed" ${refs:+--refs "$refs"} "$@" "$dir" 2>>"$dir/gen.log"
    python3 "$here/to_idx.py" "$dir/book.src" "$dir/book.idx" 2>>"$dir/gen.log"
}

check() {
    local n=$1 dir=$scratch/$1 status=0
    (cd "$dir" && "$olyindex" book.src book.copy >console.txt) || status=$?
    [ "$status" -eq 0 ] || die "olyindex ended with status $status on the book of $n problems ($dir)"
    if grep -a -q -E "$error_pattern" "$dir/console.txt"; then
        grep -a -E "$error_pattern" "$dir/console.txt" | head -5 | iconv -f CP1251 -t UTF-8 >&2
        die "olyindex reported errors on the book of $n problems"
    fi
    # Every reference of the generated books has a book number, so the pairs
    # are exactly the references that olyindex read.
    local pairs positions
    pairs=$(wc -l <"$dir/book.idx")
    positions=$(grep -a -o "$(cp1251 'Прочитано') [0-9]* $(cp1251 'позиций')" "$dir/console.txt" | tr -dc '0-9')
    [ "$positions" = "$pairs" ] || die "olyindex read $positions references, the .idx file has $pairs pairs ($dir)"
    (cd "$dir" && "$makeindex" -q book.idx) || die "makeindex failed on the book of $n problems"
    grep -a -q "($pairs entries accepted, 0 rejected)" "$dir/book.ilg" ||
        die "makeindex did not accept all $pairs entries ($dir/book.ilg)"
    grep -a -q "0 warnings)" "$dir/book.ilg" || die "makeindex warned ($dir/book.ilg)"
    if [ -n "$compare" ]; then
        mkdir -p "$dir/compare"
        cp "$dir/book.src" "$dir/indeksal_yazykov.tex.template" "$dir/compare/"
        (cd "$dir/compare" && "$compare" book.src book.copy >console.txt) || die "$compare failed on the book of $n problems"
        local f
        for f in $outputs console.txt; do
            cmp -s "$dir/$f" "$dir/compare/$f" || die "$f differs between $olyindex and $compare ($dir)"
        done
        rm -rf "$dir/compare"
    fi
    # What the run writes: the sixteen files, the language index, the copy, the console.
    local written
    written=$(cd "$dir" && cat $outputs console.txt | wc -c)
    echo "$n $(wc -c <"$dir/book.src") $pairs $written" >>"$scratch/books.txt"
}

# Paired rounds for one size; every run goes to $raw/runs.csv. With two
# tools the order alternates (A B, B A); with --compare the three tools go
# through all six orders in turn.
measure() {
    local n=$1 dir=$scratch/$1 r i
    local -a labels=(olyindex makeindex) commands=("'$olyindex' book.src book.copy" "'$makeindex' -q book.idx")
    if [ -n "$compare" ]; then
        labels+=(compare)
        commands+=("'$compare' book.src book.copy")
    fi
    local -a orders
    if [ ${#labels[@]} -eq 2 ]; then orders=("0 1" "1 0"); else orders=("0 1 2" "2 1 0" "1 2 0" "0 2 1" "2 0 1" "1 0 2"); fi
    for r in $(seq 1 "$rounds"); do
        local json=$raw/$n-$r.json order
        local -a args=() names=()
        order=${orders[$(((r - 1) % ${#orders[@]}))]}
        for i in $order; do
            args+=("${commands[$i]}")
            names+=("${labels[$i]}")
        done
        (cd "$dir" && hyperfine -N --runs 1 --style none --output "$output" --export-json "$json" "${args[@]}" >/dev/null 2>>"$raw/hyperfine.log")
        python3 - "$json" "$n" "$r" "${names[@]}" >>"$raw/runs.csv" <<'EOF'
import json, sys
path, n, r = sys.argv[1:4]
names = sys.argv[4:]
for pos, (name, res) in enumerate(zip(names, json.load(open(path))["results"]), 1):
    cpu = res["user"] + res["system"]
    print("%s,%s,%s,%d,%.6f,%.6f,%.6f,%.6f" % (n, r, name, pos, res["user"], res["system"], cpu, res["times"][0]))
EOF
    done
    for i in $(seq 1 "$memory_runs"); do
        echo "$n olyindex $(cd "$dir" && time_v "$raw/time.txt" "$olyindex" book.src book.copy)" >>"$scratch/memory.txt"
        echo "$n makeindex $(cd "$dir" && time_v "$raw/time.txt" "$makeindex" -q book.idx)" >>"$scratch/memory.txt"
        if [ -n "$compare" ]; then
            echo "$n compare $(cd "$dir" && time_v "$raw/time.txt" "$compare" book.src book.copy)" >>"$scratch/memory.txt"
        fi
    done
}

echo "size,round,tool,position,user_s,system_s,cpu_s,wall_s" >"$raw/runs.csv"
: >"$scratch/books.txt"
: >"$scratch/memory.txt"
first=${sizes%% *}
for n in $sizes; do
    echo "== $n problems: generating, checking" >&2
    prepare "$n"
    check "$n"
    echo "== $n problems: $rounds paired rounds, $memory_runs memory runs" >&2
    measure "$n"
done

if [ -n "$big" ]; then
    echo "== about $big MB: generating (takes a minute or two)" >&2
    n=big
    dir=$scratch/$n
    mkdir -p "$dir"
    python3 "$here/gen_book.py" --problems 9999 --seed "$seed" --target-mb "$big" "$dir" 2>>"$dir/gen.log"
    python3 "$here/to_idx.py" "$dir/book.src" "$dir/book.idx" 2>>"$dir/gen.log"
    echo "== about $big MB: olyindex, then makeindex, once each under /usr/bin/time -v (minutes)" >&2
    oly_big=$(cd "$dir" && time_v "$raw/time.txt" "$olyindex" book.src book.copy) || die "olyindex failed on the big source"
    written=$(cd "$dir" && cat $outputs | wc -c)
    (cd "$dir" && rm -f $outputs)
    mi_big=$(cd "$dir" && time_v "$raw/time.txt" "$makeindex" -q book.idx) || die "makeindex failed on the big source"
    echo "$(wc -c <"$dir/book.src") $(wc -l <"$dir/book.idx") $written $oly_big $mi_big" >"$scratch/big.txt"
    rm -f "$dir/book.ind"
fi

cp "$raw/runs.csv" "$results/$name-runs.csv"
python3 "$here/report.py" --name "$name" --results "$results" --books "$scratch/books.txt" \
    --memory "$scratch/memory.txt" --runs "$raw/runs.csv" ${big:+--big "$scratch/big.txt"} \
    ${baseline:+--baseline "$results/$baseline.csv"} ${compare:+--compare "$compare"} \
    --olyindex "$olyindex" --makeindex "$makeindex" \
    --rounds "$rounds" --seed "$seed" --makeindex-version "$(head -n 1 "$scratch/$first/book.ilg")"

if command -v gnuplot >/dev/null; then
    (cd "$results" && gnuplot "$name.gp")
    if [ -n "$plot" ]; then
        mkdir -p "$(dirname "$plot")"
        cp "$results/$name.png" "$plot"
    fi
else
    echo "run.sh: no gnuplot, no plot (apt-get install gnuplot-nox)" >&2
fi
cat "$results/$name.md"
