// Exact decimals, conversions of typed text, the settings file and files
// written whole.
#include "Clock.h"
#include "Convert.h"
#include "Database.h"
#include "Decimal.h"
#include "FitxerSencer.h"
#include "Globals.h"
#include "IniFile.h"
#include "SortidaImpressio.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void decimalParsesLocaleAndFixedForms_data();
    void decimalParsesLocaleAndFixedForms();
    void decimalRoundsHalfToEven_data();
    void decimalRoundsHalfToEven();
    void decimalArithmeticIsExact();
    void lineAmountIsTheExactProductRoundedOnce_data();
    void lineAmountIsTheExactProductRoundedOnce();
    void int16ConversionRoundsToEvenAndRefusesOverflow_data();
    void int16ConversionRoundsToEvenAndRefusesOverflow();
    void datesReadBothFormsAndWriteFourDigitYears();
    void timesOfDay_data();
    void timesOfDay();
    void weekdayNumbering();
    void iniReadsWithDefaultsQuotesAndCase();
    void iniWriteKeepsTheRestOfTheFile();
    void iniWriteCreatesFileAndSection();
    void iniSectionReadGivesNulSeparatedEntries();
    void iniWriteFailureIsReported();
    void iniWriteRefusesWhatWouldBreakTheFile_data();
    void iniWriteRefusesWhatWouldBreakTheFile();
    void iniLegacyEncodingSurvivesAWrite_data();
    void iniLegacyEncodingSurvivesAWrite();
    void transactionsRecoverAfterErrors();
    void wholeFileTakesAwayOnlyLeftoversOfItsOwn_data();
    void wholeFileTakesAwayOnlyLeftoversOfItsOwn();
    void wholeFileStaysWhenItsFolderCannotBeSynced_data();
    void wholeFileStaysWhenItsFolderCannotBeSynced();
};

void TestPlatform::decimalParsesLocaleAndFixedForms_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qlonglong>("raw");
    QTest::newRow("ca comma") << "ca_ES" << "2,5" << true << 25000LL;
    QTest::newRow("ca point fallback") << "ca_ES" << "7.50" << true << 75000LL;
    QTest::newRow("ca thousands") << "ca_ES" << "1.234,5" << true << 12345000LL;
    QTest::newRow("ca negative") << "ca_ES" << "-0,25" << true << -2500LL;
    QTest::newRow("ca spaces") << "ca_ES" << "  12  " << true << 120000LL;
    QTest::newRow("en point") << "en_US" << "12.341" << true << 123410LL;
    QTest::newRow("en group") << "en_US" << "1,000" << true << 10000000LL;
    QTest::newRow("fifth decimal rounds to even") << "en_US" << "0.00005" << true << 0LL;
    QTest::newRow("fifth decimal rounds up") << "en_US" << "0.00015" << true << 2LL;
    QTest::newRow("letters") << "ca_ES" << "2a" << false << 0LL;
    QTest::newRow("empty") << "ca_ES" << "" << false << 0LL;
    QTest::newRow("sign only") << "ca_ES" << "-" << false << 0LL;
    QTest::newRow("two separators") << "ca_ES" << "1,2,3" << false << 0LL;
    QTest::newRow("fixed three decimals in ca") << "ca_ES" << "1.125" << true << 11250000LL;
    QTest::newRow("group after four digits") << "ca_ES" << "1234.567,5" << false << 0LL;
    QTest::newRow("largest value") << "en_US" << "922337203685477.5807" << true << 9223372036854775807LL;
    QTest::newRow("just past the largest") << "en_US" << "922337203685477.5808" << false << 0LL;
    QTest::newRow("whole part too large") << "en_US" << "9223372036854775807" << false << 0LL;
    QTest::newRow("smallest value") << "en_US" << "-922337203685477.5807" << true << -9223372036854775807LL;
    QTest::newRow("long decimals on a large value") << "en_US"
        << "922337203685477.12345678901234567890123456789012345" << true << 9223372036854771235LL;
    QTest::newRow("half then a far digit rounds up") << "en_US"
        << "0.000050000000000000000000000000000000000001" << true << 1LL;
    QTest::newRow("exact half far out stays even") << "en_US"
        << "0.00005000000000000000000000000000000000000" << true << 0LL;
}

