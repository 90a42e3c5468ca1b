"""Client of the ostrevd lookup socket: one recording, every track of an album, or the
best candidates of a query; and HttpClient, the same over the server's HTTP listener.

Each socket call opens one connection, sends one request and reads its answer. The
timeout bounds the whole exchange, connect included. Every failure to get an answer is an
OstrevError; arguments that cannot be sent raise ValueError.
"""
import http.client
import json
import os
import re
import socket
import struct
import time
import urllib.parse
from dataclasses import dataclass

# The server's own default; OSTREV_SOCKET, when set, is used instead.
DEFAULT_SOCKET = "/var/tmp/ostrevd_socket"

# lookup_query and lookup_result of wire/wire_format.h, host byte order, no padding.
_QUERY = struct.Struct("=20s200s200s200s200s200s")
_RESULT = struct.Struct("=i200si200si200sff")
_FIELD_BYTES = 199  # a field keeps room for its NUL
_VARIABLE_NAME = b"variable\0"
_MOST_VARIABLE_BYTES = 999999  # what six length digits can announce
# The longest answers that end where the server closes: a list of candidates, and an
# album's tracks (about 700 bytes each, up to the server's bound on tracks).
_MOST_CANDIDATES_BYTES = 1024 * 1024
_MOST_ALBUM_BYTES = 1 << 30


class OstrevError(Exception):
    """No answer could be had from the server."""

    status = None  # over HTTP, the status the server answered with


class ServerUnavailable(OstrevError):
    """The socket cannot be connected to: missing, refused or not permitted."""


class ServerClosed(OstrevError):
    """The server closed the connection without a complete answer."""

    def __init__(self, message, received=0):
        super().__init__(message)
        self.received = received  # bytes of the answer that did arrive


class ServerTimeout(OstrevError):
    """The exchange took longer than its timeout."""


class BadAnswer(OstrevError):
    """The server answered, but not in the form the request expects."""


class BadRequest(OstrevError):
    """Over HTTP: the server refused the request as it was sent (400, 404, 405, 413, 431)."""


class Unauthorized(OstrevError):
    """Over HTTP: the server wants a bearer token, and not the one sent (401)."""


@dataclass(frozen=True)
class Answer:
    """The track an identify request found; track_id 0 when none."""
    track_id: int
    track: str
    artist_id: int
    artist: str
    album_id: int
    album: str
    score: float
    album_score: float


@dataclass(frozen=True)
class HttpAnswer(Answer):
    """An Answer over HTTP, with what found it ('isrc', ..., 'fuzzy', 'none'), its status
    ('confident', 'low' or 'none') and why the verification doubts it."""
    stage: str
    status: str
    reasons: tuple


def identify(artist="", album="", title="", isrc="", upc="", *, socket_path=None,
             timeout=30.0):
    """The best catalogue track for one recording, as an Answer."""
    request = _QUERY.pack(b"identify", *(_field(v) for v in (artist, album, title, isrc, upc)))
    fields = _RESULT.unpack(_exchange(request, socket_path, timeout, _RESULT.size))
    track_id, track, artist_id, artist_name, album_id, album_name, score, album_score = fields
    return Answer(track_id, _name(track), artist_id, _name(artist_name), album_id,
                  _name(album_name), score, album_score)


def identify_album(album, artist="", upc="", tracks=(), *, socket_path=None, timeout=30.0):
    """Every track of an album identified at once: one dict per track, in order, holding
    the reply's texts ('title', 'mediaId', 'mediaName', 'mediaScore', ...).

    A track is a title, a (title, artist, isrc) tuple or a dict with those keys; its
    artist and ISRC may be left out."""
    items = [("album", album), ("artist", artist), ("upc", upc)]
    for track in tracks:
        title, track_artist, isrc = _track(track)
        if not title:
            raise ValueError("every track needs a title: %r" % (track,))
        items += [("title", title), ("artist", track_artist), ("isrc", isrc)]
    # Empty items say nothing the server does not assume; a title always starts a track.
    descriptor = _items([(k, v) for k, v in items if v or k == "title"])
    answer = _exchange(_variable("identify_album_tracks|" + descriptor), socket_path,
                       timeout, most_answer_bytes=_MOST_ALBUM_BYTES)
    return _album_entries(answer.decode("utf-8", "replace"))


def candidates(artist="", album="", title="", isrc="", upc="", limit=5, *,
               socket_path=None, timeout=30.0):
    """The server's best candidates for one recording: its JSON object, as a dict."""
    if isinstance(limit, bool) or not isinstance(limit, int) or limit < 1:
        raise ValueError("limit must be a positive whole number: %r" % (limit,))
    text = "identify_candidates|" + _items([
        ("artist", artist), ("album", album), ("title", title), ("isrc", isrc),
        ("upc", upc), ("limit", str(limit))])
    answer = _exchange(_variable(text), socket_path, timeout).decode("utf-8", "replace")
    try:
        parsed = json.loads(answer)
    except ValueError:
        parsed = None
    if not isinstance(parsed, dict):
        # A server without this request reads it as an album and answers with a track list.
        raise BadAnswer("the answer to identify_candidates is not a JSON object: %.60r"
                        % answer)
    return parsed


