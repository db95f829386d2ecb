"""Loopback SMTP server for the end-to-end mail test.

Usage: loopback_smtp.py FOLDER

Reads the login and the password from the first two lines of standard input
(so neither is on any command line), listens on 127.0.0.1 at a free port,
prints the port on the first line of standard output, stores every received
message as FOLDER/<n>.eml and accepts only that login and password (AUTH
PLAIN or LOGIN). Runs until its standard input closes.
"""

import socket
import sys
from pathlib import Path

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Store:
    def __init__(self, folder):
        self.folder = Path(folder)
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        (self.folder / ("%d.eml" % self.count)).write_bytes(envelope.original_content)
        return "250 OK"


def main():
    folder = sys.argv[1]
    login = sys.stdin.buffer.readline().rstrip(b"\n")
    password = sys.stdin.buffer.readline().rstrip(b"\n")

    def authenticator(server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login == login
              and auth_data.password == password)
        return AuthResult(success=ok, handled=False)

    controller = Controller(Store(folder), hostname="127.0.0.1", port=free_port(),
                            authenticator=authenticator, auth_require_tls=False)
    controller.start()
    print(controller.port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
