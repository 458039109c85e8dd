#pragma once
// Rules of the settings dialog, apart from any widget: the hour lists, the
// check of each field, the check of the existing jobs against a new day
// layout, and the saving of every key in one write of the settings file.
#include "Decimal.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

class Db;

namespace Parametres {

// The four hour lists for a cell length, with the entry each setting selects
// (-1 = none): the last entry not later than the setting.
struct LlistesHores {
    QStringList inici;   // start lists: 00:00 .. (n-1)*m
    QStringList fi;      // end lists: m .. n*m (1440 shown as "24:00")
    int selInici = -1;
    int selFi = -1;
    int selIniciDinar = -1;
    int selFiDinar = -1;
};
LlistesHores llistesHores(int minutsCella, const QString& horaInici, const QString& horaFinal,
                          const QString& horaIniciDinar, const QString& horaFinalDinar);

// Outcome of a field check: the text to put back into the box and, when the
// check failed, the (untranslated) message to show.
struct Comprovacio {
    QString text;
    QString missatge;   // "" = accepted
    bool ok() const { return missatge.isEmpty(); }
};
// Cell minutes: a whole number from 10 to 1440.
Comprovacio minutsCella(const QString& text);
// Standard hours of a day (at most 24) and the value of a cheque: not
// negative, two decimals. Every number with decimals is refused beyond
// Decimal::maxInput(), and a whole number beyond its 16 bits.
Comprovacio horesDia(const QString& text);
Comprovacio valorXec(const QString& text);
// Saving per service unit: not positive, two decimals.
Comprovacio costHoraXec(const QString& text);
// Monthly maximum of cheques: a whole number, not negative.
Comprovacio maxXecsMes(const QString& text);
// A date in the user's form.
Comprovacio data(const QString& text);

// The order of a pair of hour entries of the day or of the lunch break: ""
// when both are chosen and the end is after the start, else the
// (untranslated) message. `dinar` names the lunch break.
QString ordreHores(const QString& inici, const QString& fi, bool dinar);

// The first job (in id order) whose start is not a whole number of cells away
// from the day's start, or nullopt when every job fits. Throws DbError.
std::optional<qint32> feinaIncoherent(Db& db, int minutsInici, int minutsCella);

// One key of the settings file.
struct Clau {
    QString seccio;
    QString clau;
    QString valor;
};
// Writes every key into the settings file in one save: either all of them
// reach the file or none does. False on failure.
bool desaTot(const QString& iniFile, const QList<Clau>& claus);

// The language code of an entry of the [Idiomes] section (its characters 2 and 3).
QString codiIdioma(const QString& entrada);
// The trimmed entries of the [Idiomes] section, in file order.
QStringList entradesIdiomes(const QString& iniFile);

} // namespace Parametres
