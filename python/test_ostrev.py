"""ostrev.py against a real ostrevd (OSTREVD) on the test catalogue (MYSQL_UNIX_PORT)."""
import contextlib
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
from unittest import mock

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import ostrev  # noqa: E402

NOWHERE = "/nonexistent-ostrev/socket"


class Server:
    """ostrevd on a private socket, its log kept in a file."""

    def __init__(self, env=None):
        self.folder = tempfile.TemporaryDirectory(prefix="ostrev-py.")
        self.socket = os.path.join(self.folder.name, "ostrevd.sock")
        self.log = os.path.join(self.folder.name, "ostrevd.log")
        with open(self.log, "wb") as log:
            self.process = subprocess.Popen(
                [os.environ.get("OSTREVD", "ostrevd"), "--socket=" + self.socket],
                stdout=log, stderr=subprocess.STDOUT, env={**os.environ, **(env or {})})
        deadline = time.monotonic() + 10
        while not self._listening():
            if self.process.poll() is not None or time.monotonic() > deadline:
                self.process.kill()
                raise RuntimeError("ostrevd did not start:\n%s" % self.log_bytes())
            time.sleep(0.01)

    def _listening(self):
        with socket.socket(socket.AF_UNIX) as probe:
            return probe.connect_ex(self.socket) == 0

    def log_bytes(self):
        with open(self.log, "rb") as log:
            return log.read()

    def stop(self):
        ostrev.shutdown(socket_path=self.socket)
        status = self.process.wait(15)
        self.folder.cleanup()
        if status != 0:
            raise RuntimeError("ostrevd ended with %d after shutdown" % status)


def trickle(listener):
    """Answers each connection a byte at a time, never finishing, until none comes for 2 s."""
    listener.settimeout(2)
    with contextlib.suppress(OSError):
        while True:
            conn, _ = listener.accept()
            with conn, contextlib.suppress(OSError):
                while True:
                    conn.send(b"\0")
                    time.sleep(0.05)


def setUpModule():
    global SERVER
    SERVER = Server()


def tearDownModule():
    SERVER.stop()


class OstrevTest(unittest.TestCase):
    def test_identify(self):
        cases = [  # query, track id and name, lowest and highest score
            (dict(artist="The Beatles", album="Abbey Road", title="Come Together"),
             100, "Come Together", 100, 100),
            (dict(artist="The Beatles", title="Come Togther"), 100, "Come Together", 75, 99),
            (dict(artist="Emoji 🎸 Band", title="Riff 🎸"), 106, "Riff 🎸", 75, 100),
        ]
        for query, track_id, track, lowest, highest in cases:
            with self.subTest(**query):
                answer = ostrev.identify(**query, socket_path=SERVER.socket)
                self.assertEqual((answer.track_id, answer.track, answer.artist),
                                 (track_id, track, query["artist"]))
                self.assertTrue(lowest <= answer.score <= highest, answer)

    def test_fields_are_cut_to_199_bytes(self):
        sent = {"artist": "é" * 150, "album": "b" * 300, "title": "c" * 300, "isrc": "d" * 300,
                "upc": "e" * 300}
        ostrev.identify(**sent, socket_path=SERVER.socket)
        log = SERVER.log_bytes()
        for label, field in [("Artist: ", "artist"), ("Album:  ", "album"),
                             ("Track:  ", "title"), ("ISRC:   ", "isrc"), ("UPC:    ", "upc")]:
            with self.subTest(field):
                line = b"Received " + label.encode() + b"'" + sent[field].encode()[:199] + b"'\n"
                self.assertIn(line, log)

    def test_album_tracks(self):
        titles = ["Come Togther", "Guest Spot", "Don't 'Quote' Me\\"]
        entries = ostrev.identify_album(
            "Abbey Road", "The Beatles", socket_path=SERVER.socket,
            tracks=[titles[0], ("Guest Spot", "Björk"), {"title": titles[2]}])
        self.assertEqual([e["title"] for e in entries], titles)
        self.assertEqual([(e["mediaId"], e["artist"]) for e in entries[:2]],
                         [("100", "The Beatles"), ("110", "Björk")])

    def test_values_that_cannot_be_sent(self):
        for track in (("", "x"), ("T", 5)):
            with self.subTest(track), self.assertRaises((ValueError, TypeError)):
                ostrev.identify_album("Abbey Road", tracks=[track], socket_path=NOWHERE)
        with self.assertRaises(ValueError):
            ostrev.candidates(album="A" * 1000000, socket_path=NOWHERE)

    def test_server_closing_unanswered(self):
        refusing = Server(env={"OSTREV_ALBUM_MAX_TRACKS": "1"})
        try:
            with self.assertRaises(ostrev.ServerClosed):
                ostrev.identify_album("Abbey Road", tracks=["Something", "Come Together"],
                                      socket_path=refusing.socket)
        finally:
            refusing.stop()

    def test_no_server(self):
        with tempfile.TemporaryDirectory() as folder, socket.socket(socket.AF_UNIX) as stale:
            stale.bind(os.path.join(folder, "stale.sock"))  # bound, never listening
            for path in (os.path.join(folder, "missing.sock"), stale.getsockname()):
                with self.subTest(path), self.assertRaises(ostrev.ServerUnavailable):
                    ostrev.identify(title="Come Together", socket_path=path)

    def test_slow_server_times_out(self):
        for trickling in (False, True):
            with tempfile.TemporaryDirectory() as folder, socket.socket(socket.AF_UNIX) as slow:
                slow.bind(os.path.join(folder, "slow.sock"))
                slow.listen(8)  # silent: connections wait in the backlog, never answered
                if trickling:
                    threading.Thread(target=trickle, args=(slow,), daemon=True).start()
                for call in (ostrev.identify, ostrev.candidates):  # a fixed answer; to the close
                    with self.subTest(call.__name__, trickling=trickling):
                        start = time.monotonic()
                        with self.assertRaises(ostrev.ServerTimeout):
                            call(title="Come Together", socket_path=slow.getsockname(),
                                 timeout=0.3)
                        self.assertLess(time.monotonic() - start, 2)

    def test_candidates_request_is_understood(self):
        # A request the server misread would get an album list or an error object.
        answer = ostrev.candidates(title="Come Together", limit=3, socket_path=SERVER.socket)
        self.assertIn("candidates", answer)

    def test_default_socket(self):
        source = os.environ.get("OSTREV_SOURCE_DIR", os.path.dirname(HERE))
        with open(os.path.join(source, "include", "Defaults.h")) as defaults:
            self.assertIn('kDefaultSocketPath[] = "%s";' % ostrev.DEFAULT_SOCKET, defaults.read())
        with mock.patch.dict(os.environ, OSTREV_SOCKET=SERVER.socket):
            self.assertEqual(ostrev.identify(isrc="GBAYE0601690").track_id, 100)


if __name__ == "__main__":
    unittest.main()
