"""A web server for the network tests (http.server on 127.0.0.1).

Prints "PORT <n>" once it listens and runs until its standard input closes. GET /data answers
the bytes of the --body file, GET /echo/<word> answers the word, anything else 404. Each request
line and its headers are appended to the --log file as one JSON line.
"""
import argparse
import json
import os
import sys
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--body", required=True)
    parser.add_argument("--log", required=True)
    options = parser.parse_args()
    with open(options.body, "rb") as source:
        body = source.read()
    lock = threading.Lock()

    class Handler(BaseHTTPRequestHandler):
        def do_GET(self):
            with lock, open(options.log, "a", encoding="utf-8") as log:
                log.write(json.dumps({"request": self.requestline, "headers": list(self.headers.items())}) + "\n")
            if self.path == "/data":
                answer = body
            elif self.path.startswith("/echo/"):
                answer = self.path[len("/echo/"):].encode("ascii")
            else:
                self.send_error(404)
                return
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(len(answer)))
            self.end_headers()
            self.wfile.write(answer)

        def log_message(self, format, *args):
            pass

    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    threading.Timer(600, lambda: os._exit(1)).start()
    print(f"PORT {server.server_address[1]}", flush=True)
    sys.stdin.buffer.read()
    server.shutdown()
    os._exit(0)


if __name__ == "__main__":
    main()
