#!/usr/bin/env python3
"""A time-stamp server (RFC 3161 over HTTP) on this machine, for the signing test.

    tsa.py FOLDER

FOLDER holds the authority's tsa.pem (extended key usage timeStamping) and tsa.key. Answers
every POST with `openssl ts -reply` for the query, listens on a free port of 127.0.0.1 and
writes that port into FOLDER/tsa.port once it listens.
"""
import http.server
import os
import subprocess
import sys

folder = sys.argv[1]
with open(os.path.join(folder, "tsa.cnf"), "w") as f:
    f.write("[tsa]\ndefault_tsa = tsa_config\n[tsa_config]\nserial = ./tsa.serial\n"
            "signer_digest = sha256\ndefault_policy = 1.2.3.4.1\ndigests = sha256, sha512\n"
            "ess_cert_id_alg = sha256\n")
with open(os.path.join(folder, "tsa.serial"), "w") as f:
    f.write("01\n")


class Authority(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers["Content-Length"]))
        reply = subprocess.run(["openssl", "ts", "-reply", "-config", "tsa.cnf", "-queryfile",
                                "/dev/stdin", "-signer", "tsa.pem", "-inkey", "tsa.key", "-out",
                                "/dev/stdout"], input=query, capture_output=True, cwd=folder,
                               check=True).stdout
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Authority)
with open(os.path.join(folder, "tsa.port"), "w") as f:
    f.write(str(server.server_port))
server.serve_forever()
