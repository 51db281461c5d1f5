PRAGMA journal_mode = WAL
