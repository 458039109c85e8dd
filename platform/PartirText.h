#pragma once
// A line of text broken at its blanks: one rule for the grid's cells on
// screen and for the printed documents.
#include <QString>
#include <QStringList>

// The line broken at its blanks into lines for which `cap` holds (it tells
// whether a text fits the width), at most `most` of them (the last one takes
// the rest, whatever its width); a word wider than the width stays whole on
// a line of its own.
template <class Cap>
QStringList partALesBlanques(QString rest, qsizetype most, Cap cap)
{
    QStringList out;
    while (out.size() < most - 1 && !cap(rest)) {
        qsizetype cut = -1;
        for (qsizetype i = rest.indexOf(u' '); i > 0; i = rest.indexOf(u' ', i + 1)) {
            if (!cap(rest.left(i))) break;
            cut = i;
        }
        if (cut <= 0) {
            cut = rest.indexOf(u' ');   // the wide first word alone
            if (cut <= 0) break;
        }
        out << rest.left(cut);
        rest = rest.mid(cut + 1).trimmed();
    }
    out << rest;
    return out;
}
