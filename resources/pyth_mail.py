"""Sends one mail for the card editor over SMTP.

Usage: pyth_mail.py LOGIN HOST PORT FROM TO SUBJECT BODY TLS [ATTACHMENT...]

TLS is "Y" for a connection that starts encrypted; anything else asks the
server for STARTTLS. The password is read from standard input up to the
first line break; the rest of the input is not used. The exit code tells
what happened, and one line on standard error why: a refusal carries the
server's code and answer. The password is never printed.
"""

import base64
import ipaddress
import smtplib
import socket
import ssl
import sys
from email.message import EmailMessage
from email.utils import formatdate, make_msgid
from pathlib import Path

EXIT_SENT = 0
EXIT_USAGE = 2
EXIT_BAD_HEADER = 3
EXIT_ATTACHMENT = 4
EXIT_CONNECTION = 5
EXIT_NO_TLS = 6
EXIT_LOGIN = 7
EXIT_REFUSED = 8
EXIT_CERTIFICATE = 9

TIMEOUT_SECONDS = 60

# Characters of a server's answer kept in a reason; the rest is cut.
LONGEST_ANSWER = 150
BLOTTED = "********"

# Leading bytes of the file types a card mail usually carries.
SIGNATURES = [
    (b"\x89PNG\r\n\x1a\n", ("image", "png")),
    (b"\xff\xd8\xff", ("image", "jpeg")),
    (b"GIF87a", ("image", "gif")),
    (b"GIF89a", ("image", "gif")),
    (b"II*\x00", ("image", "tiff")),
    (b"MM\x00*", ("image", "tiff")),
    (b"BM", ("image", "bmp")),
    (b"%PDF-", ("application", "pdf")),
    (b"PK\x03\x04", ("application", "zip")),
]


class MailError(Exception):
    def __init__(self, code, text):
        super().__init__(text)
        self.code = code


def content_type(data):
    """The MIME type of a file judged from its bytes."""
    for signature, kind in SIGNATURES:
        if data.startswith(signature):
            return kind
    return ("application", "octet-stream")


def is_loopback(host):
    if host.lower() == "localhost":
        return True
    try:
        return ipaddress.ip_address(host.strip("[]")).is_loopback
    except ValueError:
        return False


def clear_text_allowed(host):
    """A server that offers no STARTTLS is only used on this machine."""
    return is_loopback(host)


# Every character Python reads as a line break (str.splitlines): a header
# holds none of them, and the email package refuses some of them only by
# raising an error of its own.
LINE_BREAKS = "\n\r\v\f\x1c\x1d\x1e\x85\u2028\u2029"


def check_header(name, value):
    if any(c in LINE_BREAKS for c in value):
        raise MailError(EXIT_BAD_HEADER, "line break in the %s field" % name)


def build_message(sender, recipient, subject, body, attachments):
    """The message with its attachments; attachments are read here, before
    any connection is made."""
    for name, value in (("From", sender), ("To", recipient), ("Subject", subject)):
        check_header(name, value)
    for path in attachments:
        check_header("attachment name", Path(path).name)
    message = EmailMessage()
    message["From"] = sender
    message["To"] = recipient
    message["Subject"] = subject
    message["Date"] = formatdate(localtime=True)
    message["Message-ID"] = make_msgid()
    message.set_content(body)
    for path in attachments:
        try:
            data = Path(path).read_bytes()
        except OSError as error:
            raise MailError(EXIT_ATTACHMENT, "cannot read attachment %s: %s" % (path, error.strerror))
        maintype, subtype = content_type(data)
        message.add_attachment(data, maintype=maintype, subtype=subtype, filename=Path(path).name)
    return message


def secrets_of(login, password):
    """The texts that would give the password away: itself and the forms in
    which AUTH PLAIN and AUTH LOGIN carry it."""
    if not password:
        return []
    plain = b"\0" + login.encode("utf-8") + b"\0" + password.encode("utf-8")
    return [password, base64.b64encode(plain).decode("ascii"),
            base64.b64encode(password.encode("utf-8")).decode("ascii")]


def server_answer(code, text, secrets):
    """The server's code and answer on one line, without the password,
    cut at LONGEST_ANSWER characters."""
    if isinstance(text, bytes):
        text = text.decode("utf-8", "replace")
    text = "".join(c if c.isprintable() else " " for c in str(text))
    for secret in sorted(secrets, key=len, reverse=True):
        text = text.replace(secret, BLOTTED)
    text = " ".join(text.split())
    if len(text) > LONGEST_ANSWER:
        text = text[:LONGEST_ANSWER].rstrip() + "..."
    return ("%d %s" % (code, text)).rstrip()


