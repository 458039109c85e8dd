// The date rules of the planning run, without a database.
#include "ReglesPlanificacio.h"

#include <QTest>

namespace {
constexpr int Diumenge = 1, Dilluns = 2, Dissabte = 7;
constexpr int SetmanaDilluns = 2;

QDate dia(int y, int m, int d) { return QDate(y, m, d); }

LlocPlanificable periodic(int periode, int diaSetmana = 0, bool dissabte = false, bool diumenge = false)
{
    LlocPlanificable l;
    l.nom = QStringLiteral("Lloc");
    l.periodicitat = periode;
    l.diaSetmana = diaSetmana;
    l.dissabte = dissabte;
    l.diumenge = diumenge;
    return l;
}

LlocPlanificable mensual(bool primer, bool ultim, int diaSetmana = 0, bool dissabte = false, bool diumenge = false)
{
    LlocPlanificable l = periodic(30, diaSetmana, dissabte, diumenge);
    l.primerDiaMes = primer;
    l.ultimDiaMes = ultim;
    return l;
}
} // namespace

using Dies = QList<QDate>;
Q_DECLARE_METATYPE(LlocPlanificable)

class TestPlanningRules : public QObject {
    Q_OBJECT
private slots:
    void diaPlanificatFindsMonthlyDay_data()
    {
        QTest::addColumn<QDate>("dia");
        QTest::addColumn<int>("diaSetmana");
        QTest::addColumn<bool>("primer");
        QTest::addColumn<bool>("ultim");
        QTest::addColumn<QDate>("esperat");
        QTest::newRow("first Monday") << dia(2010, 1, 15) << Dilluns << true << false << dia(2010, 2, 1);
        QTest::newRow("last Monday") << dia(2010, 1, 15) << Dilluns << false << true << dia(2010, 1, 25);
        QTest::newRow("first and last, no weekday") << dia(2010, 1, 15) << 0 << true << true << dia(2010, 2, 28);
        QTest::newRow("first Monday is the day") << dia(2010, 3, 1) << Dilluns << true << false << dia(2010, 3, 1);
        QTest::newRow("first Monday of next month") << dia(2010, 3, 2) << Dilluns << true << false << dia(2010, 4, 5);
        QTest::newRow("first day across the year") << dia(2010, 12, 2) << 0 << true << false << dia(2011, 1, 1);
        QTest::newRow("first day is the day") << dia(2010, 5, 1) << 0 << true << false << dia(2010, 5, 1);
        QTest::newRow("last day") << dia(2010, 2, 3) << 0 << false << true << dia(2010, 2, 28);
        QTest::newRow("last day is the day") << dia(2010, 1, 31) << 0 << false << true << dia(2010, 1, 31);
        QTest::newRow("last day of leap February") << dia(2012, 2, 1) << 0 << false << true << dia(2012, 2, 29);
    }
    void diaPlanificatFindsMonthlyDay()
    {
        QFETCH(QDate, dia);
        QFETCH(int, diaSetmana);
        QFETCH(bool, primer);
        QFETCH(bool, ultim);
        QFETCH(QDate, esperat);
        QCOMPARE(Dia_Planificat(dia, diaSetmana, primer, ultim), esperat);
    }

    void weekNumbersStartOnTheLocaleFirstDay()
    {
        QCOMPARE(setmanaDelAny(dia(2010, 1, 1), SetmanaDilluns), 1);
        QCOMPARE(setmanaDelAny(dia(2010, 1, 3), SetmanaDilluns), 1);
        QCOMPARE(setmanaDelAny(dia(2010, 1, 4), SetmanaDilluns), 2);
        QCOMPARE(setmanaDelAny(dia(2010, 1, 10), SetmanaDilluns), 2);
        QCOMPARE(setmanaDelAny(dia(2010, 1, 3), Diumenge), 2);
    }