def shutdown(*, socket_path=None, timeout=30.0):
    """Asks the server to stop; it obeys only its own user and root, and never answers."""
    _exchange(_QUERY.pack(b"shutdown", b"", b"", b"", b"", b""), socket_path, timeout, 0)


def _socket(socket_path):
    if socket_path is not None:
        return socket_path
    return os.environ.get("OSTREV_SOCKET") or DEFAULT_SOCKET


def _field(text):
    # The server reads a field up to its NUL; cut as ostrevc cuts it.
    return (text or "").encode("utf-8")[:_FIELD_BYTES]


def _name(field):
    return field.split(b"\0", 1)[0].decode("utf-8", "replace")


def _track(track):
    if isinstance(track, str):
        return track, "", ""
    if isinstance(track, dict):
        return track.get("title", ""), track.get("artist", ""), track.get("isrc", "")
    fields = tuple(track)
    if not 1 <= len(fields) <= 3:
        raise ValueError("a track is (title[, artist[, isrc]]): %r" % (track,))
    return (fields + ("", ""))[:3]


def _items(pairs):
    """key:value| items; the server splits at '|', so one in a value goes as a space."""
    text = ""
    for key, value in pairs:
        value = value or ""
        if not isinstance(value, str):
            raise TypeError("%s must be text: %r" % (key, value))
        text += "%s:%s|" % (key, value.replace("|", " "))
    return text


def _variable(text):
    body = text.encode("utf-8")
    total = len(_VARIABLE_NAME) + 6 + len(body)
    if total > _MOST_VARIABLE_BYTES:
        raise ValueError("the request is %d bytes, at most %d can be sent"
                         % (total, _MOST_VARIABLE_BYTES))
    return _VARIABLE_NAME + b"%06d" % total + body


def _exchange(request, socket_path, timeout, answer_bytes=None,
              most_answer_bytes=_MOST_CANDIDATES_BYTES):
    """The one exchange, as wire/client_exchange has it: connects, sends `request` and
    reads `answer_bytes` bytes of answer, or with None all the server sends until it
    closes (at least one byte, at most `most_answer_bytes`), within `timeout` seconds. A
    failure is raised as the OstrevError of the step that failed."""
    path = _socket(socket_path)
    deadline = time.monotonic() + timeout
    received = bytearray()
    step = "connect"
    try:
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as conn:
            conn.settimeout(_left(deadline))
            conn.connect(path)
            step = "send"
            conn.settimeout(_left(deadline))
            conn.sendall(request)
            step = "receive"
            while answer_bytes is None or len(received) < answer_bytes:
                if answer_bytes is None and len(received) >= most_answer_bytes:
                    raise BadAnswer("%s sent an answer over %d bytes" % (path, most_answer_bytes))
                conn.settimeout(_left(deadline))
                chunk = conn.recv(65536 if answer_bytes is None else answer_bytes - len(received))
                if not chunk:
                    break
                received += chunk
    except OSError as failure:
        raise _failed(step, path, timeout, len(received), failure) from failure
    if len(received) < (1 if answer_bytes is None else answer_bytes):
        raise ServerClosed("%s closed the connection after %d bytes, without an answer"
                           % (path, len(received)), len(received))
    return bytes(received)


def _left(deadline):
    """The seconds left until `deadline`; a socket timeout once it has passed."""
    left = deadline - time.monotonic()
    if left <= 0:
        raise socket.timeout("timed out")
    return left


def _failed(step, path, timeout, received, failure):
    """The OstrevError of `failure`, an OSError in `step` after `received` answer bytes."""
    if isinstance(failure, socket.timeout):
        if step == "connect":
            return ServerTimeout("%s did not accept within %g s" % (path, timeout))
        return ServerTimeout("no answer from %s within %g s" % (path, timeout))
    if step == "connect":
        return ServerUnavailable("cannot connect to %s: %s" % (path, failure))
    return ServerClosed("%s broke off the exchange after %d bytes: %s"
                        % (path, received, failure), received)


_QUOTED = r"'((?:[^'\\]|\\.)*)'"
_ENTRY_START = re.compile(r"\s*\{")
_PAIR = re.compile(r"\s*" + _QUOTED + r"\s*=>\s*" + _QUOTED + r"\s*,", re.S)
_ENTRY_END = re.compile(r"\s*\}\s*,")
_ESCAPE = re.compile(r"\\(.)", re.S)


