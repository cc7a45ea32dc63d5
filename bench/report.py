#!/usr/bin/env python3
"""Summarise the runs of bench/run.sh: medians, ratios, the table, the plot script.

Called by run.sh; writes RESULTS/NAME.csv, NAME.md, NAME.gp (and NAME-big.csv
with --big). CPU time is user + system of one run; every figure is the median
over the paired rounds (timings) or over the memory runs (peak memory).
"""

import argparse
import csv
import os
import platform
import statistics
import subprocess
import time


def median(values):
    return statistics.median(values) if values else float("nan")


def command_output(args):
    try:
        return subprocess.run(args, capture_output=True, text=True, errors="replace", timeout=30).stdout.strip()
    except (OSError, subprocess.SubprocessError):
        return ""


def machine():
    model = ""
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    return "%s, %d cores, %s %s" % (model or platform.processor() or "unknown CPU", os.cpu_count() or 0,
                                   platform.system(), platform.release())


def build_type(binary):
    cache = os.path.join(os.path.dirname(binary), "CMakeCache.txt")
    try:
        with open(cache) as f:
            for line in f:
                if line.startswith("CMAKE_BUILD_TYPE:"):
                    return line.split("=", 1)[1].strip() or "(none)"
    except OSError:
        pass
    return "unknown"


def mb(kb):
    return kb / 1024.0


def fmt_s(x):
    return "%.3f s" % x if x < 10 else "%.1f s" % x


def fmt_mb(x):
    return "%.1f MB" % x


def fmt_bytes(n):
    return "%.1f MB" % (n / 1e6) if n >= 1e6 else "%.0f kB" % (n / 1e3)


