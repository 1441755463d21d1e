"""Writes a settings store holding only the chosen server of a tree, as an earlier session would
have stored it. Arguments: the store's file, the tree, the server."""
import sqlite3
import sys

store, tree, server = sys.argv[1:4]
db = sqlite3.connect(store)
db.execute("CREATE TABLE settings(app TEXT, section TEXT, key TEXT, value TEXT, "
           "PRIMARY KEY(app, section, key))")
db.execute("INSERT INTO settings VALUES ('Corvexa', ?, 'ZW Server', ?)",
           ("Settings\\" + tree, server))
db.commit()
