#!/bin/sh
# A real editor as the language server's client, set up by its recipe in
# docs/editors.md: a copy of tests/lsp/book.src in a fresh directory, its
# findings by `olyindex --check` in a UTF-8 console, then the editor's script
# (emacs_test.el, vim_test.vim) in batch mode. The recipes start "olyindex",
# so the binary under test stands first on the PATH under that name. Exit 77
# (skipped) when the editor or its client is not installed.
#   tests/lsp/editor_test.sh emacs|vim OLYINDEX [REPORT]
set -eu
editor=$1
olyindex=$2
here=$(cd "$(dirname "$0")" && pwd)
doc=$here/../../docs/editors.md
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
case $editor in
emacs)
  command -v emacs > /dev/null || { echo "no emacs: skipped"; exit 77; }
  emacs --batch --eval "(progn (package-initialize) (require 'eglot))" > /dev/null 2>&1 \
    || { echo "no eglot: skipped"; exit 77; }
  recipe=$dir/recipe.el
  sed -n '/^(define-derived-mode olyindex-mode/,/eglot-ensure)$/p' "$doc" > "$recipe"
  run() { RECIPE=$recipe timeout 120 emacs --batch -l "$here/emacs_test.el"; } ;;
vim)
  command -v vim > /dev/null || { echo "no vim: skipped"; exit 77; }
  vim -N -u NONE -i NONE -es -c 'packadd ale' -c 'if !exists(":ALEHover") | cquit 1 | endif' -c 'qall!' \
    || { echo "no ALE: skipped"; exit 77; }
  # The docs' vim block that sets up ALE.
  awk '/^```vim$/ { inside = 1; block = ""; next }
       inside && /^```$/ { inside = 0; if (block ~ /ale#linter#Define/) printf "%s", block; next }
       inside { block = block $0 "\n" }' "$doc" > "$dir/recipe.vim"
  recipe=$dir/recipe.vim
  run() { timeout 120 vim -N -u "$recipe" -i NONE -es -S "$here/vim_test.vim"; } ;;
*) echo "usage: $0 emacs|vim OLYINDEX [REPORT]" >&2; exit 2 ;;
esac
[ -s "$recipe" ] || { echo "no $editor recipe in $doc"; exit 1; }
mkdir "$dir/bin" "$dir/book"
ln -s "$(cd "$(dirname "$olyindex")" && pwd)/$(basename "$olyindex")" "$dir/bin/olyindex"
cp "$here/book.src" "$dir/book/book.src"
(cd "$dir/book" && LC_ALL=C.UTF-8 "$dir/bin/olyindex" --check book.src > ../check.txt) || true
report=${3:-$dir/report.txt}
: > "$report"
status=0
PATH=$dir/bin:$PATH BOOK_DIR=$dir/book CHECK=$dir/check.txt REPORT=$report run > "$dir/$editor.log" 2>&1 || status=$?
cat "$report"
[ "$status" -eq 0 ] || { echo "$editor exited with $status"; cat "$dir/$editor.log"; exit 1; }
tail -n 1 "$report" | grep -qx ok