void TestPlatform::decimalParsesLocaleAndFixedForms()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qlonglong, raw);
    auto d = Decimal::parse(text, QLocale(locale));
    QCOMPARE(d.has_value(), ok);
    if (ok) QCOMPARE(qlonglong(d->raw()), raw);
}

void TestPlatform::decimalRoundsHalfToEven_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("cents");
    QTest::addColumn<int>("whole");
    QTest::newRow("12.345") << "12.345" << "12.34" << 12;
    QTest::newRow("12.355") << "12.355" << "12.36" << 12;
    QTest::newRow("12.341") << "12.341" << "12.34" << 12;
    QTest::newRow("2.5") << "2.5" << "2.5" << 2;
    QTest::newRow("3.5") << "3.5" << "3.5" << 4;
    QTest::newRow("-2.5") << "-2.5" << "-2.5" << -2;
    QTest::newRow("-0.125") << "-0.125" << "-0.12" << 0;
}

void TestPlatform::decimalRoundsHalfToEven()
{
    QFETCH(QString, value);
    QFETCH(QString, cents);
    QFETCH(int, whole);
    Decimal d = *Decimal::parseFixed(value);
    QCOMPARE(d.roundedCents().toFixed(), cents);
    QCOMPARE(int(d.roundToInteger()), whole);
}

void TestPlatform::decimalArithmeticIsExact()
{
    // 0.1 added ten times is exactly 1 (no binary drift).
    Decimal sum;
    for (int i = 0; i < 10; ++i) sum += *Decimal::parseFixed("0.1");
    QCOMPARE(sum, Decimal::fromInt(1));
    QCOMPARE((*Decimal::parseFixed("2.5") * *Decimal::parseFixed("12.34")).toFixed(), QString("30.85"));
    QCOMPARE((Decimal::fromInt(10) / Decimal::fromInt(3)).toFixed(), QString("3.3333"));
    QCOMPARE(Decimal::fromInt(1234).toString(QLocale("ca_ES"), 2), QString("1234,00"));
    QCOMPARE((*Decimal::parseFixed("-7.5")).toString(QLocale("en_US"), 2), QString("-7.50"));
    QCOMPARE((*Decimal::parseFixed("2.5")).toShortString(QLocale("ca_ES")), QString("2,5"));
    QCOMPARE((*Decimal::parseFixed("1234567.125")).toGroupedString(QLocale("ca_ES")), QString("1.234.567,12"));
    QCOMPARE((*Decimal::parseFixed("-1234.5")).toGroupedString(QLocale("es_ES")), QString("-1.234,50"));
    QCOMPARE((*Decimal::parseFixed("-999.995")).toGroupedString(QLocale("en_US")), QString("-1,000.00"));
    QCOMPARE((*Decimal::parseFixed("-0.004")).toGroupedString(QLocale("ca_ES")), QString("0,00"));
    QCOMPARE((*Decimal::parseFixed("123")).toGroupedString(QLocale("en_US")), QString("123.00"));
    QVERIFY_THROWS_EXCEPTION(std::domain_error, Decimal::fromInt(1) / Decimal());

    // Past the range every operation throws instead of wrapping; a refused
    // sum leaves its operand as it was.
    const Decimal max = Decimal::fromRaw(std::numeric_limits<int64_t>::max());
    const Decimal unit = Decimal::fromRaw(1);
    QCOMPARE(max - max + -max, -max);
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, max + unit);
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, -max - unit);
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, max * int64_t(2));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, max * Decimal::fromInt(2));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, max / *Decimal::parseFixed("0.5"));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, max.rounded(0));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, -Decimal::fromRaw(std::numeric_limits<int64_t>::min()));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, Decimal::fromInt(std::numeric_limits<int64_t>::max() / 1000));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error,
                             Decimal::fromVariant(QVariant(qlonglong(std::numeric_limits<int64_t>::min()))));
    Decimal suma = max;
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, suma += unit);
    QCOMPARE(suma, max);
}

