#pragma once
// File and colour choosers, scriptable by tests like the message boxes.
#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace Dialogs {

// Chosen file, or "" when cancelled.
QString openFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
// Chosen colour, or nullopt when cancelled.
std::optional<QColor> color(QWidget* parent, const QColor& initial, const QString& caption = QString());

// Scripting: when set, the next call returns this value without showing anything.
void setNextFileName(const QString& name);
void setNextColor(const std::optional<QColor>& color);
void setScripted(bool on);
void clear();

} // namespace Dialogs
