"""A mail server for the network tests (aiosmtpd on 127.0.0.1).

Prints "PORT <n>" once it listens and runs until its standard input closes. Into --dir it
writes events.txt (one line per connection, login, NOOP and QUIT, as they happen) and, for each
message, mail-<n>.eml with the bytes received and mail-<n>.json with what Python's email
package reads from them.
"""
import argparse
import json
import os
import socket
import sys
import logging
import threading
from email import message_from_bytes
from email.header import decode_header
from email.utils import parsedate_to_datetime

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult


def header_bytes(value):
    """The bytes a header stands for, with its =?charset?B?...?= words decoded."""
    if value is None:
        return None
    return b"".join(p if isinstance(p, bytes) else p.encode("latin-1") for p, _ in decode_header(str(value)))


def summary(raw, envelope, mechanism):
    message = message_from_bytes(raw)
    try:
        date_epoch = parsedate_to_datetime(message["Date"]).timestamp()
    except (TypeError, ValueError):
        date_epoch = None
    parts = []
    for part in message.walk():
        if part.is_multipart():
            continue
        filename = part.get_param("filename", header="content-disposition")
        parts.append({
            "type": part.get_content_type(),
            "charset": part.get_param("charset"),
            "encoding": part.get("Content-Transfer-Encoding"),
            "disposition": part.get_content_disposition(),
            "filename_hex": None if filename is None else header_bytes(filename).hex(),
            "payload_hex": part.get_payload(decode=True).hex(),
        })
    return {
        "mail_from": envelope.mail_from,
        "rcpt_tos": envelope.rcpt_tos,
        "mechanism": mechanism,
        "from": message["From"],
        "to": message["To"],
        "cc": message["Cc"],
        "date": message["Date"],
        "date_epoch": date_epoch,
        "mime_version": message["MIME-Version"],
        "subject_raw": message["Subject"],
        "subject_hex": header_bytes(message["Subject"]).hex() if message["Subject"] else None,
        "content_type": message.get_content_type(),
        "parts": parts,
    }


class Recorder:
    def __init__(self, folder, refused_recipients):
        self.folder = folder
        self.refused = set(refused_recipients)
        self.count = 0
        self.lock = threading.Lock()

    def event(self, text):
        with self.lock, open(os.path.join(self.folder, "events.txt"), "a", encoding="utf-8") as log:
            log.write(text + "\n")

    def write_atomically(self, name, data):
        path = os.path.join(self.folder, name)
        with open(path + ".part", "wb") as out:
            out.write(data)
        os.replace(path + ".part", path)

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        session.host_name = hostname
        self.event("EHLO " + hostname)
        return responses

    async def handle_NOOP(self, server, session, envelope, arg):
        self.event("NOOP")
        return "250 OK"

    async def handle_QUIT(self, server, session, envelope):
        self.event("QUIT")
        return "221 Bye"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.refused:
            return "550 5.1.1 No such user here"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        with self.lock:
            self.count += 1
            number = self.count
        raw = envelope.original_content
        mechanism = getattr(session, "quarvel_mechanism", None)
        self.write_atomically(f"mail-{number}.eml", raw)
        self.write_atomically(f"mail-{number}.json",
                              json.dumps(summary(raw, envelope, mechanism)).encode("utf-8"))
        self.event(f"MAIL {number}")
        return "250 Message accepted"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dir", required=True)
    parser.add_argument("--login", default="user")
    parser.add_argument("--password", default="secret")
    parser.add_argument("--exclude-mechanism", action="append", default=[])
    parser.add_argument("--refuse-recipient", action="append", default=[])
    parser.add_argument("--idle-timeout", type=float, default=300)
    options = parser.parse_args()
    # aiosmtpd logs a warning about its own use of a deprecated attribute at each login.
    logging.getLogger("mail.log").setLevel(logging.ERROR)
    recorder = Recorder(options.dir, options.refuse_recipient)

    def authenticator(server, session, envelope, mechanism, auth_data):
        accepted = (auth_data.login == options.login.encode("utf-8")
                    and auth_data.password == options.password.encode("utf-8"))
        recorder.event(f"AUTH {mechanism} {'accepted' if accepted else 'refused'}")
        if not accepted:
            # handled=False lets the server answer 535; anything else leaves the client waiting.
            return AuthResult(success=False, handled=False)
        session.quarvel_mechanism = mechanism
        return AuthResult(success=True)

    # A free port: the controller needs a number before it starts.
    for _ in range(20):
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        controller = Controller(recorder, hostname="127.0.0.1", port=port, authenticator=authenticator,
                                auth_require_tls=False, auth_exclude_mechanism=options.exclude_mechanism,
                                timeout=options.idle_timeout)
        try:
            controller.start()
            break
        except OSError:
            continue
    else:
        sys.exit("no free port")

    # Never outlive a test run that forgot to stop the server.
    threading.Timer(600, lambda: os._exit(1)).start()
    print(f"PORT {port}", flush=True)
    sys.stdin.buffer.read()
    controller.stop()
    os._exit(0)


if __name__ == "__main__":
    main()
