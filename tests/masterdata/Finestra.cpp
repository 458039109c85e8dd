#include "Finestra.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

QString Finestra::text(const char* name) const
{
    if (auto* e = w->findChild<QLineEdit*>(QString::fromLatin1(name))) return e->text();
    if (auto* p = w->findChild<QPlainTextEdit*>(QString::fromLatin1(name))) return p->toPlainText();
    if (auto* cb = w->findChild<QComboBox*>(QString::fromLatin1(name))) return cb->currentIndex() < 0 ? QString() : cb->currentText();
    qFatal("no text control %s", name);
    return QString();
}

void Finestra::type(const char* name, const QString& text) const
{
    if (auto* e = w->findChild<QLineEdit*>(QString::fromLatin1(name))) {
        e->setText(text);
        return;
    }
    c<QPlainTextEdit>(name)->setPlainText(text);
}

void Finestra::click(const char* name) const
{
    c<QPushButton>(name)->click();
}

QStringList Finestra::items(const char* name) const
{
    QStringList out;
    if (auto* l = w->findChild<QListWidget*>(QString::fromLatin1(name))) {
        for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
        return out;
    }
    auto* cb = c<QComboBox>(name);
    for (int i = 0; i < cb->count(); ++i) out << cb->itemText(i);
    return out;
}

