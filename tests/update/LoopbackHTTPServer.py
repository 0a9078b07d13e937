#!/usr/bin/env python3
"""An HTTP server for the transfer tests that misbehaves on request.

Binds 127.0.0.1 on a free port and prints "PORT <n>". Resources:
  /data/<n>        n bytes of a fixed pattern, with ranges (206/416) and these options:
                   ranges=ignore   answer every range with the whole body (200)
                   r416=always     answer every range with 416 and no length
                   nolength=1      no Content-Length; the connection closes after the body
                   drop=<k>        announce the whole length, close after k body bytes
                   alter=1         a different pattern from byte 1 on
                   stall=<k>       send k body bytes, then nothing until the client leaves
                   pause=<ms>      with stall: go on with the rest after that many ms
                   auth=<u>:<p>    Basic authentication, 401 otherwise
                   length=<n>      announce n as the Content-Length whatever is sent
                   endless=1       no Content-Length; the pattern goes on until the client leaves
                   trickle=<ms>    one body byte, then that many ms, and so on
                   chunked=1       chunked; with drop=<k> the chunk breaks off after k bytes
  /data/<n>/<key>:<value>/...   the same options in the path, for URLs that may not
                   hold "?" or "="
  any path?hang=1  reads the request and never answers
  /loop            302 to itself
  /tofile          302 to a file: URL
  /redirect?to=<path>   302 to the path
  /status/<code>   that status with a short body
  /headers         fixed header values and a short body
  /echo            the request body back (POST), with its content type
  /upload          stores the body (POST) as upload-<n>.bin in --spool, with its headers
With --proxy <u>:<p> the server acts as a proxy: absolute request targets only, and
407 without the right Proxy-Authorization.
"""
import argparse
import base64
import ctypes
import json
import os
import signal
import socketserver
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlsplit

PERIOD = 251
PATTERN = bytes(range(PERIOD)) * 64


