#!/bin/sh
# The Emacs test: a copy of tests/lsp/book.src in a fresh directory, its
# findings by `olyindex --check` in a UTF-8 console, then emacs_test.el in
# Emacs in batch mode with eglot. Exit 77 (skipped) when there is no Emacs
# or no eglot.
#   tests/lsp/emacs_test.sh OLYINDEX [REPORT]
set -eu
olyindex=$1
here=$(cd "$(dirname "$0")" && pwd)
command -v emacs > /dev/null || { echo "no emacs: skipped"; exit 77; }
emacs --batch --eval "(progn (package-initialize) (require 'eglot))" > /dev/null 2>&1 || { echo "no eglot: skipped"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$here/book.src" "$dir/book.src"
(cd "$dir" && LC_ALL=C.UTF-8 "$olyindex" --check book.src > check.txt) || true
report=${2:-$dir/report.txt}
: > "$report"
status=0
OLYINDEX=$olyindex BOOK_DIR=$dir CHECK=$dir/check.txt REPORT=$report \
  timeout 120 emacs --batch -l "$here/emacs_test.el" > "$dir/emacs.log" 2>&1 || status=$?
cat "$report"
[ "$status" -eq 0 ] || { echo "emacs exited with $status"; cat "$dir/emacs.log"; exit 1; }
tail -n 1 "$report" | grep -qx ok
