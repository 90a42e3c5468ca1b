"""Query sets for bench/load-test: noisy variants of catalogue tracks, each with the id and
names of the track it should find, and query files in the load test's TSV form.

A catalogue track is (id, title, artist, album). Its id is read from the catalogue
database when one is given, after checking that the database holds the file's tracks in
the file's order; without a database it is the file line's position (the importer numbers
the tracks of a fresh catalogue from 1 in line order).
"""
import os
import random
import subprocess

# Noise kinds, in report order. Generated queries take them in turn, so each kind gets an
# equal share.
KINDS = ["exact", "misspelling", "dropped-letter", "doubled-letter", "ocr",
         "cut-words", "missing-album", "missing-artist"]

FIELD_BYTES = 199  # text bytes a request field carries

# OCR confusions: what a scanned name may read as.
OCR_CONFUSIONS = [("rn", "m"), ("m", "rn"), ("cl", "d"), ("d", "cl"), ("vv", "w"),
                  ("w", "vv"), ("l", "1"), ("l", "I"), ("1", "l"), ("I", "l"), ("I", "1"),
                  ("O", "0"), ("0", "O"), ("o", "0")]


class Track:
    __slots__ = ("id", "title", "artist", "album")

    def __init__(self, track_id, title, artist, album):
        self.id, self.title, self.artist, self.album = track_id, title, artist, album


class Query:
    """One request and what it should find. `expected` is a Track, or None when only the
    expected id is known (a query file read without a database)."""
    __slots__ = ("artist", "album", "title", "isrc", "expected_id", "expected", "kind", "noise")

    def __init__(self, artist, album, title, isrc, expected_id, expected, kind, noise=""):
        self.artist, self.album, self.title, self.isrc = artist, album, title, isrc
        self.expected_id, self.expected, self.kind, self.noise = expected_id, expected, kind, noise


def cut_utf8(text, limit=FIELD_BYTES):
    """`text` cut to at most `limit` UTF-8 bytes, on a character boundary."""
    data = text.encode("utf-8")
    if len(data) <= limit:
        return text
    return data[:limit].decode("utf-8", "ignore")


# ---- the catalogue ---------------------------------------------------------------------

def read_catalogue_file(path):
    """The tracks of an importer TSV file, in line order, as (title, artist, album)."""
    tracks = []
    with open(path, encoding="utf-8", newline="\n") as source:
        header = source.readline().rstrip("\r\n").split("\t")
        wanted = ("album_key", "album_title", "album_artist", "track_title", "track_artist")
        missing = [name for name in wanted if name not in header]
        if missing:
            raise SystemExit("load-test: %s has no column %s" % (path, ", ".join(missing)))
        col = {name: header.index(name) for name in wanted}
        albums = {}  # album key -> (title, artist) of its first line, as the importer reads it
        for line in source:
            fields = line.rstrip("\r\n").split("\t")
            if len(fields) != len(header):
                continue
            key = fields[col["album_key"]]
            album = albums.setdefault(key, (fields[col["album_title"]],
                                            fields[col["album_artist"]]))
            artist = fields[col["track_artist"]] or album[1]
            tracks.append((fields[col["track_title"]], artist, album[0]))
    return tracks


def database_rows(database, socket_path, statement):
    """Rows of a statement run with the mariadb client, as lists of strings."""
    command = ["mariadb", "--user=vlot", "--password=pravo", "--batch", "--skip-column-names",
               "--raw", "--default-character-set=utf8mb4", database, "-e", statement]
    if socket_path:
        command.insert(1, "--socket=" + socket_path)
    try:
        out = subprocess.run(command, check=True, stdout=subprocess.PIPE).stdout
    except OSError as failure:
        raise SystemExit("load-test: cannot run mariadb: %s" % failure)
    except subprocess.CalledProcessError as failure:
        raise SystemExit("load-test: cannot read database %s (mariadb exit status %d)" %
                         (database, failure.returncode))
    return [line.split("\t") for line in out.decode("utf-8").split("\n") if line]


def database_tracks(database, socket_path):
    """Every track of the catalogue database: id -> Track."""
    rows = database_rows(database, socket_path,
                         "select t.id, t.name, coalesce(a.name, ''), coalesce(al.name, '') "
                         "from tracks t left join artists a on a.id = t.artist_id "
                         "left join albums al on al.id = t.album_id order by t.id")
    return {int(r[0]): Track(int(r[0]), r[1], r[2], r[3]) for r in rows}