def pattern_bytes(start, count, alter=False):
    out = bytearray()
    position = start
    while len(out) < count:
        offset = position % PERIOD
        take = min(count - len(out), len(PATTERN) - offset)
        out += PATTERN[offset:offset + take]
        position += take
    if alter:
        out = bytearray(b ^ 0x5A if start + i >= 1 else b for i, b in enumerate(out))
    return bytes(out)


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "LoopbackTest/1.0"

    def log_message(self, *args):
        pass

    def record(self, body=None):
        entry = {"method": self.command, "path": self.path,
                 "headers": {k.lower(): v for k, v in self.headers.items()}}
        with self.server.lock:
            self.server.count += 1
            number = self.server.count
            if body is not None and self.server.spool:
                name = os.path.join(self.server.spool, "upload-%d.bin" % number)
                with open(name, "wb") as f:
                    f.write(body)
                entry["body"] = name
            if self.server.log:
                with open(self.server.log, "a") as f:
                    f.write(json.dumps(entry) + "\n")

    def send_plain(self, code, text, extra=()):
        body = text.encode()
        self.send_response(code)
        for name, value in extra:
            self.send_header(name, value)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def read_body(self):
        length = int(self.headers.get("Content-Length", "0"))
        return self.rfile.read(length) if length else b""

    def proxy_refused(self):
        expected = self.server.proxy_auth
        if expected is None:
            return False
        wanted = "Basic " + base64.b64encode(expected.encode()).decode()
        if not self.path.startswith("http://"):
            self.send_plain(400, "not a proxy request")
            return True
        if self.headers.get("Proxy-Authorization") == wanted:
            return False
        self.send_plain(407, "proxy login", [("Proxy-Authenticate", 'Basic realm="proxy"')])
        return True

    def do_GET(self):
        self.handle_request(None)

    def do_POST(self):
        self.handle_request(self.read_body())

    def handle_request(self, body):
        self.record(body)
        if self.proxy_refused():
            return
        url = urlsplit(self.path)
        query = {k: v[-1] for k, v in parse_qs(url.query).items()}
        parts = url.path.strip("/").split("/")
        if parts[0] == "data" and len(parts) > 2:
            query.update(part.split(":", 1) for part in parts[2:] if ":" in part)
            parts = parts[:2]
        if "auth" in query and not self.authorised(query["auth"]):
            return
        if "hang" in query:
            self.stall()
            return
        if parts[0] == "data" and len(parts) == 2:
            self.serve_data(int(parts[1]), query)
        elif parts[0] == "tofile":
            self.send_plain(302, "local", [("Location", "file:///etc/hostname")])
        elif parts[0] == "loop":
            self.send_plain(302, "again", [("Location", self.path)])
        elif parts[0] == "redirect":
            self.send_plain(302, "moved", [("Location", query.get("to", "/"))])
        elif parts[0] == "status":
            self.send_plain(int(parts[1]), "status " + parts[1])
        elif parts[0] == "headers":
            self.send_plain(200, "headers", [
                ("Date", "Sun, 06 Nov 1994 08:49:37 GMT"),
                ("Last-Modified", "Sat, 05 Nov 1994 07:48:36 GMT"),
                ("Expires", "Mon, 07 Nov 1994 09:50:38 GMT"),
                ("ETag", '"v1-abc"'), ("Content-Language", "de"),
                ("Content-Encoding", "identity")])
        elif parts[0] == "echo":
            self.send_plain(200, (self.headers.get("Content-Type", "") + "\n").replace("\r", "")
                            + (body or b"").decode("latin-1"))
        elif parts[0] == "upload":
            self.send_plain(200, "received %d" % len(body or b""))
        else:
            self.send_plain(404, "not found")

    def authorised(self, login):
        wanted = "Basic " + base64.b64encode(login.encode()).decode()
        if self.headers.get("Authorization") == wanted:
            return True
        self.send_plain(401, "login", [("WWW-Authenticate", 'Basic realm="Tessaro test"')])
        return False

    def requested_range(self, size, query):
        header = self.headers.get("Range")
        if not header or query.get("ranges") == "ignore":
            return None
        byte_range = header.split("=", 1)[1]
        first, _, last = byte_range.partition("-")
        start = int(first)
        end = int(last) if last else size - 1
        return start, min(end, size - 1)

    def serve_data(self, size, query):
        requested = self.requested_range(size, query)
        if requested and (query.get("r416") == "always" or requested[0] >= size):
            extra = [] if query.get("r416") == "always" else [("Content-Range", "bytes */%d" % size)]
            self.send_plain(416, "", extra)
            return
        start, end = requested if requested else (0, size - 1)
        count = max(end - start + 1, 0)
        self.send_response(206 if requested else 200)
        self.send_header("Content-Type", "application/octet-stream")
        if requested:
            self.send_header("Content-Range", "bytes %d-%d/%d" % (start, end, size))
        if query.get("nolength") or query.get("endless"):
            self.send_header("Connection", "close")
            self.close_connection = True
        elif query.get("chunked"):
            self.send_header("Transfer-Encoding", "chunked")
        else:
            self.send_header("Content-Length", query.get("length", str(count)))
        self.end_headers()
        if query.get("endless"):
            self.send_endless()
            return
        if query.get("chunked"):
            self.send_chunked(start, count, int(query.get("drop", count)))
            return
        if "trickle" in query:
            self.send_trickle(start, count, int(query["trickle"]) / 1000)
            return
        limit = count
        if "drop" in query:
            limit = min(count, int(query["drop"]))
            self.close_connection = True
        if "stall" in query:
            limit = min(count, int(query["stall"]))
        self.send_pattern(start, limit, query.get("alter") == "1")
        if "stall" in query and "pause" in query:
            time.sleep(int(query["pause"]) / 1000)
            self.send_pattern(start + limit, count - limit, False)
        elif "stall" in query:
            self.stall()

    def send_pattern(self, start, count, alter):
        chunk = 1 << 20
        sent = 0
        while sent < count:
            take = min(chunk, count - sent)
            self.wfile.write(pattern_bytes(start + sent, take, alter))
            sent += take
        self.wfile.flush()

    def send_endless(self):
        position = 0
        try:
            while True:
                self.wfile.write(pattern_bytes(position, 1 << 16))
                position += 1 << 16
        except OSError:
            pass

    def send_chunked(self, start, count, cut):
        self.close_connection = cut < count
        body = pattern_bytes(start, min(count, cut))
        self.wfile.write(b"%x\r\n" % count + body)
        if cut >= count:
            self.wfile.write(b"\r\n0\r\n\r\n")
        self.wfile.flush()

    def send_trickle(self, start, count, pause):
        self.close_connection = True
        try:
            for i in range(count):
                self.wfile.write(pattern_bytes(start + i, 1))
                self.wfile.flush()
                time.sleep(pause)
        except OSError:
            pass

    def stall(self):
        self.close_connection = True
        deadline = time.time() + 30
        self.connection.settimeout(0.05)
        while time.time() < deadline:
            try:
                if self.connection.recv(1) == b"":
                    return
            except OSError as error:
                if not isinstance(error, TimeoutError):
                    return


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--log")
    parser.add_argument("--spool")
    parser.add_argument("--proxy")
    args = parser.parse_args()
    # A test program that crashes must not leave its server behind.
    ctypes.CDLL(None).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    server = Server(("127.0.0.1", 0), Handler)
    server.lock = threading.Lock()
    server.count = 0
    server.log = args.log
    server.spool = args.spool
    server.proxy_auth = args.proxy
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
