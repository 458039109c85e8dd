#pragma once
// Tables of the main database and of the translation database.
class Db;

// 1: the first tables; 2: Pagaments.pagaments_facturat (a month invoiced
// before it counts its payment as taken whole).
inline constexpr int SchemaVersion = 2;

// Creates every table, index and default of the main database (empty file).
void creaEsquema(Db& db);
// Whether every table of the program is in the database (one of its own,
// of this version or an earlier one; not an empty file or another program's).
bool esBaseDadesDelPrograma(Db& db);
// Brings a database made by an earlier version up to this one, in one
// transaction (nothing changes when it fails: DbError).
void actualitzaEsquema(Db& db);
// Creates the translation table.
void creaEsquemaTraduccio(Db& db);