// The amount of a line, and its text as every screen and document shows it.
void TestPlatform::lineAmountIsTheExactProductRoundedOnce_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("amount");   // Catalan text; "" = beyond the range
    QTest::newRow("plain") << "2" << "12.5" << "25,00";
    QTest::newRow("thousands grouped") << "1000" << "1234.5" << "1.234.500,00";
    QTest::newRow("tie at the third decimal down to even") << "1" << "0.125" << "0,12";
    QTest::newRow("tie at the third decimal up to even") << "1" << "0.135" << "0,14";
    QTest::newRow("tie of the exact product") << "0.0025" << "2" << "0,00";
    // Rounding first to four decimals would make these halves and give 0,50 and 0,00.
    QTest::newRow("five at the fifth decimal") << "1.0101" << "0.5" << "0,51";
    QTest::newRow("five at the fifth decimal of a small amount") << "0.0101" << "0.5" << "0,01";
    QTest::newRow("negative") << "-3" << "0.3333" << "-1,00";
    QTest::newRow("negative tie down to even") << "-1" << "0.125" << "-0,12";
    QTest::newRow("negative tie up to even") << "1" << "-0.135" << "-0,14";
    QTest::newRow("negative rounded to nothing") << "-1" << "0.004" << "0,00";
    QTest::newRow("zero") << "0" << "99" << "0,00";
    QTest::newRow("largest typed values") << "9999999.9999" << "9999999.9999" << "99.999.999.998.000,00";
    QTest::newRow("largest amount") << "922337203685477.5807" << "1" << "922.337.203.685.477,58";
    QTest::newRow("most negative amount") << "-1" << "922337203685477.5807" << "-922.337.203.685.477,58";
    QTest::newRow("rounded past the range") << "184467440737095.5171" << "5" << "";
    QTest::newRow("far past the range") << "900000000000" << "900000000000" << "";
}

void TestPlatform::lineAmountIsTheExactProductRoundedOnce()
{
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, amount);
    const Decimal q = *Decimal::parseFixed(quantity);
    const Decimal p = *Decimal::parseFixed(price);
    if (amount.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, Decimal::lineAmount(q, p));
        return;
    }
    const Decimal a = Decimal::lineAmount(q, p);
    QCOMPARE(a, a.roundedCents());
    QCOMPARE(a.toGroupedString(QLocale("ca_ES")), amount);
    QCOMPARE(Decimal::lineAmount(p, q), a);
}

void TestPlatform::int16ConversionRoundsToEvenAndRefusesOverflow_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("value");
    const int ok = int(Conv::IntStatus::Ok), nn = int(Conv::IntStatus::NotNumeric), ov = int(Conv::IntStatus::Overflow);
    QTest::newRow("ca 2,5") << "ca_ES" << "2,5" << ok << 2;
    QTest::newRow("ca 3,5") << "ca_ES" << "3,5" << ok << 4;
    QTest::newRow("en 2.5") << "en_US" << "2.5" << ok << 2;
    QTest::newRow("max") << "ca_ES" << "32767" << ok << 32767;
    QTest::newRow("min") << "ca_ES" << "-32768" << ok << -32768;
    QTest::newRow("over") << "ca_ES" << "40000" << ov << 0;
    QTest::newRow("rounds over") << "ca_ES" << "32767,5" << ov << 0;
    QTest::newRow("word") << "ca_ES" << "trenta" << nn << 0;
    QTest::newRow("number beyond every range") << "ca_ES" << "99999999999999999999" << ov << 0;
    QTest::newRow("grouped number beyond every range") << "ca_ES" << "-9.999.999.999.999.999.999,5" << ov << 0;
    QTest::newRow("malformed huge") << "ca_ES" << "99999999999999999999x" << nn << 0;
}

void TestPlatform::int16ConversionRoundsToEvenAndRefusesOverflow()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(int, status);
    QFETCH(int, value);
    auto r = Conv::toInt16(text, QLocale(locale));
    QCOMPARE(int(r.status), status);
    if (r.ok()) QCOMPARE(int(r.value), value);
}

