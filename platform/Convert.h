#pragma once
// Conversions between the user's texts and typed values, as the windows and
// the settings use them.
#include "Decimal.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>
#include <stdexcept>

namespace Conv {

// A value that does not convert; the text is the description shown after "Error:".
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True when the text is a number in the locale's form (or the fixed form).
bool isNumeric(const QString& text, const QLocale& locale = QLocale());

enum class IntStatus { Ok, NotNumeric, Overflow };
struct Int16Result {
    IntStatus status = IntStatus::NotNumeric;
    qint16 value = 0;
    bool ok() const { return status == IntStatus::Ok; }
};
// Number text -> 16-bit integer, halves to the even neighbour ("2,5" -> 2, "3,5" -> 4).
Int16Result toInt16(const QString& text, const QLocale& locale = QLocale());
// Same for a 32-bit integer.
std::optional<qint32> toInt32(const QString& text, const QLocale& locale = QLocale());
// Boolean as the settings hold it: any non-zero number is true, "0" false;
// the words true/false (any case, also Catalan "cert"/"fals") are accepted.
std::optional<bool> toBool(const QString& text, const QLocale& locale = QLocale());

// Short date of the locale with a four-digit year (dd/MM/yyyy in Catalan).
QString shortDateFormat(const QLocale& locale = QLocale());
QString shortDate(const QDate& date, const QLocale& locale = QLocale());
// Reads the fixed form (yyyy-MM-dd) or the locale's short date (two- or four-digit year).
std::optional<QDate> parseDate(const QString& text, const QLocale& locale = QLocale());
// A date typed by the user: as parseDate, within the years the program plans
// (1900 to 2100); any other is refused as a wrong date.
inline constexpr int FirstTypedYear = 1900;
inline constexpr int LastTypedYear = 2100;
std::optional<QDate> parseTypedDate(const QString& text, const QLocale& locale = QLocale());

// Fixed ISO form used in the database and the settings file.
inline QString isoDate(const QDate& d) { return d.toString(Qt::ISODate); }

// "hh:mm" (or "h:mm", blanks around ignored) -> minutes after midnight;
// "24:00" is 1440. Anything else malformed -> nullopt.
std::optional<int> minutesOf(QStringView hhmm);
// As minutesOf; a malformed time throws ConversionError with `message`, its
// %1 replaced by the text (the caller gives the message in the user's language).
int minutesOrThrow(QStringView hhmm, const QString& message);
// Minutes after midnight -> "hh:mm" (0..1440; 1440 gives "24:00").
QString hhmm(int minutes);
// Minutes modulo a day -> "hh:mm" (00:00..23:59), as a clock would show it.
QString clockTime(int minutes);

// Weekday as the program numbers it: 1 = Sunday .. 7 = Saturday.
inline int vbWeekday(const QDate& d) { return d.dayOfWeek() % 7 + 1; }
// Weekday counted from a first day of the week (1 = Sunday .. 7 = Saturday): 1..7.
inline int weekdayFrom(const QDate& d, int firstDay) { return (vbWeekday(d) - firstDay + 7) % 7 + 1; }

} // namespace Conv
