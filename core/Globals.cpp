#include "Globals.h"

#include "Traduccio.h"

Globals G;

Db& BD()
{
    if (!G.BD) throw DbError(Tradueix(QStringLiteral("La base de dades no està oberta")));
    return *G.BD;
}

void Neteja_Feina_Actual()
{
    G.FeinaActual = Feina();
    G.FeinaActual.Data = QDate(1900, 1, 6);
}

QString iniPath() { return G.ProgramDir + QStringLiteral("/Torvanel.ini"); }
QString translationDbPath() { return G.ProgramDir + QStringLiteral("/TorvanelTraduccio.db"); }
QString defaultDatabasePath()
{
    return G.ProgramDir + u'/' + QString::fromLatin1(ProductName) + u'V'
           + QStringLiteral("%1").arg(MajorVersion, 2, 10, QChar(u'0')) + QStringLiteral(".db");
}

void resetGlobals()
{
    descarregaTraduccions();
    if (G.BD) G.BD->close();
    if (G.BDTraduccio) G.BDTraduccio->close();
    G = Globals();
}
