#!/usr/bin/env python3
"""An HTTP proxy on 127.0.0.1 that passes every answer on, except that it
changes one byte in the middle of the bodies whose path ends in --tamper.
Prints "PORT <n>" once it listens."""

import argparse
import http.client
import sys
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import urlsplit


class Proxy(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    tamper = ""

    def log_message(self, *args):
        pass

    def do_GET(self):
        url = urlsplit(self.path)
        if url.hostname != "127.0.0.1":
            self.send_error(403, "loopback only")
            return
        upstream = http.client.HTTPConnection(url.hostname, url.port or 80, timeout=30)
        headers = {k: v for k, v in self.headers.items()
                   if k.lower() not in ("proxy-connection", "connection", "proxy-authorization")}
        upstream.request("GET", url.path + ("?" + url.query if url.query else ""), headers=headers)
        answer = upstream.getresponse()
        body = answer.read()
        if self.tamper and url.path.endswith(self.tamper) and body:
            middle = len(body) // 2
            body = body[:middle] + bytes([body[middle] ^ 0x01]) + body[middle + 1:]
        self.send_response(answer.status, answer.reason)
        for key, value in answer.getheaders():
            if key.lower() not in ("connection", "transfer-encoding", "content-length"):
                self.send_header(key, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
        upstream.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tamper", default="")
    options = parser.parse_args()
    Proxy.tamper = options.tamper
    server = ThreadingHTTPServer(("127.0.0.1", 0), Proxy)
    server.daemon_threads = True
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