def _album_entries(text):
    """The entries of "$x = [ { 'key' => 'value', ... }, ... ];"."""
    start, end = "$x = [", "];"
    body = text.rstrip()
    if not (body.startswith(start) and body.endswith(end)):
        raise BadAnswer("not an album-tracks reply: %.60r" % text)
    entries, position, stop = [], len(start), len(body) - len(end)
    while (match := _ENTRY_START.match(body, position)):
        entry, position = {}, match.end()
        while (match := _PAIR.match(body, position)):
            entry[_ESCAPE.sub(r"\1", match[1])] = _ESCAPE.sub(r"\1", match[2])
            position = match.end()
        if not (match := _ENTRY_END.match(body, position)):
            raise BadAnswer("unreadable entry at character %d: %.60r"
                            % (position, body[position:]))
        entries.append(entry)
        position = match.end()
    if body[position:stop].strip():
        raise BadAnswer("unreadable reply from character %d: %.60r"
                        % (position, body[position:]))
    return entries


# What a kept connection that the server closed while idle fails with, before any answer.
_STALE = (http.client.RemoteDisconnected, BrokenPipeError, ConnectionResetError,
          ConnectionAbortedError)
# The most queries one POST /v1/identify may carry.
_MOST_QUERIES = 1000
_STATUS_ERRORS = {400: BadRequest, 404: BadRequest, 405: BadRequest, 413: BadRequest,
                  431: BadRequest, 401: Unauthorized, 503: ServerUnavailable,
                  504: ServerUnavailable}


class HttpClient:
    """Asks ostrevd's HTTP listener (docs/http.md) at `base_url` ("http://HOST[:PORT]")
    over one kept-open connection, made again once when the server closed it while idle.
    `token`, when given, is sent as a bearer token; `timeout` is the seconds connecting,
    sending and each read may take. One thread at a time: give each thread its own.

    Failures are OstrevErrors, with `status` set when the server answered one:
    ServerUnavailable (no connection; 503 busy, stopping or not ready; 504 catalogue
    unreachable), BadRequest (400, 404, 405, 413, 431), Unauthorized (401), ServerClosed,
    ServerTimeout, or BadAnswer (any other status, or a body not of the expected form)."""

    def __init__(self, base_url, token=None, timeout=30.0):
        parts = urllib.parse.urlsplit(base_url)
        if (parts.scheme != "http" or not parts.hostname or parts.path not in ("", "/")
                or parts.query or parts.fragment or parts.username):
            raise ValueError("the base URL must be http://HOST[:PORT]: %r" % (base_url,))
        self._host, self._port = parts.hostname, parts.port or 80  # a bad port: ValueError
        self._where = parts.netloc
        self._timeout = timeout
        self._headers = {"Accept": "application/json"}
        if token is not None:
            self._headers["Authorization"] = "Bearer " + token
        self._conn = None

    def close(self):
        if self._conn is not None:
            self._conn.close()
            self._conn = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def identify(self, artist="", album="", title="", isrc="", upc=""):
        """The best catalogue track for one recording, as an HttpAnswer."""
        return _http_answer(self._call("GET", _target(
            "/v1/identify", artist=artist, album=album, title=title, isrc=isrc, upc=upc)))

    def candidates(self, artist="", album="", title="", isrc="", upc="", limit=5):
        """The server's best candidates for one recording: its JSON object, as a dict."""
        if isinstance(limit, bool) or not isinstance(limit, int) or limit < 1:
            raise ValueError("limit must be a positive whole number: %r" % (limit,))
        return self._call("GET", _target("/v1/candidates", artist=artist, album=album,
                                         title=title, isrc=isrc, upc=upc, limit=str(limit)))

    def identify_many(self, queries):
        """One HttpAnswer per query, in order; a query is a dict with any of the keys
        artist, album, title, isrc and upc. Sent 1,000 to a request."""
        queries = [_texts(query, ("artist", "album", "title", "isrc", "upc"))
                   for query in queries]
        answers = []
        for start in range(0, len(queries), _MOST_QUERIES):
            chunk = queries[start:start + _MOST_QUERIES]
            answer = self._call("POST", "/v1/identify", chunk, _MOST_ALBUM_BYTES)
            answers += _http_answers(answer, "answers", len(chunk))
        return answers

    def album(self, album="", artist="", upc="", tracks=()):
        """Every track of an album identified at once: one HttpAnswer per track, in order.
        A track is a title, a (title, artist, isrc) tuple or a dict with those keys."""
        listed = []
        for track in tracks:
            title, track_artist, isrc = _track(track)
            if not title:
                raise ValueError("every track needs a title: %r" % (track,))
            listed.append(_texts({"title": title, "artist": track_artist, "isrc": isrc},
                                 ("title", "artist", "isrc")))
        body = dict(_texts({"album": album, "artist": artist, "upc": upc},
                           ("album", "artist", "upc")), tracks=listed)
        answer = self._call("POST", "/v1/album", body, _MOST_ALBUM_BYTES)
        return _http_answers(answer, "tracks", len(listed))

    def ready(self):
        """Whether the server answers and can reach its catalogue (GET /readyz)."""
        try:
            self._call("GET", "/readyz")
        except ServerUnavailable:
            return False
        return True

    def _call(self, method, path, body=None, most_bytes=_MOST_CANDIDATES_BYTES):
        """The JSON object the server answers with 200; an OstrevError otherwise."""
        headers = dict(self._headers)
        data = None
        if body is not None:
            data = json.dumps(body).encode("utf-8")
            headers["Content-Type"] = "application/json"
        reused = self._conn is not None and self._conn.sock is not None
        if not reused:
            self._connect()
        try:
            try:
                status, payload = self._exchange(method, path, data, headers, most_bytes)
            except _STALE:
                if not reused:
                    raise
                self.close()
                self._connect()
                status, payload = self._exchange(method, path, data, headers, most_bytes)
        except socket.timeout as failure:
            self.close()
            raise ServerTimeout("no answer from %s within %g s"
                                % (self._where, self._timeout)) from failure
        except (OSError, http.client.IncompleteRead) as failure:
            self.close()
            raise ServerClosed("%s broke off the exchange: %s" % (self._where, failure)) \
                from failure
        except http.client.HTTPException as failure:
            self.close()
            raise BadAnswer("%s answered what is not HTTP: %r" % (self._where, failure)) \
                from failure
        try:
            parsed = json.loads(payload.decode("utf-8", "replace"))
        except ValueError:
            parsed = None
        if status != 200:
            reason = parsed.get("error") if isinstance(parsed, dict) else None
            error = _STATUS_ERRORS.get(status, BadAnswer)(
                "%s answered %d: %s" % (self._where, status, reason or "no reason given"))
            error.status = status
            raise error
        if not isinstance(parsed, dict):
            raise BadAnswer("the answer to %s %s is not a JSON object: %.60r"
                            % (method, path, payload))
        return parsed

    def _connect(self):
        self._conn = http.client.HTTPConnection(self._host, self._port, timeout=self._timeout)
        try:
            self._conn.connect()
        except socket.timeout as failure:
            self.close()
            raise ServerTimeout("%s did not accept within %g s"
                                % (self._where, self._timeout)) from failure
        except OSError as failure:
            self.close()
            raise ServerUnavailable("cannot connect to %s: %s" % (self._where, failure)) \
                from failure

    def _exchange(self, method, path, data, headers, most_bytes):
        """The status and body of one request on the open connection, the body read to at
        most `most_bytes`."""
        self._conn.request(method, path, body=data, headers=headers)
        response = self._conn.getresponse()
        payload = response.read(most_bytes + 1)
        if len(payload) > most_bytes:
            self.close()
            raise BadAnswer("%s sent an answer over %d bytes" % (self._where, most_bytes))
        return response.status, payload


