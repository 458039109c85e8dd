#include "Configuracio.h"

#include "Clock.h"
#include "ConfiguracioInicial.h"
#include "Convert.h"
#include "Decimal.h"
#include "FitxerSencer.h"
#include "Globals.h"
#include "IniFile.h"
#include "MessageBox.h"
#include "Traduccio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <optional>

QString Llegeix_INI(const QString& file, const QString& section, const QString& key, const QString& def)
{
    return IniFile::read(file, section, key, def);
}

QString Llegeix_Seccio_INI(const QString& file, const QString& section)
{
    return IniFile::readSection(file, section);
}

int Escriu_INI(const QString& file, const QString& section, const QString& key, const QString& value)
{
    return IniFile::write(file, section, key, value) ? 1 : 0;
}

bool Escriu_INI_Avisant(const QString& section, const QString& key, const QString& value)
{
    if (Escriu_INI(iniPath(), section, key, value) == 1) return true;
    MsgBox::show(Tradueix(QStringLiteral("Error al gravar .ini")), MsgBox::OK, QStringLiteral("ERROR"));
    return false;
}

namespace {

QString motiuIllegible(const ConfiguracioApartada& a)
{
    QString motiu;
    switch (a.motiu) {
    case ConfiguracioApartada::Motiu::NoObre: motiu = a.errorSistema; break;
    case ConfiguracioApartada::Motiu::NoEsText: motiu = Tradueix(QStringLiteral("no és un fitxer de text")); break;
    case ConfiguracioApartada::Motiu::Buit: motiu = Tradueix(QStringLiteral("està buit")); break;
    case ConfiguracioApartada::Motiu::SenseSeccions: motiu = Tradueix(QStringLiteral("no té cap secció")); break;
    }
    return Tradueix(QStringLiteral("El fitxer de configuració '%1' no es pot llegir: %2.")).arg(a.fitxer, motiu);
}

} // namespace

QString ConfiguracioApartada::missatge() const
{
    return motiuIllegible(*this) + u'\n'
           + Tradueix(QStringLiteral("Es guarda a part com a '%1' i el programa comença amb una configuració nova."))
                 .arg(apartat);
}

std::optional<ConfiguracioApartada> apartaConfiguracioIllegible()
{
    using Motiu = ConfiguracioApartada::Motiu;
    ConfiguracioApartada a;
    a.fitxer = iniPath();
    switch (IniFile::check(a.fitxer, &a.errorSistema)) {
    case IniFile::FileState::Absent:
        return std::nullopt;
    case IniFile::FileState::CannotOpen:
        a.motiu = Motiu::NoObre;
        break;
    case IniFile::FileState::NotText:
        a.motiu = Motiu::NoEsText;
        break;
    case IniFile::FileState::Text:
        // Text with no section holds no setting the program can find (an
        // empty file left by a copy or an editor): read as it is, it would
        // start a first run that forgets the database and the languages.
        if (!IniFile::sectionNames(a.fitxer).isEmpty()) return std::nullopt;
        a.motiu = QFileInfo(a.fitxer).size() == 0 ? Motiu::Buit : Motiu::SenseSeccions;
        break;
    }
    a.apartat = a.fitxer + QStringLiteral(".bad");
    for (int n = 2; QFileInfo::exists(a.apartat) || QFileInfo(a.apartat).isSymLink(); ++n)
        a.apartat = a.fitxer + QStringLiteral(".bad") + QString::number(n);
    QFile illegible(a.fitxer);
    if (!illegible.rename(a.apartat))
        throw ConfigError(motiuIllegible(a) + u' '
                          + Tradueix(QStringLiteral("No s'ha pogut guardar a part com a '%1': %2"))
                                .arg(a.apartat, illegible.errorString()));
    // The shipped file in its place; should it fail, the program starts as
    // with no file at all, and the first key written says so.
    FitxerSencer net(a.fitxer);
    const QByteArray contingut(ConfiguracioInicial);
    if (net.obre() && net.write(contingut) == contingut.size()) net.desa();
    return a;
}

QString iniDecimal(const Decimal& d) { return d.toFixed(); }
QString iniDate(const QDate& d) { return Conv::isoDate(d); }

