-- A phrase store whose update-screen phrases are one character long: the
-- screen must keep its built-in texts with it.
CREATE TABLE languages (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);
CREATE TABLE phrases (key TEXT NOT NULL, language_id INTEGER NOT NULL, text TEXT NOT NULL,
                      PRIMARY KEY (key, language_id)) WITHOUT ROWID;
INSERT INTO languages (id, name) VALUES (1, 'English');
INSERT INTO phrases (key, language_id, text) VALUES
  ('FRAME_PROGRAM_UPDATE_UPDATE', 1, 'U'),
  ('FRAME_PROGRAM_UPDATE_ABORT', 1, 'Я'),
  ('FRAME_PROGRAM_UPDATE_UPDATE_INTERRUPTED', 1, '!');
