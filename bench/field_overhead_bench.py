#!/usr/bin/python3
"""What a typed field costs beyond its characters: `keyferry run` types the same rows into a
real form with every delay of the template at zero, once as a user's template does it (clear
first, read back) and once bare (no clearing, no read-back), and reports milliseconds per
field of each and of the difference. Runs inside a test desktop (scripts/test-desktop.sh).

Usage: field_overhead_bench.py KEYFERRY TARGET [REPEATS]
  TARGET  gtk or chromium, as readback_bench.py
  REPEATS runs per setting (default 3), taken alternately; the medians are compared

Prints one line: target, fields per run, characters per field, then milliseconds per field
with clearing and read-back, bare, and the difference (select-all, its settle wait, the short
pauses around the text and the read-back), and the spread of the bare runs. The time of a run
is taken from its first entry to its end, so the countdown and the activation do not count.
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import readback_bench as shared  # noqa: E402  (forms, rows, steps, waits, ending)


def write_template(data_home, target, labels, full):
    shared.store_template(data_home, {
        "id": "0F0F0F0F-0000-4000-8000-000000000002", "schemaVersion": 2,
        "name": "Overhead", "targetAppBundleID": target,
        "steps": [shared.step("textInput", label, 0) for label in labels]
        + [shared.step("returnKey", "", 0.3)],
        "settings": {"countdownSeconds": 1, "defaultPostDelay": 0, "interCharDelay": 0,
                     "verifyTypedText": full, "clearFieldFirst": full,
                     "waitForNextField": False, "longestFieldWait": 10}})


def timed_run(keyferry, scratch, csv, log, full, target, labels):
    """Seconds from the first entry to the run's end, or a problem."""
    data_home = os.path.join(scratch, "data-" + ("full" if full else "bare"))
    write_template(data_home, target, labels, full)
    before = len(shared.submitted(log))
    env = dict(os.environ, XDG_DATA_HOME=data_home, XDG_STATE_HOME=os.path.join(scratch, "state"))
    process = subprocess.Popen([keyferry, "run", "--template", "Overhead", "--csv", csv], env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    started = None
    output = []
    for line in process.stdout:
        output.append(line)
        if started is None and line.startswith("Entry 1 of"):
            started = time.monotonic()
    process.wait(300)
    ended = time.monotonic()
    shared.wait_for(lambda: len(shared.submitted(log)) >= before + len(shared.ROWS), 3)
    rows = shared.submitted(log)[before:]
    # The last Return's delay (0.3 s) belongs to the template, not to the fields.
    seconds = ended - (started or ended) - 0.3 * len(shared.ROWS)
    if process.returncode != 0 or rows != shared.ROWS or started is None:
        return None, (f"exit {process.returncode}, {len(rows)} rows arrived: "
                      + "".join(output)[-400:])
    return seconds, None


def main():
    if len(sys.argv) not in (3, 4) or sys.argv[2] not in ("gtk", "chromium"):
        print(__doc__, file=sys.stderr)
        return 2
    keyferry, target_name = os.path.abspath(sys.argv[1]), sys.argv[2]
    repeats = int(sys.argv[3]) if len(sys.argv) == 4 else 3
    scratch = tempfile.mkdtemp(prefix="keyferry-overhead-bench-")
    processes = []
    try:
        start = shared.start_gtk if target_name == "gtk" else shared.start_chromium
        processes, log, target, labels, ready = start(scratch)
        if not ready:
            print(f"{target_name}: the form did not come up", file=sys.stderr)
            return 1
        csv = os.path.join(scratch, "rows.csv")
        with open(csv, "w", encoding="utf-8") as out:
            out.write(";".join(labels) + "\n"
                      + "".join(";".join(row) + "\n" for row in shared.ROWS))
        times = {True: [], False: []}
        for repeat in range(repeats):
            for full in ((True, False) if repeat % 2 == 0 else (False, True)):
                seconds, problem = timed_run(keyferry, scratch, csv, log, full, target, labels)
                if problem:
                    print(f"{target_name} {'full' if full else 'bare'}: "
                          + " | ".join(problem.splitlines()))
                    return 1
                times[full].append(seconds)
        fields = len(shared.ROWS) * len(labels)
        characters = sum(len(value) for row in shared.ROWS for value in row) / fields
        full, bare = statistics.median(times[True]), statistics.median(times[False])
        print(f"{target_name:<9} {fields:>6} {characters:>5.1f} {full * 1000 / fields:>9.1f} "
              f"{bare * 1000 / fields:>9.1f} {(full - bare) * 1000 / fields:>9.1f} "
              f"{(max(times[False]) - min(times[False])) * 1000 / fields:>7.1f}")
        return 0
    finally:
        shared.end(processes, scratch)


if __name__ == "__main__":
    sys.exit(main())
