#include "CalvendraSeams.h"

#include <QMessageBox>

namespace {
std::function<QDate()>& todayProvider()
{
    static std::function<QDate()> provider;
    return provider;
}

CalvendraMessageBox::Hook& messageHook()
{
    static CalvendraMessageBox::Hook hook;
    return hook;
}
} // namespace

QDate CalvendraClock::today()
{
    if (const auto& provider = todayProvider()) {
        const QDate date = provider();
        if (date.isValid())
            return date;
    }
    return QDate::currentDate();
}

void CalvendraClock::setTodayProvider(std::function<QDate()> provider)
{
    todayProvider() = std::move(provider);
}

void CalvendraClock::resetTodayProvider()
{
    todayProvider() = nullptr;
}

void CalvendraMessageBox::information(QWidget* parent, const QString& title, const QString& text)
{
    if (const auto& hook = messageHook()) {
        hook(title, text);
        return;
    }
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void CalvendraMessageBox::setHook(Hook hook)
{
    messageHook() = std::move(hook);
}

void CalvendraMessageBox::resetHook()
{
    messageHook() = nullptr;
}
