#!/usr/bin/env python3
"""A web proxy for the browser tests: answers every GET with a small page, logs the absolute
address asked for (one a line) and refuses everything else, so that nothing leaves the machine.

Usage: logging-proxy.py LOG PORTFILE
It listens on 127.0.0.1 at a free port, which it writes to PORTFILE once it accepts requests.
"""
import html
import http.server
import os
import sys
import threading


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"
    lock = threading.Lock()
    log = None

    def do_GET(self):
        with Handler.lock:
            Handler.log.write(self.path + "\n")
            Handler.log.flush()
        # The page's title names the address without its scheme, so that history tests know it.
        title = html.escape(self.path.split("://", 1)[-1])
        body = ("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%s</title></head>"
                "<body>%s</body></html>" % (title, title)).encode("utf-8")
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(body)

    def refuse(self):
        self.send_error(403)

    do_CONNECT = do_POST = do_HEAD = do_PUT = do_OPTIONS = refuse

    def log_message(self, format, *args):
        pass


def main():
    log_path, port_path = sys.argv[1], sys.argv[2]
    Handler.log = open(log_path, "a", encoding="utf-8", errors="surrogateescape")
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    partial = port_path + ".part"
    with open(partial, "w") as out:
        out.write(str(server.server_address[1]))
    os.replace(partial, port_path)
    server.serve_forever()


if __name__ == "__main__":
    main()
