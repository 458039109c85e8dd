#include "Parametres.h"

#include "Configuracio.h"
#include "Convert.h"
#include "Database.h"
#include "IniFile.h"
#include "ValidacioLloc.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QTemporaryDir>

namespace Parametres {

LlistesHores llistesHores(int m, const QString& horaInici, const QString& horaFinal, const QString& horaIniciDinar,
                          const QString& horaFinalDinar)
{
    LlistesHores l;
    if (m <= 0) return l;
    const int n = 1440 / m;
    for (int i = 0; i <= n; ++i) {
        QString s = Conv::clockTime(i * m);
        if (i < n) {
            l.inici << s;
            if (s <= horaInici) l.selInici = int(l.inici.size()) - 1;
            if (s <= horaIniciDinar) l.selIniciDinar = int(l.inici.size()) - 1;
        }
        if (i > 0) {
            if (s == QLatin1String("00:00")) s = QStringLiteral("24:00");
            l.fi << s;
            if (s <= horaFinal) l.selFi = int(l.fi.size()) - 1;
            if (s <= horaFinalDinar) l.selFiDinar = int(l.fi.size()) - 1;
        }
    }
    return l;
}

Comprovacio minutsCella(const QString& text)
{
    const auto r = Conv::toInt16(text);
    // A cell longer than a day leaves the day without hours.
    if (r.status == Conv::IntStatus::Overflow) return {text, QStringLiteral("El valor no pot ser superior a 1440 minuts")};
    if (!r.ok()) return {text, QStringLiteral("Cal introduir un valor no inferior a 10 minuts")};
    const QString shown = QString::number(r.value);
    if (r.value < 10) return {shown, QStringLiteral("El valor no pot ser inferior a 10 minuts")};
    if (r.value > 1440) return {shown, QStringLiteral("El valor no pot ser superior a 1440 minuts")};
    return {shown, QString()};
}

namespace {

// A number with two decimals; `refusat` tells a value out of range.
Comprovacio ambDosDecimals(const QString& text, const char* noNumeric, bool (*refusat)(const Decimal&),
                           const char* foraRang)
{
    // Read as every typed amount is, then rounded to two decimals and shown back in the user's form.
    Decimal llegit;
    const Camps::Lectura lectura = Camps::llegeixDecimal(text, llegit);
    if (lectura == Camps::Lectura::NoNumeric) return {text, QString::fromUtf8(noNumeric)};
    const Decimal d = lectura == Camps::Lectura::Ok ? llegit.rounded(2) : Decimal();
    if (lectura == Camps::Lectura::Fora || d.beyondInput()) return {text, QStringLiteral("El valor és massa gran")};
    const QString shown = d.toShortString();
    if (refusat(d)) return {shown, QString::fromUtf8(foraRang)};
    return {shown, QString()};
}

bool negatiu(const Decimal& d) { return d < Decimal(); }
bool positiu(const Decimal& d) { return d > Decimal(); }

} // namespace

Comprovacio horesDia(const QString& text)
{
    // A day holds 24 hours, however large the number typed.
    const auto d = Decimal::parse(text);
    if ((d && *d > Decimal::fromInt(24)) || (!d && Decimal::isNumber(text) && !text.trimmed().startsWith(u'-')))
        return {d ? d->rounded(2).toShortString() : text, QStringLiteral("El valor no pot ser superior a 24 hores")};
    return ambDosDecimals(text, "Cal introduir un valor no negatiu", negatiu, "No es pot introduir un valor negatiu");
}

Comprovacio valorXec(const QString& text)
{
    return ambDosDecimals(text, "Cal introduir un valor no negatiu", negatiu, "Cal introduir un valor no negatiu");
}

Comprovacio costHoraXec(const QString& text)
{
    return ambDosDecimals(text, "Cal introduir un valor no positiu", positiu, "Cal introduir un valor no positiu");
}

Comprovacio maxXecsMes(const QString& text)
{
    const auto r = Conv::toInt16(text);
    if (r.status == Conv::IntStatus::Overflow) return {text, QStringLiteral("El valor és massa gran")};
    if (!r.ok()) return {text, QStringLiteral("Cal introduir un valor enter no negatiu")};
    const QString shown = QString::number(r.value);
    if (r.value < 0) return {shown, QStringLiteral("No es pot introduir un valor negatiu")};
    return {shown, QString()};
}

Comprovacio data(const QString& text)
{
    if (!Conv::parseTypedDate(text.trimmed())) return {text, QStringLiteral("Data incorrecta")};
    return {text, QString()};
}

QString ordreHores(const QString& inici, const QString& fi, bool dinar)
{
    const auto i = Conv::minutesOf(inici);
    const auto f = Conv::minutesOf(fi);
    if (!i || !f)
        return dinar ? QStringLiteral("Cal triar l'hora d'inici i l'hora de fi del dinar.")
                     : QStringLiteral("Cal triar l'hora d'inici i l'hora de fi.");
    if (*f <= *i)
        return dinar ? QStringLiteral("L'hora de fi del dinar ha de ser posterior a l'hora d'inici del dinar.")
                     : QStringLiteral("L'hora de fi ha de ser posterior a l'hora d'inici.");
    return QString();
}

std::optional<qint32> feinaIncoherent(Db& db, int minutsInici, int minutsCella)
{
    if (minutsCella <= 0) return std::nullopt;
    // The jobs' starts are few different texts: each is judged here once (a
    // start written otherwise than "hh:mm", such as "8:00", may still fit; one
    // that cannot be read never does), then the first job with one that does
    // not fit is looked up.
    QVariantList fora;
    QSqlQuery q = db.query(QStringLiteral("SELECT DISTINCT feines_hora_inici FROM Feines"));
    while (q.next()) {
        const auto inici = Conv::minutesOf(q.value(0).toString());
        if (!inici || (minutsInici - *inici) % minutsCella != 0) fora << q.value(0);
    }
    q.finish();
    // A bounded number of values per statement, whatever the database holds.
    constexpr int PerSentencia = 500;
    std::optional<qint32> primera;
    for (qsizetype i = 0; i < fora.size(); i += PerSentencia) {
        const QVariantList valors = fora.mid(i, PerSentencia);
        QStringList marques(valors.size(), QStringLiteral("?"));
        const QVariant id = db.scalar(QStringLiteral("SELECT feines_id FROM Feines WHERE feines_hora_inici IN (%1) "
                                                     "ORDER BY feines_id LIMIT 1")
                                          .arg(marques.join(u',')),
                                      valors);
        if (!id.isNull() && (!primera || id.toInt() < *primera)) primera = id.toInt();
    }
    return primera;
}

bool desaTot(const QString& iniFile, const QList<Clau>& claus)
{
    // Every key goes first into a copy; only a complete copy replaces the file.
    QTemporaryDir tmp;
    if (!tmp.isValid()) return false;
    const QString copia = tmp.filePath(QStringLiteral("Torvanel.ini"));
    if (QFileInfo::exists(iniFile) && !QFile::copy(iniFile, copia)) return false;
    for (const Clau& c : claus)
        if (!IniFile::write(copia, c.seccio, c.clau, c.valor)) return false;
    QFile in(copia);
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray contingut = in.readAll();
    QSaveFile out(iniFile);
    if (!out.open(QIODevice::WriteOnly)) return false;
    if (out.write(contingut) != contingut.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

QString codiIdioma(const QString& entrada) { return entrada.trimmed().mid(1, 2); }

QStringList entradesIdiomes(const QString& iniFile)
{
    QStringList out;
    const QString s = Llegeix_Seccio_INI(iniFile, QStringLiteral("Idiomes"));
    if (s.isEmpty()) return out;
    QStringList peces = s.split(QChar(u'\0'));
    peces.removeLast();
    for (const QString& p : peces) out << p.trimmed();
    return out;
}

} // namespace Parametres
