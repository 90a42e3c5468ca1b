"""Query sets for bench/load-test: noisy variants of catalogue tracks, each with the id and
names of the track it should find, and query files in the load test's TSV form.

A catalogue track is (id, title, artist, album). Its id is read from the catalogue
database when one is given, after checking that the database holds the file's tracks in
the file's order; without a database it is the file line's position (the importer numbers
the tracks of a fresh catalogue from 1 in line order).
"""
import collections
import os
import random
import subprocess

# Noise kinds, in report order. Generated queries take them in turn, so each kind gets an
# equal share. The first ones share one random stream (see generate).
FIRST_KINDS = ["exact", "misspelling", "dropped-letter", "doubled-letter", "ocr",
               "cut-words", "missing-album", "missing-artist"]
KINDS = FIRST_KINDS + ["typo-every-field", "ocr-every-field", "swapped", "title-only",
                       "title-artist-cut", "version-suffix", "last-first"]

FIELDS = ("title", "artist", "album")  # the noisy fields, in the order noise names them

FIELD_BYTES = 199  # text bytes a request field carries

# OCR confusions: what a scanned name may read as.
OCR_CONFUSIONS = [("rn", "m"), ("m", "rn"), ("cl", "d"), ("d", "cl"), ("vv", "w"),
                  ("w", "vv"), ("l", "1"), ("l", "I"), ("1", "l"), ("I", "l"), ("I", "1"),
                  ("O", "0"), ("0", "O"), ("o", "0")]
OCR_EVERY_FIELD = 5  # confusions of an ocr-every-field query, where the names offer them

# Letter keys by row, each row half a key further right than the one above.
KEY_ROWS = ["qwertyuiop", "asdfghjkl", "zxcvbnm"]

# Neutral version suffixes a title may be given, which its catalogue track does not have:
# the track is still the recording they name.
VERSION_SUFFIXES = [" (Remastered 2011)", " - Remastered", " (Album Version)", " [Remastered]",
                    " (Mono)"]
# Suffixes that name another recording than the track's (kind "other-version", which no
# list of kinds holds: a query for the live take of a studio track asks for a recording
# the catalogue does not hold).
OTHER_VERSION_SUFFIXES = [" - Live", " (Live)", " (Radio Edit)", " (Acoustic)", " (Remix)",
                          " (Instrumental)"]


class Track:
    __slots__ = ("id", "title", "artist", "album")

    def __init__(self, track_id, title, artist, album):
        self.id, self.title, self.artist, self.album = track_id, title, artist, album


class Query:
    """One request and what it should find. `expected` is a Track, or None when only the
    expected id is known (a query file read without a database). `unique` is None, or for a
    query that several tracks may fit (the title alone, names cut short) whether no other
    catalogue track fits it: only then can the answer be known to be right."""
    __slots__ = ("artist", "album", "title", "isrc", "expected_id", "expected", "kind", "noise",
                 "unique")

    def __init__(self, artist, album, title, isrc, expected_id, expected, kind, noise="",
                 unique=None):
        self.artist, self.album, self.title, self.isrc = artist, album, title, isrc
        self.expected_id, self.expected, self.kind, self.noise = expected_id, expected, kind, noise
        self.unique = unique


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


def _key_neighbours():
    """Letter -> the letters of the keys around it."""
    near = {}
    for r, row in enumerate(KEY_ROWS):
        for c, key in enumerate(row):
            keys = row[max(0, c - 1):c] + row[c + 1:c + 2]
            if r > 0:
                keys += KEY_ROWS[r - 1][c:c + 2]
            if r + 1 < len(KEY_ROWS):
                keys += KEY_ROWS[r + 1][max(0, c - 1):c + 1]
            near[key] = keys
    return near


KEY_NEIGHBOURS = _key_neighbours()


def _neighbour_positions(text):
    return [i for i, c in enumerate(text) if c.lower() in KEY_NEIGHBOURS]


def _hit_neighbour(rng, text):
    i = rng.choice(_neighbour_positions(text))
    old = text[i]
    new = rng.choice(KEY_NEIGHBOURS[old.lower()])
    return text[:i] + (new.upper() if old.isupper() else new) + text[i + 1:]


def _droppable_positions(text):
    # A one-letter name would be left out, not mistyped.
    return _letter_positions(text) if len(text) > 1 else []


def _swappable_positions(text):
    return [i for i in range(len(text) - 1) if text[i].isalpha() and text[i + 1].isalpha()
            and text[i].lower() != text[i + 1].lower()]


def _swap_letters(rng, text):
    i = rng.choice(_swappable_positions(text))
    return text[:i] + text[i + 1] + text[i] + text[i + 2:]


