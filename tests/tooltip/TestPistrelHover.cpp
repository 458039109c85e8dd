#include "Pistrel.h"
#include "PistrelTipWindow.h"
#include "QuietOffscreen.h"

#include <QEnterEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPointer>
#include <QTableWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// A board-like widget that may run code during its own press handling.
class Board : public QWidget
{
public:
    std::function<void()> onPress;

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        if (onPress)
            onPress();
        QWidget::mousePressEvent(e);
    }
};

}  // namespace

class TestPistrelHover : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Board> owner;
    std::unique_ptr<QWidget> elsewhere;
    QPointer<Pistrel> tip;
    QPoint cursor;
    QWidget* under = nullptr;

    Pistrel* makeTip(QObject* parent = nullptr)
    {
        auto* t = new Pistrel(parent);
        t->setCursorProvider([this] { return cursor; });
        t->setWidgetAtProvider([this](const QPoint&) { return under; });
        return t;
    }

    // Arms the tip over the owner with the cursor resting on it.
    void armOver(const PistrelProperties& props, QWidget* on = nullptr)
    {
        QWidget* w = on ? on : owner.get();
        QVERIFY(tip->EstablecerPropiedades(props));
        under = under ? under : w;
        QVERIFY(tip->MostrarToolTip(w, QStringLiteral("Dl 3"), QStringLiteral("08:00 Lloc"), 0));
    }

    int ticksUntilShown(int limit = 3)
    {
        for (int i = 1; i <= limit; ++i) {
            tip->tick();
            if (tip->tipWindow())
                return i;
        }
        return -1;
    }

    void send(QWidget* w, QEvent::Type type)
    {
        if (type == QEvent::MouseButtonPress) {
            QMouseEvent e(type, QPointF(5, 5), QPointF(5, 5), QPointF(cursor), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(w, &e);
        } else if (type == QEvent::Enter) {
            QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(cursor));
            QCoreApplication::sendEvent(w, &e);
        } else {
            QEvent e(type);
            QCoreApplication::sendEvent(w, &e);
        }
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Catalan, QLocale::Spain));
        quietOffscreenWarnings();
    }

    void init()
    {
        owner = std::make_unique<Board>();
        elsewhere = std::make_unique<QWidget>();
        cursor = QPoint(300, 300);
        under = nullptr;
        tip = makeTip();
    }

    void cleanup()
    {
        delete tip.data();
        owner.reset();
        elsewhere.reset();
    }

    void showsAtTheRightTick_data()
    {
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("tick");
        QTest::newRow("delay 0: first tick at rest") << 0 << 1;
        QTest::newRow("delay 1: second tick") << int(Delay_Inmediato) << 2;
        QTest::newRow("delay 5") << 5 << 6;
    }

    void showsAtTheRightTick()
    {
        QFETCH(int, delay);
        QFETCH(int, tick);
        armOver({.Delay = delay});
        QVERIFY(tip->isTicking());
        QCOMPARE(ticksUntilShown(20), tick);
        QVERIFY(tip->tipWindow()->isVisible());
    }

    void movingResetsTheWait()
    {
        armOver({.Delay = 3});
        tip->tick();
        tip->tick();
        tip->tick();
        cursor += QPoint(4, 0);
        tip->tick();  // moved: the count starts again
        QCOMPARE(ticksUntilShown(20), 4);
        cursor += QPoint(4, 0);  // moving while the tip is up restarts nothing
        tip->tick();
        QVERIFY(tip->tipWindow());
    }

    void hidesAfterItsDurationAndStopsTicking()
    {
        armOver({.Delay = 0, .Duracion = 3});
        QCOMPARE(ticksUntilShown(), 1);
        for (int i = 0; i < 3; ++i) {
            tip->tick();
            QVERIFY(tip->tipWindow());
        }
        tip->tick();
        QVERIFY(!tip->tipWindow());
        QVERIFY(!tip->isTicking());
    }

    void leavingHides_data()
    {
        QTest::addColumn<bool>("ontoChild");
        QTest::addColumn<bool>("afterDuration");
        QTest::newRow("onto another widget") << false << false;
        QTest::newRow("onto a child of the owner") << true << false;
        QTest::newRow("after the tip's duration") << false << true;
    }

    void leavingHides()
    {
        QFETCH(bool, ontoChild);
        QFETCH(bool, afterDuration);
        auto* child = new QWidget(owner.get());
        armOver({.Delay = 0, .Duracion = 1});
        QCOMPARE(ticksUntilShown(), 1);
        if (afterDuration) {
            tip->tick();
            tip->tick();  // hidden, idle until the cursor leaves
            QVERIFY(!tip->tipWindow() && tip->isShown());
        }
        under = ontoChild ? child : elsewhere.get();
        send(owner.get(), QEvent::Leave);
        tip->tick();
        QVERIFY(!tip->tipWindow());
        QVERIFY(!tip->isShown() && !tip->isTracking() && !tip->isTicking());
    }

    void pressHidesAndRearms()
    {
        armOver({.Delay = 0});
        QCOMPARE(ticksUntilShown(), 1);
        send(owner.get(), QEvent::MouseButtonPress);
        QVERIFY(!tip->tipWindow());
        QVERIFY(!tip->isTicking());
        QVERIFY(tip->isArmed());
        // Shown again once the cursor has left and come back.
        under = elsewhere.get();
        send(owner.get(), QEvent::Leave);
        under = owner.get();
        send(owner.get(), QEvent::Enter);
        QCOMPARE(ticksUntilShown(), 1);
    }

    void secondShowRearmsWithNewContent()
    {
        armOver({.Delay = 0});
        QCOMPARE(ticksUntilShown(), 1);
        QPointer<PistrelTipWindow> first = tip->tipWindow();
        QVERIFY(tip->MostrarToolTip(owner.get(), QStringLiteral("Dt 4"), QStringLiteral("09:00"), 0));
        QVERIFY(first.isNull());
        QCOMPARE(ticksUntilShown(), 1);
        QCOMPARE(tip->tipWindow()->scene().title, QStringLiteral("Dt 4"));
    }

    void refusesBadArgumentsAndChangesNothing_data()
    {
        QTest::addColumn<int>("alpha");
        QTest::addColumn<bool>("noOwner");
        QTest::newRow("alpha -1") << -1 << false;
        QTest::newRow("alpha 101") << 101 << false;
        QTest::newRow("alpha 255") << 255 << false;
        QTest::newRow("no owner") << 100 << true;
    }

    void refusesBadArgumentsAndChangesNothing()
    {
        QFETCH(int, alpha);
        QFETCH(bool, noOwner);
        armOver({.Delay = 0});
        QCOMPARE(ticksUntilShown(), 1);
        QPointer<PistrelTipWindow> shown = tip->tipWindow();
        Board other;
        QVERIFY(!tip->MostrarToolTip(noOwner ? nullptr : &other, QStringLiteral("Nou"),
                                     QStringLiteral("y"), ICONO_INFO, alpha));
        QVERIFY(!tip->lastError().isEmpty());
        QCOMPARE(tip->owner(), owner.get());
        QCOMPARE(tip->title(), QStringLiteral("Dl 3"));
        QCOMPARE(tip->icon(), 0);
        QCOMPARE(tip->transparency(), 100);
        QCOMPARE(tip->tipWindow(), shown.data());
        // Still watching the owner: a press there hides the tip.
        send(owner.get(), QEvent::MouseButtonPress);
        QVERIFY(shown.isNull());
    }

    void refusesBadPropertiesAndKeepsTheOldOnes()
    {
        QVERIFY(tip->EstablecerPropiedades({.Delay = 7}));
        QVERIFY(!tip->EstablecerPropiedades({.Delay = -1}));
        QVERIFY(!tip->EstablecerPropiedades({.TamañoIcono = 100000}));
        QVERIFY(!tip->lastError().isEmpty());
        QCOMPARE(tip->properties().Delay, 7);
        QCOMPARE(tip->properties().TamañoIcono, 16);
    }

    void settingsSurviveTheHover()
    {
        armOver({.Delay = 0, .ColorFondo = 0xFFFF, .Sombra = true, .Duracion = 2,
                 .EstiloToolTip = EstiloCuadrado});
        QCOMPARE(ticksUntilShown(), 1);
        for (int i = 0; i < 3; ++i)
            tip->tick();
        under = elsewhere.get();
        send(owner.get(), QEvent::Leave);
        under = owner.get();
        tip->MostrarToolTip(owner.get(), QStringLiteral("T"), QStringLiteral("x"), 0);
        QCOMPARE(ticksUntilShown(), 1);
        QCOMPARE(tip->properties().ColorFondo, 0xFFFFu);
        QCOMPARE(tip->tipWindow()->scene().background, QColor(255, 255, 0));
        QVERIFY(!tip->tipWindow()->scene().balloon);
        QVERIFY(tip->tipWindow()->hasShadow());
    }

    void unknownIconMeansNoIcon()
    {
        under = owner.get();
        tip->MostrarToolTip(owner.get(), QStringLiteral("T"), QStringLiteral("x"), 0);
        const QSize plain = tip->tipSize();
        QVERIFY(tip->MostrarToolTip(owner.get(), QStringLiteral("T"), QStringLiteral("x"), 4));
        QCOMPARE(tip->icon(), 0);
        QCOMPARE(tip->tipSize(), plain);
        tip->MostrarToolTip(owner.get(), QStringLiteral("T"), QStringLiteral("x"), ICONO_WARNING);
        QCOMPARE(tip->tipSize().width(), plain.width() + 25 + 16);
    }

    void hooksGoWhenEitherSideIsDestroyed_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("owner") << "owner";
        QTest::newRow("owner, tooltip its child") << "parent";
        QTest::newRow("tip window") << "tip";
        QTest::newRow("tooltip") << "tooltip";
    }

    void hooksGoWhenEitherSideIsDestroyed()
    {
        QFETCH(QString, what);
        if (what == QLatin1String("parent")) {
            delete tip.data();
            tip = makeTip(owner.get());
        }
        armOver({.Delay = 0});
        QCOMPARE(ticksUntilShown(), 1);
        QPointer<PistrelTipWindow> shown = tip->tipWindow();
        if (what == QLatin1String("tip")) {
            delete tip->tipWindow();
        } else if (what == QLatin1String("tooltip")) {
            delete tip.data();
            send(owner.get(), QEvent::MouseButtonPress);  // reaches nothing dead
        } else {
            under = nullptr;
            owner.reset();
        }
        QVERIFY(shown.isNull());
        if (tip) {
            QVERIFY(!tip->isArmed());
            tip->tick();
            QVERIFY(!tip->tipWindow());
        }
    }

    void releaseDuringTheOwnersPressIsSafe_data()
    {
        QTest::addColumn<bool>("deferred");
        QTest::newRow("deleteLater") << true;
        QTest::newRow("immediate delete") << false;
    }

    void releaseDuringTheOwnersPressIsSafe()
    {
        QFETCH(bool, deferred);
        armOver({.Delay = 0});
        QCOMPARE(ticksUntilShown(), 1);
        QPointer<PistrelTipWindow> shown = tip->tipWindow();
        owner->onPress = [this, deferred] { deferred ? tip->deleteLater() : delete tip.data(); };
        send(owner.get(), QEvent::MouseButtonPress);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(tip.isNull());
        QVERIFY(shown.isNull());
        owner->onPress = nullptr;
        send(owner.get(), QEvent::MouseButtonPress);
    }

    void scrollAreaOwnerIsWatchedThroughItsViewport()
    {
        QTableWidget grid(3, 3);
        grid.resize(400, 200);
        under = grid.viewport();
        armOver({.Delay = 0}, &grid);
        QCOMPARE(ticksUntilShown(), 1);
        const QModelIndex cell = grid.model()->index(1, 1);
        const QPointF at = grid.visualRect(cell).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(grid.viewport(), &press);
        QVERIFY(!tip->tipWindow());
        QCOMPARE(grid.currentIndex(), cell);  // the grid still handles its own press
        delete tip.data();
    }
};

QTEST_MAIN(TestPistrelHover)
#include "TestPistrelHover.moc"