void TestPlatform::datesReadBothFormsAndWriteFourDigitYears()
{
    const QLocale ca("ca_ES"), en("en_US");
    const QDate d(2024, 2, 3);
    QCOMPARE(Conv::shortDate(d, ca), QString("03/02/2024"));
    QCOMPARE(Conv::shortDate(d, en), QString("02/03/2024"));
    QCOMPARE(Conv::parseDate("03/02/2024", ca), std::optional<QDate>(d));
    QCOMPARE(Conv::parseDate("3/2/24", ca), std::optional<QDate>(d));
    QCOMPARE(Conv::parseDate("02/03/2024", en), std::optional<QDate>(d));
    QCOMPARE(Conv::parseDate("2024-02-03", ca), std::optional<QDate>(d));
    QCOMPARE(Conv::parseDate("2024-02-03", en), std::optional<QDate>(d));
    QVERIFY(!Conv::parseDate("31/02/2024", ca).has_value());
    QVERIFY(!Conv::parseDate("demà", ca).has_value());
    QCOMPARE(Conv::isoDate(d), QString("2024-02-03"));
}

void TestPlatform::timesOfDay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minutes");
    QTest::newRow("midnight") << "00:00" << 0;
    QTest::newRow("end of day") << "24:00" << 1440;
    QTest::newRow("one digit hour") << "8:30" << 510;
    QTest::newRow("23:59") << "23:59" << 1439;
    QTest::newRow("24:30") << "24:30" << -1;
    QTest::newRow("25:00") << "25:00" << -1;
    QTest::newRow("12:60") << "12:60" << -1;
    QTest::newRow("no colon") << "1200" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("blanks around") << " 08:15\t" << 495;
    QTest::newRow("one digit minutes") << "8:5" << -1;
    QTest::newRow("three digit hour") << "008:00" << -1;
    QTest::newRow("a sign") << "+8:00" << -1;
    QTest::newRow("no hour") << ":30" << -1;
}

void TestPlatform::timesOfDay()
{
    QFETCH(QString, text);
    QFETCH(int, minutes);
    auto m = Conv::minutesOf(text);
    QCOMPARE(m.value_or(-1), minutes);
    if (m) QCOMPARE(Conv::minutesOf(Conv::hhmm(*m)).value_or(-1), minutes);
    QCOMPARE(Conv::clockTime(1440 + 30), QString("00:30"));
}

void TestPlatform::weekdayNumbering()
{
    const QDate sunday(2010, 1, 3), monday(2010, 1, 4), saturday(2010, 1, 9);
    QCOMPARE(Conv::vbWeekday(sunday), 1);
    QCOMPARE(Conv::vbWeekday(monday), 2);
    QCOMPARE(Conv::vbWeekday(saturday), 7);
    QCOMPARE(Conv::weekdayFrom(monday, 2), 1);
    QCOMPARE(Conv::weekdayFrom(sunday, 2), 7);
    QCOMPARE(Conv::weekdayFrom(sunday, 1), 1);
}

static QString writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(data);
    return path;
}

static QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestPlatform::iniReadsWithDefaultsQuotesAndCase()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("none.ini");
    QCOMPARE(IniFile::read(missing, "Parametres", "MinutsCella", "30"), QString("30"));
    QCOMPARE(IniFile::readSection(missing, "Idiomes"), QString());

    const QString p = writeFile(dir.filePath("t.ini"),
                                "; comment\n[Parametres]\nMinutsCella=\nMarcaSeleccio=\"-> \"\n"
                                "MarcaLlista=' * '\n  HoresDia =  7,50  \nTexte=a=b\n[Altres]\nMinutsCella=15\n");
    QCOMPARE(IniFile::read(p, "Parametres", "MinutsCella", "30"), QString("30")); // empty value -> default
    QCOMPARE(IniFile::read(p, "Parametres", "MarcaSeleccio", "x"), QString("-> "));
    QCOMPARE(IniFile::read(p, "Parametres", "MarcaLlista", "x"), QString(" * "));
    QCOMPARE(IniFile::read(p, "parametres", "HORESDIA", "x"), QString("7,50"));
    QCOMPARE(IniFile::read(p, "Parametres", "Texte", "x"), QString("a=b"));
    QCOMPARE(IniFile::read(p, "ALTRES", "minutscella", "x"), QString("15"));
    QCOMPARE(IniFile::read(p, "Parametres", "NoHiEs", "def"), QString("def"));

    const QString longValue(300, QChar('x'));
    const QString p2 = writeFile(dir.filePath("long.ini"), "[S]\nK=" + longValue.toUtf8() + "\n");
    QCOMPARE(IniFile::read(p2, "S", "K", "").size(), 199);
}

