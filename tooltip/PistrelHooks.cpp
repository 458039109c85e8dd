#include "PistrelHooks.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QtDebug>

#include <exception>
#include <memory>

PistrelHooks::PistrelHooks(Callback callback, QObject* parent)
    : QObject(parent), callback_(std::move(callback))
{
}

PistrelHooks::~PistrelHooks()
{
    unhookAll();
}

bool PistrelHooks::hook(QObject* target)
{
    if (!target || target == this || entries_.contains(target))
        return false;
    Entry entry;
    entry.destroyedConnection = connect(target, &QObject::destroyed, this,
                                        [this](QObject* gone) { forgetDestroyed(gone); });
    entries_.insert(target, entry);
    target->installEventFilter(this);
    return true;
}

bool PistrelHooks::addEvents(QObject* target, int eventType, When when)
{
    const auto it = entries_.find(target);
    if (it == entries_.end() || (eventType <= 0 && eventType != AllEvents))
        return false;
    auto add = [eventType](EventList& list) {
        if (eventType == AllEvents) {
            list.all = true;
            list.types.clear();
        } else if (!list.all) {
            list.types.insert(eventType);
        }
    };
    if (when & Before)
        add(it->before);
    if (when & After)
        add(it->after);
    return true;
}

bool PistrelHooks::removeEvents(QObject* target, int eventType, When when)
{
    const auto it = entries_.find(target);
    if (it == entries_.end())
        return false;
    auto remove = [eventType](EventList& list) {
        if (eventType == AllEvents) {
            list.all = false;
            list.types.clear();
        } else {
            list.types.remove(eventType);
        }
    };
    if (when & Before)
        remove(it->before);
    if (when & After)
        remove(it->after);
    return true;
}

bool PistrelHooks::unhook(QObject* target)
{
    const auto it = entries_.find(target);
    if (it == entries_.end())
        return false;
    disconnect(it->destroyedConnection);
    entries_.erase(it);
    target->removeEventFilter(this);
    return true;
}

void PistrelHooks::unhookAll()
{
    const auto targets = entries_.keys();
    for (const QObject* target : targets)
        unhook(const_cast<QObject*>(target));
}

bool PistrelHooks::isHooked(const QObject* target) const
{
    return entries_.contains(target);
}

int PistrelHooks::hookCount() const
{
    return static_cast<int>(entries_.size());
}

bool PistrelHooks::listens(const QObject* target, int eventType, When when) const
{
    const auto it = entries_.constFind(target);
    if (it == entries_.cend())
        return false;
    return ((when & Before) && it->before.matches(eventType))
           || ((when & After) && it->after.matches(eventType));
}

void PistrelHooks::forgetDestroyed(QObject* target)
{
    // The object is going away: nothing of it may be touched any more.
    if (entries_.remove(target) > 0)
        emit hookedObjectDestroyed(target);
}

void PistrelHooks::invoke(PistrelHookCall& call)
{
    // A copy: the callback may destroy the engine, and with it callback_.
    const Callback callback = callback_;
    try {
        if (callback)
            callback(call);
    } catch (const std::exception& e) {
        qWarning("Pistrel: hook callback failed: %s", e.what());
    } catch (...) {
        qWarning("Pistrel: hook callback failed");
    }
}

namespace {

const QEvent::Type afterHookEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// Carries a copy of a delivered event to the after hooks.
class AfterHookEvent : public QEvent
{
public:
    AfterHookEvent(QObject* watched, QEvent* delivered)
        : QEvent(afterHookEvent), target(watched), copy(delivered->clone())
    {
    }
    QPointer<QObject> target;
    std::unique_ptr<QEvent> copy;
};

}  // namespace

bool PistrelHooks::eventFilter(QObject* watched, QEvent* event)
{
    const auto it = entries_.constFind(watched);
    if (it == entries_.cend())
        return false;
    const int type = event->type();
    const bool before = it->before.matches(type);
    const bool after = it->after.matches(type);
    if (!before && !after)
        return false;

    if (before) {
        // Either side may be destroyed by the callback.
        const QPointer<PistrelHooks> engine(this);
        const QPointer<QObject> target(watched);
        PistrelHookCall call;
        call.before = true;
        call.watched = watched;
        call.event = event;
        invoke(call);
        if (call.handled || !target)
            return true;
        if (!engine)
            return false;  // the object still gets its event
    }
    if (listens(watched, type, After))
        QCoreApplication::postEvent(this, new AfterHookEvent(watched, event), Qt::HighEventPriority);
    return false;
}

bool PistrelHooks::event(QEvent* event)
{
    if (event->type() != afterHookEvent)
        return QObject::event(event);
    auto* pending = static_cast<AfterHookEvent*>(event);
    QObject* target = pending->target.data();
    if (target && listens(target, pending->copy->type(), After)) {
        PistrelHookCall call;
        call.watched = target;
        call.event = pending->copy.get();
        invoke(call);
    }
    return true;
}

void PistrelHooks::runPendingAfterHooks()
{
    QCoreApplication::sendPostedEvents(this, afterHookEvent);
}