# Typing errors: (change, its possible places).
TYPOS = [(_hit_neighbour, _neighbour_positions), (_drop_letter, _droppable_positions),
         (_double_letter, _letter_positions), (_swap_letters, _swappable_positions)]


def _apart(site, chosen):
    """Whether an OCR site shares no character with the chosen ones."""
    start, end = site[0], site[0] + len(site[1])
    return all(end <= i or i + len(old) <= start for i, old, _ in chosen)


def _most_apart(sites):
    """How many of the OCR sites can take a confusion together."""
    count, free_from = 0, 0
    for start, end in sorted(((i, i + len(old)) for i, old, _ in sites), key=lambda s: s[1]):
        if start >= free_from:
            count, free_from = count + 1, end
    return count


def _ocr_several(rng, text, count):
    """`text` with `count` OCR confusions on separate characters; it must offer that many."""
    sites, chosen = _ocr_sites(text), []
    while len(chosen) < count:
        # Only a place that leaves room for the confusions still to come.
        options = [s for s in sites if _apart(s, chosen) and
                   _most_apart([t for t in sites if _apart(t, chosen + [s])]) >=
                   count - len(chosen) - 1]
        chosen.append(rng.choice(options))
    for i, old, new in sorted(chosen, reverse=True):
        text = text[:i] + new + text[i + len(old):]
    return text


def _typo_every_field(rng, fields):
    for name in FIELDS:
        typos = [change for change, places in TYPOS if places(fields[name])]
        if not typos:
            return None
        fields[name] = rng.choice(typos)(rng, fields[name])
    return ",".join(FIELDS)


def _ocr_every_field(rng, fields):
    room = {name: _most_apart(_ocr_sites(fields[name])) for name in FIELDS}
    wanted = dict.fromkeys(FIELDS, 0)
    left = min(OCR_EVERY_FIELD, sum(room.values()))
    if not left:
        return None
    # One each in turn; the order decides which fields take one more.
    order = rng.sample(FIELDS, len(FIELDS))
    while left:
        for name in order:
            if left and wanted[name] < room[name]:
                wanted[name] += 1
                left -= 1
    for name in FIELDS:
        if wanted[name]:
            fields[name] = _ocr_several(rng, fields[name], wanted[name])
    return ",".join(name for name in FIELDS if wanted[name])


def garble(rng, text):
    """`text` with one typing error (see TYPOS) or one OCR look-alike, each as likely as the
    other where the text offers both; `text` itself when it offers neither. For
    bench/album-test; the query kinds above do not use it."""
    changes = [change for change, places in TYPOS if places(text)]
    ocr = bool(_ocr_sites(text))
    if not changes and not ocr:
        return text
    if ocr and (not changes or rng.random() < 0.5):
        return _ocr(rng, text)
    return rng.choice(changes)(rng, text)


