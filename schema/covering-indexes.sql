-- Brings a catalogue created before the covering indexes of matchtracks up to date:
--   scripts/catalogue-db sql DIR DB schema/covering-indexes.sql
-- or the same statement through any client. Takes seconds per million tracks.
ALTER TABLE matchtracks
  DROP KEY matchtracks_artist_id,
  DROP KEY matchtracks_album_id,
  ADD KEY matchtracks_artist_tracks (artist_id, album_id, name),
  ADD KEY matchtracks_album_tracks (album_id, artist_id, name);
