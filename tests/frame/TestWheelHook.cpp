// One row of scrolling per wheel step for the grid that has the focus.
#include "Graella.h"
#include "RodaRatoli.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

class TestWheelHook : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void oneRowPerWheelStep_data();
    void oneRowPerWheelStep();
    void unhookedGridIsLeftAlone();
    void onlyOneGridIsHookedAtATime();

private:
    void roda(Graella* g, int delta);
    Graella* graella();
    QWidget* finestra_ = nullptr;
};

void TestWheelHook::init()
{
    finestra_ = new QWidget;
    finestra_->resize(300, 300);
}

void TestWheelHook::cleanup()
{
    Desactiva_Roda_Ratoli();
    delete finestra_;
}

Graella* TestWheelHook::graella()
{
    auto* g = new Graella(finestra_);
    g->setGeometry(0, 0, 200, 200);
    g->setRows(100);
    g->setCols(1);
    g->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    for (int r = 0; r < 100; ++r) g->setTextMatrix(r, 0, QString::number(r));
    return g;
}

void TestWheelHook::roda(Graella* g, int delta)
{
    const QPointF p(20, 20);
    QWheelEvent e(p, g->viewport()->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(g->viewport(), &e);
}

void TestWheelHook::oneRowPerWheelStep_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("fila");
    QTest::newRow("one notch toward the user") << -120 << 11;
    QTest::newRow("three notches in one message") << -360 << 11;
    QTest::newRow("one notch away from the user") << 120 << 9;
    QTest::newRow("a fine-grained step") << 15 << 9;
}

void TestWheelHook::oneRowPerWheelStep()
{
    QFETCH(int, delta);
    Graella* g = graella();
    finestra_->show();
    QVERIFY(QTest::qWaitForWindowExposed(finestra_));
    g->verticalScrollBar()->setValue(10);
    Activa_Roda_Ratoli(g);
    QCOMPARE(Graella_Roda_Ratoli(), g);
    roda(g, delta);
    QTEST(g->verticalScrollBar()->value(), "fila");
}

void TestWheelHook::unhookedGridIsLeftAlone()
{
    Graella* g = graella();
    finestra_->show();
    QVERIFY(QTest::qWaitForWindowExposed(finestra_));
    g->verticalScrollBar()->setValue(10);
    Activa_Roda_Ratoli(g);
    Desactiva_Roda_Ratoli(g);
    QCOMPARE(Graella_Roda_Ratoli(), nullptr);
    roda(g, -120);
    // The grid's own scrolling (several rows), not the hook's single row.
    QVERIFY(g->verticalScrollBar()->value() != 11);
}

void TestWheelHook::onlyOneGridIsHookedAtATime()
{
    Graella* a = graella();
    Graella* b = graella();
    b->move(0, 200);
    finestra_->show();
    QVERIFY(QTest::qWaitForWindowExposed(finestra_));
    a->verticalScrollBar()->setValue(10);
    Activa_Roda_Ratoli(a);
    Activa_Roda_Ratoli(b);  // a second activation moves the hook
    QCOMPARE(Graella_Roda_Ratoli(), b);
    roda(a, -120);
    QVERIFY(a->verticalScrollBar()->value() != 11);
    // Unhooking a grid that is not hooked leaves the hooked one alone.
    Desactiva_Roda_Ratoli(a);
    QCOMPARE(Graella_Roda_Ratoli(), b);
    b->verticalScrollBar()->setValue(10);
    roda(b, -120);
    QCOMPARE(b->verticalScrollBar()->value(), 11);
}

QTEST_MAIN(TestWheelHook)
#include "TestWheelHook.moc"
