#!/usr/bin/env python3
"""An RFC 3161 timestamp server on 127.0.0.1, for the signing tests: it answers each query POSTed
to it with a timestamp that openssl signs with CERT and KEY (CHAIN: the certificates above CERT).
It prints the port it listens on, then serves until killed, or for 600 s at most:
    timestamp_server.py CERT KEY CHAIN"""
import http.server
import os
import subprocess
import sys
import tempfile
import threading

CONFIG = """[ tsa ]
default_tsa = tsa_config
[ tsa_config ]
serial = {serial}
crypto_device = builtin
default_policy = 1.2.3.4.1
other_policies = 1.2.3.4.2
digests = sha256
signer_digest = sha256
accuracy = secs:1
ordering = yes
tsa_name = no
ess_cert_id_chain = no
ess_cert_id_alg = sha256
"""


def main(certificate, key, chain):
    folder = tempfile.mkdtemp()
    with open(os.path.join(folder, "serial"), "w") as serial:
        serial.write("01\n")
    config = os.path.join(folder, "tsa.cnf")
    with open(config, "w") as file:
        file.write(CONFIG.format(serial=os.path.join(folder, "serial")))

    class Timestamps(http.server.BaseHTTPRequestHandler):
        def do_POST(self):
            query = self.rfile.read(int(self.headers["Content-Length"]))
            reply = subprocess.run(
                ["openssl", "ts", "-reply", "-config", config, "-queryfile", "/dev/stdin",
                 "-signer", certificate, "-inkey", key, "-chain", chain, "-out", "/dev/stdout"],
                input=query, capture_output=True, check=True).stdout
            self.send_response(200)
            self.send_header("Content-Type", "application/timestamp-reply")
            self.send_header("Content-Length", str(len(reply)))
            self.end_headers()
            self.wfile.write(reply)

        def log_message(self, *arguments):
            pass

    server = http.server.HTTPServer(("127.0.0.1", 0), Timestamps)
    print(server.server_address[1], flush=True)
    threading.Timer(600, server.shutdown).start()
    server.serve_forever()


if __name__ == "__main__":
    main(*sys.argv[1:4])
