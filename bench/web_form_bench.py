#!/usr/bin/python3
"""Thirty hard rows into a web application's generated admin form, by `keyferry run` with
the template `keyferry record` made (interCharDelay 0, read-back on) and by xdotool at its
fastest; seconds per row beyond the server's own delay, and rows exact in the database.
Runs inside a test desktop (scripts/test-desktop.sh).

Usage: web_form_bench.py KEYFERRY BROWSER [--keyferry-only]
  BROWSER          chromium or firefox
  --keyferry-only  Keyferry's run alone, without the xdotool runs

The application is tests/e2e/web_admin.py: every POST is answered after a random 0.1-1.5 s,
which the server notes. Seconds per row = (time from the first saved row to the last, minus
the server's delays in between) / (rows - 1): what the typing, the waits and the page loads
cost. xdotool types each field (`type --delay 0`), Tab between them, Space on the check box
where the row ticks it, Return on "Save and add another", then sleeps a fixed time for the
next page: 1.0 s and 1.4 s (shorter than the server's longest answer: forms are typed into a
page still loading) and 1.8 s (which covers it). A line per run: who, setting, rows saved, rows
exact, seconds per row; then xdotool's fastest run that saved each of the thirty rows once
(a shorter sleep loses rows or splits them), against Keyferry's.
"""

import json
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import readback_bench as shared  # noqa: E402  (waits, templates, ending)

E2E = shared.E2E
ADMIN = os.path.join(E2E, "web_admin.py")
ROWS = os.path.join(E2E, "web_rows.csv")
TICKED = {"yes", "true", "1", "x"}
# The form's window by its title: Firefox adds its own name after the page's.
PAGE_TITLE = r"\| Admin( — Mozilla Firefox)?$"


def admin(*arguments):
    output = subprocess.run([sys.executable, ADMIN, *arguments], capture_output=True,
                            text=True, check=True).stdout
    return [json.loads(line) for line in output.splitlines() if line.strip()]


def reset_desktop():
    """What an earlier run may have left on the desktop, undone: xdotool types characters the
    layout lacks by rebinding keys, and may leave modifiers down."""
    subprocess.run(["xdotool", "keyup", "Control_L", "Control_R", "Alt_L", "Alt_R", "Shift_L",
                    "Shift_R", "Super_L", "Super_R", "ISO_Level3_Shift"], check=False)
    subprocess.run(["setxkbmap", "-layout", "us"], check=False)


def wait_for_managed_window(seconds):
    """Waits until the window manager shows the page's window; the seconds waited, or None.
    After an xdotool run the window manager is busy for a long time (seen: the next browser's
    window stayed unmapped and took no key for minutes; every key xdotool rebinds is a keyboard
    mapping change each client on the desktop handles), and typing before that goes nowhere."""
    begun = time.monotonic()
    while time.monotonic() - begun < seconds:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", PAGE_TITLE],
                               capture_output=True, text=True).stdout.split()
        if found:
            return time.monotonic() - begun
        time.sleep(0.5)
    return None