int Primer_Dia_Setmana()
{
    // Qt numbers Monday = 1 .. Sunday = 7; the program numbers Sunday = 1 .. Saturday = 7.
    return int(QLocale().firstDayOfWeek()) % 7 + 1;
}

QDate ultimDiaSetmana(const QDate& today, int primerDia)
{
    return today.addDays(7 - Conv::weekdayFrom(today, primerDia));
}

qint16 calculaCellesDia(const QString& horaInici, const QString& horaFinal, qint16 minutsCella)
{
    auto ini = Conv::minutesOf(horaInici);
    auto fi = Conv::minutesOf(horaFinal);
    if (!ini || *ini == 1440)
        throw ConfigError(Tradueix(QStringLiteral("Hora no vàlida a HoraInici: '%1'")).arg(horaInici));
    if (!fi)
        throw ConfigError(Tradueix(QStringLiteral("Hora no vàlida a HoraFinal: '%1'")).arg(horaFinal));
    if (minutsCella <= 0)
        throw ConfigError(Tradueix(QStringLiteral("MinutsCella ha de ser més gran que 0")));
    int cells = (*fi - *ini) / minutsCella;
    if (cells <= 0)
        throw ConfigError(Tradueix(QStringLiteral("L'horari del dia (%1 a %2) no té cap cel·la de %3 minuts"))
                              .arg(horaInici, horaFinal).arg(minutsCella));
    return qint16(cells);
}

namespace {

// Real numbers of the settings file: the fixed form the program writes
// ("7.125") first, so a value never changes with the user's locale, then a
// decimal comma or the locale's own decimal sign of a file written by hand.
// Thousands separators are not part of either form.
std::optional<Decimal> decimalIni(const QString& v)
{
    if (auto d = Decimal::parseFixed(v)) return d;
    QString t = v;
    const QString point = QLocale().decimalPoint();
    if (!point.isEmpty() && point != QStringLiteral(".")) t.replace(point, QStringLiteral("."));
    t.replace(u',', u'.');
    return Decimal::parseFixed(t);
}

struct Reader {
    QString file;
    QString text(const char* section, const char* key, const QString& def) const
    {
        return Llegeix_INI(file, QString::fromLatin1(section), QString::fromLatin1(key), def);
    }
    [[noreturn]] static void bad(const char* key, const QString& v)
    {
        throw ConfigError(Tradueix(QStringLiteral("Valor no vàlid per a %1: '%2'")).arg(QString::fromLatin1(key), v));
    }
    qint32 longValue(const char* key, const QString& def) const
    {
        QString v = text("Parametres", key, def);
        auto r = Conv::toInt32(v);
        if (!r) bad(key, v);
        return *r;
    }
    qint16 intValue(const char* key, const QString& def) const
    {
        QString v = text("Parametres", key, def);
        auto r = Conv::toInt16(v);
        if (!r.ok()) bad(key, v);
        return r.value;
    }
    Decimal single(const char* key, const QString& def) const
    {
        QString v = text("Parametres", key, def);
        auto r = decimalIni(v);
        if (!r) bad(key, v);
        return *r;
    }
    bool boolean(const char* key, const QString& def) const
    {
        QString v = text("Parametres", key, def);
        auto r = Conv::toBool(v);
        if (!r) bad(key, v);
        return *r;
    }
    QString time(const char* key, const QString& def) const
    {
        QString v = text("Parametres", key, def);
        auto m = Conv::minutesOf(v);
        if (!m) throw ConfigError(Tradueix(QStringLiteral("Hora no vàlida a %1: '%2'")).arg(QString::fromLatin1(key), v));
        return Conv::hhmm(*m);
    }
};

// Every setting into G, the cells of a day derived from them.
void llegeixConfiguracio()
{
    Reader r{iniPath()};
    // The language first: a value below that cannot be read says so in it.
    G.Idioma = r.text("Parametres", "Idioma", QStringLiteral("CT"));
    G.BaseDades = camiBaseDades(r.text("General", "BaseDades", defaultDatabasePath()));
    G.TexteVaris = r.text("Parametres", "TexteVaris", QStringLiteral("..."));
    G.ColorFeina = r.longValue("ColorFeina", QStringLiteral("16768483"));
    G.ColorQuota = r.longValue("ColorQuota", QStringLiteral("16764117"));
    G.ColorDiumenge = r.longValue("ColorDiumenge", QStringLiteral("11513775"));
    G.MarcaSeleccio = r.text("Parametres", "MarcaSeleccio", QStringLiteral("-> "));
    G.MarcaLlista = r.text("Parametres", "MarcaLlista", QStringLiteral(" * "));
    G.PosicioSaltPagina = r.intValue("PosicioSaltPagina", QStringLiteral("14500"));
    G.TexteNoAsignada = r.text("Parametres", "TexteNoAsignada", QStringLiteral("< >"));
    G.MinutsCella = r.intValue("MinutsCella", QStringLiteral("30"));
    G.HoraInici = r.time("HoraInici", QStringLiteral("00:00"));
    G.HoraFinal = r.time("HoraFinal", QStringLiteral("24:00"));
    G.HoresDia = r.single("HoresDia", QStringLiteral("8.00"));
    G.CalculxHores = r.boolean("CalculxHores", QStringLiteral("1"));
    G.DissabtesExtra = r.boolean("DissabtesExtra", QStringLiteral("1"));
    G.DiumengesExtra = r.boolean("DiumengesExtra", QStringLiteral("1"));
    G.HoraIniciDinar = r.time("HoraIniciDinar", QStringLiteral("13:30"));
    G.HoraFinalDinar = r.time("HoraFinalDinar", QStringLiteral("15:00"));
    G.ServeiXecs = r.text("Parametres", "ServeiXecs", QString());
    G.ValorXec = r.single("ValorXec", QStringLiteral("0.00"));
    G.CostHoraXec = r.single("CostHoraXec", QStringLiteral("0.00"));
    G.MaxXecsMes = r.intValue("MaxXecsMes", QStringLiteral("0"));
    G.PermetSolaparLlocs = r.boolean("PermetSolaparLlocs", QStringLiteral("1"));
    G.PrimeraExecucio = r.boolean("PrimeraExecucio", QStringLiteral("1"));

    const QDate defUltim = ultimDiaSetmana(Clock::today(), G.PrimerDiaSetmana);
    const QString ud = r.text("Estat", "UltimDiaGen", iniDate(defUltim));
    auto d = Conv::parseDate(ud);
    if (!d) Reader::bad("UltimDiaGen", ud);
    G.UltimDiaGen = *d;

    G.CellesDia = calculaCellesDia(G.HoraInici, G.HoraFinal, G.MinutsCella);
}

} // namespace

