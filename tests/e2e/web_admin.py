#!/usr/bin/env python3
"""A small web application with server-generated admin forms, for end-to-end tests and
benchmarks: people are added through an HTML form and stored in an SQLite database.

Usage:
  web_admin.py serve DATABASE PORT_FILE [--extra-field] [--seed N]
  web_admin.py dump DATABASE
  web_admin.py expected CSV

serve listens on 127.0.0.1 at a free port and writes the port to PORT_FILE once it listens.
GET /add/ renders the add form: nine fields (text, e-mail, phone, a select, a date with two
links after it, a textarea, a check box) and the buttons "Save", "Save and add another" and
"Save and continue editing". A POST is answered after a random 0.1-1.5 s; a valid one is
stored and redirected to the next page, an invalid one (no name, an e-mail without "@", a
country not listed) renders the form again with its values and errors. --extra-field adds
"Middle name" after "Name", as a form changed after a template was recorded; GET
/extra-field/on adds it from then on. Every POST is also written to the table posts with the
delay it was given.

GET /address/ renders an address form as shops have them, with the browser's autofill left on:
Name, Street, City (with a datalist of longer city names, so a list opens under it while a
city is typed), Country (a select) and Postal code, each with its autocomplete token, and
"Save and add another". A POST with a name is stored in the table addresses.

dump prints the stored people as JSON lines, in the order they were saved, every value as
the browser sent it, then the stored addresses, each as {"address": {...}}. expected prints what a semicolon-separated CSV of the form's columns
must become, one JSON line a row in the same shape: read with Python's own CSV reader, the
check box's value turned into what the browser sends; a row without a name is refused, as the
server refuses it, and becomes nothing.
"""

import html
import http.server
import json
import random
import sqlite3
import sys
import threading
import time
import urllib.parse

COUNTRIES = ["Austria", "Deutschland", "España", "France", "Österreich", "Schweiz",
             "Türkiye", "Україна", "日本", "한국"]

FIELDS = ["name", "company", "email", "phone", "country", "date", "city", "notes", "active"]

ADDRESS_FIELDS = ["name", "street", "city", "country", "postal"]
ADDRESS_COUNTRIES = ["France", "Germany", "Israel", "Japan"]
# Longer than the cities the tests type, so that each of those opens the list.
CITY_SUGGESTIONS = ["Haifa Bay", "Hamburg-Altona", "Paris La Défense", "Tel Aviv-Yafo",
                    "Tokyo Station"]


def open_database(path):
    db = sqlite3.connect(path, check_same_thread=False, isolation_level=None)
    db.execute("PRAGMA journal_mode=WAL")
    db.execute("CREATE TABLE IF NOT EXISTS people (id INTEGER PRIMARY KEY, "
               + ", ".join(f"{f} TEXT" for f in FIELDS) + ", middle TEXT)")
    db.execute("CREATE TABLE IF NOT EXISTS posts (id INTEGER PRIMARY KEY, received REAL, "
               "delay REAL, outcome TEXT)")
    db.execute("CREATE TABLE IF NOT EXISTS addresses (id INTEGER PRIMARY KEY, "
               + ", ".join(f"{f} TEXT" for f in ADDRESS_FIELDS) + ")")
    return db


# The text area is tall, as generated admin forms make them: the check box after it lies below
# the fold of the tests' 900x700 window.
def page(title, body):
    return f"""<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>{html.escape(title)} | Admin</title>
<style>
body {{ font-family: sans-serif; margin: 0; }}
header {{ background: #264b5d; color: white; padding: 6px 16px; }}
header a {{ color: #f5dd5d; }}
main {{ padding: 8px 16px; }}
.row {{ margin: 4px 0; }} .row label {{ display: inline-block; width: 110px; }}
.success {{ background: #dfd; padding: 4px; }} .errornote, .errorlist {{ color: #b00; }}
textarea {{ width: 420px; height: 420px; }}
</style></head>
<body><header><a href="/">Home</a> › <a href="/people/">People</a> › {html.escape(title)}</header>
<main>{body}</main></body></html>""".encode("utf-8")


def text_row(name, label, value, kind="text", errors=None, extra=""):
    # As a web framework's admin renders a field's errors: a list before its label.
    error = (f'<ul class="errorlist"><li>{html.escape(errors[name])}</li></ul>'
             if errors and name in errors else "")
    return (f'<div class="row">{error}<label for="id_{name}">{label}:</label>'
            f'<input type="{kind}" name="{name}" id="id_{name}" value="{html.escape(value, quote=True)}"'
            f' autocomplete="off" spellcheck="false"{extra}></div>')