def main():
    ap = argparse.ArgumentParser()
    for a in ("name", "results", "books", "memory", "runs", "olyindex", "makeindex"):
        ap.add_argument("--" + a, required=True)
    ap.add_argument("--rounds", type=int, required=True)
    ap.add_argument("--seed", type=int, required=True)
    ap.add_argument("--makeindex-version", default="makeindex")
    ap.add_argument("--big")
    ap.add_argument("--baseline")
    ap.add_argument("--compare")
    args = ap.parse_args()

    books = {}
    with open(args.books) as f:
        for line in f:
            n, source, pairs, written = line.split()
            books[int(n)] = (int(source), int(pairs), int(written))
    runs = {}
    ratios = {}
    speedups = {}
    with open(args.runs) as f:
        per_round = {}
        for row in csv.DictReader(f):
            n = int(row["size"])
            runs.setdefault((n, row["tool"]), {"cpu": [], "wall": []})
            runs[(n, row["tool"])]["cpu"].append(float(row["cpu_s"]))
            runs[(n, row["tool"])]["wall"].append(float(row["wall_s"]))
            per_round.setdefault((n, row["round"]), {})[row["tool"]] = float(row["cpu_s"])
        for (n, _), pair in per_round.items():
            if pair.get("makeindex", 0) > 0 and "olyindex" in pair:
                ratios.setdefault(n, []).append(pair["olyindex"] / pair["makeindex"])
            if pair.get("olyindex", 0) > 0 and "compare" in pair:
                speedups.setdefault(n, []).append(pair["compare"] / pair["olyindex"])
    memory = {}
    with open(args.memory) as f:
        for line in f:
            words = line.split()
            if len(words) >= 3:
                memory.setdefault((int(words[0]), words[1]), []).append(int(words[2]))
    baseline = {}
    if args.baseline:
        with open(args.baseline) as f:
            for row in csv.DictReader(f):
                baseline[int(row["problems"])] = row

    rows = []
    for n in sorted(books):
        source, pairs, written = books[n]
        oly = runs.get((n, "olyindex"), {"cpu": [], "wall": []})
        mi = runs.get((n, "makeindex"), {"cpu": [], "wall": []})
        row = {
            "problems": n, "source_bytes": source, "pairs": pairs, "written_bytes": written,
            "rounds": len(oly["cpu"]),
            "olyindex_cpu_s": median(oly["cpu"]), "makeindex_cpu_s": median(mi["cpu"]),
            "olyindex_wall_s": median(oly["wall"]), "makeindex_wall_s": median(mi["wall"]),
            "paired_ratio": median(ratios.get(n, [])),
            "olyindex_peak_mb": mb(median(memory.get((n, "olyindex"), []))),
            "makeindex_peak_mb": mb(median(memory.get((n, "makeindex"), []))),
        }
        row["ratio"] = row["olyindex_cpu_s"] / row["makeindex_cpu_s"] if row["makeindex_cpu_s"] else float("nan")
        if args.compare:
            cmp_runs = runs.get((n, "compare"), {"cpu": [], "wall": []})
            row["compare_cpu_s"] = median(cmp_runs["cpu"])
            row["compare_peak_mb"] = mb(median(memory.get((n, "compare"), [])))
            row["paired_speedup"] = median(speedups.get(n, []))
        rows.append(row)

    fields = ["problems", "source_bytes", "pairs", "written_bytes", "rounds", "olyindex_cpu_s", "makeindex_cpu_s",
              "ratio", "paired_ratio", "olyindex_wall_s", "makeindex_wall_s", "olyindex_peak_mb", "makeindex_peak_mb"]
    if args.compare:
        fields += ["compare_cpu_s", "compare_peak_mb", "paired_speedup"]
    base = os.path.join(args.results, args.name)
    with open(base + ".csv", "w", newline="") as f:
        w = csv.writer(f)
        w.writerow(fields)
        for r in rows:
            w.writerow([("%.4f" % r[k]) if isinstance(r[k], float) else r[k] for k in fields])

    big = None
    if args.big:
        with open(args.big) as f:
            v = f.read().split()
        big = {"source_bytes": int(v[0]), "pairs": int(v[1]), "written_bytes": int(v[2]),
               "olyindex_peak_mb": mb(int(v[3])), "olyindex_cpu_s": float(v[4]), "olyindex_wall_s": float(v[5]),
               "makeindex_peak_mb": mb(int(v[6])), "makeindex_cpu_s": float(v[7]), "makeindex_wall_s": float(v[8])}
        with open(base + "-big.csv", "w", newline="") as f:
            w = csv.writer(f)
            w.writerow(list(big))
            w.writerow([("%.4f" % x) if isinstance(x, float) else x for x in big.values()])

    # The Markdown report.
    hf = command_output(["hyperfine", "--version"])
    oly_version = command_output([args.olyindex, "--version"]).splitlines()
    git = command_output(["git", "-C", os.path.dirname(os.path.abspath(__file__)), "describe", "--always", "--dirty"])
    load = open("/proc/loadavg").read().split()[:3] if os.path.exists("/proc/loadavg") else []
    out = []
    out.append("# olyindex against makeindex: %s" % args.name)
    out.append("")
    out.append("Measured %s with `bench/run.sh` (seed %d, %d paired rounds per size)." %
               (time.strftime("%Y-%m-%d %H:%M %Z"), args.seed, args.rounds))
    out.append("")
    out.append("| problems | olyindex, whole run (CPU) | makeindex, one index (CPU) | ratio | olyindex peak memory | makeindex peak memory |")
    out.append("|---:|---:|---:|---:|---:|---:|")
    for r in rows:
        out.append("| %s | %s | %s | %.2f× | %s | %s |" % (
            "{:,}".format(r["problems"]), fmt_s(r["olyindex_cpu_s"]), fmt_s(r["makeindex_cpu_s"]), r["ratio"],
            fmt_mb(r["olyindex_peak_mb"]), fmt_mb(r["makeindex_peak_mb"])))
    out.append("")
    out.append("CPU is user + system time, the median of the paired rounds; the ratio is olyindex's median over "
               "makeindex's. Peak memory is the maximum resident set size reported by `/usr/bin/time -v`, "
               "the median of a few runs.")
    out.append("")
    if baseline:
        out.append("Against the baseline `%s`:" % os.path.basename(args.baseline))
        out.append("")
        out.append("| problems | olyindex CPU, baseline | olyindex CPU, now | speed-up | peak memory, baseline | peak memory, now |")
        out.append("|---:|---:|---:|---:|---:|---:|")
        for r in rows:
            b = baseline.get(r["problems"])
            if b:
                bc, bm = float(b["olyindex_cpu_s"]), float(b["olyindex_peak_mb"])
                out.append("| %s | %s | %s | %.2f× | %s | %s |" % (
                    "{:,}".format(r["problems"]), fmt_s(bc), fmt_s(r["olyindex_cpu_s"]),
                    bc / r["olyindex_cpu_s"], fmt_mb(bm), fmt_mb(r["olyindex_peak_mb"])))
        out.append("")
    if args.compare:
        out.append("Against `%s`, timed in the same rounds (it wrote the same bytes):" % args.compare)
        out.append("")
        out.append("| problems | CPU, `--compare` binary | CPU, olyindex | speed-up (per-round median) | peak memory, `--compare` binary | peak memory, olyindex |")
        out.append("|---:|---:|---:|---:|---:|---:|")
        for r in rows:
            out.append("| %s | %s | %s | %.2f× | %s | %s |" % (
                "{:,}".format(r["problems"]), fmt_s(r["compare_cpu_s"]), fmt_s(r["olyindex_cpu_s"]),
                r["paired_speedup"], fmt_mb(r["compare_peak_mb"]), fmt_mb(r["olyindex_peak_mb"])))
        out.append("")
    out.append("The books (`bench/gen_book.py`) and what the runs read and write:")
    out.append("")
    out.append("| problems | source | pairs | olyindex writes (files and console) | wall, olyindex | wall, makeindex | per-round ratio (median) |")
    out.append("|---:|---:|---:|---:|---:|---:|---:|")
    for r in rows:
        out.append("| %s | %s | %s | %s | %s | %s | %.2f× |" % (
            "{:,}".format(r["problems"]), fmt_bytes(r["source_bytes"]), "{:,}".format(r["pairs"]),
            fmt_bytes(r["written_bytes"]), fmt_s(r["olyindex_wall_s"]), fmt_s(r["makeindex_wall_s"]),
            r["paired_ratio"]))
    out.append("")
    if big:
        out.append("The large source of %s, measured once (9,999 problems, about %.0f references each):" % (
            fmt_bytes(big["source_bytes"]), big["pairs"] / 9999.0))
        out.append("")
        out.append("| source | pairs | olyindex writes (files) | olyindex peak memory | olyindex CPU | makeindex peak memory | makeindex CPU |")
        out.append("|---:|---:|---:|---:|---:|---:|---:|")
        out.append("| %s | %s | %s | %s | %s | %s | %s |" % (
            fmt_bytes(big["source_bytes"]), "{:,}".format(big["pairs"]), fmt_bytes(big["written_bytes"]),
            fmt_mb(big["olyindex_peak_mb"]), fmt_s(big["olyindex_cpu_s"]),
            fmt_mb(big["makeindex_peak_mb"]), fmt_s(big["makeindex_cpu_s"])))
        out.append("")
    # The targets, as figures of this run.
    by_n = {r["problems"]: r for r in rows}
    checks = []
    for n in (2500, 9999):
        if n in by_n:
            checks.append("CPU at most makeindex's at %s: %.2f× (%s)" % (
                "{:,}".format(n), by_n[n]["ratio"], "met" if by_n[n]["ratio"] <= 1 else "not met"))
    if 9999 in by_n:
        checks.append("peak memory at 9,999 under 24 MB: %s (%s)" % (
            fmt_mb(by_n[9999]["olyindex_peak_mb"]), "met" if by_n[9999]["olyindex_peak_mb"] < 24 else "not met"))
    if big and big["source_bytes"] >= 45e6:
        checks.append("the 50 MB source under 150 MB: %s (%s)" % (
            fmt_mb(big["olyindex_peak_mb"]), "met" if big["olyindex_peak_mb"] < 150 else "not met"))
    if 2500 in by_n and 9999 in by_n:
        growth = by_n[9999]["olyindex_cpu_s"] / by_n[2500]["olyindex_cpu_s"]
        checks.append("9,999 problems within 4.5× of 2,500: %.2f× (%s)" % (growth, "met" if growth <= 4.5 else "not met"))
    if checks:
        out.append("Targets: " + "; ".join(checks) + ".")
        out.append("")
    out.append("Tools: olyindex `%s` (%s, build type %s, commit %s); %s; %s." % (
        args.olyindex, oly_version[0] if oly_version else "?", build_type(args.olyindex), git or "?",
        args.makeindex_version.replace("This is ", "").rstrip("."), hf))
    out.append("Machine: %s; load average at the end %s." % (machine(), " ".join(load)))
    out.append("")
    with open(base + ".md", "w") as f:
        f.write("\n".join(out) + "\n")

    # The plot: CPU time and peak memory against problems, log-log.
    name = args.name
    csv_name = name + ".csv"
    # (file, CPU column, memory column, style, title) of each curve.
    series = [(csv_name, 6, 12, "lw 2 pt 7", "olyindex"),
              (csv_name, 7, 13, "lw 2 pt 5", "makeindex -q")]
    if args.compare:
        series.append((csv_name, fields.index("compare_cpu_s") + 1, fields.index("compare_peak_mb") + 1,
                       "lw 1 dt 3 pt 4", "olyindex, --compare binary"))
    if baseline:
        baseline_csv = os.path.basename(args.baseline)
        series.append((baseline_csv, 6, 12, "lw 1 dt 2 pt 6", "olyindex, " + os.path.splitext(baseline_csv)[0]))

    def plot(column):
        curves = ["'%s' using 1:%d skip 1 with linespoints %s title '%s'" % (f, cpu if column == "cpu" else mem, style, title)
                 for f, cpu, mem, style, title in series]
        return "plot " + ", \\\n     ".join(curves)

    gp = ["# gnuplot %s.gp, in bench/results: written by bench/report.py" % name,
          "set terminal pngcairo size 1100,450 font ',10'",
          "set output '%s.png'" % name,
          "set datafile separator ','",
          "set key top left",
          "set logscale xy",
          "set grid",
          "set xlabel 'problems in the book'",
          "set xrange [150:15000]",
          "set multiplot layout 1,2 title 'olyindex (whole run) and makeindex (one index) on the same pairs: %s'" % name,
          "set ylabel 'CPU time, user + system (s), median'",
          plot("cpu"),
          "set ylabel 'peak memory (MB)'",
          plot("memory"),
          "unset multiplot"]
    with open(base + ".gp", "w") as f:
        f.write("\n".join(gp) + "\n")


if __name__ == "__main__":
    main()
