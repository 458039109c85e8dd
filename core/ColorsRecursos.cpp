#include "ColorsRecursos.h"

#include "Globals.h"

#include <QList>
#include <QRandomGenerator>
#include <QSet>

bool esColorTauler(qint32 color, const ColorsTauler& tauler)
{
    return color == tauler.fons || color == tauler.lliure;
}

int Assigna_Colors_Recursos(const ColorsTauler& tauler, QRandomGenerator* rng)
{
    QRandomGenerator& r = rng ? *rng : *QRandomGenerator::global();
    Db& db = BD();
    struct Fila {
        QString nom;
        qint32 color;
    };
    QList<Fila> files;
    QSet<qint32> usats;
    {
        QSqlQuery q = db.query(QStringLiteral("SELECT recursos_nom, recursos_color FROM Recursos ORDER BY rowid"));
        while (q.next()) {
            files.append({q.value(0).toString(), qint32(q.value(1).toLongLong())});
            usats.insert(files.last().color);
        }
    }
    Transaction t(db);
    int canviats = 0;
    QSet<qint32> vistos;
    for (const Fila& f : files) {
        // A system colour reference (top bit set) is no colour of the
        // resource's own: the board would paint it as its back colour.
        if (f.color >= 0 && !esColorTauler(f.color, tauler) && !vistos.contains(f.color)) {
            vistos.insert(f.color);
            continue;
        }
        qint32 color;
        do {
            const int r1 = int(r.bounded(255)), g1 = int(r.bounded(255)), b1 = int(r.bounded(255));
            color = r1 + 256 * g1 + 65536 * b1;
        } while (usats.contains(color) || esColorTauler(color, tauler));
        db.exec(QStringLiteral("UPDATE Recursos SET recursos_color = ? WHERE recursos_nom = ?"),
                {qlonglong(color), f.nom});
        usats.insert(color);
        vistos.insert(color);
        ++canviats;
    }
    t.commit();
    return canviats;
}
