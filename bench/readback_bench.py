#!/usr/bin/python3
"""What reading every typed field back costs: the same rows typed by `keyferry run` into a
real form with verifyTypedText on and off, the difference in run time divided by the
fields typed. Runs inside a test desktop (scripts/test-desktop.sh).

Usage: readback_bench.py KEYFERRY TARGET [REPEATS]
  TARGET  gtk       the GTK 3 form of tests/e2e/gtk_form.py
          chromium  the web form of tests/e2e/form_server.py in a Chromium app window
  REPEATS runs per setting (default 3), taken alternately; the medians are compared

Prints one line: target, fields per run, median seconds off and on, milliseconds per field,
the spread of the runs without read-back in milliseconds per field (what the machine's noise
alone moves the result by), and how many rows the runs with read-back counted as verified (the others could not be read
back, so they cost less). A run that fails or delivers other rows than it was given is
reported instead of timed.
"""

import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import uuid

HERE = os.path.dirname(os.path.abspath(__file__))
E2E = os.path.join(HERE, "..", "tests", "e2e")

ROWS = [[f"Name {i} J\u00fcrgen", f"City {i} K\u00f6ln", f"C{i:02d}\u00e9"] for i in range(20)]


def wait_for(predicate, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if predicate():
            return True
        time.sleep(0.05)
    return False


def read_records(log):
    try:
        with open(log, encoding="utf-8") as text:
            return [json.loads(line) for line in text if line.strip()]
    except FileNotFoundError:
        return []


def submitted(log):
    return [record["values"] for record in read_records(log) if record.get("kind") == "row"]


def start_gtk(scratch):
    log = os.path.join(scratch, "form.log")
    process = subprocess.Popen(["/usr/bin/python3", os.path.join(E2E, "gtk_form.py"), log,
                                "--code-max", "100"])
    ready = wait_for(lambda: any(r.get("kind") == "ready" for r in read_records(log)), 30)
    labels = ["Name", "City", "Code"]
    return [process], log, "KeyferryGtkForm", labels, ready


def start_chromium(scratch):
    log = os.path.join(scratch, "form.log")
    port_file = os.path.join(scratch, "port")
    server = subprocess.Popen([sys.executable, os.path.join(E2E, "form_server.py"), port_file,
                               log])
    if not wait_for(lambda: os.path.exists(port_file), 10):
        return [server], log, "Chromium", [], False
    with open(port_file) as text:
        port = text.read().strip()
    command = ["/usr/bin/chromium", f"--user-data-dir={scratch}/profile", "--no-first-run",
               "--no-default-browser-check", "--disable-background-networking",
               "--disable-component-update", "--disable-sync", "--disable-gpu",
               "--password-store=basic", "--ozone-platform=x11",
               "--disable-features=Translate,AutofillServerCommunication",
               "--window-position=40,40", "--window-size=900,600",
               # Without it Chromium shows no web content to assistive technologies, and
               # nothing would be read back to measure.
               "--force-renderer-accessibility",
               f"--app=http://127.0.0.1:{port}/"]
    if os.geteuid() == 0:
        command.insert(1, "--no-sandbox")  # it refuses to start as root otherwise
    browser = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    ready = wait_for(lambda: any(r.get("kind") == "ready" for r in read_records(log)), 30)
    return [browser, server], log, "Chromium", ["First", "Second", "Third"], ready


def stop(processes):
    """Ends processes a bench started: politely, then for good."""
    for process in processes:
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def end(processes, scratch):
    """Ends the form's processes and removes the bench's scratch folder."""
    stop(processes)
    shutil.rmtree(scratch, ignore_errors=True)


def step(kind, label, post_delay):
    return {"id": str(uuid.uuid4()).upper(), "type": kind, "label": label,
            "postDelay": post_delay, "repeatCount": 1}


def store_template(data_home, item):
    """Writes `item` as the only template of a data folder."""
    folder = os.path.join(data_home, "Keyferry")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "templates.json"), "w", encoding="utf-8") as out:
        json.dump([item], out, ensure_ascii=False)


