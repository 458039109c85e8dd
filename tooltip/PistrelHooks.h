#pragma once

// Hooks on other objects' events, built on event filters. A before hook runs
// ahead of the object's own handling and may swallow the event; an after hook
// runs once the event's delivery is complete (from the event loop, on a copy
// of the event, so that no other filter of the object is bypassed). Hooks
// vanish by themselves when either the hooked object or the engine is destroyed.

#include "PistrelExport.h"

#include <QHash>
#include <QMetaObject>
#include <QObject>
#include <QSet>

#include <functional>

class QEvent;

struct PistrelHookCall {
    bool before = false;   // true: the object has not handled the event yet
    QObject* watched = nullptr;
    QEvent* event = nullptr;
    bool handled = false;  // set by a before callback: the event goes no further
};

class PISTREL_EXPORT PistrelHooks : public QObject
{
    Q_OBJECT

public:
    enum When { After = 1, Before = 2, BeforeAndAfter = 3 };
    static constexpr int AllEvents = -1;
    using Callback = std::function<void(PistrelHookCall&)>;

    explicit PistrelHooks(Callback callback, QObject* parent = nullptr);
    ~PistrelHooks() override;

    // Starts watching an object; its lists start empty. False for null or an object already hooked.
    bool hook(QObject* target);
    // Adds an event type (or AllEvents) to the before and/or after list of a hooked object.
    bool addEvents(QObject* target, int eventType, When when);
    // Removes an event type (AllEvents empties the list). False when the object is not hooked.
    bool removeEvents(QObject* target, int eventType, When when);
    bool unhook(QObject* target);
    void unhookAll();

    bool isHooked(const QObject* target) const;
    int hookCount() const;
    bool listens(const QObject* target, int eventType, When when) const;

    // Runs the after hooks still waiting for the event loop, now.
    void runPendingAfterHooks();

signals:
    // A hooked object was destroyed; its hook is already gone.
    void hookedObjectDestroyed(QObject* target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct EventList {
        bool all = false;
        QSet<int> types;
        bool matches(int type) const { return all || types.contains(type); }
    };
    struct Entry {
        EventList before;
        EventList after;
        QMetaObject::Connection destroyedConnection;
    };

    void invoke(PistrelHookCall& call);
    void forgetDestroyed(QObject* target);

    Callback callback_;
    QHash<const QObject*, Entry> entries_;
};
