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
    ("Search contacts by number, \"8888\"", "BM_OpenList/contacts_by_number", "sql:contacts_by_number",
     "like '%8888%' escape '\\'"),
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
    statement = (folder / f"{name}.sql").read_text()
    script = f".output /dev/null\n.timer on\n{statement}"
    out, peak = timed(["sqlite3", "-batch", str(folder / "records.db")], script)
    seconds = float(re.search(r"Run Time: real ([\d.]+)", out).group(1))
    return seconds * 1000, peak


def sql_rows(folder, name):
    statement = (folder / f"{name}.sql").read_text().strip().rstrip(";")
    out = subprocess.run(["sqlite3", "-batch", str(folder / "records.db"),
                          f"select count(*) from ({statement})"],
                         capture_output=True, text=True, check=True).stdout
    return int(out)


def xlsx_anchor(folder):
    out, peak = timed(["/usr/bin/python3", __file__, "--read-xlsx", str(folder / "contacts.xlsx")])
    milliseconds, rows = out.split()
    return float(milliseconds), peak, int(rows)


def read_xlsx(path):
    """The anchor's own process: prints the milliseconds taken and the data rows read."""
    import openpyxl
    start = time.perf_counter()
    workbook = openpyxl.load_workbook(path, read_only=True)
    rows = [values for values in workbook.worksheets[0].iter_rows(values_only=True)]
    workbook.close()
    print((time.perf_counter() - start) * 1000, len(rows) - 1)


def our_medians(bench, folder, repetitions):
    names = "|".join(re.escape(case[1]) for case in CASES)
    out = folder / "ours.json"
    subprocess.run([bench, f"--benchmark_filter=^({names})$", f"--benchmark_repetitions={repetitions}",
                    "--benchmark_report_aggregates_only=true", f"--benchmark_out={out}",
                    "--benchmark_out_format=json"], check=True)
    medians = {}
    for run in json.loads(out.read_text())["benchmarks"]:
        if run.get("aggregate_name") == "median":
            if run.get("error_occurred"):
                sys.exit(f"{run['run_name']}: {run.get('error_message')}")
            medians[run["run_name"]] = run
    return medians


def figure(value, unit):
    return "—" if value is None else f"{value:.3g} {unit}" if value < 100 else f"{value:.0f} {unit}"


def main(bench, repetitions):
    with tempfile.TemporaryDirectory() as name:
        folder = pathlib.Path(name)
        subprocess.run([bench, f"--write-fixtures={folder}"], check=True)
        ours = our_medians(bench, folder, repetitions)
        xlsx = [xlsx_anchor(folder) for _ in range(repetitions)]
        print("| What | Ours | Ours, peak | Anchor | Anchor, peak | Rows | Notes |")
        print("|---|---:|---:|---:|---:|---:|---|")
        for what, benchmark, anchor, note in CASES:
            run = ours[benchmark]
            anchor_ms = anchor_peak = None
            rows = int(run["rows"])
            if anchor and anchor.startswith("sql:"):
                list_name = anchor[4:]
                runs = [sql_anchor(folder, list_name) for _ in range(repetitions)]
                anchor_ms = statistics.median(r[0] for r in runs)
                anchor_peak = statistics.median(r[1] for r in runs)
                if sql_rows(folder, list_name) != rows:
                    note += "; ROW COUNTS DIFFER"
                note = f"sqlite3 shell; {note}"
            elif anchor == "xlsx":
                anchor_ms = statistics.median(r[0] for r in xlsx)
                anchor_peak = statistics.median(r[1] for r in xlsx)
                if xlsx[0][2] != rows:
                    note += "; ROW COUNTS DIFFER"
                note = f"openpyxl read-only; {note}"
            print(f"| {what} | {figure(run['real_time'], 'ms')} | {figure(run['peak_MB'], 'MB')} (from {run['base_MB']:.0f}) | "
                  f"{figure(anchor_ms, 'ms')} | {figure(anchor_peak, 'MB')} | {rows:,} | {note} |")


if __name__ == "__main__":
    if sys.argv[1:2] == ["--read-xlsx"]:
        read_xlsx(sys.argv[2])
    else:
        main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 5)
