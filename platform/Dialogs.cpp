#include "Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <deque>

namespace {
bool g_scripted = false;
std::deque<QString> g_files;
std::deque<std::optional<QColor>> g_colors;
} // namespace

namespace Dialogs {

QString openFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    if (g_scripted) {
        if (g_files.empty()) return QString();
        QString f = g_files.front();
        g_files.pop_front();
        return f;
    }
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

std::optional<QColor> color(QWidget* parent, const QColor& initial, const QString& caption)
{
    if (g_scripted) {
        if (g_colors.empty()) return std::nullopt;
        auto c = g_colors.front();
        g_colors.pop_front();
        return c;
    }
    QColor c = QColorDialog::getColor(initial, parent, caption);
    if (!c.isValid()) return std::nullopt;
    return c;
}

void setNextFileName(const QString& name) { g_files.push_back(name); }
void setNextColor(const std::optional<QColor>& c) { g_colors.push_back(c); }
void setScripted(bool on) { g_scripted = on; }
void clear()
{
    g_files.clear();
    g_colors.clear();
}

} // namespace Dialogs