def add_form(values, errors, extra_field, banner=""):
    v = lambda name: values.get(name, "")
    rows = [text_row("name", "Name", v("name"), errors=errors, extra=" autofocus")]
    if extra_field:
        rows.append(text_row("middle", "Middle name", v("middle")))
    rows += [
        text_row("company", "Company", v("company")),
        text_row("email", "E-mail", v("email"), kind="email", errors=errors),
        text_row("phone", "Phone", v("phone"), kind="tel"),
    ]
    options = ['<option value="">---------</option>'] + [
        f'<option value="{html.escape(c)}"{" selected" if v("country") == c else ""}>'
        f'{html.escape(c)}</option>' for c in COUNTRIES]
    rows.append('<div class="row"><label for="id_country">Country:</label>'
                f'<select name="country" id="id_country">{"".join(options)}</select></div>')
    rows.append('<div class="row"><label for="id_date">Date:</label>'
                f'<input type="text" name="date" id="id_date" class="vDateField" size="10"'
                f' value="{html.escape(v("date"), quote=True)}" autocomplete="off">'
                ' <a href="#" onclick="today(); return false;">Today</a> |'
                ' <a href="#" onclick="return false;" title="Choose a date">Calendar</a></div>')
    rows.append(text_row("city", "City", v("city")))
    rows.append('<div class="row"><label for="id_notes">Notes:</label>'
                f'<textarea name="notes" id="id_notes" spellcheck="false">'
                f'{html.escape(v("notes"))}</textarea></div>')
    checked = " checked" if v("active") else ""
    rows.append('<div class="row"><label for="id_active">Active:</label>'
                f'<input type="checkbox" name="active" id="id_active"{checked}></div>')
    buttons = ('<div class="row"><input type="submit" value="Save" name="_save">'
               ' <input type="submit" value="Save and add another" name="_addanother">'
               ' <input type="submit" value="Save and continue editing" name="_continue"></div>')
    script = ("<script>function today() { document.getElementById('id_date').value = "
              "new Date().toISOString().slice(0, 10); }</script>")
    problems = '<p class="errornote">Please correct the errors below.</p>' if errors else ""
    body = (f"{banner}<h1>Add person</h1>{problems}"
            f'<form method="post" action="/add/" novalidate>{"".join(rows)}{buttons}</form>'
            f"{script}")
    return page("Add person", body)


def address_form(banner=""):
    def row(name, label, token, extra=""):
        return (f'<div class="row"><label for="id_{name}">{label}:</label><input type="text"'
                f' name="{name}" id="id_{name}" autocomplete="{token}"{extra}></div>')
    cities = "".join(f'<option value="{html.escape(c, quote=True)}">' for c in CITY_SUGGESTIONS)
    countries = ['<option value="">---------</option>'] + [
        f"<option>{html.escape(c)}</option>" for c in ADDRESS_COUNTRIES]
    rows = [row("name", "Name", "name", " autofocus"),
            row("street", "Street", "street-address"),
            row("city", "City", "address-level2", ' list="cities"'),
            f'<datalist id="cities">{cities}</datalist>',
            '<div class="row"><label for="id_country">Country:</label><select name="country"'
            f' id="id_country" autocomplete="country-name">{"".join(countries)}</select></div>',
            row("postal", "Postal code", "postal-code"),
            '<div class="row"><input type="submit" value="Save and add another"></div>']
    return page("Add address", f'{banner}<h1>Add address</h1><form method="post"'
                f' action="/address/">{"".join(rows)}</form>')


