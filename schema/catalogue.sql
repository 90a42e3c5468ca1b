-- The catalogue as the lookup statements read it. The catalogue is filled outside the
-- lookup server; only the normalized_* columns of triplets_disk are written by it.
-- Every column a statement filters or joins on carries an index, so lookups stay index
-- look-ups on catalogues of millions of tracks. Identifiers are shared between a catalogue
-- table and its match table (tracks/matchtracks, albums/matchalbums, artists/matchartists).
-- UPCs are numbers: statements compare them both as numbers and as quoted text, and only
-- a numeric column serves both comparisons from its index.

CREATE TABLE IF NOT EXISTS tracks (
  id        INT UNSIGNED NOT NULL,
  name      VARCHAR(512) NOT NULL,
  artist_id INT UNSIGNED NULL,
  album_id  INT UNSIGNED NULL,
  isrc      VARCHAR(15)  NULL,
  length    INT UNSIGNED NULL,
  PRIMARY KEY (id),
  KEY tracks_isrc (isrc),
  KEY tracks_artist_id (artist_id),
  KEY tracks_album_id (album_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE IF NOT EXISTS albums (
  id       INT UNSIGNED NOT NULL,
  name     VARCHAR(512) NOT NULL,
  year     SMALLINT UNSIGNED NULL,
  label    VARCHAR(255) NULL,
  upc      BIGINT UNSIGNED NULL,
  upc_type VARCHAR(16)  NULL,
  PRIMARY KEY (id),
  KEY albums_upc (upc)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE IF NOT EXISTS artists (
  id           INT UNSIGNED NOT NULL,
  name         VARCHAR(512) NOT NULL,
  display_name VARCHAR(512) NOT NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE IF NOT EXISTS matchtracks (
  id        INT UNSIGNED NOT NULL,
  name      VARCHAR(512) NOT NULL,
  artist_id INT UNSIGNED NULL,
  album_id  INT UNSIGNED NULL,
  PRIMARY KEY (id),
  KEY matchtracks_name (name),
  -- The tracks of an artist or of an album are read whole from these (ids and name; the
  -- primary key rides along), without a look-up of each row.
  KEY matchtracks_artist_tracks (artist_id, album_id, name),
  KEY matchtracks_album_tracks (album_id, artist_id, name)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE IF NOT EXISTS matchalbums (
  id               INT UNSIGNED NOT NULL,
  name             VARCHAR(512) NOT NULL,
  artist_id        INT UNSIGNED NULL,
  multiple_artists TINYINT UNSIGNED NOT NULL DEFAULT 0,
  PRIMARY KEY (id),
  KEY matchalbums_name (name),
  KEY matchalbums_artist_id (artist_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE IF NOT EXISTS matchartists (
  id              INT UNSIGNED NOT NULL,
  display_name    VARCHAR(512) NOT NULL,
  normalized_name VARCHAR(512) NULL,
  PRIMARY KEY (id),
  KEY matchartists_display_name (display_name),
  KEY matchartists_normalized_name (normalized_name)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE IF NOT EXISTS matchartistsdisk (
  id           INT UNSIGNED NOT NULL AUTO_INCREMENT,
  display_name VARCHAR(512) NOT NULL,
  PRIMARY KEY (id),
  FULLTEXT KEY matchartistsdisk_display_name (display_name)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- One row per track with the ids and names of the track, its artist and its album.
CREATE TABLE IF NOT EXISTS triplets (
  track_id               INT UNSIGNED NOT NULL,
  track_name             VARCHAR(512) NOT NULL,
  artist_id              INT UNSIGNED NULL,
  artist_name            VARCHAR(512) NULL,
  album_id               INT UNSIGNED NULL,
  album_name             VARCHAR(512) NULL,
  isrc                   VARCHAR(15)  NULL,
  upc                    BIGINT UNSIGNED NULL,
  album_multiple_artists TINYINT UNSIGNED NOT NULL DEFAULT 0,
  album_artist_name      VARCHAR(512) NULL,
  PRIMARY KEY (track_id),
  KEY triplets_track_name (track_name),
  KEY triplets_artist_id (artist_id),
  KEY triplets_album_id (album_id),
  KEY triplets_album_name (album_name),
  KEY triplets_isrc (isrc),
  KEY triplets_upc (upc)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- The same rows on disk, with the token forms of the three names; normalized_track_name
-- stays NULL until the normalization pass has reached the row.
CREATE TABLE IF NOT EXISTS triplets_disk (
  track_id               INT UNSIGNED NOT NULL,
  track_name             VARCHAR(512) NOT NULL,
  artist_id              INT UNSIGNED NULL,
  artist_name            VARCHAR(512) NULL,
  album_id               INT UNSIGNED NULL,
  album_name             VARCHAR(512) NULL,
  isrc                   VARCHAR(15)  NULL,
  upc                    BIGINT UNSIGNED NULL,
  album_multiple_artists TINYINT UNSIGNED NOT NULL DEFAULT 0,
  album_artist_name      VARCHAR(512) NULL,
  normalized_track_name  VARCHAR(512) NULL,
  normalized_artist_name VARCHAR(512) NULL,
  normalized_album_name  VARCHAR(512) NULL,
  PRIMARY KEY (track_id),
  KEY triplets_disk_track_name (track_name),
  KEY triplets_disk_artist_id (artist_id),
  KEY triplets_disk_album_id (album_id),
  KEY triplets_disk_album_name (album_name),
  KEY triplets_disk_isrc (isrc),
  KEY triplets_disk_upc (upc),
  KEY triplets_disk_normalized_track_name (normalized_track_name)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE IF NOT EXISTS track_name_counts (
  track_name  VARCHAR(512) NOT NULL,
  track_count INT UNSIGNED NOT NULL,
  PRIMARY KEY (track_name)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE IF NOT EXISTS album_name_counts (
  album_name  VARCHAR(512) NOT NULL,
  track_count INT UNSIGNED NOT NULL,
  PRIMARY KEY (album_name)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

CREATE TABLE IF NOT EXISTS artist_name_counts (
  artist_name  VARCHAR(512) NOT NULL,
  track_count  INT UNSIGNED NOT NULL,
  artist_count INT UNSIGNED NOT NULL,
  PRIMARY KEY (artist_name)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci;

-- One row: a number every import raises when it has changed the catalogue, so that a
-- server holding the catalogue in memory can tell that it should read it again.
CREATE TABLE IF NOT EXISTS catalogue_generation (
  id         TINYINT UNSIGNED NOT NULL,
  generation BIGINT UNSIGNED NOT NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB;
