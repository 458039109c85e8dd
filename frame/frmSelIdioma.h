#pragma once
// The language choice of the first run: lists the entries of the settings
// file's section "Idiomes" and leaves the chosen code in G.Idioma (memory
// only; the settings dialog that follows writes it).
#include <QDialog>

class QComboBox;
class QPushButton;

class frmSelIdioma : public QDialog {
    Q_OBJECT
public:
    explicit frmSelIdioma(QWidget* parent = nullptr);

    // Shows the dialog modally (through Modal::executa); the effect is G.Idioma.
    static void tria(QWidget* parent = nullptr);

    // Entries of a section as Llegeix_Seccio_INI returns them (each followed
    // by a NUL), trimmed, in order.
    static QStringList entrades(const QString& seccio);
    // Language code of an entry: its 2nd and 3rd characters after trimming.
    static QString codiIdioma(const QString& entrada);

public slots:
    void OKButton_Click();

private:
    QComboBox* ComboSelIdioma = nullptr;
    QPushButton* OKButton = nullptr;
};