def log_in(smtp, login, password):
    """Logs in when there is a password and the server offers AUTH."""
    if not password or not smtp.has_extn("auth"):
        return
    if "PLAIN" not in smtp.esmtp_features.get("auth", "").upper().split():
        if password.isascii() and login.isascii():
            smtp.login(login, password)
            return
        # smtplib encodes its AUTH answers as ASCII only.
        raise MailError(EXIT_LOGIN, "the server offers no AUTH PLAIN for a non-ASCII password")
    # AUTH PLAIN in UTF-8, whatever the password holds.
    token = base64.b64encode(b"\0" + login.encode("utf-8") + b"\0" + password.encode("utf-8"))
    code, answer = smtp.docmd("AUTH", "PLAIN " + token.decode("ascii"))
    if code != 235:
        raise MailError(EXIT_LOGIN, "the server refused the login (%s)"
                        % server_answer(code, answer, secrets_of(login, password)))


def send(login, host, port, password, implicit_tls, message):
    context = ssl.create_default_context()
    if implicit_tls:
        smtp = smtplib.SMTP_SSL(host, port, timeout=TIMEOUT_SECONDS, context=context)
    else:
        smtp = smtplib.SMTP(host, port, timeout=TIMEOUT_SECONDS)
    with smtp:
        smtp.ehlo()
        if not implicit_tls:
            if smtp.has_extn("starttls"):
                smtp.starttls(context=context)
                smtp.ehlo()
            elif not clear_text_allowed(host):
                raise MailError(EXIT_NO_TLS, "the server offers no STARTTLS")
        log_in(smtp, login, password)
        smtp.send_message(message)


def main(argv, stdin):
    if len(argv) < 9:
        print(__doc__, file=sys.stderr)
        return EXIT_USAGE
    login, host, port_text, sender, recipient, subject, body, tls = argv[1:9]
    attachments = argv[9:]
    try:
        port = int(port_text)
        if not 0 < port < 65536:
            raise ValueError
    except ValueError:
        print("pyth_mail: the port is not a number from 1 to 65535", file=sys.stderr)
        return EXIT_USAGE
    password = stdin.readline().rstrip("\r\n")
    hidden = secrets_of(login, password)
    try:
        message = build_message(sender, recipient, subject, body, attachments)
        send(login, host, port, password, tls == "Y", message)
    except MailError as error:
        print("pyth_mail: %s" % error, file=sys.stderr)
        return error.code
    except ssl.SSLCertVerificationError as error:
        print("pyth_mail: certificate not trusted: %s" % error.verify_message, file=sys.stderr)
        return EXIT_CERTIFICATE
    except smtplib.SMTPAuthenticationError as error:
        print("pyth_mail: the server refused the login (%s)"
              % server_answer(error.smtp_code, error.smtp_error, hidden), file=sys.stderr)
        return EXIT_LOGIN
    except smtplib.SMTPNotSupportedError:
        print("pyth_mail: the server does not support a needed command", file=sys.stderr)
        return EXIT_REFUSED
    except smtplib.SMTPResponseException as error:
        print("pyth_mail: the server refused the mail (%s)"
              % server_answer(error.smtp_code, error.smtp_error, hidden), file=sys.stderr)
        return EXIT_REFUSED
    except smtplib.SMTPRecipientsRefused as error:
        # One recipient a mail: its code and answer.
        refusals = list(error.recipients.values())
        said = " (%s)" % server_answer(*refusals[0], hidden) if refusals else ""
        print("pyth_mail: the server refused the recipient%s" % said, file=sys.stderr)
        return EXIT_REFUSED
    except smtplib.SMTPServerDisconnected:
        print("pyth_mail: the server closed the connection", file=sys.stderr)
        return EXIT_CONNECTION
    except smtplib.SMTPException as error:
        print("pyth_mail: %s" % type(error).__name__, file=sys.stderr)
        return EXIT_REFUSED
    except (OSError, socket.timeout) as error:
        print("pyth_mail: cannot reach %s:%d: %s" % (host, port, error), file=sys.stderr)
        return EXIT_CONNECTION
    except Exception as error:
        # One line naming the kind of error, never a traceback.
        print("pyth_mail: unexpected error: %s" % type(error).__name__, file=sys.stderr)
        return EXIT_REFUSED
    return EXIT_SENT


if __name__ == "__main__":
    sys.exit(main(sys.argv, sys.stdin))
