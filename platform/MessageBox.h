#pragma once
// Every message and input box of the program goes through here, so that tests
// can script the answers and read back what was shown.
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace MsgBox {

enum Buttons { OK, OKCancel, YesNo, YesNoCancel };
enum Icon { NoIcon, Information, Warning, Critical, Question };
enum Answer { Ok, Cancel, Yes, No };

// Shows a modal box; returns the button chosen.
Answer show(const QString& text, Buttons buttons = OK, const QString& title = QString(),
            Icon icon = NoIcon, QWidget* parent = nullptr);
// Convenience for the common "Error:" box of unexpected failures.
void error(const QString& description, const QString& title = QString(), QWidget* parent = nullptr);
// Input box: the typed text, or nullopt when cancelled.
std::optional<QString> input(const QString& prompt, const QString& title = QString(),
                             const QString& def = QString(), QWidget* parent = nullptr);

// ---- scripting for tests ----
struct Shown {
    QString text;
    QString title;
    Buttons buttons = OK;
    Icon icon = NoIcon;
    bool input = false;
};
// Turns scripting on: no window is ever shown; boxes are recorded and answered
// from the queues. An OK-only box needs no queued answer.
void setScripted(bool on);
bool scripted();
void pushAnswer(Answer a);
// Everything shown since the last clear().
const QList<Shown>& shown();
// Boxes that needed an answer and found none (they got Cancel/No).
int unanswered();
// Queued answers not used yet.
int pendingAnswers();
void clear();
// Called as each scripted box is recorded, to look at the program's state at
// that moment (nullptr: nothing). clear() keeps it.
void setObserver(std::function<void(const Shown&)> observer);

} // namespace MsgBox