def write_template(data_home, target, labels, verify):
    store_template(data_home, {
        "id": "0F0F0F0F-0000-4000-8000-000000000001", "schemaVersion": 2,
        "name": "Bench", "targetAppBundleID": target,
        "steps": [step("textInput", label, 0.05) for label in labels]
        + [step("returnKey", "", 0.3)],
        "settings": {"countdownSeconds": 1, "defaultPostDelay": 0.3, "interCharDelay": 0,
                     "verifyTypedText": verify, "clearFieldFirst": True}})


def timed_run(keyferry, scratch, csv, log, verify, target, labels):
    data_home = os.path.join(scratch, "data-" + ("on" if verify else "off"))
    write_template(data_home, target, labels, verify)
    before = len(submitted(log))
    env = dict(os.environ, XDG_DATA_HOME=data_home, XDG_STATE_HOME=os.path.join(scratch, "state"))
    started = time.monotonic()
    result = subprocess.run([keyferry, "run", "--template", "Bench", "--csv", csv], env=env,
                            capture_output=True, text=True, timeout=300)
    seconds = time.monotonic() - started
    wait_for(lambda: len(submitted(log)) >= before + len(ROWS), 3)
    rows = submitted(log)[before:]
    if result.returncode != 0 or rows != ROWS:
        return None, (f"exit {result.returncode}, {len(rows)} rows arrived "
                      f"({sum(a == b for a, b in zip(rows, ROWS))} exact)\n"
                      + result.stdout[-600:])
    verified = re.search(r"Done\. Entries entered: \d+ \((\d+) verified\)", result.stdout)
    return (seconds, int(verified.group(1)) if verified else 0), None


def main():
    if len(sys.argv) not in (3, 4) or sys.argv[2] not in ("gtk", "chromium"):
        print(__doc__, file=sys.stderr)
        return 2
    keyferry, target_name = os.path.abspath(sys.argv[1]), sys.argv[2]
    repeats = int(sys.argv[3]) if len(sys.argv) == 4 else 3
    scratch = tempfile.mkdtemp(prefix="keyferry-readback-bench-")
    processes = []
    try:
        start = start_gtk if target_name == "gtk" else start_chromium
        processes, log, target, labels, ready = start(scratch)
        if not ready:
            print(f"{target_name}: the form did not come up", file=sys.stderr)
            return 1
        csv = os.path.join(scratch, "rows.csv")
        with open(csv, "w", encoding="utf-8") as out:
            out.write(";".join(labels) + "\n" + "".join(";".join(row) + "\n" for row in ROWS))
        times = {False: [], True: []}
        verified = []
        for repeat in range(repeats):
            # Alternating order, so a drift of the machine falls on both settings.
            for verify in ((False, True) if repeat % 2 == 0 else (True, False)):
                measured, problem = timed_run(keyferry, csv=csv, scratch=scratch, log=log,
                                              verify=verify, target=target, labels=labels)
                if problem:
                    # One line, so that a caller filtering by the target's name keeps it all.
                    problem = " | ".join(problem.splitlines())
                    print(f"{target_name} verifyTypedText={str(verify).lower()}: {problem}")
                    return 1
                times[verify].append(measured[0])
                if verify:
                    verified.append(measured[1])
        fields = len(ROWS) * len(labels)
        off, on = statistics.median(times[False]), statistics.median(times[True])
        print(f"{target_name:<9} {fields:>6} {off:>9.2f} {on:>9.2f} "
              f"{(on - off) * 1000 / fields:>14.1f} "
              f"{(max(times[False]) - min(times[False])) * 1000 / fields:>7.1f} "
              f"{min(verified):>5}-{max(verified)} of {len(ROWS)}")
        return 0
    finally:
        end(processes, scratch)


if __name__ == "__main__":
    sys.exit(main())
