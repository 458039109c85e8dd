#pragma once
// The program's one source of today's date and the current time. Tests set it.
#include <QDate>
#include <QDateTime>

namespace Clock {
QDate today();
QDateTime now();
// Fixes the clock at a moment (tests); reset() returns to the system clock.
void set(const QDateTime& moment);
void setToday(const QDate& day);
void reset();
} // namespace Clock
