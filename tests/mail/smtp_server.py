"""Loopback SMTP server for the mail tests.

Usage: smtp_server.py FOLDER LOGIN PASSWORD [starttls|implicit CERT KEY | drop N]

Listens on 127.0.0.1 at a free port, prints the port on the first line of
standard output, stores every received message as FOLDER/<n>.eml and
accepts only the given login and password (AUTH PLAIN or LOGIN, UTF-8).
A recipient whose address starts with "refused" is rejected with
"550 5.1.1 <address>: Recipient address rejected"; one starting with
"echoing" is rejected with a long answer of several lines that repeats the
password, as a careless server might. With
"drop N" the N-th mail's connection (from 1; one mail per connection) is
closed when the mail is begun, so that mail fails and is not stored.
Runs until its standard input closes.
"""

import socket
import ssl
import sys
from pathlib import Path

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Store:
    def __init__(self, folder, password, drop=0):
        self.folder = Path(folder)
        self.password = password
        self.count = 0
        self.begun = 0
        self.drop = drop

    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        self.begun += 1
        if self.begun == self.drop:
            server.transport.abort()
            return "421 Closing"
        envelope.mail_from = address
        envelope.mail_options.extend(mail_options)
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.lower().startswith("refused"):
            return "550 5.1.1 <%s>: Recipient address rejected" % address
        if address.lower().startswith("echoing"):
            return ("550-5.7.1 <%s>: Relaying denied for this account\r\n"
                    "550-5.7.1 The password given was %s\r\n"
                    "550 5.7.1 %s" % (address, self.password, "see the server's policy " * 12))
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        (self.folder / ("%d.eml" % self.count)).write_bytes(envelope.original_content)
        return "250 OK"


def main():
    folder, login, password = sys.argv[1:4]
    mode = sys.argv[4] if len(sys.argv) > 4 else "plain"

    def authenticator(server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login == login.encode("utf-8")
              and auth_data.password == password.encode("utf-8"))
        return AuthResult(success=ok, handled=False)

    kwargs = dict(hostname="127.0.0.1", port=free_port(), authenticator=authenticator,
                  auth_require_tls=False)
    if mode in ("starttls", "implicit"):
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(sys.argv[5], sys.argv[6])
        if mode == "starttls":
            kwargs.update(tls_context=context, require_starttls=True, auth_require_tls=True)
        else:
            kwargs.update(ssl_context=context)
    drop = int(sys.argv[5]) if mode == "drop" else 0
    controller = Controller(Store(folder, password, drop), **kwargs)
    controller.start()
    print(controller.port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
