#!/usr/bin/env bash
# The editor recipes of docs/editors.md against the lines olyindex prints:
# Vim's errorformat (quickfix), the Emacs regexp (compilation-mode) and the
# VS Code problem matchers (their regexps under Python's re, which reads these
# as JavaScript does), each taken from the document itself.
#
#   tests/editors/check_formats.sh OLYINDEX
#
# The lines are hand-made ones in every form the docs name, and the real
# output of OLYINDEX --console=utf8 under LC_ALL=C: a check with errors and
# warnings, a start-up stop with a line and a column, one without a line, and
# the note about a template beside the source. Every line must be taken with
# its file, line, column and kind, and the summary line by none.
# Needs vim, emacs (emacs-nox) and python3.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 OLYINDEX" >&2
    exit 2
fi
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
root=$(cd "$(dirname "$0")/../.." && pwd)
doc=$root/docs/editors.md
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for program in vim emacs python3 iconv; do
    command -v "$program" > /dev/null || { echo "$0: $program is missing" >&2; exit 1; }
done

# The recipes as the document gives them.
grep -m1 '^    :set errorformat=' "$doc" | sed 's/^    ://' > "$work/efm.vim"
sed -n '/^    (with-eval-after-load .compile/,/compilation-error-regexp-alist .olyindex))$/p' "$doc" > "$work/olyindex.el"
# The VS Code task is the document's first JSON block (the language server's settings follow).
awk '/^```json$/ { n++; inside = n == 1; next } /^```$/ { inside = 0 } inside' "$doc" > "$work/tasks.json"
[ -s "$work/efm.vim" ] && [ -s "$work/olyindex.el" ] && [ -s "$work/tasks.json" ] \
    || { echo "$0: a recipe is missing from $doc" >&2; exit 1; }

# Hand-made lines, and what each must give: KIND|LINE|COLUMN|FILE ("-": no entry).
cat > "$work/hand.txt" <<'LINES'
book.src:46:7: ошибка: нет задачи 7 в источнике 1
book.src:52:1: предупреждение: название «=автор решеня Иванов» начинается с «=»
indeksal_yazykov.tex.template:8:3: предупреждение: «[]» вне блока языка остаётся как есть
книга/book.src:30:9: ошибка: символ U+1F600 нельзя записать в кодировке 1251
book.src: ошибка: исходный файл недоступен
книга/book.src: замечание: шаблон indeksal_yazykov.tex.template лежит рядом с исходным файлом
book.src: ошибок 3, предупреждений 1
LINES
cat > "$work/hand.expected" <<'LINES'
E|46|7|book.src
W|52|1|book.src
W|8|3|indeksal_yazykov.tex.template
E|30|9|книга/book.src
E|0|0|book.src
I|0|0|книга/book.src
-
LINES

# The real lines. A book with errors and warnings, a template beside it, and
# a source with a character code page 1251 cannot hold.
mkdir -p "$work/run/книга"
cp1251() { iconv -f UTF-8 -t CP1251; }
printf '#!\n0/1 1/5x\n0/2 1/2\n#/1\n! СЗ-1\nпадеж -- 2, 7\n=автор решеня Иванов -- 2\n' | cp1251 > "$work/run/книга/book.src"
printf '\\элемент\n{\\bf абазинский} язык: []\n' | cp1251 > "$work/run/книга/indeksal_yazykov.tex.template"
printf '#!\n0/1\n#/0\nсмайлик 😀 -- 1\n' > "$work/run/emoji.src"
(
    cd "$work/run"
    export LC_ALL=C
    "$tool" --console=utf8 -C книга --check book.src || true
    "$tool" --console=utf8 --check книга/book.src || true
    "$tool" --console=utf8 --utf8 --check emoji.src || true
    "$tool" --console=utf8 -q missing.src missing.copy || true
) > "$work/real.txt"
# What each real line must give, worked out from the line itself: its file,
# line and column as printed, its kind from its word.
sed -E \
    -e 's/^([^:]+):([0-9]+):([0-9]+): ошибка: .*/E|\2|\3|\1/' \
    -e 's/^([^:]+):([0-9]+):([0-9]+): предупреждение: .*/W|\2|\3|\1/' \
    -e 's/^([^:]+): ошибка: .*/E|0|0|\1/' \
    -e 's/^([^:]+): замечание: .*/I|0|0|\1/' \
    -e 's/^[^|]*: ошибок [0-9]+, предупреждений [0-9]+$/-/' "$work/real.txt" > "$work/real.expected"
for kind in 'E|' 'W|' 'I|' '-'; do
    grep -q -F "$kind" "$work/real.expected" || { echo "$0: no line of kind $kind in the real output:" >&2; cat "$work/real.txt" >&2; exit 1; }
done
if grep -v -E '^(-|[EWI]\|[0-9]+\|[0-9]+\|.+)$' "$work/real.expected" > /dev/null; then
    echo "$0: olyindex printed a line of no known form:" >&2
    paste -d'\n' "$work/real.txt" "$work/real.expected" >&2
    exit 1
fi

