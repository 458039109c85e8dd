#include "PistrelHooks.h"

#include <QEvent>
#include <QLocale>
#include <QPointer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const auto Ping = static_cast<QEvent::Type>(QEvent::User + 1);
const auto Pong = static_cast<QEvent::Type>(QEvent::User + 2);

// An object that logs its own handling of events.
class Recorder : public QObject
{
public:
    explicit Recorder(QStringList* log) : log_(log) {}
    std::function<void()> onOwnHandling;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() < QEvent::User)
            return QObject::event(e);
        log_->append(QStringLiteral("own"));
        if (onOwnHandling)
            onOwnHandling();
        return true;
    }

private:
    QStringList* log_;
};

}  // namespace

class TestPistrelHooks : public QObject
{
    Q_OBJECT

private:
    QStringList log;
    bool handleBefore = false;
    std::function<void()> onBefore;
    std::function<void()> onAfter;
    QPointer<PistrelHooks> current;

    PistrelHooks* makeEngine()
    {
        return current = new PistrelHooks([this](PistrelHookCall& call) {
            log.append(call.before ? QStringLiteral("before") : QStringLiteral("after"));
            call.handled = call.before && handleBefore;
            const auto& then = call.before ? onBefore : onAfter;
            if (then)
                then();
        });
    }

    void send(QObject* target, QEvent::Type type)
    {
        QEvent e(type);
        QCoreApplication::sendEvent(target, &e);
        if (current)
            current->runPendingAfterHooks();  // what the event loop would do next
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Catalan, QLocale::Spain)); }

    void init()
    {
        log.clear();
        handleBefore = false;
        onBefore = nullptr;
        onAfter = nullptr;
    }

    void runsHooksAroundOwnHandling_data()
    {
        QTest::addColumn<int>("when");
        QTest::addColumn<bool>("handled");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("after") << int(PistrelHooks::After) << false << QStringList{"own", "after"};
        QTest::newRow("before") << int(PistrelHooks::Before) << false << QStringList{"before", "own"};
        QTest::newRow("both") << int(PistrelHooks::BeforeAndAfter) << false << QStringList{"before", "own", "after"};
        QTest::newRow("handled before: nothing else") << int(PistrelHooks::BeforeAndAfter) << true << QStringList{"before"};
    }

    void runsHooksAroundOwnHandling()
    {
        QFETCH(int, when);
        QFETCH(bool, handled);
        QFETCH(QStringList, expected);
        handleBefore = handled;
        Recorder target(&log);
        std::unique_ptr<PistrelHooks> engine(makeEngine());
        QVERIFY(engine->hook(&target));
        QVERIFY(!engine->hook(&target));
        QVERIFY(engine->addEvents(&target, Ping, PistrelHooks::When(when)));
        send(&target, Ping);
        QCOMPARE(log, expected);
    }

    void filtersInstalledEarlierStillSeeHookedEvents()
    {
        // A scroll area handles its viewport's events in a filter like this one.
        struct Earlier : QObject {
            QStringList* log;
            bool eventFilter(QObject*, QEvent*) override { log->append(QStringLiteral("earlier")); return false; }
        } earlier;
        earlier.log = &log;
        Recorder target(&log);
        target.installEventFilter(&earlier);
        std::unique_ptr<PistrelHooks> engine(makeEngine());
        engine->hook(&target);
        engine->addEvents(&target, Ping, PistrelHooks::BeforeAndAfter);
        send(&target, Ping);
        QCOMPARE(log, (QStringList{"before", "earlier", "own", "after"}));
    }

    void onlyListedEventsReachTheHook()
    {
        Recorder target(&log);
        std::unique_ptr<PistrelHooks> engine(makeEngine());
        QVERIFY(!engine->addEvents(&target, Ping, PistrelHooks::After));  // not hooked
        engine->hook(&target);
        engine->addEvents(&target, Ping, PistrelHooks::BeforeAndAfter);
        send(&target, Pong);
        QCOMPARE(log, QStringList{"own"});

        engine->addEvents(&target, PistrelHooks::AllEvents, PistrelHooks::After);
        QVERIFY(engine->removeEvents(&target, Ping, PistrelHooks::Before));
        send(&target, Pong);
        send(&target, Ping);
        QCOMPARE(log, (QStringList{"own", "own", "after", "own", "after"}));

        log.clear();
        engine->removeEvents(&target, PistrelHooks::AllEvents, PistrelHooks::After);
        send(&target, Ping);
        QCOMPARE(log, QStringList{"own"});
    }

    void unhooksOneOrAll()
    {
        Recorder a(&log);
        Recorder b(&log);
        std::unique_ptr<PistrelHooks> engine(makeEngine());
        for (QObject* t : {static_cast<QObject*>(&a), static_cast<QObject*>(&b)}) {
            engine->hook(t);
            engine->addEvents(t, Ping, PistrelHooks::After);
        }
        QVERIFY(engine->unhook(&a));
        send(&a, Ping);
        send(&b, Ping);
        QCOMPARE(log, (QStringList{"own", "own", "after"}));
        engine->unhookAll();
        send(&b, Ping);
        QCOMPARE(engine->hookCount(), 0);
        QCOMPARE(log.size(), 4);
    }

    void hookVanishesWhenTargetIsDestroyed()
    {
        std::unique_ptr<PistrelHooks> engine(makeEngine());
        auto* target = new Recorder(&log);
        engine->hook(target);
        engine->addEvents(target, PistrelHooks::AllEvents, PistrelHooks::BeforeAndAfter);
        QSignalSpy spy(engine.get(), &PistrelHooks::hookedObjectDestroyed);
        const quintptr address = quintptr(target);
        delete target;
        QCOMPARE(spy.count(), 1);
        QCOMPARE(quintptr(spy.at(0).at(0).value<QObject*>()), address);
        QCOMPARE(engine->hookCount(), 0);
    }

    void engineDestroyedAtAnyMomentIsSafe_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("before the event") << "before" << QStringList{"own", "own"};
        QTest::newRow("during the object's own handling") << "own" << QStringList{"own", "own"};
        QTest::newRow("in its before callback") << "beforeCallback" << QStringList{"before", "own", "own"};
        QTest::newRow("in its own callback") << "callback" << QStringList{"own", "after", "own"};
    }

    void engineDestroyedAtAnyMomentIsSafe()
    {
        QFETCH(QString, when);
        QFETCH(QStringList, expected);
        Recorder target(&log);
        QPointer<PistrelHooks> engine = makeEngine();
        engine->hook(&target);
        engine->addEvents(&target, Ping, PistrelHooks::BeforeAndAfter);
        engine->removeEvents(&target, Ping, when == QLatin1String("beforeCallback") ? PistrelHooks::After : PistrelHooks::Before);
        auto release = [&engine] { delete engine.data(); };
        if (when == QLatin1String("before"))
            release();
        else if (when == QLatin1String("beforeCallback"))
            onBefore = release;
        else if (when == QLatin1String("own"))
            target.onOwnHandling = release;
        else
            onAfter = release;
        send(&target, Ping);
        QVERIFY(engine.isNull());
        target.onOwnHandling = nullptr;
        send(&target, Ping);
        QCOMPARE(log, expected);
    }
};

QTEST_GUILESS_MAIN(TestPistrelHooks)
#include "TestPistrelHooks.moc"