void TestPlatform::iniWriteKeepsTheRestOfTheFile()
{
    QTemporaryDir dir;
    const QString p = writeFile(dir.filePath("t.ini"),
                                "[General]\nBaseDades=/a/b.db\n\n[Parametres]\n; keep me\nMinutsCella=30\nIdioma=CT\n"
                                "[Idiomes]\n(CT)=Català\n");
    QVERIFY(IniFile::write(p, "parametres", "minutscella", "15"));
    QVERIFY(IniFile::write(p, "Parametres", "MarcaSeleccio", "-> "));
    QVERIFY(IniFile::write(p, "Estat", "UltimDiaGen", "2010-03-14"));
    const QString text = QString::fromUtf8(readFile(p));
    QVERIFY(text.contains("[General]\nBaseDades=/a/b.db\n"));
    QVERIFY(text.contains("; keep me\n"));
    QVERIFY(text.contains("[Idiomes]\n(CT)=Català\n"));
    QCOMPARE(text.count("inutsCella="), 1);
    QCOMPARE(IniFile::read(p, "Parametres", "MinutsCella", ""), QString("15"));
    QCOMPARE(IniFile::read(p, "Parametres", "Idioma", ""), QString("CT"));
    QCOMPARE(IniFile::read(p, "Parametres", "MarcaSeleccio", ""), QString("-> "));
    QCOMPARE(IniFile::read(p, "Estat", "UltimDiaGen", ""), QString("2010-03-14"));
}

void TestPlatform::iniWriteCreatesFileAndSection()
{
    QTemporaryDir dir;
    const QString p = dir.filePath("new.ini");
    QVERIFY(IniFile::write(p, "Estat", "UltimDiaGen", "2010-01-31"));
    QCOMPARE(IniFile::read(p, "Estat", "UltimDiaGen", ""), QString("2010-01-31"));
}

void TestPlatform::iniSectionReadGivesNulSeparatedEntries()
{
    QTemporaryDir dir;
    const QString p = writeFile(dir.filePath("t.ini"), "[X]\na=1\nb=2\n[Y]\nc=3\n");
    const QString s = IniFile::readSection(p, "x");
    QCOMPARE(s.size(), 8);
    QCOMPARE(s, QString("a=1") + QChar(0) + "b=2" + QChar(0));
    // A line that is no key counts as it stands (the language list's entries); comments and blanks do not.
    const QString llista = writeFile(dir.filePath("l.ini"), "[Idiomes]\n; languages\n (ES) Espa\xc3\xb1ol \n\n(EN)=English\n");
    QCOMPARE(IniFile::readSection(llista, "Idiomes"), QString("(ES) Español") + QChar(0) + "(EN)=English" + QChar(0));
    QCOMPARE(IniFile::readSection(p, "Z"), QString());
}