    void periodicRule_data()
    {
        QTest::addColumn<int>("periode");
        QTest::addColumn<int>("diaSetmana");
        QTest::addColumn<bool>("dissabte");
        QTest::addColumn<bool>("diumenge");
        QTest::addColumn<QDate>("ultimaFeina");
        QTest::addColumn<QDate>("primer");
        QTest::addColumn<QDate>("ultim");
        QTest::addColumn<Dies>("esperat");

        // Wednesday 6 January 2010: the Monday of its week is before the
        // period, so one period is added.
        QTest::newRow("alignment overshoot") << 14 << Dilluns << false << false << QDate() << dia(2010, 1, 6)
                                             << dia(2010, 2, 7) << Dies{dia(2010, 1, 18), dia(2010, 2, 1)};
        QTest::newRow("every week from the first day")
            << 7 << 0 << false << false << QDate() << dia(2010, 1, 4) << dia(2010, 1, 25)
            << Dies{dia(2010, 1, 4), dia(2010, 1, 11), dia(2010, 1, 18), dia(2010, 1, 25)};
        QTest::newRow("old job: starts on the first day")
            << 7 << 0 << false << false << dia(2009, 11, 2) << dia(2010, 1, 6) << dia(2010, 1, 14)
            << Dies{dia(2010, 1, 6), dia(2010, 1, 13)};
        QTest::newRow("series goes on from the latest job")
            << 7 << 0 << false << false << dia(2010, 1, 5) << dia(2010, 1, 8) << dia(2010, 1, 20)
            << Dies{dia(2010, 1, 12), dia(2010, 1, 19)};
        QTest::newRow("latest job after the period")
            << 7 << 0 << false << false << dia(2010, 3, 1) << dia(2010, 1, 1) << dia(2010, 1, 31) << Dies{};
        // Saturday 9 January 2010 moves to Monday 11; the series counts from it.
        QTest::newRow("Saturday to Monday") << 10 << 0 << false << false << QDate() << dia(2010, 1, 9)
                                            << dia(2010, 2, 1)
                                            << Dies{dia(2010, 1, 11), dia(2010, 1, 21), dia(2010, 2, 1)};
        QTest::newRow("Saturday accepted") << 7 << 0 << true << false << QDate() << dia(2010, 1, 9)
                                           << dia(2010, 1, 16) << Dies{dia(2010, 1, 9), dia(2010, 1, 16)};
        QTest::newRow("Saturday to Sunday accepted")
            << 7 << 0 << false << true << QDate() << dia(2010, 1, 9) << dia(2010, 1, 17)
            << Dies{dia(2010, 1, 10), dia(2010, 1, 17)};
        QTest::newRow("Sunday to Monday") << 7 << 0 << false << false << QDate() << dia(2010, 1, 10)
                                          << dia(2010, 1, 18) << Dies{dia(2010, 1, 11), dia(2010, 1, 18)};
        QTest::newRow("moved past the last day") << 7 << 0 << false << false << QDate() << dia(2010, 1, 10)
                                                 << dia(2010, 1, 10) << Dies{};
        QTest::newRow("fixed Saturday though not accepted")
            << 7 << Dissabte << false << false << QDate() << dia(2010, 1, 4) << dia(2010, 1, 17)
            << Dies{dia(2010, 1, 9), dia(2010, 1, 16)};
        QTest::newRow("fixed Sunday though not accepted")
            << 7 << Diumenge << false << false << QDate() << dia(2010, 1, 4) << dia(2010, 1, 18)
            << Dies{dia(2010, 1, 10), dia(2010, 1, 17)};
        QTest::newRow("weekly on Monday across New Year")
            << 7 << Dilluns << false << false << QDate() << dia(2010, 12, 20) << dia(2011, 1, 12)
            << Dies{dia(2010, 12, 20), dia(2010, 12, 27), dia(2011, 1, 3), dia(2011, 1, 10)};
        QTest::newRow("first after last") << 7 << 0 << false << false << QDate() << dia(2010, 2, 1)
                                          << dia(2010, 1, 1) << Dies{};
    }
    void periodicRule()
    {
        QFETCH(int, periode);
        QFETCH(int, diaSetmana);
        QFETCH(bool, dissabte);
        QFETCH(bool, diumenge);
        QFETCH(QDate, ultimaFeina);
        QFETCH(QDate, primer);
        QFETCH(QDate, ultim);
        QFETCH(Dies, esperat);
        QCOMPARE(diesPeriodics(periodic(periode, diaSetmana, dissabte, diumenge), ultimaFeina, primer, ultim,
                               SetmanaDilluns),
                 esperat);
    }

    // With weeks beginning on Monday a Sunday alignment can fall back into
    // the week already planned; the same day is never planned twice.
    void alignmentNeverRepeatsADay()
    {
        const Dies d = diesPeriodics(periodic(3, Diumenge, false, false), QDate(), dia(2010, 1, 10),
                                     dia(2010, 2, 28), SetmanaDilluns);
        QVERIFY(!d.isEmpty());
        for (int i = 1; i < d.size(); ++i) QVERIFY2(d[i - 1] < d[i], qPrintable(d[i].toString()));
    }

