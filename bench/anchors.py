#!/usr/bin/python3
"""Runs the record-list and import benchmarks beside the tools a user would otherwise use, on the
same fixture files, and prints the figures as a Markdown table (the one in docs/benchmarks.md).

    anchors.py <parlumo_bench> [repetitions]

The benchmark binary writes the fixtures (a 100 000-row .xlsx, a records database, one .sql file
a list) into a temporary folder. The anchors are the sqlite3 shell running each list's statement
with its rows going to /dev/null (timed by the shell's ".timer"), and openpyxl reading the
workbook in read-only mode. Every figure is the median of the repetitions; peak memory is the
process's maximum resident size (GNU time for the anchors, the kernel's high-water mark over the
measured loop for the benchmarks).
"""
import json
import os
import pathlib
import re
import statistics
import subprocess
import sys
import tempfile
import time

# What is measured: the benchmark, its anchor ("sql:<list>", "xlsx" or None) and a note.
CASES = [
    ("Open the contacts of a group (all 100 000 in it)", "BM_OpenList/contacts_of_group",
     "sql:contacts_of_group", "ours: count and keys of all rows, first page of 256"),
    ("Open all contacts", "BM_OpenList/all_contacts", "sql:all_contacts", "as above"),
    ("Search contacts by name, \"王芳\"", "BM_OpenList/contacts_by_name", "sql:contacts_by_name",
     "like '%王芳%' escape '\\'"),
    ("Search contacts by number, \"888\"", "BM_OpenList/contacts_by_number", "sql:contacts_by_number",
     "like '%888%' escape '\\'"),
    ("Open the sent log (all batches)", "BM_OpenList/sent_log", "sql:sent_log", "newest first"),
    ("Tick all sent batches and read their numbers", "BM_SentLogTickAllAndReadNumbers", None,
     "\"全选\" then \"发短信\""),
    ("Read the numbers of the .xlsx", "BM_ReadNumbersFromWorkbook", "xlsx",
     "openpyxl keeps every row's values, ours every cell"),
    ("Import the .xlsx into the SMS number memo", "BM_ImportNumbersToMemo", "xlsx",
     "read, then one append to the memo and its count"),
    ("Hand 100 000 numbers to the memo", "BM_AppendImportedNumbers", None, "the memo step alone"),
    ("Import the .xlsx into the address book", "BM_ImportContactsToAddressBook", "xlsx",
     "read, then every contact stored in one transaction"),
    ("Store 100 000 contacts in one transaction", "BM_StoreImportedContacts", None,
     "the storing step alone"),
]


def timed(command, stdin=None):
    """Runs the command under GNU time: its standard output and its peak memory in MB."""
    with tempfile.NamedTemporaryFile("r") as peak:
        done = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", peak.name, *command],
                              input=stdin, capture_output=True, text=True, check=True)
        return done.stdout, int(peak.read().split()[-1]) / 1024


def sql_anchor(folder, name):
    """The statement's wall and CPU milliseconds as the shell times them, and its peak memory."""
    statement = (folder / f"{name}.sql").read_text()
    script = f".output /dev/null\n.timer on\n{statement}"
    out, peak = timed(["sqlite3", "-batch", str(folder / "records.db")], script)
    real, user, system = map(float, re.search(r"real ([\d.]+) user ([\d.]+) sys ([\d.]+)", out).groups())
    return real * 1000, (user + system) * 1000, peak


def sql_rows(folder, name):
    statement = (folder / f"{name}.sql").read_text().strip().rstrip(";")
    out = subprocess.run(["sqlite3", "-batch", str(folder / "records.db"),
                          f"select count(*) from ({statement})"],
                         capture_output=True, text=True, check=True).stdout
    return int(out)


def xlsx_anchor(folder):
    out, peak = timed(["/usr/bin/python3", __file__, "--read-xlsx", str(folder / "contacts.xlsx")])
    wall, cpu, rows = out.split()
    return float(wall), float(cpu), peak, int(rows)


