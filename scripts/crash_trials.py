#!/usr/bin/env python3
"""Crash trials: the real program is killed (SIGKILL) at a random moment of an SMS send of several
batches, then its database, its next start and its send log are checked.

Run through scripts/crash-trials, which installs what this needs and builds the binaries.
"""
import argparse
import json
import os
import random
import re
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time
import urllib.request

GATEWAY = "/sys_port/gateway/index.asp"
RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
BATCH = 5000
# Where the send-SMS screen's controls are in the main window, which fills the 1280x800 screen:
# the number memo `mob`, the text `txt` and the send button `btsend`.
MOB = (270, 580)
TXT = (385, 250)
BTSEND = (387, 765)


def wait_for(condition, seconds, step=0.1):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


def stop(process, seconds):
    """Asks the process to end, kills it after the given seconds, and reaps it."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(seconds)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class Session:
    def __init__(self, program, simulator, work):
        self.program = program
        self.work = work
        self.children = []
        self.display_retries = 0
        self.display = self._start_x_server()
        self.base = self._start_simulator(simulator)

    # --- processes -------------------------------------------------------------------------

    def _start_x_server(self):
        read, write = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
            pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        self.children.append(xvfb)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if not number.isdigit():
            raise SystemExit("Xvfb did not start")
        return ":" + number

    def _start_simulator(self, simulator):
        output = open(os.path.join(self.work, "sim-output"), "w+")
        sim = subprocess.Popen([simulator, "--port", "0"], stdout=output, stderr=subprocess.STDOUT)
        self.children.append(sim)

        def port():
            output.seek(0)
            m = re.search(r"^parlumo-sim listening on 127\.0\.0\.1:(\d+)$", output.read(), re.M)
            return m and m.group(1)

        found = wait_for(port, 10)
        if not found:
            raise SystemExit("parlumo-sim did not start")
        return "http://127.0.0.1:" + found

    def close(self):
        for child in reversed(self.children):
            stop(child, 5)

    # --- the simulator's control interface --------------------------------------------------

    def control(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.base + "/__sim/" + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        with urllib.request.urlopen(request, timeout=30) as answer:
            return json.loads(answer.read().decode())

    def gateway_requests(self):
        return self.control("GET", "requests?path=" + GATEWAY)["requests"]

    # --- the program under the virtual display ----------------------------------------------

    def xdotool(self, *arguments):
        result = subprocess.run(["xdotool", *arguments], env=dict(os.environ, DISPLAY=self.display),
                                capture_output=True, text=True, timeout=30)
        return result.stdout.strip() if result.returncode == 0 else ""

    def window(self, name):
        return self.xdotool("search", "--onlyvisible", "--name", name).split("\n")[0]

    def start_program(self, home, runtime):
        env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb", PARLUMO_HOME=home,
                   PARLUMO_MESSAGE_LOG=os.path.join(home, "..", "messages.jsonl"),
                   XDG_RUNTIME_DIR=runtime)
        env.pop("PARLUMO_MESSAGE_ANSWERS", None)
        log = open(os.path.join(home, "..", "program-output"), "a")
        return subprocess.Popen([self.program], env=env, stdout=log, stderr=subprocess.STDOUT)

    def start_to_login(self, home, runtime):
        """Starts the program and waits for its login screen; returns the process and the window
        (empty when it did not appear). A start that could not reach the X server at all is tried
        again, up to three times in all: other tests on the machine may disturb the display."""
        output = os.path.join(home, "..", "program-output")
        for _ in range(3):
            offset = os.path.getsize(output) if os.path.exists(output) else 0
            process = self.start_program(home, runtime)
            login = wait_for(lambda: process.poll() is not None or self.window("^Parlumo$"), 30)
            if process.poll() is None:
                return process, login or ""
            with open(output, errors="replace") as f:
                f.seek(offset)
                if "could not connect to display" not in f.read():
                    break
            self.display_retries += 1
        return process, ""

    def click(self, window, position):
        self.xdotool("mousemove", "--window", window, str(position[0]), str(position[1]))
        self.xdotool("click", "1")

    def paste(self, window, position, path):
        """Pastes the file's text at the position, through the clipboard."""
        owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i", path],
                                 env=dict(os.environ, DISPLAY=self.display),
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            time.sleep(0.5)
            self.click(window, position)
            self.xdotool("key", "ctrl+v")
            time.sleep(1.5)
        finally:
            stop(owner, 5)


def program_folder(trial_dir, base):
    home = os.path.join(trial_dir, "home")
    runtime = os.path.join(trial_dir, "runtime")
    os.makedirs(home)
    os.makedirs(runtime, mode=0o700)
    for name in ("loginbg.bmp", "keyword.txt"):
        shutil.copy(os.path.join(RESOURCES, name), home)
    with open(os.path.join(home, "ovarn.ini"), "w", newline="") as ini:
        ini.write("[service]\r\nhost=%s\r\nupdate=%s\r\nsoap=%s\r\n" % (base, base, base))
    return home, runtime


def integrity(db_path):
    try:
        connection = sqlite3.connect(db_path, timeout=10)
        try:
            result = [row[0] for row in connection.execute("PRAGMA integrity_check")]
            rows = connection.execute("select mobno, tag from send order by sid").fetchall()
        finally:
            connection.close()
        return ("ok" if result == ["ok"] else "; ".join(result)), rows
    except sqlite3.Error as error:
        return "error: %s" % error, []


