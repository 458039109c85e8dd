#pragma once
// Small helpers shared by the frame's tests.
#include "Globals.h"
#include "IniFile.h"
#include "Modal.h"

#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <functional>

namespace FrameTest {

// Drives the modal dialogs of a test in the order they appear.
class Guio {
public:
    using Pas = std::function<int(QDialog&)>;
    Guio()
    {
        Modal::setConductor([this](QDialog& d) {
            noms_ << d.objectName();
            if (passos_.empty()) {
                ++sensePas_;
                return int(QDialog::Rejected);
            }
            Pas p = std::move(passos_.front());
            passos_.pop_front();
            return p(d);
        });
    }
    ~Guio() { Modal::setConductor(nullptr); }
    void afegeix(Pas p) { passos_.push_back(std::move(p)); }
    int pendents() const { return int(passos_.size()); }
    int sensePas() const { return sensePas_; }
    const QStringList& noms() const { return noms_; }

private:
    std::deque<Pas> passos_;
    QStringList noms_;
    int sensePas_ = 0;
};

// Clicks a named button of a dialog and returns the dialog's result.
inline int clica(QDialog& d, const char* boto)
{
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(boto));
    if (!b) return -1;
    b->click();
    return d.result();
}

// The user settings (window position) go to a temporary folder.
class SettingsTemporals {
public:
    SettingsTemporals()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    }

private:
    QTemporaryDir dir_;
};

inline QByteArray contingut(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}

inline QString ini(const char* section, const char* key)
{
    return IniFile::read(iniPath(), QString::fromLatin1(section), QString::fromLatin1(key), QStringLiteral("<absent>"));
}

} // namespace FrameTest
