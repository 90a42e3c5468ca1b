"""ostrev-batch --url (OSTREV_BATCH) against a fake HTTP server: its connections, retries,
refusals and a server gone. That the output is the socket's, byte for byte, is checked
against the real server (BatchHttpEndToEndTest)."""
import json
import os
import socket
import subprocess
import sys
import threading
import time
import unittest
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

sys.dont_write_bytecode = True
BATCH = os.environ.get("OSTREV_BATCH", "ostrev-batch")

# The answers both servers give, by title; any other title finds nothing.
TRACKS = {
    "Come Togther": dict(track_id=100, track="Come Together", artist_id=1, artist="The Beatles",
                         album_id=10, album="Abbey Road", score=83.5, album_score=0.0),
    "Jóga": dict(track_id=102, track="Jóga", artist_id=2, artist="Björk", album_id=11,
                 album="Homogenic", score=61.25, album_score=50.0),
}
NOTHING = dict(track_id=0, track="", artist_id=0, artist="", album_id=0, album="", score=0.0,
               album_score=0.0)
INPUT = ("title\tartist\tnote\n"
         "Come Togther\tThe Beatles\tmine\n"
         "Jóga\tBjörk\ttab\tand more\n"  # a bad row: one field too many
         "Jóga\tBjörk\t\n"
         "Xxxxx\tQqqqq\tnone\n")

def track_of(title):
    return TRACKS.get(title, NOTHING)


def candidates_of(title, limit):
    found = TRACKS.get(title)
    listed = [] if found is None else [dict(found, reasons=["album differs"])][:limit]
    return {"candidates": listed, "ambiguous": False}


def http_answer(title):
    found = track_of(title)
    return dict(found, stage="fuzzy" if found["track_id"] else "none",
                status="low", reasons=[])


class FakeHttp:
    """A threaded HTTP/1.1 server answering /v1/identify and /v1/candidates. `script`
    maps a title to the (status, body) answers its requests get in turn, the last one
    again and again; others get their track. Counts connections and requests."""

    def __init__(self, script=None, close_each=False):
        self.script = {title: list(steps) for title, steps in (script or {}).items()}
        self.connections = 0
        self.requests = []
        self.lock = threading.Lock()
        fake = self

        class Handler(BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def setup(self):
                super().setup()
                with fake.lock:
                    fake.connections += 1

            def do_GET(self):
                status, body = fake.answer(self.path)
                data = json.dumps(body).encode()
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

    def answer(self, path):
        url = urllib.parse.urlsplit(path)
        query = dict(urllib.parse.parse_qsl(url.query))
        title = query.get("title", "")
        with self.lock:
            self.requests.append((url.path, query))
            steps = self.script.get(title)
            if steps:
                return steps.pop(0) if len(steps) > 1 else steps[0]
        if url.path == "/v1/candidates":
            return 200, candidates_of(title, int(query["limit"]))
        return 200, http_answer(title)

    def close(self):
        self.server.shutdown()
        self.server.server_close()


def run_batch(*args, input_text=INPUT):
    return subprocess.run([BATCH, *args], input=input_text.encode(), capture_output=True,
                          timeout=60)


def statuses(output):
    return [line.split("\t")[-1] for line in output.decode().splitlines()[1:]]


class BatchHttpTest(unittest.TestCase):
    def setUp(self):
        self.http = None

    def tearDown(self):
        if self.http is not None:
            self.http.close()

    def serve(self, **options):
        self.http = FakeHttp(**options)
        return self.http

    def test_keeps_one_connection_a_lookup(self):
        http = self.serve()
        rows = 300
        text = "title\n" + "Come Togther\n" * rows
        run = run_batch("--url", http.url + "/", "--connections", "4", input_text=text)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(statuses(run.stdout), ["confident"] * rows)
        self.assertEqual(len(http.requests), rows)
        self.assertLessEqual(http.connections, 4)

    def test_connects_again_when_the_server_closed_its_connection(self):
        http = self.serve(close_each=True)
        rows = 40
        run = run_batch("--url", http.url, "--connections", "2",
                        input_text="title\n" + "Jóga\n" * rows)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(statuses(run.stdout), ["low"] * rows)
        self.assertEqual(len(http.requests), rows)

    def test_statuses(self):
        cases = [  # the title's answers in turn, its status, the requests it took
            ([(503, {"error": "the queue is full"}), (200, http_answer("Come Togther"))],
             "Come Togther", "confident", 2),
            ([(504, {"error": "the catalogue cannot be reached"}),
              (200, http_answer("Come Togther"))], "Come Togther", "confident", 2),
            ([(400, {"error": "title is over its limit"})], "x",
             "error: the server refused the request: title is over its limit", 1),
            ([(404, {"error": "no such path"})], "x",
             "error: the server answered 404: no such path", 1),
            ([(401, "no object")], "x", "error: the server answered 401", 1),
            ([(200, {"track_id": "7"})], "x", "error: an answer without its track_id", 1),
            ([(503, {"error": "stopping"})], "x", "error: the server answered 503: stopping", 4),
        ]
        for steps, title, status, requests in cases:
            with self.subTest(steps=steps):
                http = self.serve(script={title: steps})
                run = run_batch("--url", http.url, input_text="title\n" + title + "\n")
                self.assertEqual(run.returncode, 0, run.stderr)
                self.assertEqual(statuses(run.stdout), [status])
                self.assertEqual(len(http.requests), requests)
                self.http.close()
                self.http = None

    def test_server_gone(self):
        with socket.socket() as unused:
            unused.bind(("127.0.0.1", 0))
            port = unused.getsockname()[1]
        start = time.monotonic()
        run = run_batch("--url", "http://127.0.0.1:%d" % port, "--connections", "1",
                        input_text="title\na\nb\nc\n")
        self.assertEqual(run.returncode, 0, run.stderr)
        refused = "error: cannot connect to 127.0.0.1:%d: Connection refused" % port
        self.assertEqual(statuses(run.stdout), [refused] * 3)
        # Three retries for the first row, one try each for the others.
        self.assertLess(time.monotonic() - start, 10)

if __name__ == "__main__":
    unittest.main()