    void monthlyRule_data()
    {
        QTest::addColumn<LlocPlanificable>("lloc");
        QTest::addColumn<QDate>("primer");
        QTest::addColumn<QDate>("ultim");
        QTest::addColumn<Dies>("esperat");
        QTest::newRow("first of the month") << mensual(true, false) << dia(2010, 1, 15) << dia(2010, 3, 31)
                                            << Dies{dia(2010, 2, 1), dia(2010, 3, 1)};
        // 31 January 2010 is a Sunday.
        QTest::newRow("last of the month back to Friday")
            << mensual(false, true) << dia(2010, 1, 1) << dia(2010, 1, 31) << Dies{dia(2010, 1, 29)};
        QTest::newRow("last Sunday back to Saturday when accepted")
            << mensual(false, true, 0, true) << dia(2010, 1, 1) << dia(2010, 1, 31) << Dies{dia(2010, 1, 30)};
        // 1 May 2010 is a Saturday.
        QTest::newRow("first Saturday forward to Monday")
            << mensual(true, false) << dia(2010, 4, 15) << dia(2010, 5, 31) << Dies{dia(2010, 5, 3)};
        QTest::newRow("first Saturday forward to Sunday when accepted")
            << mensual(true, false, 0, false, true) << dia(2010, 4, 15) << dia(2010, 5, 31) << Dies{dia(2010, 5, 2)};
        QTest::newRow("last Saturday back to Friday")
            << mensual(false, true) << dia(2010, 7, 1) << dia(2010, 7, 31) << Dies{dia(2010, 7, 30)};
        QTest::newRow("first Monday of each month") << mensual(true, false, Dilluns) << dia(2010, 1, 15)
                                                   << dia(2010, 4, 30) << Dies{dia(2010, 2, 1), dia(2010, 3, 1), dia(2010, 4, 5)};
        QTest::newRow("fixed Saturday not moved")
            << mensual(false, true, Dissabte) << dia(2010, 1, 1) << dia(2010, 1, 31) << Dies{dia(2010, 1, 30)};
        QTest::newRow("first after last") << mensual(true, false) << dia(2010, 3, 1) << dia(2010, 2, 1) << Dies{};
    }
    void monthlyRule()
    {
        QFETCH(LlocPlanificable, lloc);
        QFETCH(QDate, primer);
        QFETCH(QDate, ultim);
        QFETCH(Dies, esperat);
        QCOMPARE(diesMensuals(lloc, primer, ultim), esperat);
    }

    // Two consecutive periods split at a visit's nominal and moved days:
    // the visit is planned exactly once, in the period holding the moved day.
    void monthlyVisitBelongsToThePeriodOfItsMovedDay_data()
    {
        QTest::addColumn<LlocPlanificable>("lloc");
        QTest::addColumn<QDate>("tall");   // last day of the first period
        QTest::addColumn<QDate>("visita");
        // Sunday 31 January 2010 moves back to Friday 29, into the first period.
        QTest::newRow("last of month moved back") << mensual(false, true) << dia(2010, 1, 30) << dia(2010, 1, 29);
        // Saturday 1 May 2010 moves forward to Monday 3, into the second period.
        QTest::newRow("first of month moved forward") << mensual(true, false) << dia(2010, 5, 1) << dia(2010, 5, 3);
        QTest::newRow("cut on the moved day") << mensual(true, false) << dia(2010, 5, 3) << dia(2010, 5, 3);
        QTest::newRow("first and last, cut mid-month") << mensual(true, true) << dia(2010, 5, 20) << dia(2010, 5, 31);
    }
    void monthlyVisitBelongsToThePeriodOfItsMovedDay()
    {
        QFETCH(LlocPlanificable, lloc);
        QFETCH(QDate, tall);
        QFETCH(QDate, visita);
        const QDate inici = tall.addDays(-20), fi = tall.addDays(20);
        const Dies primera = diesMensuals(lloc, inici, tall);
        const Dies segona = diesMensuals(lloc, tall.addDays(1), fi);
        QCOMPARE(primera.count(visita) + segona.count(visita), 1);
        QCOMPARE(primera.contains(visita), visita <= tall);
        QCOMPARE(primera + segona, diesMensuals(lloc, inici, fi));
    }
};

QTEST_GUILESS_MAIN(TestPlanningRules)
#include "TestPlanningRules.moc"
