#include "MessageBox.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <deque>

namespace {
bool g_scripted = false;
std::deque<MsgBox::Answer> g_answers;
QList<MsgBox::Shown> g_shown;
int g_unanswered = 0;
std::function<void(const MsgBox::Shown&)> g_observer;
} // namespace

namespace MsgBox {

Answer show(const QString& text, Buttons buttons, const QString& title, Icon icon, QWidget* parent)
{
    if (g_scripted) {
        g_shown.append({text, title, buttons, icon, false});
        if (g_observer) g_observer(g_shown.last());
        if (!g_answers.empty()) {
            Answer a = g_answers.front();
            g_answers.pop_front();
            return a;
        }
        if (buttons == OK) return Ok;
        ++g_unanswered;
        return buttons == OKCancel ? Cancel : (buttons == YesNo ? No : Cancel);
    }
    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setText(text);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    switch (icon) {
    case Information: box.setIcon(QMessageBox::Information); break;
    case Warning: box.setIcon(QMessageBox::Warning); break;
    case Critical: box.setIcon(QMessageBox::Critical); break;
    case Question: box.setIcon(QMessageBox::Question); break;
    default: break;
    }
    switch (buttons) {
    case OK: box.setStandardButtons(QMessageBox::Ok); break;
    case OKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case YesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return Ok;
    case QMessageBox::Yes: return Yes;
    case QMessageBox::No: return No;
    default: return Cancel;
    }
}

void error(const QString& description, const QString& title, QWidget* parent)
{
    show(QStringLiteral("Error:") + description, OK, title, NoIcon, parent);
}

std::optional<QString> input(const QString& prompt, const QString& title, const QString& def, QWidget* parent)
{
    if (g_scripted) {
        g_shown.append({prompt, title, OKCancel, NoIcon, true});
        if (g_observer) g_observer(g_shown.last());
        ++g_unanswered;
        return std::nullopt;
    }
    bool ok = false;
    QString t = QInputDialog::getText(parent ? parent : QApplication::activeWindow(),
                                      title.isEmpty() ? QApplication::applicationName() : title, prompt,
                                      QLineEdit::Normal, def, &ok);
    if (!ok) return std::nullopt;
    return t;
}

void setScripted(bool on) { g_scripted = on; }
bool scripted() { return g_scripted; }
void pushAnswer(Answer a) { g_answers.push_back(a); }
const QList<Shown>& shown() { return g_shown; }
int unanswered() { return g_unanswered; }
int pendingAnswers() { return int(g_answers.size()); }
void clear()
{
    g_answers.clear();
    g_shown.clear();
    g_unanswered = 0;
}
void setObserver(std::function<void(const Shown&)> observer) { g_observer = std::move(observer); }

} // namespace MsgBox
