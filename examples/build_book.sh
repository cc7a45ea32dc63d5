#!/bin/sh
# Builds the PDF of the example book.
#
#   build_book.sh OLYINDEX DIR
#
# DIR holds a copy of examples/book. The script runs OLYINDEX there on book.src
# (console in console.txt, code page 1251), then pdflatex twice on book.tex.
# It fails when the tool reports an error, when pdflatex fails, or when the
# log of the second run has an undefined reference, a link to a missing
# target, or asks for another run.
set -eu

if [ $# -ne 2 ]; then
    echo "usage: $0 OLYINDEX DIR" >&2
    exit 2
fi
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
dir=$2
cd "$dir"

# Byte patterns are code page 1251: compare bytes, not characters.
LC_ALL=C
export LC_ALL

if ! "$tool" book.src book.copy > console.txt; then
    echo "olyindex stopped early (see $dir/console.txt)" >&2
    exit 1
fi
error_word=$(printf '\316\330\310\301\312\300')   # "ОШИБКА" in code page 1251
if grep -q "$error_word" console.txt; then
    echo "olyindex reported errors on book.src (see $dir/console.txt):" >&2
    grep -a -A1 "$error_word" console.txt | iconv -f cp1251 -t utf-8 >&2 || true
    exit 1
fi

# Long log lines stay whole, so that every warning can be found by grep.
max_print_line=100000
export max_print_line
for run in 1 2; do
    if ! pdflatex -interaction=nonstopmode -halt-on-error book.tex > pdflatex-$run.txt 2>&1; then
        echo "pdflatex failed (run $run); the end of $dir/book.log:" >&2
        tail -n 30 book.log | iconv -f cp1251 -t utf-8 >&2 || tail -n 30 book.log >&2
        exit 1
    fi
done

problems='undefined|has been referenced|Rerun to get|Rerun LaTeX'
if grep -a -i -E "$problems" book.log > latex-problems.txt; then
    echo "after the second pdflatex run references are still open ($dir/book.log):" >&2
    iconv -f cp1251 -t utf-8 latex-problems.txt >&2 || cat latex-problems.txt >&2
    exit 1
fi
rm -f latex-problems.txt

echo "example book: $dir/book.pdf"
