"""ostrev.py against a real ostrevd (OSTREVD) on the test catalogue (MYSQL_UNIX_PORT), and
its HttpClient against a fake HTTP server."""
import contextlib
import json
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
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


class OstrevTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        global SERVER
        SERVER = Server()

    @classmethod
    def tearDownClass(cls):
        SERVER.stop()

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


def answer_of(track_id, track="", score=0, **more):
    """An answer object as the HTTP interface writes it."""
    return dict({"artist": "A" if track_id else "", "album": "B" if track_id else "",
                 "track": track, "artist_id": 7 if track_id else 0,
                 "album_id": 9 if track_id else 0, "track_id": track_id, "score": score,
                 "album_score": 100 if track_id else 0,
                 "stage": "exact track" if track_id else "none",
                 "status": "confident" if score >= 75 else ("low" if track_id else "none"),
                 "reasons": []}, **more)


class FakeHttp:
    """A threaded HTTP/1.1 server answering as the HTTP interface documents. `answers`
    maps a path to the (status, body) it answers there (an object body as JSON, bytes as
    they are); others get the documented answers. Records each request (method, path,
    query, headers, JSON body) and counts connections."""

    def __init__(self, answers=None, close_each=False):
        self.answers = answers or {}
        self.requests = []
        self.connections = 0
        fake = self

        class Handler(BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def setup(self):
                super().setup()
                fake.connections += 1

            def do_GET(self):
                self.reply(None)

            def do_POST(self):
                self.reply(json.loads(self.rfile.read(int(self.headers["Content-Length"]))))

            def reply(self, body):
                url = urllib.parse.urlsplit(self.path)
                query = dict(urllib.parse.parse_qsl(url.query))
                fake.requests.append((self.command, url.path, query, self.headers, body))
                status, answer = fake.answers.get(url.path) or fake.answer(url.path, query, body)
                data = answer if isinstance(answer, bytes) else json.dumps(answer).encode()
                self.send_response(status)
                self.send_header("Content-Type", "application/json")
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)
                # As a server closing an idle connection would, without saying so.
                self.close_connection = close_each

            def log_message(self, *args):
                pass

        self.server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.server.daemon_threads = True
        self.url = "http://127.0.0.1:%d" % self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, args=(0.05,), daemon=True).start()

    @staticmethod
    def answer(path, query, body):
        """Track 100 for every title, numbered as the queries go."""
        if path == "/v1/identify" and body is not None:
            return 200, {"answers": [answer_of(n + 1, q.get("title", ""), 80)
                                     for n, q in enumerate(body)]}
        if path == "/v1/identify":
            return 200, answer_of(100, query.get("title", ""), 96)
        if path == "/v1/candidates":
            return 200, {"candidates": [answer_of(100, "Come Together", 88.5)][
                :int(query["limit"])], "ambiguous": False}
        if path == "/v1/album":
            return 200, {"tracks": [answer_of(n + 1, t["title"], 90)
                                    for n, t in enumerate(body["tracks"])]}
        if path == "/readyz":
            return 200, {"status": "ready"}
        return 404, {"error": "no such path"}

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class HttpClientTest(unittest.TestCase):
    def serve(self, **options):
        fake = FakeHttp(**options)
        self.addCleanup(fake.close)
        client = ostrev.HttpClient(fake.url, timeout=5)
        self.addCleanup(client.close)
        return fake, client

    def test_calls(self):
        fake, client = self.serve()
        cases = [  # the call, what it returns, the request it sends: method, path, query, body
            (lambda: client.identify(artist="Guns N' Roses", title="Sweet Child & Jóga"),
             ostrev.HttpAnswer(100, "Sweet Child & Jóga", 7, "A", 9, "B", 96.0, 100.0,
                               "exact track", "confident", ()),
             ("GET", "/v1/identify", {"artist": "Guns N' Roses", "title": "Sweet Child & Jóga"},
              None)),
            (lambda: client.identify(isrc="GBAYE0601690").track_id, 100,
             ("GET", "/v1/identify", {"isrc": "GBAYE0601690"}, None)),
            (lambda: client.candidates(title="Come Together", limit=3)["candidates"][0]["score"],
             88.5, ("GET", "/v1/candidates", {"title": "Come Together", "limit": "3"}, None)),
            (lambda: [a.track for a in client.identify_many([{"title": "a"}, {"artist": "b"}])],
             ["a", ""], ("POST", "/v1/identify", {}, [{"title": "a"}, {"artist": "b"}])),
            (lambda: [(a.track_id, a.track) for a in client.album(
                "Abbey Road", "The Beatles", tracks=["x", ("y", "Björk"), {"title": "z"}])],
             [(1, "x"), (2, "y"), (3, "z")],
             ("POST", "/v1/album", {}, {"album": "Abbey Road", "artist": "The Beatles",
                                        "tracks": [{"title": "x"}, {"title": "y",
                                                                    "artist": "Björk"},
                                                   {"title": "z"}]})),
            (client.ready, True, ("GET", "/readyz", {}, None)),
        ]
        for call, returned, sent in cases:
            with self.subTest(sent=sent):
                self.assertEqual(call(), returned)
                method, path, query, _, body = fake.requests[-1]
                self.assertEqual((method, path, query, body), sent)
        self.assertEqual(fake.connections, 1)  # one kept connection for them all

    def test_identify_many_sends_at_most_1000_queries_a_request(self):
        fake, client = self.serve()
        answers = client.identify_many([{"title": str(n)} for n in range(2001)])
        self.assertEqual(len(answers), 2001)
        self.assertEqual([len(r[4]) for r in fake.requests], [1000, 1000, 1])

    def test_connects_again_when_the_server_closed_its_connection(self):
        fake, client = self.serve(close_each=True)
        for n in range(5):
            self.assertEqual(client.identify(title=str(n)).track, str(n))
        self.assertEqual((fake.connections, len(fake.requests)), (5, 5))

    def test_failure_statuses(self):
        cases = [  # status, body, what is raised
            (400, {"error": "title over its limit"}, ostrev.BadRequest),
            (404, {"error": "no such path"}, ostrev.BadRequest),
            (405, {"error": "GET only"}, ostrev.BadRequest),
            (413, {"error": "a body over 1 MiB"}, ostrev.BadRequest),
            (431, {"error": "a head over 8 KiB"}, ostrev.BadRequest),
            (401, {"error": "a token is required"}, ostrev.Unauthorized),
            (503, {"error": "the queue is full"}, ostrev.ServerUnavailable),
            (504, {"error": "the catalogue cannot be reached"}, ostrev.ServerUnavailable),
            (500, b"<html>oops</html>", ostrev.BadAnswer),
            (200, b"not json", ostrev.BadAnswer),
            (200, {"track_id": "100"}, ostrev.BadAnswer),
        ]
        for status, body, raised in cases:
            with self.subTest(status=status, body=body):
                fake, client = self.serve(answers={"/v1/identify": (status, body)})
                with self.assertRaises(raised) as caught:
                    client.identify(title="x")
                if status != 200:
                    self.assertEqual(caught.exception.status, status)
                if isinstance(body, dict) and status != 200:
                    self.assertIn(body["error"], str(caught.exception))
                # The connection stays usable after a refusal.
                self.assertTrue(client.ready())

    def test_not_ready(self):
        fake, client = self.serve(answers={"/readyz": (503, {"status": "not ready",
                                                              "error": "catalogue lost"})})
        self.assertFalse(client.ready())

    def test_no_server(self):
        with socket.socket() as unused:
            unused.bind(("127.0.0.1", 0))
            url = "http://127.0.0.1:%d" % unused.getsockname()[1]
        with ostrev.HttpClient(url) as client:
            with self.assertRaises(ostrev.ServerUnavailable):
                client.identify(title="x")
            self.assertFalse(client.ready())

    def test_silent_server_times_out(self):
        with socket.socket() as silent:
            silent.bind(("127.0.0.1", 0))
            silent.listen(8)  # accepted by the kernel, never answered
            with ostrev.HttpClient("http://127.0.0.1:%d" % silent.getsockname()[1],
                                   timeout=0.3) as client:
                with self.assertRaises(ostrev.ServerTimeout):
                    client.identify(title="x")

    def test_bearer_token(self):
        for token, header in ((None, None), ("s3cret", "Bearer s3cret")):
            with self.subTest(token=token):
                fake = FakeHttp()
                self.addCleanup(fake.close)
                with ostrev.HttpClient(fake.url, token=token) as client:
                    client.identify(title="x")
                    client.album("A", tracks=["t"])
                self.assertEqual([r[3].get("Authorization") for r in fake.requests],
                                 [header, header])

    def test_base_urls(self):
        for url in ("https://h", "h:80", "http://h/v1", "http://h:x", "http://u@h"):
            with self.subTest(url), self.assertRaises(ValueError):
                ostrev.HttpClient(url)


if __name__ == "__main__":
    unittest.main()
