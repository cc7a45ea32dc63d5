#!/bin/sh
# The Neovim test: a copy of tests/lsp/book.src in a fresh directory, its
# findings by `olyindex --check` in a UTF-8 console, then nvim_test.lua in a
# headless Neovim. Exit 77 (skipped) when there is no nvim.
#   tests/lsp/nvim_test.sh OLYINDEX [REPORT]
set -eu
olyindex=$1
here=$(cd "$(dirname "$0")" && pwd)
command -v nvim > /dev/null || { echo "no nvim: skipped"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$here/book.src" "$dir/book.src"
(cd "$dir" && LC_ALL=C.UTF-8 "$olyindex" --check book.src > check.txt) || true
report=${2:-$dir/report.txt}
status=0
OLYINDEX=$olyindex BOOK_DIR=$dir CHECK=$dir/check.txt REPORT=$report \
  timeout 120 nvim --headless --clean -n -c "luafile $here/nvim_test.lua" > "$dir/nvim.log" 2>&1 || status=$?
cat "$report"
[ "$status" -eq 0 ] || { echo "nvim exited with $status"; cat "$dir/nvim.log"; exit 1; }
tail -n 1 "$report" | grep -qx ok