def start(scratch, browser):
    reset_desktop()
    database = os.path.join(scratch, f"admin-{time.monotonic_ns()}.sqlite")
    port_file = database + ".port"
    server = subprocess.Popen([sys.executable, ADMIN, "serve", database, port_file,
                               "--seed", "22"])
    shared.wait_for(lambda: os.path.exists(port_file), 10)
    with open(port_file) as text:
        url = f"http://127.0.0.1:{text.read().strip()}/add/"
    profile = os.path.join(scratch, f"{browser}-{time.monotonic_ns()}")
    if browser == "chromium":
        command = ["/usr/bin/chromium", f"--user-data-dir={profile}",
                   "--force-renderer-accessibility", "--no-first-run",
                   "--no-default-browser-check", "--disable-background-networking",
                   "--disable-component-update", "--disable-sync", "--disable-gpu",
                   "--password-store=basic", "--ozone-platform=x11",
                   "--disable-features=Translate,AutofillServerCommunication",
                   "--window-position=40,40", "--window-size=900,700", f"--app={url}"]
        if os.geteuid() == 0:
            command.insert(1, "--no-sandbox")
    else:
        os.makedirs(profile)
        with open(os.path.join(profile, "user.js"), "w") as prefs:
            for name, value in [("datareporting.policy.firstRunURL", '""'),
                                ("datareporting.policy.dataSubmissionEnabled", "false"),
                                ("toolkit.telemetry.reportingpolicy.firstRun", "false"),
                                ("browser.aboutwelcome.enabled", "false"),
                                ("startup.homepage_welcome_url", '""'),
                                ("browser.startup.homepage_override.mstone", '"ignore"'),
                                ("browser.shell.checkDefaultBrowser", "false")]:
                prefs.write(f'user_pref("{name}", {value});\n')
        command = ["firefox-esr", "--no-remote", "--profile", profile, "--width", "900",
                   "--height", "700", "--new-window", url]
    window = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    focused = os.path.join(E2E, "focused_field.py")
    ready = shared.wait_for(lambda: '"name": "Name:"' in subprocess.run(
        [focused], capture_output=True, text=True).stdout, 40)
    waited = wait_for_managed_window(300)
    if waited is None or waited > 2:
        print(f"{browser}: the window manager showed the window after "
              f"{'more than 300' if waited is None else f'{waited:.0f}'} s", file=sys.stderr)
    # The window in front with the keyboard focus, as a user would have it before typing.
    activated = False
    try:
        found = subprocess.run(["xdotool", "search", "--name", PAGE_TITLE],
                               capture_output=True, text=True, timeout=10).stdout.split()
        for candidate in found:
            if subprocess.run(["xdotool", "windowactivate", "--sync", candidate],
                              capture_output=True, timeout=10).returncode == 0:
                activated = True
                break
    except subprocess.TimeoutExpired:
        pass
    if not activated:
        print(f"{browser}: its window could not be brought to the front", file=sys.stderr)
    return [window, server], database, ready and activated


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)


def per_row(database):
    """Rows saved and seconds per row beyond the server's delays; no figure where a form was
    sent while the one before was still being answered (typed into a page still loading):
    the delays then overlap and the difference means nothing."""
    posts = [p for p in admin("dump", database) if p.get("post") == "saved"]
    if len(posts) < 2:
        return len(posts), None
    if any(later["received"] < earlier["received"] + earlier["delay"]
           for earlier, later in zip(posts, posts[1:])):
        return len(posts), None
    span = posts[-1]["received"] - posts[0]["received"]
    return len(posts), (span - sum(p["delay"] for p in posts[:-1])) / (len(posts) - 1)


def exact_rows(database):
    wanted = admin("expected", ROWS)
    saved = [p for p in admin("dump", database) if "post" not in p]
    exact = 0
    for row in saved:
        if row in wanted:
            wanted.remove(row)
            exact += 1
    return exact


BROWSER_ENDED = "browser ended"


def keyferry_run(keyferry, scratch, browser):
    processes, database, ready = start(scratch, browser)
    try:
        if not ready:
            return f"keyferry {browser}: the form did not come up", None
        home = os.path.join(scratch, f"home-{browser}")
        env = dict(os.environ, XDG_DATA_HOME=home, XDG_STATE_HOME=home, XDG_CONFIG_HOME=home)
        key("shift+Tab")
        time.sleep(0.3)
        recording = subprocess.Popen([keyferry, "record", "--template", "Web"], env=env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.5)
        for _ in range(13):
            key("Tab")
            time.sleep(0.35)
        key("Return")
        time.sleep(1.5)
        key("Escape")
        recording.wait(10)
        path = os.path.join(home, "Keyferry", "templates.json")
        with open(path, encoding="utf-8") as text:
            templates = json.load(text)
        templates[0]["settings"].update(interCharDelay=0, countdownSeconds=1)
        shared.store_template(home, templates[0])
        time.sleep(2)  # the refused empty form comes back
        if processes[0].poll() is not None:  # not Keyferry's run: the bench starts again
            return (f"keyferry {browser}: the browser ended with {processes[0].returncode} "
                    f"after the template was recorded"), BROWSER_ENDED
        started = time.monotonic()
        run = subprocess.run([keyferry, "run", "--template", "Web", "--csv", ROWS], env=env,
                             capture_output=True, text=True, timeout=300)
        seconds = time.monotonic() - started
        time.sleep(1.6)
        saved, beyond = per_row(database)
        verified = run.stdout.count("\u2713")
        if run.returncode != 0:  # what keyferry said last, and what it looked for, to tell why
            print((run.stderr.strip() or run.stdout.strip()).splitlines()[-3:], file=sys.stderr)
            classes = subprocess.run(
                "for w in $(xprop -root _NET_CLIENT_LIST | sed 's/.*# //; s/,//g'); do "
                "xprop -id $w WM_CLASS; done", shell=True, capture_output=True, text=True).stdout
            browser_state = ("running" if processes[0].poll() is None
                             else f"ended with {processes[0].returncode}")
            managers = subprocess.run(["pgrep", "-a", "openbox"], capture_output=True,
                                      text=True).stdout.strip() or "none"
            print(f"recorded target {templates[0].get('targetAppBundleID')!r}; the window "
                  f"manager's clients: {' '.join(classes.split())}; the browser: "
                  f"{browser_state}; window manager: {managers}", file=sys.stderr)
        beyond_text = f"{beyond:.3f}" if beyond is not None else "-"
        return (f"keyferry {browser:<8} delay 0 read-back on     saved {saved:>2}/30 "
                f"exact {exact_rows(database):>2}/30 verified {verified:>2}  "
                f"{beyond_text} s/row beyond the server  ({seconds:.1f} s in all, exit "
                f"{run.returncode})"), beyond if run.returncode == 0 else None
    finally:
        shared.stop(processes)


