"""Checks of the mail script: STARTTLS and implicit TLS against a loopback
server with a self-signed certificate, and the script's refusals.

Usage: pyth_mail_test.py PATH_TO_pyth_mail.py  (exit 77: a tool is missing)
"""

import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
SCRIPT = Path(sys.argv[1]).resolve() if len(sys.argv) > 1 else None


def load_script():
    found = importlib.util.spec_from_file_location("pyth_mail", SCRIPT)
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


class Server:
    def __init__(self, folder, mode, cert, key):
        self.folder = folder
        self.process = subprocess.Popen(
            [sys.executable, str(HERE / "smtp_server.py"), folder, "me@example.com", "pässwort",
             mode, cert, key], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.port = int(self.process.stdout.readline())

    def close(self):
        self.process.stdin.close()
        self.process.wait(timeout=20)
        self.process.stdout.close()

    def messages(self):
        return sorted(Path(self.folder).glob("*.eml"))


class TlsPaths(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp()
        cls.cert = os.path.join(cls.dir, "cert.pem")
        cls.key = os.path.join(cls.dir, "key.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                        "-keyout", cls.key, "-out", cls.cert], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir)

    def send(self, port, tls, trust=True, subject="Hello"):
        env = {"PATH": "/bin:/usr/bin"}
        if trust:
            env["SSL_CERT_FILE"] = self.cert
        return subprocess.run(
            [sys.executable, str(SCRIPT), "me@example.com", "127.0.0.1", str(port),
             "me@example.com", "friend@example.org", subject, "Body", tls],
            input="pässwort\nDescription", text=True, env=env, capture_output=True, timeout=120)

    def run_mode(self, mode, flag):
        with tempfile.TemporaryDirectory() as folder:
            server = Server(folder, mode, self.cert, self.key)
            try:
                result = self.send(server.port, flag)
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(len(server.messages()), 1)
                self.assertNotIn("pässwort", result.stdout + result.stderr)
                untrusted = self.send(server.port, flag, trust=False)
                self.assertNotEqual(untrusted.returncode, 0)
                self.assertEqual(len(server.messages()), 1)
            finally:
                server.close()

    def test_starttls(self):
        self.run_mode("starttls", "N")

    def test_implicit_tls(self):
        self.run_mode("implicit", "Y")


class Refusals(unittest.TestCase):
    def setUp(self):
        self.mail = load_script()

    def test_clear_text_only_on_this_machine(self):
        for host, allowed in [("127.0.0.1", True), ("localhost", True), ("::1", True),
                              ("[::1]", True), ("smtp.example.com", False), ("10.0.0.1", False),
                              ("192.0.2.7", False)]:
            self.assertEqual(self.mail.clear_text_allowed(host), allowed, host)

    def test_every_header_line_break_is_refused_without_a_traceback(self):
        # The script as the program runs it; it refuses before connecting,
        # so the port is never reached.
        breaks = ["\r\nBcc: other@example.net", "\n", "\r", "\v", "\f", "\x1c", "\x1d",
                  "\x1e", "\x85", "\u2028", "\u2029"]
        with tempfile.TemporaryDirectory() as folder:
            for brk in breaks:
                for field in ("from", "to", "subject", "attachment name"):
                    with self.subTest(field=field, brk=repr(brk)):
                        values = {"from": "me@example.com", "to": "friend@example.org",
                                  "subject": "Hello"}
                        attachments = []
                        if field == "attachment name":
                            path = Path(folder) / ("card" + brk.replace("/", "") + ".jpeg")
                            path.write_bytes(b"\xff\xd8\xff\xe0")
                            attachments.append(str(path))
                        else:
                            values[field] += brk
                        result = subprocess.run(
                            [sys.executable, "-I", str(SCRIPT), "me@example.com", "127.0.0.1",
                             "1", values["from"], values["to"], values["subject"], "Body\vand",
                             "N"] + attachments,
                            input="pw\n", text=True, env={"PATH": "/bin:/usr/bin"},
                            capture_output=True, timeout=60)
                        self.assertEqual(result.returncode, self.mail.EXIT_BAD_HEADER,
                                         result.stderr)
                        self.assertNotIn("Traceback", result.stderr)

    def test_attachment_type_from_bytes(self):
        cases = [(b"\x89PNG\r\n\x1a\nrest", "image/png"), (b"\xff\xd8\xff\xe0", "image/jpeg"),
                 (b"%PDF-1.7", "application/pdf"), (b"hello", "application/octet-stream")]
        for data, kind in cases:
            self.assertEqual("/".join(self.mail.content_type(data)), kind)

    def test_missing_attachment_before_connecting(self):
        with self.assertRaises(self.mail.MailError) as caught:
            self.mail.build_message("me@example.com", "f@example.org", "Hi", "Body",
                                    ["/nonexistent/x.png"])
        self.assertEqual(caught.exception.code, self.mail.EXIT_ATTACHMENT)

    def test_bad_port_and_too_few_arguments(self):
        import io
        self.assertEqual(self.mail.main(["x", "a"], io.StringIO("")), self.mail.EXIT_USAGE)
        argv = ["x", "me@example.com", "127.0.0.1", "seventy", "me@example.com",
                "f@example.org", "Hi", "Body", "N"]
        self.assertEqual(self.mail.main(argv, io.StringIO("pw\n")), self.mail.EXIT_USAGE)

    def test_a_server_answer_is_one_line_without_the_password(self):
        hidden = self.mail.secrets_of("me@example.com", "pässwort")
        token = "AG1lQGV4YW1wbGUuY29tAHDDpHNzd29ydA=="  # AUTH PLAIN of the pair
        cases = [
            (550, b"5.1.1 <r3@example.test>: Recipient address rejected",
             "550 5.1.1 <r3@example.test>: Recipient address rejected"),
            (554, b"5.7.1 first line\n5.7.1 second\tline\r", "554 5.7.1 first line 5.7.1 second line"),
            (535, "5.7.8 bad: pässwort, token " + token, "535 5.7.8 bad: ********, token ********"),
            (421, b"", "421"),
            (550, b"x" * 400, "550 " + "x" * 150 + "..."),
            (550, "\u00e9t\u00e9 \x00 ok".encode("utf-8"), "550 \u00e9t\u00e9 ok"),
        ]
        for code, answer, line in cases:
            with self.subTest(answer=answer):
                self.assertEqual(self.mail.server_answer(code, answer, hidden), line)


if __name__ == "__main__":
    if SCRIPT is None:
        sys.exit(2)
    missing = [tool for tool in ("openssl",) if shutil.which(tool) is None]
    if importlib.util.find_spec("aiosmtpd") is None:
        missing.append("python3-aiosmtpd")
    if missing:
        print("skipped: missing " + ", ".join(missing))
        sys.exit(77)
    sys.exit(0 if unittest.main(argv=[sys.argv[0]], exit=False).result.wasSuccessful() else 1)
