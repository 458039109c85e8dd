#include "frmSelIdioma.h"

#include "Configuracio.h"
#include "Globals.h"
#include "Modal.h"
#include "Traduccio.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>

frmSelIdioma::frmSelIdioma(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSelIdioma"));
    setWindowTitle(Tradueix(QStringLiteral("Torvanel - Idioma/Language")));
    resize(278, 50);

    ComboSelIdioma = new QComboBox(this);
    ComboSelIdioma->setObjectName(QStringLiteral("ComboSelIdioma"));
    ComboSelIdioma->setMinimumWidth(200);
    OKButton = new QPushButton(this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    OKButton->setDefault(true);

    auto* fila = new QHBoxLayout(this);
    fila->addWidget(ComboSelIdioma, 1);
    fila->addWidget(OKButton);
    connect(OKButton, &QPushButton::clicked, this, &frmSelIdioma::OKButton_Click);

    ComboSelIdioma->addItems(entrades(Llegeix_Seccio_INI(iniPath(), QStringLiteral("Idiomes"))));
    if (ComboSelIdioma->count() > 0) ComboSelIdioma->setCurrentIndex(0);
}

void frmSelIdioma::tria(QWidget* parent)
{
    frmSelIdioma dlg(parent);
    Modal::executa(dlg);
}

QStringList frmSelIdioma::entrades(const QString& seccio)
{
    QStringList out;
    if (seccio.isEmpty()) return out;
    QStringList peces = seccio.split(QChar(0));
    peces.removeLast();   // the empty piece after the final NUL
    for (const QString& p : peces) out << p.trimmed();
    return out;
}

QString frmSelIdioma::codiIdioma(const QString& entrada)
{
    return entrada.trimmed().mid(1, 2);
}

void frmSelIdioma::OKButton_Click()
{
    if (ComboSelIdioma->currentIndex() >= 0) {
        // An entry too short to hold a code leaves the language as it was.
        const QString codi = codiIdioma(ComboSelIdioma->currentText());
        if (codi.size() == 2) G.Idioma = codi;
    }
    accept();
}
