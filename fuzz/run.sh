#!/usr/bin/env bash
# Builds the fuzz targets with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs each for SECONDS (default 12) on seeds taken from the test sources
# and the example book. Fails on any finding; the input that caused it is left
# in build-fuzz/findings/. A longer run: fuzz/run.sh 600
set -euo pipefail
seconds=${1:-12}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${OLYINDEX_FUZZ_BUILD:-$root/build-fuzz}

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DOLYINDEX_SANITIZE=ON -DOLYINDEX_FUZZ=ON -DOLYINDEX_TESTS=OFF -DOLYINDEX_DOCS=OFF > /dev/null
cmake --build "$build" -j2

seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds/sources" "$seeds/lines" "$seeds/templates" "$seeds/runs" "$seeds/configs" "$build/findings"
i=0
for source in "$root"/tests/cases/*/source.src "$root"/examples/book/book.src; do
  [ -f "$source" ] || continue
  i=$((i + 1))
  cp "$source" "$seeds/sources/$i"
  cp "$source" "$seeds/runs/$i"
  { printf '==UTF8==\n'; iconv -f cp1251 -t utf-8 "$source" || true; } > "$seeds/runs/$i-utf8"
  { printf '==RU==\n'; cat "$source"; } > "$seeds/runs/$i-ru"
  template=$(dirname "$source")/indeksal_yazykov.tex.template
  if [ -f "$template" ]; then
    cp "$template" "$seeds/templates/$i"
    { cat "$source"; printf '\n==TEMPLATE==\n'; cat "$template"; } > "$seeds/runs/$i-with-template"
  fi
done
for config in "$root"/tests/cases/*/olyindex.toml "$root"/examples/book2/olyindex.toml; do
  [ -f "$config" ] || continue
  i=$((i + 1))
  cp "$config" "$seeds/configs/$i"
done
# One seed a line for the two line parsers.
cat "$seeds"/sources/* | head -n 3000 | split -l 1 - "$seeds/lines/line-"

run() {
  local name=$1 seedDir=$2 maxLen=$3
  local corpus=$build/corpus/$name
  mkdir -p "$corpus"
  local log=$build/findings/$name.log
  echo "== fuzz_$name: $seconds s"
  local status=0
  (cd "$build/findings" && "$build/fuzz_$name" -max_total_time="$seconds" -max_len="$maxLen" -timeout=20 \
    -rss_limit_mb=4096 -print_final_stats=1 "$corpus" "$seedDir") > "$log" 2>&1 || status=$?
  grep -E '^stat::number_of_executed_units|ERROR|SUMMARY|Test unit written' "$log" || true
  if [ "$status" -ne 0 ]; then
    echo "fuzz_$name found a fault (exit $status); see $log" >&2
    tail -n 60 "$log" >&2
    exit 1
  fi
}

run problem_line "$seeds/lines" 4096
run element_line "$seeds/lines" 4096
run line_reader "$seeds/sources" 65536
run template "$seeds/templates" 16384
run whole_run "$seeds/runs" 65536
run book_config "$seeds/configs" 4096
echo "fuzzing: no findings"