def read_xlsx(path):
    """The anchor's own process: prints the wall and CPU milliseconds taken and the data rows read."""
    import openpyxl
    wall, cpu = time.perf_counter(), time.process_time()
    workbook = openpyxl.load_workbook(path, read_only=True)
    rows = [values for values in workbook.worksheets[0].iter_rows(values_only=True)]
    workbook.close()
    print((time.perf_counter() - wall) * 1000, (time.process_time() - cpu) * 1000, len(rows) - 1)


def our_median(bench, folder, benchmark, repetitions):
    """The median run of one benchmark, in a process of its own so that its peak memory is its own."""
    out = folder / "ours.json"
    subprocess.run([bench, f"--benchmark_filter=^{re.escape(benchmark)}$",
                    f"--benchmark_repetitions={repetitions}", "--benchmark_report_aggregates_only=true",
                    f"--benchmark_out={out}", "--benchmark_out_format=json"],
                   env={**os.environ, "PARLUMO_BENCH_FIXTURES": str(folder)}, check=True)
    for run in json.loads(out.read_text())["benchmarks"]:
        if run.get("error_occurred"):
            sys.exit(f"{benchmark}: {run.get('error_message')}")
        single = repetitions == 1 and run["run_type"] == "iteration"
        if (single or run.get("aggregate_name") == "median") and run["time_unit"] == "ms":
            return run
    sys.exit(f"{benchmark}: no median")


def milliseconds(wall, cpu):
    return "—" if wall is None else f"{wall:.0f} ms ({cpu:.0f})" if wall >= 10 else f"{wall:.1f} ms ({cpu:.1f})"


def megabytes(peak, base):
    return "—" if peak is None else f"{peak:.0f} MB (from {base:.0f})"


def medians(runs):
    return [statistics.median(column) for column in zip(*runs)]


def main(bench, repetitions):
    with tempfile.TemporaryDirectory() as name:
        folder = pathlib.Path(name)
        subprocess.run([bench, f"--write-fixtures={folder}"], check=True)
        xlsx = medians(xlsx_anchor(folder) for _ in range(repetitions))
        # The anchors' peak memory before they read anything, as ours is given from its base.
        xlsx_base = timed(["/usr/bin/python3", "-c", "import openpyxl"])[1]
        sql_base = timed(["sqlite3", "-batch", str(folder / "records.db"), "select 1"])[1]
        lines = []
        for what, benchmark, anchor, note in CASES:
            ours = our_median(bench, folder, benchmark, repetitions)
            rows = int(ours["rows"])
            anchor_wall = anchor_cpu = anchor_peak = anchor_base = None
            if anchor and anchor.startswith("sql:"):
                anchor_wall, anchor_cpu, anchor_peak = medians(sql_anchor(folder, anchor[4:])
                                                               for _ in range(repetitions))
                anchor_rows = sql_rows(folder, anchor[4:])
                anchor_base = sql_base
                note = f"sqlite3 shell; {note}"
            elif anchor == "xlsx":
                anchor_wall, anchor_cpu, anchor_peak, anchor_rows = xlsx
                anchor_base = xlsx_base
                note = f"openpyxl read-only; {note}"
            if anchor and anchor_rows != rows:
                note += f"; ROWS DIFFER: the anchor has {anchor_rows:,}"
            peak = megabytes(ours["peak_MB"], ours["base_MB"])
            anchor_peak = megabytes(anchor_peak, anchor_base)
            lines.append(f"| {what} | {milliseconds(ours['real_time'], ours['cpu_time'])} | {peak} | "
                         f"{milliseconds(anchor_wall, anchor_cpu)} | {anchor_peak} | {rows:,} | {note} |")
        print("| What | Ours, wall (CPU) | Ours, peak | Anchor, wall (CPU) | Anchor, peak | Rows | Notes |")
        print("|---|---:|---:|---:|---:|---:|---|")
        print("\n".join(lines))


if __name__ == "__main__":
    if sys.argv[1:2] == ["--read-xlsx"]:
        read_xlsx(sys.argv[2])
    else:
        main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 5)
