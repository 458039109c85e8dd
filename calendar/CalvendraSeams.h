#pragma once
// The two outside services the calendar control uses, each replaceable in one
// place: the clock that says which day is today, and the information box.
#include "CalvendraExport.h"

#include <QDate>
#include <QString>
#include <functional>

class QWidget;

class CALVENDRA_EXPORT CalvendraClock {
public:
    // Today as the control sees it; the system date unless a provider is set.
    static QDate today();
    // An empty function restores the system date.
    static void setTodayProvider(std::function<QDate()> provider);
    static void resetTodayProvider();
};

class CALVENDRA_EXPORT CalvendraMessageBox {
public:
    using Hook = std::function<void(const QString& title, const QString& text)>;
    // Shows an information box with an OK button, or hands title and text to the hook.
    static void information(QWidget* parent, const QString& title, const QString& text);
    // While a hook is set no box is shown; an empty function restores the real box.
    static void setHook(Hook hook);
    static void resetHook();
};