void TestPlatform::iniWriteFailureIsReported()
{
    QTemporaryDir dir;
    // The folder of the file is really a file: nothing can be written there.
    const QString blocker = writeFile(dir.filePath("notadir"), "x");
    QVERIFY(!IniFile::write(blocker + "/Torvanel.ini", "Estat", "UltimDiaGen", "2010-01-31"));
    // The file's name is taken by a folder.
    QVERIFY(QDir(dir.path()).mkdir("Torvanel.ini"));
    QVERIFY(!IniFile::write(dir.filePath("Torvanel.ini"), "Estat", "UltimDiaGen", "2010-01-31"));
    // A folder without write permission (only meaningful when not running as root).
    QTemporaryDir ro;
    const QString p = writeFile(ro.filePath("t.ini"), "[S]\nk=1\n");
    QFile::setPermissions(ro.path(), QFile::ReadOwner | QFile::ExeOwner);
    QFile::setPermissions(p, QFile::ReadOwner);
    const bool written = IniFile::write(p, "S", "k", "2");
    QCOMPARE(written, IniFile::read(p, "S", "k", "") == "2"); // reported exactly as it happened
    QFile::setPermissions(ro.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestPlatform::iniWriteRefusesWhatWouldBreakTheFile_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("line break in the value") << "General" << "BaseDades" << "/a.db\n[Parametres]\nIdioma=XX";
    QTest::newRow("carriage return in the value") << "General" << "BaseDades" << "/a.db\rIdioma=XX";
    QTest::newRow("line break in the key") << "General" << "Base\nDades" << "x";
    QTest::newRow("empty key") << "General" << "" << "x";
    QTest::newRow("key with =") << "General" << "a=b" << "x";
    QTest::newRow("comment key") << "General" << ";x" << "x";
    QTest::newRow("bracket in the section") << "Gen]eral" << "BaseDades" << "x";
    QTest::newRow("empty section") << "" << "BaseDades" << "x";
}

void TestPlatform::iniWriteRefusesWhatWouldBreakTheFile()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QByteArray before = "[General]\nBaseDades=/b.db\n[Parametres]\nIdioma=CT\n";
    const QString p = writeFile(dir.filePath("t.ini"), before);
    QVERIFY(!IniFile::write(p, section, key, value));
    QCOMPARE(readFile(p), before);
}

void TestPlatform::iniLegacyEncodingSurvivesAWrite_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Latin-1") << QByteArray("[Idiomes]\n(CT)=Catal\xe0\n(ES)=Espa\xf1ol\n");
    // The mark says UTF-8 but the bytes after it are not: read as without it.
    QTest::newRow("Latin-1 after a UTF-8 mark") << QByteArray("\xef\xbb\xbf[Idiomes]\n(CT)=Catal\xe0\n(ES)=Espa\xf1ol\n");
    QTest::newRow("UTF-8 after its mark")
        << QByteArray("\xef\xbb\xbf[Idiomes]\n(CT)=Catal\xc3\xa0\n(ES)=Espa\xc3\xb1ol\n");
}

void TestPlatform::iniLegacyEncodingSurvivesAWrite()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString p = writeFile(dir.filePath("t.ini"), bytes);
    QCOMPARE(IniFile::read(p, "Idiomes", "(CT)", ""), QString("Català"));
    QVERIFY(IniFile::write(p, "Estat", "UltimDiaGen", "2010-01-31"));
    QCOMPARE(IniFile::read(p, "Idiomes", "(ES)", ""), QString("Español"));
    QCOMPARE(IniFile::read(p, "Estat", "UltimDiaGen", ""), QString("2010-01-31"));
    QVERIFY(readFile(p).contains("(CT)=Catal\xc3\xa0\n"));
}

