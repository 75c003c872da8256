#!/usr/bin/python3
"""Measures each figure of the program beside its anchor, in the same run and on the same data,
and prints one Markdown table: both figures (wall time with CPU time), their ratio, the goal and
whether it is met. The table also goes into docs/benchmarks.md, between its figure markers, with
the machine's CPU model and the date.

    anchors.py <build folder> <docs/benchmarks.md> [repetitions]

The benchmark binary writes the fixtures (the memo's 100 000 numbers, a 100 000-row .xlsx, a
records database, one .sql file a list) into a temporary folder that every measurement shares.
Each repetition runs the program's benchmark in a process of its own and then its anchor, so that
the machine's load falls on both alike; every figure is the median of the repetitions.
"""
import datetime
import json
import os
import pathlib
import platform
import re
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


class Figure:
    """Wall and CPU milliseconds, or megabytes (wall alone) for a memory figure."""

    def __init__(self, wall, cpu=None):
        self.wall, self.cpu = wall, cpu

    @staticmethod
    def median(figures):
        cpus = [f.cpu for f in figures if f.cpu is not None]
        return Figure(statistics.median(f.wall for f in figures), statistics.median(cpus) if cpus else None)


def run_timed(command, env=None):
    """Runs a process to its end: its output, wall and CPU milliseconds (its own, children's)."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    done = subprocess.run(command, capture_output=True, text=True, check=True, env=env)
    wall = (time.perf_counter() - start) * 1000
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = ((after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)) * 1000
    return done.stdout, wall, cpu


class Run:
    def __init__(self, build, folder):
        self.build, self.folder = build, folder
        self.env = {**os.environ, "PARLUMO_BENCH_FIXTURES": str(folder), "QT_QPA_PLATFORM": "offscreen"}

    def benchmark(self, name, value="time"):
        """One run of a benchmark of parlumo_bench: its time, or its peak memory above its base."""
        out = self.folder / "ours.json"
        subprocess.run([str(self.build / "parlumo_bench"), f"--benchmark_filter=^{re.escape(name)}$",
                        f"--benchmark_out={out}", "--benchmark_out_format=json"],
                       env=self.env, check=True, capture_output=True)
        result = json.loads(out.read_text())["benchmarks"][0]
        if result.get("error_occurred"):
            sys.exit(f"{name}: {result.get('error_message')}")
        if value == "memory":
            return Figure(result["peak_MB"] - result["base_MB"]), Figure(0.0)
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[result["time_unit"]]
        return Figure(result["real_time"] * scale, result["cpu_time"] * scale)

    def sort_unique(self):
        _, wall, cpu = run_timed(["sort", "-u", "-o", "/dev/null", str(self.folder / "numbers.txt")],
                                 env={**os.environ, "LC_ALL": "C"})
        return Figure(wall, cpu)

    def sqlite_list(self, name):
        """The list's statement in the sqlite3 shell, rows to /dev/null, timed by its ".timer"."""
        statement = (self.folder / f"{name}.sql").read_text()
        done = subprocess.run(["sqlite3", "-batch", str(self.folder / "records.db")],
                              input=f".output /dev/null\n.timer on\n{statement}",
                              capture_output=True, text=True, check=True)
        real, user, system = map(float, re.search(r"real ([\d.]+) user ([\d.]+) sys ([\d.]+)",
                                                  done.stdout).groups())
        return Figure(real * 1000, (user + system) * 1000)

    def python(self, *arguments):
        """This script in a process of its own as an openpyxl anchor; it prints wall and CPU ms."""
        out, _, _ = run_timed(["/usr/bin/python3", __file__, *arguments, str(self.folder)])
        wall, cpu = map(float, out.split())
        return Figure(wall, cpu)

    def startup(self, program, *arguments):
        """Spawn to the first paint of the program's window, which prints the CPU ms it took."""
        with tempfile.TemporaryDirectory() as home:
            # A new program folder with the files a build's folder gives it (the login picture).
            for shared in ("loginbg.bmp", "keyword.txt"):
                shutil.copy(self.build / shared, home)
            env = {**self.env, "PARLUMO_STARTUP_TIMING": "1", "XDG_RUNTIME_DIR": home}
            out, wall, _ = run_timed([str(self.build / program), *[a.replace("{home}", home) for a in arguments]],
                                     env=env)
        shown = re.search(r"^shown ([\d.]+)$", out, re.M)
        if not shown:
            sys.exit(f"{program} did not report its first paint")
        return Figure(wall, float(shown.group(1)))