def catalogue_tracks(path, database=None, socket_path=None):
    """The file's tracks with their ids. With a database, each file line must match the
    database track in the same position by title, artist and album."""
    lines = read_catalogue_file(path)
    if database is None:
        return [Track(i + 1, *line) for i, line in enumerate(lines)]
    stored = list(database_tracks(database, socket_path).values())
    if len(stored) != len(lines):
        raise SystemExit("load-test: %s has %d tracks, database %s has %d: not the same "
                         "catalogue" % (path, len(lines), database, len(stored)))
    for number, (line, track) in enumerate(zip(lines, stored), start=1):
        if line != (track.title, track.artist, track.album):
            raise SystemExit("load-test: track %d of %s is %r, database track %d is %r" %
                             (number, path, line, track.id,
                              (track.title, track.artist, track.album)))
    return stored


# ---- noise -----------------------------------------------------------------------------

def _letter_positions(text):
    return [i for i, c in enumerate(text) if c.isalpha()]


def _misspell(rng, text):
    i = rng.choice(_letter_positions(text))
    old = text[i]
    new = rng.choice([c for c in "abcdefghijklmnopqrstuvwxyz" if c != old.lower()])
    return text[:i] + (new.upper() if old.isupper() else new) + text[i + 1:]


def _drop_letter(rng, text):
    i = rng.choice(_letter_positions(text))
    return text[:i] + text[i + 1:]


def _double_letter(rng, text):
    i = rng.choice(_letter_positions(text))
    return text[:i + 1] + text[i:]


def _ocr_sites(text):
    return [(i, old, new) for old, new in OCR_CONFUSIONS
            for i in range(len(text)) if text.startswith(old, i)]


def _ocr(rng, text):
    i, old, new = rng.choice(_ocr_sites(text))
    return text[:i] + new + text[i + len(old):]


LETTER_NOISE = {"misspelling": (_misspell, _letter_positions),
                "dropped-letter": (_drop_letter, _letter_positions),
                "doubled-letter": (_double_letter, _letter_positions),
                "ocr": (_ocr, _ocr_sites)}


def noisy_query(rng, track, kind):
    """A query of the given noise kind for `track`, or None when the kind cannot apply to
    it (no letter, no OCR look-alike, a one-word title to cut)."""
    fields = {"title": track.title, "artist": track.artist, "album": track.album}
    noise = ""
    if kind in LETTER_NOISE:
        change, sites = LETTER_NOISE[kind]
        # One field takes the noise: any of the three that offers a place for it.
        usable = [name for name in ("title", "artist", "album") if sites(fields[name])]
        if not usable:
            return None
        noise = rng.choice(usable)
        fields[noise] = change(rng, fields[noise])
    elif kind == "cut-words":
        words = track.title.split()
        if len(words) < 2:
            return None
        keep = rng.randint((len(words) + 1) // 2, len(words) - 1)
        fields["title"] = " ".join(words[:keep])
        noise = "title"
    elif kind == "missing-album":
        fields["album"], noise = "", "album"
    elif kind == "missing-artist":
        fields["artist"], noise = "", "artist"
    if not fields["title"] or (not fields["artist"] and not fields["album"]):
        return None
    return Query(cut_utf8(fields["artist"]), cut_utf8(fields["album"]), cut_utf8(fields["title"]),
                 "", track.id, track, kind, noise)


def generate(tracks, count, seed):
    """`count` noisy queries of randomly chosen tracks, the kinds taken in turn."""
    rng = random.Random(seed)
    queries = []
    while len(queries) < count:
        kind = KINDS[len(queries) % len(KINDS)]
        for _ in range(1000):
            query = noisy_query(rng, rng.choice(tracks), kind)
            if query is not None:
                queries.append(query)
                break
        else:
            raise SystemExit("load-test: no track of the catalogue takes noise " + kind)
    return queries


# ---- query files -----------------------------------------------------------------------

def read_query_file(path, known=None):
    """Queries of a TSV file: artist, album, title, isrc, expected track id, and optionally
    a noise kind (default "file"). Lines starting with # are comments. `known` (id ->
    Track) supplies the expected names."""
    queries = []
    with open(path, encoding="utf-8", newline="\n") as source:
        for number, line in enumerate(source, start=1):
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) < 5 or not fields[4].strip().isdigit():
                raise SystemExit("load-test: %s:%d: want artist, album, title, isrc, expected "
                                 "track id" % (path, number))
            expected_id = int(fields[4])
            kind = fields[5] if len(fields) > 5 and fields[5] else "file"
            noise = fields[6] if len(fields) > 6 else ""
            queries.append(Query(*(cut_utf8(f) for f in fields[:4]), expected_id,
                                 (known or {}).get(expected_id), kind, noise))
    return queries


def write_query_file(path, queries):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("# artist\talbum\ttitle\tisrc\texpected_id\tkind\tnoisy_field\n")
        for q in queries:
            out.write("\t".join([q.artist, q.album, q.title, q.isrc, str(q.expected_id),
                                 q.kind, q.noise]) + "\n")


def database_socket(given):
    return given or os.environ.get("MYSQL_UNIX_PORT")
