#!/usr/bin/env python3
"""Turns the raw benchmark outputs in one directory into the Markdown results table.

Usage: report.py RAW_DIR [all|soak|startup]; "soak" reports the soak alone, "startup" the start-up
and memory figures alone. Every figure is read from a file that scripts/bench.sh wrote in the same run; a missing or
malformed file is an error, never a default value. Exits non-zero when a target is missed.
"""
import json
import re
import statistics
import sys
from pathlib import Path

# DLLs that ship with every Windows the program supports.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll",
               "shell32.dll", "advapi32.dll", "ole32.dll", "msvcrt.dll"}
KIB = 1024
MIB = 1024 * 1024


def read_lines(path, tag):
    """The fields after `tag` of every line of `path` that starts with it."""
    rows = [line.split()[1:] for line in path.read_text().splitlines()
            if line.split()[:1] == [tag]]
    if not rows:
        sys.exit(f"report: no '{tag}' lines in {path}")
    return rows


def median_of(rows, name, column):
    values = [float(row[column]) for row in rows if row[0] == name]
    if len(values) < 10:
        sys.exit(f"report: only {len(values)} samples of {name}; at least 10 are needed")
    return statistics.median(values), len(values)


def verdict(ok):
    return "pass" if ok else "**FAIL**"


def key_values(path):
    return dict(line.split("=", 1) for line in path.read_text().splitlines())


SOAK_KEYS = ["separators", "warmup_calculations", "warmup_changes", "calculations",
             "folder_changes", "seconds", "workingset_before", "workingset_after", "gdi_before",
             "gdi_after", "user_before", "user_after", "windows_before", "windows_after"]


def soak_run(raw, separators):
    """The figures of one run of the soak driver, as numbers."""
    path = raw / f"soak-{separators}.txt"
    soak = key_values(path)
    missing = [k for k in SOAK_KEYS if k not in soak]
    if missing:
        sys.exit(f"report: {path} lacks {', '.join(missing)}")
    return {k: float(soak[k]) for k in SOAK_KEYS[1:]}


def soak_rows(raw):
    """The soak's rows, one set per run, and its note."""
    rows, times, gui_reported = [], [], False
    for separators in ("german", "english"):
        n = soak_run(raw, separators)
        name = f"Soak ({separators.capitalize()} separators)"
        times.append(f"{n['seconds']:.1f} s under {separators.capitalize()} separators")
        growth = n["workingset_after"] - n["workingset_before"]
        rows.append([f"{name}: working set", f"{n['workingset_after'] / MIB:.2f} MiB",
                     f"{n['workingset_before'] / MIB:.2f} MiB (after the warm-up)",
                     f"{growth / MIB:+.3f} MiB", "growth < 0.25 MiB",
                     verdict(growth < 0.25 * MIB)])
        # Wine answers 0 for every process: a 0 there is no count, and no pass either.
        reported = any(n[k] for k in ("gdi_before", "gdi_after", "user_before", "user_after"))
        gui_reported |= reported
        for key, label in (("gdi", "GDI objects"), ("user", "USER objects"),
                           ("windows", "windows of the process")):
            before, after = n[f"{key}_before"], n[f"{key}_after"]
            if key == "windows":
                result = verdict(before == after and after > 0)
            else:
                result = verdict(before == after) if reported else "not reported (0 under Wine)"
            rows.append([f"{name}: {label}", f"{after:.0f}", f"{before:.0f} (after the warm-up)",
                         f"{after - before:+.0f}", "flat", result])
    note = (f"Soak: Orvanto.exe started in a folder of 5,23 GB (sparse files) whose subdirectory "
            f"measures the same, driven from another process with `SendMessageTimeoutW`, each "
            f"message waited for; {n['calculations']:,.0f} calculations (playing time 7000, "
            f"bitrate 5390001 + i mod 1000: no question, the range bar drawn anew each time) "
            f"and {n['folder_changes']:,.0f} folder changes (`LB_SETCURSEL` + `LBN_DBLCLK`, into "
            f"the subdirectory and back), "
            f"{n['calculations'] / n['folder_changes']:.0f} calculations to a change. `WorkingSetSize` from "
            f"`GetProcessMemoryInfo` and the counts were read after a warm-up of "
            f"{n['warmup_calculations']:.0f} calculations and {n['warmup_changes']:.0f} folder "
            f"changes and again after the soak, which took {' and '.join(times)}. A calculation "
            f"of the worked example before and after read \"78%\". Windows counted with "
            f"`EnumWindows` and `EnumChildWindows`.")
    if not gui_reported:
        note += (" `GetGuiResources` read 0 for GDI and USER objects before and after: Wine "
                 "does not report them, so those rows prove nothing here and the windows are "
                 "counted instead.")
    return rows, note