failed=0
# compare NAME LINES EXPECTED GOT
compare() {
    if ! diff -u "$3" "$4" > "$work/diff"; then
        echo "$1 does not take $2 as docs/editors.md says:" >&2
        cat "$work/diff" >&2
        failed=1
    fi
}

# Vim: the quickfix list, one line per line of input (an entry that is not
# valid, such as a dropped line, shows as "-").
vim_list() {
    LC_ALL=C.UTF-8 vim -es -N -u NONE -i NONE -c 'set encoding=utf-8' -S "$work/efm.vim" \
        -c "cgetfile $1" \
        -c 'call writefile(map(getqflist(), {_, e -> e.valid ? e.type . "|" . e.lnum . "|" . e.col . "|" . bufname(e.bufnr) : "-"}), "'"$2"'")' \
        -c 'qa!' < /dev/null
}
# Vim leaves out the lines %-G drops; the lines it keeps must match in order.
grep -v '^-$' "$work/hand.expected" > "$work/hand.vim.expected"
grep -v '^-$' "$work/real.expected" > "$work/real.vim.expected"
vim_list "$work/hand.txt" "$work/hand.vim"
vim_list "$work/real.txt" "$work/real.vim"
compare Vim "the hand-made lines" "$work/hand.vim.expected" "$work/hand.vim"
compare Vim "the real lines" "$work/real.vim.expected" "$work/real.vim"

# Emacs: for each line, the message compilation-mode put on it (2 error,
# 1 warning, 0 info), its line, its column and its file.
cat > "$work/list.el" <<'ELISP'
(require 'compile)
(let ((coding-system-for-read 'utf-8)) (load (nth 0 command-line-args-left) nil t))
(let ((coding-system-for-read 'utf-8) (out nil))
  (with-current-buffer (find-file-noselect (nth 1 command-line-args-left))
    (compilation-mode)
    (compilation--ensure-parse (point-max))
    (goto-char (point-min))
    (while (not (eobp))
      (let* ((end (line-end-position))
             (pos (next-single-property-change (point) 'compilation-message nil end))
             (msg (or (get-text-property (point) 'compilation-message)
                      (and (< pos end) (get-text-property pos 'compilation-message)))))
        (push (if (not msg) "-"
                (let ((loc (compilation--message->loc msg)))
                  (format "%c|%s|%s|%s"
                          (aref "IWE" (compilation--message->type msg))
                          (or (nth 1 loc) 0)
                          (or (nth 0 loc) 0)
                          (car (car (nth 2 loc))))))
              out))
      (forward-line 1)))
  (let ((coding-system-for-write 'utf-8))
    (with-temp-file (nth 2 command-line-args-left)
      (insert (mapconcat #'identity (nreverse out) "\n") "\n"))))
(setq command-line-args-left nil)
ELISP
emacs_list() {
    LC_ALL=C.UTF-8 emacs --batch -Q -l "$work/list.el" "$work/olyindex.el" "$1" "$2" 2> "$work/emacs.log" \
        || { cat "$work/emacs.log" >&2; exit 1; }
}
emacs_list "$work/hand.txt" "$work/hand.emacs"
emacs_list "$work/real.txt" "$work/real.emacs"
compare Emacs "the hand-made lines" "$work/hand.expected" "$work/hand.emacs"
compare Emacs "the real lines" "$work/real.expected" "$work/real.emacs"

# VS Code: the first matcher that takes a line gives its kind; a matcher of
# kind "file" gives no line.
cat > "$work/matchers.py" <<'PYTHON'
import json, re, sys
tasks = json.load(open(sys.argv[1], encoding="utf-8"))
matchers = tasks["tasks"][0]["problemMatcher"]
out = []
for line in open(sys.argv[2], encoding="utf-8").read().splitlines():
    got = "-"
    for m in matchers:
        p = m["pattern"]
        found = re.search(p["regexp"], line)
        if found:
            group = lambda name: found.group(p[name]) if name in p else "0"
            got = "%s|%s|%s|%s" % ({"error": "E", "warning": "W"}[m["severity"]], group("line"), group("column"),
                                   found.group(p["file"]))
            break
    out.append(got)
open(sys.argv[3], "w", encoding="utf-8").write("\n".join(out) + "\n")
PYTHON
# VS Code has no kind "note": it leaves those lines out.
sed 's/^I|.*/-/' "$work/hand.expected" > "$work/hand.code.expected"
sed 's/^I|.*/-/' "$work/real.expected" > "$work/real.code.expected"
python3 "$work/matchers.py" "$work/tasks.json" "$work/hand.txt" "$work/hand.code"
python3 "$work/matchers.py" "$work/tasks.json" "$work/real.txt" "$work/real.code"
compare "VS Code" "the hand-made lines" "$work/hand.code.expected" "$work/hand.code"
compare "VS Code" "the real lines" "$work/real.code.expected" "$work/real.code"

if [ "$failed" -ne 0 ]; then
    echo "the real lines were:" >&2
    cat "$work/real.txt" >&2
    exit 1
fi
echo "editors: Vim, Emacs and VS Code take $(wc -l < "$work/hand.txt") hand-made and $(wc -l < "$work/real.txt") real lines as documented"
