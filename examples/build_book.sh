#!/bin/sh
# Builds the PDFs of an example book and of its UTF-8 twin.
#
#   build_book.sh OLYINDEX BOOK DIR [UTF8DIR]
#
# BOOK is examples/book or examples/book2; DIR and UTF8DIR are fresh
# directories (made if missing); without UTF8DIR there is no twin. The script copies the book into DIR as it is (code page 1251),
# runs OLYINDEX there on book.src (console in console.txt), then pdflatex twice
# on book.tex. Into UTF8DIR it converts book.src, the language-index template
# and book-common.tex to UTF-8 (iconv), copies book-utf8.tex, runs
# OLYINDEX --utf8 there and pdflatex twice on book-utf8.tex.
# It fails when the tool reports an error, when pdflatex fails, when the log of
# the second run has an undefined reference, a link to a missing target, an
# overfull line or table row ("Overfull \hbox": a table wider than the page),
# or asks for another run, and when the two PDFs differ in their number of pages.
# It then checks each PDF with pdffonts and pdftotext (Debian: poppler-utils):
# it fails when a font is a Type 3 bitmap font, when the text does not give
# back Cyrillic words of the index (BOOK/index-words.txt, UTF-8, one a line,
# when the book has that file), and when the two books' texts differ.
set -eu

if [ $# -ne 3 ] && [ $# -ne 4 ]; then
    echo "usage: $0 OLYINDEX BOOK DIR [UTF8DIR]" >&2
    exit 2
fi
for program in pdflatex iconv pdffonts pdftotext; do
    if ! command -v "$program" > /dev/null 2>&1; then
        echo "$0: $program is missing (Debian: texlive-latex-base, poppler-utils)" >&2
        exit 1
    fi
done
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
book=$(cd "$2" && pwd)
dir=$3
utf8dir=${4:-}

# Byte patterns are code page 1251 or UTF-8: compare bytes, not characters.
LC_ALL=C
export LC_ALL

# Long log lines stay whole, so that every warning can be found by grep.
max_print_line=100000
export max_print_line

error_word=$(printf '\316\330\310\301\312\300')   # "ОШИБКА" in code page 1251
error_word_utf8=$(printf '%s' "$error_word" | iconv -f cp1251 -t utf-8)

# to_utf8 ENCODING: shows standard input, in ENCODING, as UTF-8.
to_utf8() {
    if [ "$1" = cp1251 ]; then
        iconv -f cp1251 -t utf-8 || true
    else
        cat
    fi
}

# build DIR MAIN ENCODING ERROR_WORD [OPTION]: runs the tool in DIR (with
# OPTION), then pdflatex twice on MAIN.tex; ENCODING is that of the files.
build() {
    (
    where=$1 main=$2 encoding=$3 word=$4
    shift 4
    cd "$where"
    if ! "$tool" "$@" book.src book.copy > console.txt; then
        echo "olyindex stopped early (see $where/console.txt)" >&2
        exit 1
    fi
    if grep -q "$word" console.txt; then
        echo "olyindex reported errors on book.src (see $where/console.txt):" >&2
        grep -a -A1 "$word" console.txt | to_utf8 "$encoding" >&2
        exit 1
    fi

    for run in 1 2; do
        if ! pdflatex -interaction=nonstopmode -halt-on-error "$main.tex" > "pdflatex-$run.txt" 2>&1; then
            echo "pdflatex failed (run $run); the first error in $where/$main.log:" >&2
            if grep -a -q '^!' "$main.log"; then
                grep -a -A8 '^!' "$main.log" | head -n 20 | to_utf8 "$encoding" >&2
            else
                tail -n 30 "$main.log" | to_utf8 "$encoding" >&2
            fi
            exit 1
        fi
    done

    problems='undefined|has been referenced|Rerun to get|Rerun LaTeX|Overfull .hbox'
    if grep -a -i -E "$problems" "$main.log" > latex-problems.txt; then
        echo "after the second pdflatex run references are still open or lines too wide ($where/$main.log):" >&2
        to_utf8 "$encoding" < latex-problems.txt >&2
        exit 1
    fi
    rm -f latex-problems.txt
    )
}

# Index entries, as the PDF's text must give them back: every word comes from
# an element of book.src, so they are typeset from the tool's fragments.
index_words='абазинский язык
эргативность
глагольное согласование
Белкина Т. Р.
вид глагола'
if [ -f "$book/index-words.txt" ]; then
    index_words=$(cat "$book/index-words.txt")
fi

# check_pdf PDF TEXT: fails when PDF uses a Type 3 (bitmap) font or when its
# text, extracted into TEXT as UTF-8, lacks one of the index words.
check_pdf() {
    if ! pdffonts "$1" > "$1.fonts"; then
        echo "pdffonts cannot read $1" >&2
        exit 1
    fi
    if grep -q 'Type 3' "$1.fonts"; then
        echo "$1 has Type 3 (bitmap) fonts, so its text cannot be searched or copied:" >&2
        cat "$1.fonts" >&2
        exit 1
    fi
    pdftotext -enc UTF-8 "$1" "$2"
    missing=$(printf '%s\n' "$index_words" | while IFS= read -r words; do
        grep -q -F "$words" "$2" || printf '%s\n' "$words"
    done)
    if [ -n "$missing" ]; then
        echo "the text of $1 (in $2) lacks these index words:" >&2
        printf '%s\n' "$missing" >&2
        exit 1
    fi
}

# pages LOG: the number of pages pdflatex reports in LOG.
pages() {
    sed -n 's/^Output written on .* (\([0-9][0-9]*\) pages\{0,1\}, .*/\1/p' "$1"
}

mkdir -p "$dir"
cp -R "$book"/. "$dir"/
build "$dir" book cp1251 "$error_word"

if [ -z "$utf8dir" ]; then
    check_pdf "$dir/book.pdf" "$dir/book.txt"
    echo "example book: $dir/book.pdf"
    exit 0
fi

mkdir -p "$utf8dir"

for file in book.src indeksal_yazykov.tex.template book-common.tex; do
    iconv -f cp1251 -t utf-8 "$book/$file" > "$utf8dir/$file"
done
cp "$book"/book-utf8.tex "$utf8dir"/
build "$utf8dir" book-utf8 utf-8 "$error_word_utf8" --utf8

cp1251_pages=$(pages "$dir/book.log")
utf8_pages=$(pages "$utf8dir/book-utf8.log")
if [ -z "$cp1251_pages" ] || [ "$cp1251_pages" != "$utf8_pages" ]; then
    echo "the two books differ: $dir/book.pdf has ${cp1251_pages:-?} pages, $utf8dir/book-utf8.pdf ${utf8_pages:-?}" >&2
    exit 1
fi

check_pdf "$dir/book.pdf" "$dir/book.txt"
check_pdf "$utf8dir/book-utf8.pdf" "$utf8dir/book-utf8.txt"
if ! cmp -s "$dir/book.txt" "$utf8dir/book-utf8.txt"; then
    echo "the two books differ in their text: compare $dir/book.txt and $utf8dir/book-utf8.txt" >&2
    exit 1
fi

echo "example book: $dir/book.pdf"
echo "example book in UTF-8: $utf8dir/book-utf8.pdf ($utf8_pages pages, as $dir/book.pdf)"