def server_requests(raw):
    """Per program, the requests its measured start's first thread made (requests.log, cut at the
    offsets in requests.offsets): the thread that began last in the program's part of the log."""
    marks = [line.split() for line in (raw / "requests.offsets").read_text().splitlines()]
    log = (raw / "requests.log").read_bytes()
    counts = {}
    for (name, begin), (_, end) in zip(marks, marks[1:]):
        lines = log[int(begin):int(end)].decode(errors="replace").splitlines()
        firsts = [i for i, line in enumerate(lines)
                  if re.match(r"[0-9a-f]{4}: init_first_thread\(", line)]
        if len(firsts) < 2:
            sys.exit(f"report: no start of {name} in requests.log")
        thread = lines[firsts[-1]][:4]
        # A request and its reply are two lines; the reply's has "() = ".
        counts[name] = sum(1 for line in lines[firsts[-1]:]
                           if re.match(rf"{thread}: [a-z_]+\( ", line))
    return counts


def startup_rows(raw, info):
    """The start-up and memory rows and their notes, from the probe's runs (startup-N.txt)."""
    paths = sorted(raw.glob("startup-*.txt"))
    if not paths:
        sys.exit(f"report: no startup-N.txt in {raw}")
    starts, runs = [], []  # every start; per run the median of its paired ratios to each floor
    for path in paths:
        rows = read_lines(path, "start")
        starts += rows
        times = {}
        for row in rows:
            times.setdefault(row[0], []).append(float(row[1]))
        for name in ("orvanto", "controls", "empty", "copy"):
            if len(times.get(name, [])) < 10:
                sys.exit(f"report: fewer than 10 starts of {name} in {path}")
        # Each round's Orvanto against that round's baseline: the load of the moment falls on both.
        runs.append({floor: statistics.median(o / b for o, b in zip(times["orvanto"], times[floor]))
                     for floor in ("empty", "controls")})
        # The fair floor against a copy of itself: how far apart two runs of one program read.
        runs[-1]["copy"] = statistics.median(
            c / b for c, b in zip(times["copy"], times["controls"]))
    orv_ms, n = median_of(starts, "orvanto", 1)
    empty_ms, _ = median_of(starts, "empty", 1)
    ctl_ms, _ = median_of(starts, "controls", 1)
    polled = sum(1 for row in starts if "polled" in row)

    def ratios(floor):
        values = sorted(run[floor] for run in runs)
        return statistics.median(values), values[0], values[-1]

    def spread(name):
        q = statistics.quantiles([float(r[1]) for r in starts if r[0] == name], n=4)
        return f"{name} {q[0]:.0f}–{q[2]:.0f} ms"

    rows = []  # figure, orvanto, baseline, ratio, target, result
    mid, low, high = ratios("empty")
    rows.append(["Start-up vs (a) the bare floor: one empty window, no manifest",
                 f"{orv_ms:.1f} ms", f"{empty_ms:.1f} ms", f"{mid:.3f} ({low:.3f}–{high:.3f})",
                 "reported", "—"])
    mid, low, high = ratios("controls")
    rows.append(["Start-up vs (b) the fair floor: the same manifest (comctl 6, per-monitor DPI), "
                 "51 controls of the same classes with a font each, a tooltip",
                 f"{orv_ms:.1f} ms", f"{ctl_ms:.1f} ms", f"{mid:.3f} ({low:.3f}–{high:.3f})",
                 "≤ 1.05 in every run", verdict(high <= 1.05)])
    mid, low, high = ratios("copy")
    copy_ms, _ = median_of(starts, "copy", 1)
    rows.append(["Resolution: (b) vs a copy of (b), the same program under another name",
                 f"{copy_ms:.1f} ms (the copy)", f"{ctl_ms:.1f} ms",
                 f"{mid:.3f} ({low:.3f}–{high:.3f})", "reported (1 would be exact)", "—"])

    orv_ws, _ = median_of(starts, "orvanto", 2)
    ctl_ws, _ = median_of(starts, "controls", 2)
    extra = orv_ws - ctl_ws
    rows.append(["Peak working set after start-up vs (b)", f"{orv_ws / MIB:.2f} MiB",
                 f"{ctl_ws / MIB:.2f} MiB", f"{orv_ws / ctl_ws:.3f} (+{extra / MIB:.2f} MiB)",
                 "≤ +0.38 MiB (the figure before)", verdict(extra <= 0.38 * MIB)])

    requests = server_requests(raw)
    rows.append(["Wine server requests of one start vs (b), the window's thread until it ends",
                 f"{requests['orvanto']:,}", f"{requests['controls']:,}",
                 f"{requests['orvanto'] / requests['controls']:.3f}", "reported (exact)", "—"])

    hold = dict(line.split("=", 1) for line in (raw / "memcheck.txt").read_text().splitlines())
    wine_peak, linux_peak = int(hold["wine"]), int(hold["linux"])
    # The memory row means something only if Wine's figure is the process's real peak.
    if not (MIB < linux_peak and abs(wine_peak - linux_peak) <= 0.05 * linux_peak):
        sys.exit(f"report: Wine's peak working set ({wine_peak}) does not match Linux's "
                 f"VmHWM ({linux_peak}) for the same process")
    notes = [
        f"Start-up: {len(runs)} runs of {n // len(runs)} starts of each program, each run after "
        f"{info['warmup']} warm-up round(s), the four taking turns (each round in a shuffled "
        f"order, a pause of 0.3 s after each exit), under one warm `wineserver -p`; timed from "
        f"`CreateProcess` until `WaitForInputIdle` has returned, a visible unowned top-level "
        f"window of the process exists and its thread has answered a `WM_NULL` "
        f"(`SendMessageTimeout`); the window was found only by polling after "
        f"`WaitForInputIdle` in {polled} measured start(s). Orvanto starts in a directory "
        f"holding a DVD's files ({info['dvd']}); the baselines start in the same directory. "
        f"Ratio: per run, the median of the round-by-round ratios (each round's Orvanto start "
        f"over that round's baseline start); shown is the middle run's, in brackets the lowest "
        f"and the highest run's. Times: medians of all {n} starts; middle half of them: "
        f"{spread('orvanto')}, {spread('controls')}, {spread('empty')}, {spread('copy')}.",
        f"Memory: `PeakWorkingSetSize` from `GetProcessMemoryInfo`, read by the probe right "
        f"after start-up, median of all starts. Under Wine it is the process's peak resident "
        f"set: for one held start Wine said {wine_peak / MIB:.2f} MiB and Linux's `VmHWM` for "
        f"the same process said {linux_peak / MIB:.2f} MiB.",
    ]
    return rows, notes


