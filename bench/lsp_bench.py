#!/usr/bin/env python3
"""The language server timed by a scripted client.

    lsp_bench.py [--olyindex PATH] [--problems N] [--edits E] [--pause MS] [--keep DIR]

Generates a book of N problems (default 9,999) with gen_book.py, starts
`olyindex --lsp`, opens the book (sent as UTF-8, as an editor sends it), and
then makes E one-character changes (default 1,000), each an incremental
didChange that types a character at the end of an element line or takes the
last one away again. After each change it waits for the publishDiagnostics of
that version and takes the time from sending the change to reading the
diagnostics. With --pause MS it waits that long before the next change (a
person typing); with 0 the next change goes out as soon as the diagnostics are
in, so the server's 150 ms interval between publications shows in the
figures. The server's resident memory (VmRSS) is read every 100 changes.

Prints the latency (median, 95th percentile, maximum) and the memory series.
Needs Linux (/proc) and Python 3; touches no file but the generated book.
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def send(proc, message):
    body = json.dumps(message, ensure_ascii=False).encode("utf-8")
    proc.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
    proc.stdin.flush()


def receive(proc):
    length = None
    while True:
        line = proc.stdout.readline()
        if not line:
            raise SystemExit("the server closed its output")
        line = line.strip()
        if not line:
            break
        name, _, value = line.partition(b":")
        if name.strip().lower() == b"content-length":
            length = int(value)
    return json.loads(proc.stdout.read(length))


def wait_for(proc, predicate):
    while True:
        message = receive(proc)
        if predicate(message):
            return message


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--olyindex", default=os.path.join(HERE, "..", "build", "olyindex"))
    parser.add_argument("--problems", type=int, default=9999)
    parser.add_argument("--edits", type=int, default=1000)
    parser.add_argument("--pause", type=float, default=0.0, help="milliseconds between changes")
    parser.add_argument("--keep", help="generate the book in this directory and keep it")
    args = parser.parse_args()

    workdir = args.keep or tempfile.mkdtemp(prefix="lsp-bench-")
    subprocess.run([sys.executable, os.path.join(HERE, "gen_book.py"), "--problems", str(args.problems), workdir],
                   check=True, stdout=subprocess.DEVNULL)
    path = os.path.join(workdir, "book.src")
    with open(path, "rb") as f:
        text = f.read().decode("cp1251")
    lines = text.split("\n")
    # The element lines a character is typed at the end of: in the middle of the book.
    targets = [i for i, l in enumerate(lines) if " -- " in l and not l.startswith("=")]
    targets = targets[len(targets) // 3: len(targets) // 3 + 50]
    uri = "file://" + os.path.abspath(path)

    proc = subprocess.Popen([args.olyindex, "--lsp"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    send(proc, {"jsonrpc": "2.0", "id": 1, "method": "initialize", "params": {"capabilities": {}}})
    wait_for(proc, lambda m: m.get("id") == 1)
    send(proc, {"jsonrpc": "2.0", "method": "initialized", "params": {}})
    started = time.perf_counter()
    send(proc, {"jsonrpc": "2.0", "method": "textDocument/didOpen",
                "params": {"textDocument": {"uri": uri, "languageId": "olyindex", "version": 0, "text": text}}})
    first = wait_for(proc, lambda m: m.get("method") == "textDocument/publishDiagnostics")
    opened = time.perf_counter() - started
    print("book: %d problems, %d lines, %.1f MB; first diagnostics (%d) after %.0f ms"
          % (args.problems, len(lines), len(text.encode("utf-8")) / 1e6, len(first["params"]["diagnostics"]),
             opened * 1000))

    latencies = []
    memory = [(0, rss_kib(proc.pid))]
    for n in range(1, args.edits + 1):
        line = targets[(n - 1) // 2 % len(targets)]
        end = len(lines[line])
        if n % 2 == 1:
            change = {"range": {"start": {"line": line, "character": end}, "end": {"line": line, "character": end}},
                      "text": "1"}
            lines[line] += "1"
        else:
            change = {"range": {"start": {"line": line, "character": end - 1}, "end": {"line": line, "character": end}},
                      "text": ""}
            lines[line] = lines[line][:-1]
        sent = time.perf_counter()
        send(proc, {"jsonrpc": "2.0", "method": "textDocument/didChange",
                    "params": {"textDocument": {"uri": uri, "version": n}, "contentChanges": [change]}})
        wait_for(proc, lambda m: m.get("method") == "textDocument/publishDiagnostics"
                 and m["params"].get("version") == n)
        latencies.append((time.perf_counter() - sent) * 1000)
        if n % 100 == 0:
            memory.append((n, rss_kib(proc.pid)))
        if args.pause > 0:
            time.sleep(args.pause / 1000)

    send(proc, {"jsonrpc": "2.0", "id": 2, "method": "shutdown"})
    wait_for(proc, lambda m: m.get("id") == 2)
    send(proc, {"jsonrpc": "2.0", "method": "exit"})
    status = proc.wait(timeout=10)

    latencies.sort()
    p95 = latencies[min(len(latencies) - 1, int(len(latencies) * 0.95))]
    print("%d changes, pause %.0f ms: latency median %.0f ms, 95th percentile %.0f ms, max %.0f ms"
          % (len(latencies), args.pause, statistics.median(latencies), p95, latencies[-1]))
    print("resident memory (KiB) after N changes: " + ", ".join("%d: %d" % m for m in memory))
    print("server exit status %d" % status)


if __name__ == "__main__":
    main()