def xdotool_run(scratch, browser, wait):
    processes, database, ready = start(scratch, browser)
    try:
        if not ready:
            return f"xdotool {browser}: the form did not come up", False, None
        with open(ROWS, encoding="utf-8", newline="") as data:
            import csv
            rows = list(csv.reader(data, delimiter=";"))[1:]
        started = time.monotonic()
        for row in rows:
            name, company, email, phone, country, date, city, notes, active = row
            for value in (name, company, email, phone, country, date):
                subprocess.run(["xdotool", "type", "--delay", "0", value])
                key("Tab")
            key("Tab")  # Today
            key("Tab")  # Calendar
            for value in (city, notes):
                subprocess.run(["xdotool", "type", "--delay", "0", value])
                key("Tab")
            if active.strip().lower() in TICKED:
                key("space")
            key("Tab")  # Save
            key("Tab")  # Save and add another
            key("Return")
            time.sleep(wait)
        seconds = time.monotonic() - started
        time.sleep(1.6)
        saved, beyond = per_row(database)
        refused = sum(1 for p in admin("dump", database) if p.get("post") == "invalid")
        beyond_text = f"{beyond:.3f}" if beyond is not None else "-"
        # Each row entered once: thirty saved and none refused (a lost field makes the
        # application refuse a form, and the next row is typed into its error page).
        once = saved == len(rows) and refused == 0
        return (f"xdotool  {browser:<8} delay 0 sleep {wait:.1f} s  saved {saved:>2}/30 "
                f"refused {refused:>2} exact {exact_rows(database):>2}/30  {beyond_text} s/row "
                f"beyond the server  ({seconds:.1f} s in all)"), once, beyond
    finally:
        shared.stop(processes)


def main():
    arguments = sys.argv[1:]
    keyferry_only = "--keyferry-only" in arguments
    if keyferry_only:
        arguments.remove("--keyferry-only")
    if len(arguments) != 2 or arguments[1] not in ("chromium", "firefox"):
        print(__doc__, file=sys.stderr)
        return 2
    keyferry, browser = os.path.abspath(arguments[0]), arguments[1]
    scratch = tempfile.mkdtemp(prefix="keyferry-web-bench-")
    try:
        line, keyferry_beyond = keyferry_run(keyferry, scratch, browser)
        if keyferry_beyond == BROWSER_ENDED:  # seen with Chromium 156: SIGSEGV, about 1 in 5
            print(line + "; once more", file=sys.stderr, flush=True)
            line, keyferry_beyond = keyferry_run(keyferry, scratch, browser)
        if keyferry_beyond == BROWSER_ENDED:
            keyferry_beyond = None
        print(line, flush=True)
        if keyferry_only:
            return 0
        fastest = None
        for wait in (1.0, 1.4, 1.8):
            line, once, beyond = xdotool_run(scratch, browser, wait)
            print(line, flush=True)
            if once and beyond is not None and (fastest is None or beyond < fastest[1]):
                fastest = (wait, beyond)
        if fastest is None:
            print("xdotool saved the thirty rows once each at no sleep tried")
        elif keyferry_beyond is not None:
            print(f"xdotool's fastest run saving every row once: sleep {fastest[0]:.1f} s, "
                  f"{fastest[1]:.3f} s/row; Keyferry {keyferry_beyond:.3f} s/row "
                  f"({'faster' if keyferry_beyond < fastest[1] else 'NOT faster'})")
        return 0
    finally:
        shared.end([], scratch)


if __name__ == "__main__":
    sys.exit(main())