def write_xlsx(folder):
    """openpyxl's write-only mode writing the memo's numbers as the export does: a header, one a row."""
    import openpyxl
    numbers = (folder / "numbers.txt").read_text().split()
    target = folder / "anchor-export.xlsx"
    wall, cpu = time.perf_counter(), time.process_time()
    workbook = openpyxl.Workbook(write_only=True)
    sheet = workbook.create_sheet()
    sheet.append(["手机号码"])
    for number in numbers:
        sheet.append([number])
    workbook.save(target)
    print((time.perf_counter() - wall) * 1000, (time.process_time() - cpu) * 1000)


def read_xlsx(folder):
    """openpyxl's read-only mode collecting the values of every row of the contacts' workbook."""
    import openpyxl
    wall, cpu = time.perf_counter(), time.process_time()
    workbook = openpyxl.load_workbook(folder / "contacts.xlsx", read_only=True)
    rows = [values for values in workbook.worksheets[0].iter_rows(values_only=True)]
    workbook.close()
    if len(rows) != 100_001:
        sys.exit(f"openpyxl read {len(rows)} rows")
    print((time.perf_counter() - wall) * 1000, (time.process_time() - cpu) * 1000)


# Each figure: what, how ours is measured, its anchor (described, measured), the goal as
# (kind, bound): "at most" ours/anchor, "faster" anchor/ours at least, "above" ours at most the bound.
FIGURES = [
    ("Whole SMS job, 100 000 numbers, pause 0, against parlumo-sim",
     lambda r: r.benchmark("BM_SendJob/iterations:5/process_time/real_time"),
     "libcurl posting the same 20 bodies, one kept-alive handle",
     lambda r: r.benchmark("BM_CurlPostBodies/keepAlive:1/iterations:5/process_time/real_time"),
     ("at most", 1.2)),
    ("Duplicates removal of 100 000 numbers (the memo's rule, text to text)",
     lambda r: r.benchmark("BM_RemoveDuplicateLines"),
     "`sort -u` of the same lines (LC_ALL=C, a process of its own)", Run.sort_unique,
     ("at most", 1.0)),
    ("Recount of a 100 000-number memo",
     lambda r: r.benchmark("BM_CountNumbers"),
     "`std::count` of the same text's line feeds", lambda r: r.benchmark("BM_CountSeparators"),
     ("at most", 3.0)),
    (".xlsx export of 100 000 numbers",
     lambda r: r.benchmark("BM_ExportNumbers"),
     "openpyxl, write-only mode", lambda r: r.python("--write-xlsx"),
     ("faster", 5.0)),
    (".xlsx import of 100 000 rows into the SMS memo",
     lambda r: r.benchmark("BM_ImportNumbersToMemo"),
     "openpyxl, read-only mode, every row's values", lambda r: r.python("--read-xlsx"),
     ("faster", 5.0)),
    (".xlsx import of 100 000 rows into the address book",
     lambda r: r.benchmark("BM_ImportContactsToAddressBook"),
     "openpyxl, read-only mode, every row's values", lambda r: r.python("--read-xlsx"),
     ("faster", 5.0)),
    ("Sent log opening on 100 000 batches",
     lambda r: r.benchmark("BM_OpenList/sent_log"),
     "sqlite3 shell selecting the same rows", lambda r: r.sqlite_list("sent_log"),
     ("at most", 2.0)),
    ("Address book opening on 100 000 contacts (all groups)",
     lambda r: r.benchmark("BM_OpenList/all_contacts"),
     "sqlite3 shell selecting the same rows", lambda r: r.sqlite_list("all_contacts"),
     ("at most", 2.0)),
    ("Start-up to the login screen shown (offscreen)",
     lambda r: r.startup("parlumo", "--home", "{home}"),
     "a bare Qt window of ours shown (offscreen)", lambda r: r.startup("parlumo_bare_window"),
     ("at most", 1.5)),
    ("Peak memory with 100 000 numbers in the memo",
     lambda r: r.benchmark("BM_MemoSetText", "memory"),
     "the idle program (the shown, empty memo)", None,
     ("above", 50.0)),
]