void TestPlatform::transactionsRecoverAfterErrors()
{
    QTemporaryDir dir;
    auto db = Db::create(dir.filePath("t.db"));
    db->exec("CREATE TABLE p (k TEXT PRIMARY KEY)");
    db->exec("CREATE TABLE c (k TEXT REFERENCES p(k) DEFERRABLE INITIALLY DEFERRED)");
    const auto keys = [&] { return db->scalar("SELECT group_concat(k, ',') FROM (SELECT k FROM p ORDER BY k)").toString(); };

    // A COMMIT that fails is reported, keeps nothing and leaves the connection usable.
    {
        Transaction t(*db);
        db->exec("INSERT INTO p VALUES ('lost')");
        db->exec("INSERT INTO c VALUES ('nobody')");
        QVERIFY_THROWS_EXCEPTION(DbError, t.commit());
    }
    QCOMPARE(db->transactionDepth(), 0);
    QCOMPARE(keys(), QString());

    // A failure inside a nested unit undoes only that unit.
    {
        Transaction outer(*db);
        db->exec("INSERT INTO p VALUES ('a')");
        try {
            Transaction inner(*db);
            db->exec("INSERT INTO p VALUES ('b')");
            db->exec("INSERT INTO p VALUES ('a')");
            inner.commit();
        } catch (const DbError&) {
        }
        QCOMPARE(db->transactionDepth(), 1);
        outer.commit();
    }
    QCOMPARE(keys(), QString("a"));

    // A cached statement left open by a rolled-back unit runs again afterwards.
    {
        Transaction t(*db);
        QSqlQuery& q = db->cached("SELECT k FROM p WHERE k >= ? ORDER BY k", {""});
        QVERIFY(q.next());
        db->exec("INSERT INTO p VALUES ('z')");
    }
    QSqlQuery& q = db->cached("SELECT k FROM p WHERE k >= ? ORDER BY k", {""});
    QStringList seen;
    while (q.next()) seen << q.value(0).toString();
    QCOMPARE(seen, QStringList{"a"});
    QCOMPARE(db->transactionDepth(), 0);
}

void TestPlatform::wholeFileTakesAwayOnlyLeftoversOfItsOwn_data()
{
    QTest::addColumn<QString>("carpeta");   // where it lies: "programa", "base de dades" (elsewhere), "documents"
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("mena");      // "fitxer", "enllaç" (to a file beside it), "carpeta"
    QTest::addColumn<int>("minuts");        // age
    QTest::addColumn<bool>("alEscriure");   // goes when a file is written in its folder
    QTest::addColumn<bool>("aLInici");      // goes when the program starts
    QTest::newRow("a killed writer's part") << "programa" << ".Torvanel-a1B2c3.part" << "fitxer" << 31 << true << true;
    QTest::newRow("a part being written") << "programa" << ".Torvanel-d4E5f6.part" << "fitxer" << 5 << false << true;
    QTest::newRow("a killed backup's journal")
        << "programa" << ".Torvanel-a1B2c3.part-journal" << "fitxer" << 31 << true << true;
    QTest::newRow("a journal being written")
        << "programa" << ".Torvanel-d4E5f6.part-journal" << "fitxer" << 5 << false << true;
    QTest::newRow("beside a database elsewhere")
        << "base de dades" << ".Torvanel-g7H8i9.part-journal" << "fitxer" << 5 << false << true;
    QTest::newRow("in the documents folder") << "documents" << ".Torvanel-j1K2l3.part" << "fitxer" << 5 << false << true;
    QTest::newRow("not one of ours") << "programa" << ".Torvanel-nostre.pdf" << "fitxer" << 90 << false << false;
    QTest::newRow("a longer name") << "programa" << ".Torvanel-a1B2c3d.part" << "fitxer" << 90 << false << false;
    QTest::newRow("not hidden") << "programa" << "Torvanel-a1B2c3.part" << "fitxer" << 90 << false << false;
    QTest::newRow("another journal") << "programa" << ".Torvanel-a1B2c3.part-wal" << "fitxer" << 90 << false << false;
    QTest::newRow("a link of that name") << "programa" << ".Torvanel-l1N2k3.part" << "enllaç" << 90 << false << false;
    QTest::newRow("a folder of that name") << "programa" << ".Torvanel-c1A2r3.part" << "carpeta" << 90 << false << false;
}

