"""Client of the ostrevd lookup socket: one recording, every track of an album, or the
best candidates of a query.

Each call opens one connection, sends one request and reads its answer. The timeout
bounds the whole exchange, connect included. Every failure to get an answer is an
OstrevError; arguments that cannot be sent raise ValueError.
"""
import json
import os
import re
import socket
import struct
import time
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
