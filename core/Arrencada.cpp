#include "Arrencada.h"

#include "Configuracio.h"
#include "Database.h"
#include "Esquema.h"
#include "FitxerSencer.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SortidaImpressio.h"
#include "Traduccio.h"

#include <QFileInfo>

std::optional<ConfiguracioApartada> arrencaNucli()
{
    G.PrimerDiaSetmana = Primer_Dia_Setmana();
    // The texts first: a setting or a database that fails below says so in
    // the user's language.
    G.BDTraduccio = Db::openExisting(translationDbPath());
    carregaTraduccions(*G.BDTraduccio);
    auto apartada = apartaConfiguracioIllegible();
    Llegeix_Configuracio();
    // What a copy of the program killed while it wrote left behind.
    FitxerSencer::esborraTotesLesRestes(
        {G.ProgramDir, QFileInfo(G.BaseDades).absolutePath(), SortidaImpressio::carpetaPdf()});
    if (!QFileInfo(G.BaseDades).isFile())
        throw DbError(Tradueix(QStringLiteral("No s'ha trobat el fitxer de base de dades '%1'")).arg(G.BaseDades)
                      + llocBaseDades());
    auto bd = Db::openExisting(G.BaseDades);
    // Its tables before anything else: the upgrade below writes, and a file
    // of another program (or an empty one) is left as it is.
    if (!esBaseDadesDelPrograma(*bd))
        throw DbError(Tradueix(QStringLiteral("El fitxer '%1' no és una base de dades del programa")).arg(G.BaseDades)
                      + llocBaseDades());
    actualitzaEsquema(*bd);
    G.BD = std::move(bd);
    return apartada;
}

void triaFitxerAjuda()
{
    const QString base = G.ProgramDir + u'/' + QString::fromLatin1(ProductName);
    const QString first = base + u'V' + QStringLiteral("%1").arg(MajorVersion, 2, 10, QChar(u'0')) + G.Idioma
                          + QStringLiteral(".html");
    const QString second = base + QStringLiteral(".html");
    if (QFileInfo::exists(first)) {
        G.HelpFile = first;
    } else if (QFileInfo::exists(second)) {
        G.HelpFile = second;
    } else {
        G.HelpFile = QStringLiteral("./Torvanel.html");
        MsgBox::show(Tradueix(QStringLiteral("Fitxer d'ajuda '")) + second + Tradueix(QStringLiteral("' no trobat")),
                     MsgBox::OK, Tradueix(QStringLiteral("AVÍS")));
    }
}

void tancaBasesDades()
{
    descarregaTraduccions();
    if (G.BD) { G.BD->close(); G.BD.reset(); }
    if (G.BDTraduccio) { G.BDTraduccio->close(); G.BDTraduccio.reset(); }
}
