#pragma once
// Settings file access and the reading of every setting at start-up.
#include <QDate>
#include <QString>
#include <optional>
#include <stdexcept>

class Decimal;

// A setting that cannot be used; the text is shown after "Error:".
class ConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit ConfigError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

QString Llegeix_INI(const QString& file, const QString& section, const QString& key, const QString& def);
QString Llegeix_Seccio_INI(const QString& file, const QString& section);
// 1 = written, 0 = failed.
int Escriu_INI(const QString& file, const QString& section, const QString& key, const QString& value);
// Writes one key of the program's settings file; on failure shows the
// translated "Error al gravar .ini" titled "ERROR" and returns false.
bool Escriu_INI_Avisant(const QString& section, const QString& key, const QString& value);

// Fixed forms written to the settings file.
QString iniDecimal(const Decimal& d);
QString iniDate(const QDate& d);
inline QString iniBool(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }

// First day of the week of the locale: 1 = Sunday .. 7 = Saturday.
int Primer_Dia_Setmana();

// A settings file that is there but cannot be read (it does not open, it is
// not text, it is empty or it holds no section) is set aside under a free
// name, Torvanel.ini.bad (then .bad2, .bad3, ...: none is ever overwritten),
// and the shipped file takes its place, so the program starts clean, as on a
// first run. Gives what was done, or nothing when the file reads (a file with
// some unreadable lines still does) or is not there. Throws ConfigError,
// naming the file, when it cannot be set aside.
struct ConfiguracioApartada {
    enum class Motiu { NoObre, NoEsText, Buit, SenseSeccions };
    QString fitxer;        // the settings file
    QString apartat;       // where it is kept
    Motiu motiu = Motiu::NoEsText;
    QString errorSistema;  // why it did not open (NoObre)
    // The message for the user, in the current language.
    QString missatge() const;
};
std::optional<ConfiguracioApartada> apartaConfiguracioIllegible();

// Reads the 26 settings from iniPath() into G (G.ProgramDir and
// G.PrimerDiaSetmana must be set) and derives CellesDia. Throws ConfigError,
// whose text ends naming the settings file, where the value is to be mended.
void Llegeix_Configuracio();

// The end of a start-up error about the database that BaseDades names: the
// settings file where it is set.
QString llocBaseDades();

// The database as BaseDades keeps it: one inside the program folder by its
// name relative to that folder, so that it goes with the folder when the
// folder is moved or copied; one elsewhere by its absolute path.
QString valorBaseDades(const QString& cami);
// The database a BaseDades value names: a relative name is in the program
// folder; an absolute path is taken as it is.
QString camiBaseDades(const QString& valor);

// Board cells of a day for a start, an end ("24:00" allowed) and a cell
// length; throws ConfigError when the times are malformed or the result is not positive.
qint16 calculaCellesDia(const QString& horaInici, const QString& horaFinal, qint16 minutsCella);

// Default last planned day: the last day of today's week.
QDate ultimDiaSetmana(const QDate& today, int primerDia);
