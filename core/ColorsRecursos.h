#pragma once
// Resource colours against the board: a resource's colour must be its own
// and may equal neither the board grid's back colour nor the colour of a
// cell holding no job (the grid's fixed-cell back colour).
#include <QtGlobal>

class QRandomGenerator;

struct ColorsTauler {
    qint32 fons;    // the grid's back colour
    qint32 lliure;  // the colour of a cell holding no job
};

// True when the colour is one of the two board colours.
bool esColorTauler(qint32 color, const ColorsTauler& tauler);

// Gives a new colour to every resource whose colour is a board colour, a
// system colour reference or is already taken by a resource earlier in table order. A new colour has
// components 0..254 and differs from every stored colour and from both board
// colours. Returns the number of resources changed. Throws DbError.
int Assigna_Colors_Recursos(const ColorsTauler& tauler, QRandomGenerator* rng = nullptr);
