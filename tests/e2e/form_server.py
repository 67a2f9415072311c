#!/usr/bin/env python3
"""A web form for the end-to-end tests: three text fields and a Send button.

Usage: form_server.py PORT_FILE LOG_FILE

Serves the page on 127.0.0.1 at a free port, which it writes to PORT_FILE once it listens.
The page posts one JSON object per event, which is appended to LOG_FILE as one line,
byte for byte as the browser sent it: {"kind": "ready"} when the page has loaded and
{"kind": "row", "n": N, "values": [...]} for every Send. After a Send the page empties
the form and puts the focus back into the first field, ready for the next row.
"""

import http.server
import os
import sys
import threading

PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Keyferry form</title></head>
<body>
<form id="form" autocomplete="off">
<p><label>First <input id="f0" autofocus autocomplete="off" spellcheck="false"></label></p>
<p><label>Second <input id="f1" autocomplete="off" spellcheck="false"></label></p>
<p><label>Third <input id="f2" autocomplete="off" spellcheck="false"></label></p>
<p><button id="send" type="submit">Send</button></p>
</form>
<script>
let sent = 0;
function post(body) {
  fetch("/log", {method: "POST", body: JSON.stringify(body), keepalive: true,
                 headers: {"Content-Type": "application/json; charset=utf-8"}});
}
const form = document.getElementById("form");
const fields = [0, 1, 2].map(i => document.getElementById("f" + i));
form.addEventListener("submit", event => {
  event.preventDefault();
  sent += 1;
  post({kind: "row", n: sent, values: fields.map(f => f.value)});
  form.reset();
  fields[0].focus();
});
window.addEventListener("load", () => {
  fields[0].focus();
  post({kind: "ready"});
});
</script>
</body></html>
""".encode("utf-8")


def main():
    port_file, log_file = sys.argv[1], sys.argv[2]
    lock = threading.Lock()

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            if self.path != "/":
                self.send_error(404)
                return
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(PAGE)))
            self.send_header("Cache-Control", "no-store")
            self.end_headers()
            self.wfile.write(PAGE)

        def do_POST(self):
            body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
            with lock, open(log_file, "ab") as log:
                log.write(body + b"\n")
            self.send_response(204)
            self.end_headers()

        def log_message(self, *args):
            pass

    # Threads: a browser may hold an idle connection open, which would block a
    # one-at-a-time server.
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    with open(port_file + ".tmp", "w") as out:
        out.write(str(server.server_address[1]))
    os.replace(port_file + ".tmp", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