void TestPlatform::wholeFileTakesAwayOnlyLeftoversOfItsOwn()
{
    QFETCH(QString, carpeta);
    QFETCH(QString, nom);
    QFETCH(QString, mena);
    QFETCH(int, minuts);
    QFETCH(bool, alEscriure);
    QFETCH(bool, aLInici);
    TestSupport::resetSeams();
    QTemporaryDir baseDades;
    QTemporaryDir documents;
    SortidaImpressio::setCarpetaProves(documents.path());
    TestSupport::ProgramFolder pf;
    pf.createDatabases();
    QVERIFY(QFile::copy(defaultDatabasePath(), baseDades.filePath("Empresa.db")));
    pf.writeIni("[General]\nBaseDades=" + baseDades.filePath("Empresa.db") + "\n");
    const QDir dir(carpeta == u"programa" ? pf.path() : carpeta == u"documents" ? documents.path() : baseDades.path());
    const QString path = dir.filePath(nom);
    const QString desti = dir.filePath("Desti.txt");
    const auto hiEs = [&] { return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System).contains(nom); };
    const auto deixa = [&] {
        if (hiEs()) return;
        if (mena == u"carpeta") {
            QVERIFY(dir.mkdir(nom));
        } else {
            QFile f(mena == u"enllaç" ? desti : path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("part");
            f.close();
            if (mena == u"enllaç") QVERIFY(QFile::link(desti, path));
        }
        const timespec quan{Clock::now().addSecs(-60 * minuts).toSecsSinceEpoch(), 0};
        const timespec temps[2] = {quan, quan};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), temps, AT_SYMLINK_NOFOLLOW), 0);
    };

    // A file written in the folder takes away what a killed program left
    // there half an hour ago or more; it is saved whole.
    deixa();
    FitxerSencer f(dir.filePath("Document.pdf"));
    QVERIFY(f.obre());
    QCOMPARE(f.write("%PDF sencer"), qint64(11));
    QVERIFY(f.desa());
    QCOMPARE(hiEs(), !alEscriure);
    QCOMPARE(readFile(dir.filePath("Document.pdf")), QByteArray("%PDF sencer"));

    // At start every leftover of ours goes, whatever its age, and nothing else.
    deixa();
    pf.start();
    QCOMPARE(hiEs(), !aLInici);
    if (mena == u"enllaç") QCOMPARE(readFile(desti), QByteArray("part"));
    QVERIFY(QFile::exists(dir.filePath("Document.pdf")));
}

void TestPlatform::wholeFileStaysWhenItsFolderCannotBeSynced_data()
{
    QTest::addColumn<int>("err");
    QTest::addColumn<bool>("posat");   // written by someone else and put in place, else written through the device
    QTest::newRow("a folder that can be written but not read") << EACCES << false;
    QTest::newRow("a file system that syncs no folder") << EINVAL << false;
    QTest::newRow("a backup put in place") << EACCES << true;
}

void TestPlatform::wholeFileStaysWhenItsFolderCannotBeSynced()
{
    QFETCH(int, err);
    QFETCH(bool, posat);
    QTemporaryDir dir;
    const QString desti = dir.filePath("Document.pdf");
    const QString carpeta = QDir::toNativeSeparators(dir.path());
    // The file is there whole: a line in the log says the rest, and a file
    // system that cannot sync a folder at all is no news.
    if (err == EINVAL)
        QTest::failOnWarning(QRegularExpression(".*"));
    else
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Torvanel: %1 is saved, but its folder %2 could not be synced: %3")
                                                          .arg(QDir::toNativeSeparators(desti), carpeta,
                                                               QString::fromLocal8Bit(std::strerror(err)))));
    FitxerSencer::setFallaSincronitzaCarpeta(err);
    const auto neteja = qScopeGuard([] { FitxerSencer::setFallaSincronitzaCarpeta(0); });
    bool desat = false;
    QString motiu;
    if (posat) {
        const QString temporal = FitxerSencer::creaTemporal(carpeta, &motiu);
        QVERIFY(!temporal.isEmpty());
        writeFile(temporal, "%PDF sencer");
        desat = FitxerSencer::posaAlLloc(temporal, desti, &motiu);
    } else {
        FitxerSencer f(desti);
        QVERIFY(f.obre());
        QCOMPARE(f.write("%PDF sencer"), qint64(11));
        desat = f.desa();
        motiu = f.motiu();
    }
    QVERIFY(desat);
    QCOMPARE(motiu, QString());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Document.pdf"});
    QCOMPARE(readFile(desti), QByteArray("%PDF sencer"));
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "TestPlatform.moc"