QString llocBaseDades()
{
    return Tradueix(QStringLiteral(" (BaseDades al fitxer de configuració '%1')")).arg(iniPath());
}

QString valorBaseDades(const QString& cami)
{
    const QFileInfo fi(cami);
    if (!fi.isAbsolute()) return cami;
    // Compared by their real folders, so a folder reached through a link is
    // still the program folder; the file itself may be a link and stays one.
    const auto real = [](const QString& carpeta) {
        const QString c = QFileInfo(carpeta).canonicalFilePath();
        return c.isEmpty() ? QDir::cleanPath(carpeta) : c;
    };
    const QString relatiu = QDir(real(G.ProgramDir)).relativeFilePath(real(fi.absolutePath()) + u'/' + fi.fileName());
    if (relatiu.isEmpty() || relatiu == QLatin1String(".") || relatiu == QLatin1String("..")
        || relatiu.startsWith(QLatin1String("../")) || QDir::isAbsolutePath(relatiu))
        return cami;
    return relatiu;
}

QString camiBaseDades(const QString& valor)
{
    if (QDir::isAbsolutePath(valor)) return valor;
    return QDir::cleanPath(QDir(G.ProgramDir).filePath(valor));
}

void Llegeix_Configuracio()
{
    try {
        llegeixConfiguracio();
    } catch (const ConfigError& e) {
        throw ConfigError(QString::fromUtf8(e.what())
                          + Tradueix(QStringLiteral(" (al fitxer de configuració '%1')")).arg(iniPath()));
    }
}

