#pragma once
// Tables of the main database and of the translation database.
class Db;

inline constexpr int SchemaVersion = 1;

// Creates every table, index and default of the main database (empty file).
void creaEsquema(Db& db);
// Creates the translation table.
void creaEsquemaTraduccio(Db& db);
