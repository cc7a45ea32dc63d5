#!/usr/bin/env python3
"""Turn an olyindex book source into a makeindex .idx file of the same pairs.

    to_idx.py SOURCE IDX

reads SOURCE (code page 1251, as olyindex reads it) and writes IDX with one
line \\indexentry{heading}{number} for every reference of every element line
that resolves to a problem with a book number: the heading as olyindex reads
it (the text before the dash separator, spaces folded) and the problem's book
number (its number in source 0). Elements of "#/-" sections have no numbers
and give no entry. So makeindex gets the same (heading, book number) pairs
that olyindex indexes, in source order, duplicates included.

Headings are bytes: they are copied as they are (code page 1251), and
makeindex's special characters are quoted with its quote character '"': the
level '!', the key separator '@', the encapsulator '|', the quote '"' itself
and the escape '\\' (so that a backslash before a quote stays a backslash);
braces are quoted only in a heading whose braces do not balance, so that
makeindex's own brace matching accepts every entry.

The reading follows the tool's source format: lines of at most 2048 bytes,
cut at a line feed, a carriage return or "//", spaces folded; markers "#!",
"#/" with digits and "#/-"; problem lines of placements S/N[.M] and "NS";
element lines "heading -- references" with tokens N[.M][*] that resolve, in
the section's source, to exactly one problem. A line that olyindex would
reject is skipped here too and counted on stderr.
"""

import re
import sys

PLACEMENT = re.compile(rb"^(\d{1,4})/(\d{1,4})(?:\.(\d{0,4}))?$")
SPECIAL = set(b'!@|"\\')


def clean(raw):
    """The line as the reader keeps it: cut, spaces folded; None when empty."""
    cut = len(raw)
    for mark in (b"\n", b"\r", b"//"):
        i = raw.find(mark)
        if i != -1 and i < cut:
            cut = i
    line = b" ".join(word for word in raw[:cut].split(b" ") if word)
    return line or None


def dash_separator(line, start=0):
    """First p with line[p:p+2] == b"--" and line[p+2] != b"-"."""
    p = start
    while p + 1 < len(line):
        if line[p] == 0x2D and line[p + 1] == 0x2D and (p + 2 >= len(line) or line[p + 2] != 0x2D):
            return p
        p += 1
    return -1


class Problems:
    def __init__(self):
        self.book = []        # book number of each problem (0 if none)
        self.where = {}       # (source, number) -> [(subnumber or -1, problem)]

    def add(self, line):
        placements = []
        for tok in line.split(b" "):
            if tok == b"NS":
                continue
            m = PLACEMENT.match(tok)
            if not m or len(placements) == 11:
                return False
            sub = int(m.group(3)) if m.group(3) else -1
            placements.append((int(m.group(1)), int(m.group(2)), sub))
        p = len(self.book)
        numbers = {n for s, n, _ in placements if s == 0}
        self.book.append(numbers.pop() if len(numbers) == 1 else 0)
        for s, n, sub in placements:
            self.where.setdefault((s, n), []).append((sub, p))
        return True

    def find(self, source, number, sub):
        """The one problem with that placement (sub 0: any subnumber), or None."""
        found = None
        for psub, p in self.where.get((source, number), ()):
            if sub == 0 or psub == sub:
                if found is not None and found != p:
                    return None
                found = p
        return found


def references(text, source, problems):
    """Book numbers of the reference tokens of an element line, or None if the line fails."""
    numbers = []
    i = 0
    n = len(text)
    while i < n:
        c = text[i]
        if not 0x30 <= c <= 0x39:
            i += 1
            continue
        # A token: digits, an optional point with 1-3 digits, an optional star.
        j = i
        while j < n and 0x30 <= text[j] <= 0x39:
            j += 1
        number = text[i:j]
        sub = b""
        if j < n and text[j] == 0x2E:
            k = j + 1
            while k < n and 0x30 <= text[k] <= 0x39:
                k += 1
            sub = text[j + 1:k]
            if not sub or len(sub) > 3:
                return None
            j = k
        if j < n and text[j] == 0x2A:
            j += 1
        if len(number) > 4 or (j < n and text[j] in b".*0123456789"):
            return None
        # Only spaces between the token and the comma (or start) before it,
        # and between it and the next comma, "[" or the end.
        before = text[:i].rstrip(b" ")
        if before and not before.endswith(b","):
            return None
        after = text[j:].lstrip(b" ")
        if after and after[:1] not in (b",", b"["):
            return None
        p = problems.find(source, int(number), int(sub) if sub else 0)
        if p is None:
            return None
        numbers.append(problems.book[p])
        i = j
    return numbers


def escape(heading):
    depth = 0
    balanced = True
    for c in heading:
        if c == 0x7B:
            depth += 1
        elif c == 0x7D:
            depth -= 1
            if depth < 0:
                balanced = False
    balanced = balanced and depth == 0
    out = bytearray()
    for c in heading:
        if c in SPECIAL or (not balanced and c in b"{}"):
            out += b'"'
        out.append(c)
    return bytes(out)


def convert(data):
    problems = Problems()
    mode = None
    source = 0
    pending = []          # (heading, text, source) of element lines, resolved after all problems
    rejected = 0
    lines = data.split(b"\n")
    for number, raw in enumerate(lines, 1):
        last = number == len(lines)  # the text after the last line feed
        if last and not raw:
            break
        if len(raw) + (0 if last else 1) > 2048:
            sys.exit("to_idx: line %d is longer than 2048 characters" % number)
        line = clean(raw)
        if line is None:
            continue
        if line == b"#!":
            mode = "problems"
            continue
        if line.startswith(b"#/") and line[2:].isdigit() or line == b"#/":
            mode, source = "elements", int(line[2:] or b"0")
            continue
        if line == b"#/-":
            mode, source = "elements", -1
            continue
        if mode is None:
            sys.exit("to_idx: line %d stands before any section marker" % number)
        if mode == "problems":
            if not problems.add(line):
                rejected += 1
        elif source >= 0 and not line.startswith((b"! ", b"!! ")):
            pending.append((line, source))
    pairs = []
    for line, source in pending:
        p = dash_separator(line)
        if p == -1:
            rejected += 1
            continue
        heading = b" ".join(word for word in line[:p].split(b" ") if word)
        numbers = references(line[p + 2:], source, problems)
        if numbers is None:
            rejected += 1
            continue
        pairs += [(heading, n) for n in numbers if n > 0]
    return pairs, rejected


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: to_idx.py SOURCE IDX")
    with open(sys.argv[1], "rb") as f:
        data = f.read()
    pairs, rejected = convert(data)
    with open(sys.argv[2], "wb") as f:
        f.write(b"".join(b"\\indexentry{%s}{%d}\n" % (escape(h), n) for h, n in pairs))
    print("%s: %d pairs, %d distinct headings, %d lines rejected" %
          (sys.argv[2], len(pairs), len({h for h, _ in pairs}), rejected), file=sys.stderr)


if __name__ == "__main__":
    main()