def serve(database, port_file, extra_field, seed):
    db = open_database(database)
    form_options = {"extra_field": extra_field}
    lock = threading.Lock()
    delays = random.Random(seed)

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def reply(self, status, body=b"", location=None):
            self.send_response(status)
            if location:
                self.send_header("Location", location)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(body)))
            self.send_header("Cache-Control", "no-store")
            self.end_headers()
            self.wfile.write(body)

        def do_GET(self):
            url = urllib.parse.urlsplit(self.path)
            query = urllib.parse.parse_qs(url.query)
            if url.path == "/add/":
                banner = ""
                if "added" in query:
                    with lock:
                        found = db.execute("SELECT name FROM people WHERE id = ?",
                                           (query["added"][0],)).fetchone()
                    if found:
                        banner = (f'<p class="success">The person “{html.escape(found[0])}” was '
                                  "added successfully. You may add another person below.</p>")
                self.reply(200, add_form({}, {}, form_options["extra_field"], banner))
            elif url.path == "/address/":
                banner = ('<p class="success">The address was added.</p>'
                          if "added" in query else "")
                self.reply(200, address_form(banner))
            elif url.path == "/extra-field/on":
                form_options["extra_field"] = True
                self.reply(200, page("Changed", "<p>The form has a middle name now.</p>"))
            elif url.path in ("/", "/people/"):
                with lock:
                    count = db.execute("SELECT COUNT(*) FROM people").fetchone()[0]
                self.reply(200, page("People", f'<p>{count} people. <a href="/add/">Add person</a></p>'))
            else:
                self.reply(404, page("Not found", "<p>Not found.</p>"))

        def do_POST(self):
            received = time.time()
            length = int(self.headers.get("Content-Length", "0"))
            form = urllib.parse.parse_qs(self.rfile.read(length).decode("utf-8"),
                                         keep_blank_values=True, strict_parsing=False)
            with lock:
                delay = delays.uniform(0.1, 1.5)
            time.sleep(delay)
            if urllib.parse.urlsplit(self.path).path == "/address/":
                values = {name: form.get(name, [""])[0] for name in ADDRESS_FIELDS}
                if not values["name"].strip():  # a form sent empty (the recording's)
                    self.reply(200, address_form())
                    return
                with lock:
                    db.execute(f"INSERT INTO addresses ({', '.join(ADDRESS_FIELDS)}) VALUES "
                               f"({', '.join('?' for _ in ADDRESS_FIELDS)})",
                               [values[c] for c in ADDRESS_FIELDS])
                self.reply(302, location="/address/?added=1")
                return
            if urllib.parse.urlsplit(self.path).path != "/add/":
                self.reply(404, page("Not found", "<p>Not found.</p>"))
                return
            values = {name: form.get(name, [""])[0] for name in FIELDS + ["middle"]}
            values["active"] = "yes" if "active" in form else ""
            errors = {}
            if not values["name"].strip():
                errors["name"] = "This field is required."
            if values["email"] and "@" not in values["email"]:
                errors["email"] = "Enter a valid email address."
            if values["country"] and values["country"] not in COUNTRIES:
                errors["country"] = "Select a valid choice."
            outcome = "invalid" if errors else "saved"
            with lock:
                db.execute("INSERT INTO posts (received, delay, outcome) VALUES (?, ?, ?)",
                           (received, delay, outcome))
                if errors:
                    new_id = None
                else:
                    columns = FIELDS + ["middle"]
                    new_id = db.execute(
                        f"INSERT INTO people ({', '.join(columns)}) VALUES "
                        f"({', '.join('?' for _ in columns)})",
                        [values[c] for c in columns]).lastrowid
            if errors:
                self.reply(200, add_form(values, errors, form_options["extra_field"]))
            elif "_addanother" in form:
                self.reply(302, location=f"/add/?added={new_id}")
            else:
                self.reply(302, location="/people/")

        def log_message(self, *args):
            pass

    # Threads: a browser holds idle connections open, which would block a one-at-a-time server.
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    with open(port_file + ".tmp", "w") as out:
        out.write(str(server.server_address[1]))
    import os
    os.replace(port_file + ".tmp", port_file)
    server.serve_forever()


def dump(database):
    db = open_database(database)
    for row in db.execute(f"SELECT {', '.join(FIELDS)}, middle FROM people ORDER BY id"):
        print(json.dumps(dict(zip(FIELDS + ["middle"], row)), ensure_ascii=False))
    for row in db.execute("SELECT received, delay, outcome FROM posts ORDER BY id"):
        print(json.dumps({"post": row[2], "received": row[0], "delay": row[1]}))
    for row in db.execute(f"SELECT {', '.join(ADDRESS_FIELDS)} FROM addresses ORDER BY id"):
        print(json.dumps({"address": dict(zip(ADDRESS_FIELDS, row))}, ensure_ascii=False))


def expected(csv_path):
    import csv
    ticked = {"yes", "true", "1", "x"}
    with open(csv_path, encoding="utf-8", newline="") as data:
        rows = list(csv.reader(data, delimiter=";"))
    for row in rows[1:]:
        person = dict(zip(FIELDS[:-1], row[:-1]))
        if not person["name"].strip():
            continue
        person["active"] = "yes" if row[-1].strip().lower() in ticked else ""
        person["middle"] = ""
        print(json.dumps(person, ensure_ascii=False))


def main(argv):
    if len(argv) >= 3 and argv[1] == "dump":
        dump(argv[2])
    elif len(argv) >= 3 and argv[1] == "expected":
        expected(argv[2])
    elif len(argv) >= 4 and argv[1] == "serve":
        seed = None
        if "--seed" in argv:
            seed = int(argv[argv.index("--seed") + 1])
        serve(argv[2], argv[3], "--extra-field" in argv, seed)
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
