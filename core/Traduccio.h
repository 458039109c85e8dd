#pragma once
// Translation of every text the program shows. The table is read once into
// memory; until then (and for a text with no row) the text comes back as it is.
#include <QString>
#include <QStringList>

class Db;

// Loads table Ztraduccio of the translation database. The first row of a
// text and language in table order wins; texts match without regard to case.
void carregaTraduccions(Db& db);
void descarregaTraduccions();

// The text in the current language G.Idioma. Trailing spaces are ignored
// when looking up (and kept when there is no translation); leading ones count.
QString Tradueix(const QString& text);

// A question built of pieces, closed as the current language closes one:
// Spanish "¿paraules?", English "paraules?", and Catalan in the form the
// program has always given that question, `forma` "%1 ?" ("paraules ?") or
// "%1?". The pieces of `paraules` are translated by the caller and hold no
// question mark.
QString Pregunta(const QString& paraules, const QString& forma = QStringLiteral("%1 ?"));

// Fills an empty Ztraduccio from text sources: one line per text,
// Catalan<TAB>Spanish<TAB>English, '#' comment lines, escapes \t \n \\.
// Each line gives a CT, an ES and an EN row. Throws DbError.
void importaTextos(Db& db, const QStringList& sources);