def _drop_words(rng, words):
    """The first of several words, at least half of them and not all."""
    return " ".join(words[:rng.randint((len(words) + 1) // 2, len(words) - 1)])


def _cut_name(rng, name):
    """`name` cut short: its last words left out, or a one-word name's last ~30 % characters."""
    words = name.split()
    if len(words) > 1:
        return _drop_words(rng, words)
    name = name.strip()
    return name[:len(name) - max(1, round(len(name) * 0.3))]


def _title_key(title):
    """What makes titles the same, as a query carries them."""
    return cut_utf8(title).casefold()


def _fits_only(track, fields, albums):
    """Whether `track` is the only track of its album whose title and artist start with
    those of `fields` (case aside). `albums` lists the catalogue's tracks by casefolded album."""
    title, artist = fields["title"].casefold(), fields["artist"].casefold()
    return not any(other is not track and other.title.casefold().startswith(title) and
                   other.artist.casefold().startswith(artist)
                   for other in albums[track.album.casefold()])


def noisy_query(rng, track, kind, titles, albums):
    """A query of the given noise kind for `track`, or None when the kind cannot apply to
    it (no letter, no OCR look-alike, a one-word title to cut, ...). `titles` counts the
    catalogue tracks by _title_key; `albums` lists them by casefolded album."""
    fields = {"title": track.title, "artist": track.artist, "album": track.album}
    noise, unique = "", None
    if kind in LETTER_NOISE:
        change, sites = LETTER_NOISE[kind]
        # One field takes the noise: any of the three that offers a place for it.
        usable = [name for name in FIELDS if sites(fields[name])]
        if not usable:
            return None
        noise = rng.choice(usable)
        fields[noise] = change(rng, fields[noise])
    elif kind == "cut-words":
        words = track.title.split()
        if len(words) < 2:
            return None
        fields["title"] = _drop_words(rng, words)
        noise, unique = "title", _fits_only(track, fields, albums)
    elif kind == "missing-album":
        fields["album"], noise = "", "album"
    elif kind == "missing-artist":
        fields["artist"], noise = "", "artist"
    elif kind == "typo-every-field":
        noise = _typo_every_field(rng, fields)
    elif kind == "ocr-every-field":
        noise = _ocr_every_field(rng, fields)
    elif kind == "swapped":
        if track.title.casefold() == track.artist.casefold():
            return None
        fields["title"], fields["artist"], noise = track.artist, track.title, "title,artist"
    elif kind == "title-only":
        fields["artist"] = fields["album"] = ""
        noise, unique = "artist,album", titles[_title_key(track.title)] == 1
    elif kind == "title-artist-cut":
        fields["title"] = _cut_name(rng, track.title)
        fields["artist"] = _cut_name(rng, track.artist)
        if not fields["artist"]:
            return None
        noise, unique = "title,artist", _fits_only(track, fields, albums)
    elif kind in ("version-suffix", "other-version"):
        if any(c in track.title for c in "()[]{}") or " - " in track.title:
            return None
        suffixes = VERSION_SUFFIXES if kind == "version-suffix" else OTHER_VERSION_SUFFIXES
        fields["title"] = track.title + rng.choice(suffixes)
        # The whole suffix must reach the server, and not name another catalogue track.
        if (len(fields["title"].encode("utf-8")) > FIELD_BYTES or
                titles[_title_key(fields["title"])]):
            return None
        noise = "title"
    elif kind == "last-first":
        words = track.artist.split()
        if len(words) != 2 or "," in track.artist:
            return None
        fields["artist"], noise = "%s, %s" % (words[1], words[0]), "artist"
    if noise is None or not fields["title"] or (
            not fields["artist"] and not fields["album"] and kind != "title-only"):
        return None
    return Query(cut_utf8(fields["artist"]), cut_utf8(fields["album"]), cut_utf8(fields["title"]),
                 "", track.id, track, kind, noise, unique)


def kinds_named(text):
    """The noise kinds of a comma-separated list, in report order; ValueError names any
    unknown one."""
    named = {name.strip() for name in text.split(",") if name.strip()}
    unknown = sorted(named - set(KINDS))
    if unknown or not named:
        raise ValueError("unknown noise kind %s; the kinds are %s" %
                         (", ".join(unknown) or "(none given)", ",".join(KINDS)))
    return [kind for kind in KINDS if kind in named]


def generate(tracks, count, seed, kinds=KINDS):
    """`count` noisy queries of randomly chosen tracks, the kinds taken in turn."""
    # The first kinds draw on the seed's own stream, as when they were the only ones, so
    # that a seed still makes their queries of then, in the same order; each later kind has
    # a stream of its own, so that adding a kind changes no other kind's queries.
    shared = random.Random(seed)
    streams = {kind: shared if kind in FIRST_KINDS else random.Random("%d %s" % (seed, kind))
               for kind in kinds}
    titles = collections.Counter(_title_key(track.title) for track in tracks)
    albums = collections.defaultdict(list)
    for track in tracks:
        albums[track.album.casefold()].append(track)
    queries = []
    while len(queries) < count:
        kind = kinds[len(queries) % len(kinds)]
        rng = streams[kind]
        for _ in range(1000):
            query = noisy_query(rng, rng.choice(tracks), kind, titles, albums)
            if query is not None:
                queries.append(query)
                break
        else:
            raise SystemExit("load-test: no track of the catalogue takes noise " + kind)
    return queries


# ---- query files -----------------------------------------------------------------------

def read_query_file(path, known=None):
    """Queries of a TSV file: artist, album, title, isrc, expected track id, and optionally
    a noise kind (default "file"), the noisy fields and, for a query that several tracks
    may fit, whether it fits its own only (1 or 0). Lines starting with # are comments. `known` (id ->
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
            unique = ({"1": True, "0": False}.get(fields[7].strip())
                            if len(fields) > 7 else None)
            queries.append(Query(*(cut_utf8(f) for f in fields[:4]), expected_id,
                                 (known or {}).get(expected_id), kind, noise, unique))
    return queries


def write_query_file(path, queries):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("# artist\talbum\ttitle\tisrc\texpected_id\tkind\tnoisy_field\t"
                  "unique\n")
        for q in queries:
            out.write("\t".join([q.artist, q.album, q.title, q.isrc, str(q.expected_id),
                                 q.kind, q.noise, flag(q.unique)]) + "\n")


def flag(value):
    """A yes/no/unknown value as a TSV cell: 1, 0 or empty."""
    return "" if value is None else str(int(value))


def database_socket(given):
    return given or os.environ.get("MYSQL_UNIX_PORT")
