-- The tables the lookups read that follow from the catalogue's own rows: run after artists,
-- matchartists, albums, matchalbums (with multiple_artists 0) and tracks have their rows.
-- Rows with ids from @first_artist, @first_album and @first_track on are the new ones
-- (unset: every row), so an import that adds to a catalogue derives only what it added.
-- Every table name is written in backquotes and nothing else is: the importer renames the
-- tables it fills aside by rewriting them.

SET @first_artist = COALESCE(@first_artist, 0), @first_album = COALESCE(@first_album, 0),
    @first_track = COALESCE(@first_track, 0);

-- A name as the count tables hold it: its first 80 bytes, without splitting a character,
-- as countedName() cuts it.
SET @counted_name_bytes = 80;
SET @counted_name_cut = CONCAT('(?s)^.{0,', @counted_name_bytes, '}(?![\\x80-\\xBF])');

-- Id 0 is no artist's, and would draw a fresh number from the table's counter.
INSERT INTO `matchartistsdisk` (id, display_name)
  SELECT id, display_name FROM `artists` WHERE id >= GREATEST(@first_artist, 1);

-- An album has several artists when one of its tracks is not by the album's artist.
UPDATE `matchalbums` al
  JOIN (SELECT DISTINCT t.album_id
        FROM `tracks` t JOIN `matchalbums` m ON m.id = t.album_id
        WHERE t.id >= @first_track AND NOT (t.artist_id <=> m.artist_id)) several
    ON several.album_id = al.id
  SET al.multiple_artists = 1;

-- Tracks derived before on an album that has just been found to have several artists,
-- reached from the albums of the new tracks.
UPDATE `triplets` t
  JOIN (SELECT DISTINCT album_id FROM `tracks` WHERE id >= @first_track) touched
    ON touched.album_id = t.album_id
  JOIN `matchalbums` al ON al.id = t.album_id
  SET t.album_multiple_artists = al.multiple_artists
  WHERE t.track_id < @first_track AND t.album_multiple_artists <> al.multiple_artists;

UPDATE `triplets_disk` t
  JOIN (SELECT DISTINCT album_id FROM `tracks` WHERE id >= @first_track) touched
    ON touched.album_id = t.album_id
  JOIN `matchalbums` al ON al.id = t.album_id
  SET t.album_multiple_artists = al.multiple_artists
  WHERE t.track_id < @first_track AND t.album_multiple_artists <> al.multiple_artists;

INSERT INTO `matchtracks` (id, name, artist_id, album_id)
  SELECT id, name, artist_id, album_id FROM `tracks` WHERE id >= @first_track;

INSERT INTO `triplets` (track_id, track_name, artist_id, artist_name, album_id, album_name,
                        isrc, upc, album_multiple_artists, album_artist_name)
  SELECT t.id, t.name, t.artist_id, ar.display_name, t.album_id, al.name, t.isrc, a.upc,
         al.multiple_artists, alar.display_name
  FROM `tracks` t
  JOIN `albums` a ON a.id = t.album_id
  JOIN `matchalbums` al ON al.id = t.album_id
  LEFT JOIN `matchartists` ar ON ar.id = t.artist_id
  LEFT JOIN `matchartists` alar ON alar.id = al.artist_id
  WHERE t.id >= @first_track;

INSERT INTO `triplets_disk` (track_id, track_name, artist_id, artist_name, album_id,
                             album_name, isrc, upc, album_multiple_artists, album_artist_name)
  SELECT track_id, track_name, artist_id, artist_name, album_id, album_name, isrc, upc,
         album_multiple_artists, album_artist_name
  FROM `triplets` WHERE track_id >= @first_track;

-- Each count table keys its rows by collation, so names that differ only in case, accents
-- or trailing spaces share a row, which holds the one the catalogue had first (the
-- smallest id). Counted names fit CHAR(80), which keeps the grouping's keys short.
INSERT INTO `track_name_counts` (track_name, track_count)
  SELECT IF(OCTET_LENGTH(t.track_name) <= @counted_name_bytes, t.track_name,
                            CONVERT(REGEXP_SUBSTR(CAST(t.track_name AS BINARY), @counted_name_cut)
                                    USING utf8mb4) COLLATE utf8mb4_unicode_ci), g.tracks
  FROM (SELECT MIN(track_id) AS id, COUNT(*) AS tracks
        FROM `triplets` WHERE track_id >= @first_track
        GROUP BY CAST(IF(OCTET_LENGTH(track_name) <= @counted_name_bytes, track_name,
                            CONVERT(REGEXP_SUBSTR(CAST(track_name AS BINARY), @counted_name_cut)
                                    USING utf8mb4) COLLATE utf8mb4_unicode_ci) AS CHAR(80))) g
  JOIN `triplets` t ON t.track_id = g.id
  ON DUPLICATE KEY UPDATE track_count = track_count + VALUES(track_count);

INSERT INTO `album_name_counts` (album_name, track_count)
  SELECT IF(OCTET_LENGTH(al.name) <= @counted_name_bytes, al.name,
                            CONVERT(REGEXP_SUBSTR(CAST(al.name AS BINARY), @counted_name_cut)
                                    USING utf8mb4) COLLATE utf8mb4_unicode_ci), g.tracks
  FROM (SELECT MIN(album_id) AS id, COUNT(*) AS tracks
        FROM `triplets` WHERE track_id >= @first_track AND album_name <> ''
        GROUP BY CAST(IF(OCTET_LENGTH(album_name) <= @counted_name_bytes, album_name,
                            CONVERT(REGEXP_SUBSTR(CAST(album_name AS BINARY), @counted_name_cut)
                                    USING utf8mb4) COLLATE utf8mb4_unicode_ci) AS CHAR(80))) g
  JOIN `matchalbums` al ON al.id = g.id
  ON DUPLICATE KEY UPDATE track_count = track_count + VALUES(track_count);

-- An artist's name counts its tracks and the artists that carry it.
INSERT INTO `artist_name_counts` (artist_name, track_count, artist_count)
  SELECT IF(OCTET_LENGTH(ar.display_name) <= @counted_name_bytes, ar.display_name,
                            CONVERT(REGEXP_SUBSTR(CAST(ar.display_name AS BINARY), @counted_name_cut)
                                    USING utf8mb4) COLLATE utf8mb4_unicode_ci), g.tracks, g.artists
  FROM (SELECT MIN(id) AS id, SUM(tracks) AS tracks, SUM(artists) AS artists
        FROM (SELECT artist_id AS id, artist_name AS name, 1 AS tracks, 0 AS artists
              FROM `triplets` WHERE track_id >= @first_track AND artist_name <> ''
              UNION ALL
              SELECT id, display_name, 0, 1 FROM `matchartists` WHERE id >= @first_artist) named
        GROUP BY CAST(IF(OCTET_LENGTH(name) <= @counted_name_bytes, name,
                            CONVERT(REGEXP_SUBSTR(CAST(name AS BINARY), @counted_name_cut)
                                    USING utf8mb4) COLLATE utf8mb4_unicode_ci) AS CHAR(80))) g
  JOIN `matchartists` ar ON ar.id = g.id
  ON DUPLICATE KEY UPDATE track_count = track_count + VALUES(track_count),
                          artist_count = artist_count + VALUES(artist_count);
