#include "Clock.h"

namespace {
QDateTime fixed;
}

namespace Clock {
QDate today() { return now().date(); }
QDateTime now() { return fixed.isValid() ? fixed : QDateTime::currentDateTime(); }
void set(const QDateTime& moment) { fixed = moment; }
void setToday(const QDate& day) { fixed = QDateTime(day, QTime(9, 0)); }
void reset() { fixed = QDateTime(); }
} // namespace Clock