def time_text(figure):
    if figure.cpu is None:
        return f"{figure.wall:.0f} MB"
    digits = 0 if figure.wall >= 10 else 1 if figure.wall >= 1 else 2
    return f"{figure.wall:.{digits}f} ms ({figure.cpu:.{digits}f})"


def verdict(ours, anchor, goal):
    """The ratio cell and whether the goal is met, judged on wall time and on CPU time."""
    kind, bound = goal
    if kind == "above":
        return f"+{ours.wall:.0f} MB", f"≤ +{bound:.0f} MB", "yes" if ours.wall <= bound else "**no**"

    def ratio(a, b):
        return a / b if kind == "at most" else b / a

    wall, cpu = ratio(ours.wall, anchor.wall), ratio(ours.cpu, anchor.cpu) if anchor.cpu else None
    met = (lambda r: r <= bound) if kind == "at most" else (lambda r: r >= bound)
    word = "×" if kind == "at most" else "× faster"
    cells = f"{wall:.2f}{word} ({cpu:.2f})" if cpu is not None else f"{wall:.2f}{word}"
    goal_text = f"≤ {bound:g}×" if kind == "at most" else f"≥ {bound:g}× faster"
    verdicts = f"wall {'yes' if met(wall) else '**no**'}, CPU {'yes' if met(cpu) else '**no**'}"
    return cells, goal_text, verdicts


def cpu_model():
    for line in pathlib.Path("/proc/cpuinfo").read_text().splitlines():
        if line.startswith("model name"):
            return line.split(":", 1)[1].strip()
    return platform.processor() or "unknown"


def measure(build, repetitions):
    lines = ["| Figure | Ours, wall (CPU) | Anchor | Anchor, wall (CPU) | Ratio, wall (CPU) | Goal | Met |",
             "|---|---:|---|---:|---:|---|---|"]
    with tempfile.TemporaryDirectory() as name:
        folder = pathlib.Path(name)
        subprocess.run([str(build / "parlumo_bench"), f"--write-fixtures={folder}"], check=True,
                       env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
        run = Run(build, folder)
        for what, ours_of, anchor_text, anchor_of, goal in FIGURES:
            ours, anchors = [], []
            for _ in range(repetitions):
                ours.append(ours_of(run)[0] if goal[0] == "above" else ours_of(run))
                if anchor_of:
                    anchors.append(anchor_of(run))
            ours = Figure.median(ours)
            anchor = Figure.median(anchors) if anchors else None
            ratio, goal_text, met = verdict(ours, anchor, goal)
            anchor_cell = time_text(anchor) if anchor else "—"
            lines.append(f"| {what} | {time_text(ours)} | {anchor_text} | {anchor_cell} | {ratio} | "
                         f"{goal_text} | {met} |")
            print(lines[-1], file=sys.stderr, flush=True)
    load = os.getloadavg()
    header = (f"Measured {datetime.datetime.now().strftime('%Y-%m-%d %H:%M')} on {cpu_model()}, "
              f"{os.cpu_count()} cores, load average {load[0]:.1f} at the end; median of {repetitions} "
              f"repetitions.")
    return header, lines


def write_doc(doc, header, lines):
    begin, end = "<!-- figures: written by scripts/bench -->", "<!-- end of figures -->"
    text = doc.read_text()
    if begin not in text or end not in text:
        sys.exit(f"{doc} lacks the figure markers")
    before, rest = text.split(begin, 1)
    after = rest.split(end, 1)[1]
    doc.write_text(before + begin + "\n" + header + "\n\n" + "\n".join(lines) + "\n" + end + after)


def main(build, doc, repetitions):
    header, lines = measure(pathlib.Path(build), repetitions)
    print(header)
    print()
    print("\n".join(lines))
    write_doc(pathlib.Path(doc), header, lines)


if __name__ == "__main__":
    if sys.argv[1:2] == ["--read-xlsx"]:
        read_xlsx(pathlib.Path(sys.argv[2]))
    elif sys.argv[1:2] == ["--write-xlsx"]:
        write_xlsx(pathlib.Path(sys.argv[2]))
    else:
        main(sys.argv[1], sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 5)