def run_trial(session, index, trial_dir, numbers_file, batches, rng):
    home, runtime = program_folder(trial_dir, session.base)
    session.control("DELETE", "script")
    session.control("DELETE", "requests")
    delays = [rng.randint(100, 2500) for _ in range(batches)]
    session.control("POST", "script", {"path": GATEWAY, "replies": [{"delayMs": d} for d in delays]})

    program, login = session.start_to_login(home, runtime)
    outcome = {"trial": index, "problems": []}
    try:
        if not login:
            outcome["problems"].append("the login screen did not appear")
            return outcome
        session.xdotool("windowfocus", "--sync", login)
        session.xdotool("type", "--delay", "20", "demo")
        session.xdotool("key", "Return")
        session.xdotool("type", "--delay", "20", "demo2026")
        session.xdotool("key", "Return")
        main = wait_for(lambda: session.window("主界面"), 30)
        if not main:
            outcome["problems"].append("the main window did not appear")
            return outcome
        time.sleep(1)
        session.paste(main, MOB, numbers_file)
        session.click(main, TXT)
        session.xdotool("type", "--delay", "20", "crashtrial")
        session.click(main, BTSEND)
        if not wait_for(lambda: session.gateway_requests(), 30, 0.2):
            outcome["problems"].append("the send did not start")
            return outcome
        # The job takes about a second per batch besides the simulator's delays.
        moment = rng.uniform(0, sum(delays) / 1000 + batches)
        time.sleep(moment)
        outcome["kill_at"] = moment
    finally:
        program.send_signal(signal.SIGKILL)
        program.wait()

    # A batch on its way when the program died is still answered, and logged, by the simulator.
    time.sleep(max(delays) / 1000 + 0.5)
    accepted = [r for r in session.gateway_requests() if r["status"] == 200]
    outcome["posted"] = len(session.gateway_requests())
    outcome["accepted"] = len(accepted)
    accepted_numbers = [next(p["value"] for p in r["params"] if p["name"] == "to") for r in accepted]

    check, rows = integrity(os.path.join(home, "db.db"))
    outcome["integrity"] = check
    outcome["rows"] = len(rows)
    if check != "ok":
        outcome["problems"].append("integrity_check: " + check)
    if any(tag != "成功" for _, tag in rows):
        outcome["problems"].append("a batch is logged as failed")
    logged = [mobno for mobno, _ in rows]
    if logged != accepted_numbers[:len(logged)]:
        outcome["problems"].append("the logged batches are not the accepted ones in order")
    if not len(accepted) - 1 <= len(rows) <= len(accepted):
        outcome["problems"].append("%d batches logged, %d accepted" % (len(rows), len(accepted)))

    again, login = session.start_to_login(home, runtime)
    try:
        outcome["restart"] = bool(login)
        if not outcome["restart"]:
            outcome["problems"].append("the program did not reach its login screen again")
    finally:
        stop(again, 10)
    return outcome


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--simulator", required=True)
    parser.add_argument("--trials", type=int, default=20)
    parser.add_argument("--batches", type=int, default=4)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--keep", action="store_true", help="keep the trials' folders")
    args = parser.parse_args()

    seed = args.seed if args.seed is not None else random.randrange(1 << 30)
    rng = random.Random(seed)
    work = tempfile.mkdtemp(prefix="parlumo-crash-")
    total = BATCH * (args.batches - 1) + BATCH // 2
    numbers_file = os.path.join(work, "numbers.txt")
    with open(numbers_file, "w") as f:
        f.write("\n".join("138%08d" % i for i in range(total)))

    session = Session(args.program, args.simulator, work)
    results = []
    try:
        session.control("POST", "accounts", {"id": "demo", "balance": "1000000"})
        print("seed %d, %d trials, %d numbers (%d batches), folders in %s"
              % (seed, args.trials, total, args.batches, work))
        print("trial  kill after  posted  accepted  rows  integrity  restart  result")
        for index in range(1, args.trials + 1):
            outcome = run_trial(session, index, os.path.join(work, "trial-%02d" % index), numbers_file,
                                args.batches, rng)
            results.append(outcome)
            print("%5d  %9s  %6s  %8s  %4s  %9s  %7s  %s" % (
                index,
                "%.2f s" % outcome["kill_at"] if "kill_at" in outcome else "-",
                outcome.get("posted", "-"), outcome.get("accepted", "-"), outcome.get("rows", "-"),
                outcome.get("integrity", "-"),
                {True: "yes", False: "no"}.get(outcome.get("restart"), "-"),
                "PASS" if not outcome["problems"] else "FAIL: " + "; ".join(outcome["problems"])),
                flush=True)
    finally:
        session.close()
        if not args.keep and all(not r["problems"] for r in results):
            shutil.rmtree(work, ignore_errors=True)

    failed = [r for r in results if r["problems"]]
    in_flight = sum(1 for r in results if r.get("rows") == r.get("accepted", 0) - 1)
    print("summary: %d of %d trials passed; %d killed with an accepted batch not yet logged; "
          "%d starts tried again after failing to reach the X server; seed %d"
          % (len(results) - len(failed), len(results), in_flight, session.display_retries, seed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