def main(raw_dir, mode):
    raw = Path(raw_dir)
    info = key_values(raw / "machine.txt")
    if mode == "startup":
        rows, notes = startup_rows(raw, info)
        return write(raw, info, rows, notes)
    soak, soak_note = soak_rows(raw)  # last in the table, but a missing run fails at once
    if mode == "soak":
        return write(raw, info, soak, [soak_note])
    rows, notes = startup_rows(raw, info)

    # Executable size and imports.
    exe_size = int((raw / "orvanto.size").read_text())
    ctl_size = int((raw / "controls.size").read_text())
    dlls = [line.strip() for line in (raw / "orvanto.dlls").read_text().splitlines()
            if line.strip()]
    if not dlls:
        sys.exit("report: no imported DLLs read from Orvanto.exe")
    foreign = [d for d in dlls if d.lower() not in SYSTEM_DLLS]
    rows.append(["Orvanto.exe size (imports: " + ", ".join(dlls) + ")",
                 f"{exe_size / KIB:.1f} KiB ({exe_size:,} bytes)", f"{ctl_size / KIB:.1f} KiB (b)",
                 f"{exe_size / (256 * KIB):.2f} of 256 KiB",
                 "≤ 256 KiB, system DLLs only",
                 verdict(exe_size <= 256 * KIB and not foreign)])

    # Size measurement against the bare search loop.
    measures = read_lines(raw / "measure.txt", "measure")
    prog_ns, samples = median_of(measures, "program", 1)
    bare_ns, _ = median_of(measures, "bare", 1)
    iterations = int(read_lines(raw / "measure.txt", "iterations")[0][0])
    ratio_m = prog_ns / bare_ns
    rows.append(["`MeasureOutputDir`, 10,000 other files + 60 VOB/IFO/BUP + 20 dirs",
                 f"{prog_ns / 1e6:.2f} ms", f"{bare_ns / 1e6:.2f} ms (bare `FindFirstFileExW`)",
                 f"{ratio_m:.2f}", "≤ 1.10", verdict(ratio_m <= 1.10)])

    # One read-out update while typing, natively.
    typing = json.loads((raw / "typing.json").read_text())
    runs = [b for b in typing["benchmarks"] if b.get("run_type") == "iteration"]
    if not runs or any(b.get("error_occurred") for b in typing["benchmarks"]):
        sys.exit("report: the typing benchmark reported an error")
    unit = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
    typing_ns = statistics.median(b["real_time"] * unit[b["time_unit"]] for b in runs)
    rows.append(["One read-out update (`inp_Bitrate_Change`), native -O2",
                 f"{typing_ns:.0f} ns", "1 ms (the frame budget)", f"{typing_ns / 1e6:.5f}",
                 "far below 1 ms (≤ 1 %)", verdict(typing_ns <= 0.01 * 1e6)])

    notes += [
        f"Measurement: median of {samples} samples of {iterations} calls of each, the program "
        f"and the bare loop alternating call by call, in one Windows process under Wine.",
        f"Typing: Google Benchmark, median of {len(runs)} repetitions.",
    ]
    return write(raw, info, rows + soak, notes + [soak_note])


def write(raw, info, rows, notes):
    out = ["| Figure | Orvanto | Baseline | Ratio | Target | Result |",
           "| --- | --- | --- | --- | --- | --- |"]
    out += ["| " + " | ".join(row) + " |" for row in rows]
    out += [
        "",
        f"Machine: {info['nproc']} cores, {info['cpu']}, {info['wine']}, "
        f"load average {info['load']} at the start of the run and "
        f"{info['load_end']} at its end.",
        f"Command: `{info['command']}`",
        "",
    ] + notes
    text = "\n".join(out) + "\n"
    (raw.parent / "results.md").write_text(text)
    print(text, end="")
    failed = sum(1 for row in rows if row[-1].startswith("**FAIL"))
    return 1 if failed else 0


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3) or sys.argv[2:] not in ([], ["all"], ["soak"], ["startup"]):
        sys.exit("usage: report.py RAW_DIR [all|soak|startup]")
    sys.exit(main(sys.argv[1], sys.argv[2] if len(sys.argv) == 3 else "all"))