def _target(path, **texts):
    """`path` and its non-empty texts as percent-encoded UTF-8 parameters."""
    for key, value in texts.items():
        if value and not isinstance(value, str):
            raise TypeError("%s must be text: %r" % (key, value))
    query = urllib.parse.urlencode([(key, value) for key, value in texts.items() if value],
                                   quote_via=urllib.parse.quote)
    return path + "?" + query if query else path


def _texts(values, keys):
    """The non-empty texts of `values` under `keys`, checked to be text."""
    texts = {}
    for key in keys:
        value = values.get(key) or ""
        if not isinstance(value, str):
            raise TypeError("%s must be text: %r" % (key, value))
        if value:
            texts[key] = value
    return texts


def _http_answer(answer):
    """An answer object of the HTTP interface as an HttpAnswer."""
    def field(key, kinds):
        value = answer.get(key) if isinstance(answer, dict) else None
        if not isinstance(value, kinds) or isinstance(value, bool):
            raise BadAnswer("an answer without its %s: %.60r" % (key, answer))
        return value

    reasons = field("reasons", list)
    if not all(isinstance(reason, str) for reason in reasons):
        raise BadAnswer("an answer whose reasons are not texts: %.60r" % (answer,))
    return HttpAnswer(field("track_id", int), field("track", str), field("artist_id", int),
                      field("artist", str), field("album_id", int), field("album", str),
                      float(field("score", (int, float))),
                      float(field("album_score", (int, float))), field("stage", str),
                      field("status", str), tuple(reasons))


def _http_answers(answer, key, count):
    listed = answer.get(key)
    if not isinstance(listed, list) or len(listed) != count:
        raise BadAnswer("the answer has not %d %s: %.60r" % (count, key, answer))
    return [_http_answer(item) for item in listed]
