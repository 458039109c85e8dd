#pragma once
// Rows of the month's queries written in a line each, for the computation
// tests, and the month's rows stored in a fresh database for the others.
#include "CalculFacturacio.h"
#include "TestSupport.h"

#include <QStringList>

namespace Billing {

inline Decimal d(const char* fixed)
{
    return *Decimal::parseFixed(QString::fromLatin1(fixed));
}

// Lines "job site day service quantity price flags" separated by ';' (day of
// March 2009; '-' as service for a job without lines). Flags: F done, I
// invoiced, Q<n> site quota n, S<n> stored quota share n, R no resource.
inline QVector<FilaLiniaBD> linies(const QString& descripcio)
{
    QVector<FilaLiniaBD> out;
    for (const QString& part : descripcio.split(u';', Qt::SkipEmptyParts)) {
        const QStringList c = part.simplified().split(u' ');
        FilaLiniaBD f;
        f.feina = c[0].toInt();
        f.lloc = c[1];
        f.data = QDate(2009, 3, c[2].toInt());
        f.recurs = QStringLiteral("Pere");
        f.ambLinia = c[3] != u'-';
        if (f.ambLinia) {
            f.servei = c[3];
            f.quantitat = *Decimal::parseFixed(c[4]);
            f.unitat = QStringLiteral("h");
            f.preu = *Decimal::parseFixed(c[5]);
        }
        const QString flags = c.value(f.ambLinia ? 6 : 4);
        f.feta = flags.contains(u'F');
        if (flags.contains(u'I')) f.dataFactura = QDate(2009, 4, 2);
        if (flags.contains(u'R')) f.recurs.clear();
        for (const QString& flag : flags.split(u',', Qt::SkipEmptyParts)) {
            if (flag.startsWith(u'Q')) f.quotaLloc = *Decimal::parseFixed(flag.mid(1));
            if (flag.startsWith(u'S')) f.quotaFeina = *Decimal::parseFixed(flag.mid(1));
        }
        out.append(f);
    }
    return out;
}

// Cheques "id" or "id L<job>" (liquidated with that job), delivered in that order.
inline QVector<FilaXecBD> xecs(const QString& descripcio, const QString& client = QStringLiteral("Anna"))
{
    QVector<FilaXecBD> out;
    int dia = 1;
    for (const QString& part : descripcio.split(u';', Qt::SkipEmptyParts)) {
        const QStringList c = part.simplified().split(u' ');
        FilaXecBD x;
        x.id = c[0].toInt();
        x.client = client;
        x.valor = Decimal::fromInt(12);
        x.entrega = QDate(2009, 1, dia++);
        if (c.size() > 1) {
            x.liquidat = QDate(2009, 3, 28);
            x.feina = c[1].mid(1).toInt();
        }
        out.append(x);
    }
    return out;
}

inline EntradaFacturacio entrada(bool pendents = false, const QString& serveiXecs = QString())
{
    EntradaFacturacio e;
    e.totsClients = false;
    e.client = QStringLiteral("Anna");
    e.mes = QStringLiteral("03/2009");
    e.periode = *periodeDelMes(e.mes);
    e.pendents = pendents;
    e.parametres.serveiXecs = serveiXecs;
    e.parametres.valorXec = Decimal::fromInt(10);
    e.parametres.costHoraXec = Decimal::fromInt(-5);
    e.parametres.maxXecsMes = 10;
    return e;
}

// The grid rows' kinds in a word: L line, T total, Q quota.
inline QString tipus(const FacturacioMes& m)
{
    QString s;
    for (const FilaFactura& f : m.files)
        s += f.tipus == TipusFilaFactura::LiniaFeina ? u'L' : f.tipus == TipusFilaFactura::TotalFeina ? u'T' : u'Q';
    return s;
}

} // namespace Billing
