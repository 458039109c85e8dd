// The "Clients" tab: the cheques of the shown client. Each list item keeps
// its cheque's number as data; every change is limited to the shown client.
#include "TabClients.h"

#include "AccionsXec.h"
#include "Clock.h"
#include "Controls.h"
#include "Convert.h"
#include "Dades.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Traduccio.h"
#include "ValidacioLloc.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

void TabClients::bloquejaXecs(bool bloqueja)
{
    for (QWidget* w : std::initializer_list<QWidget*>{XecsLlista, AfegirXec, ModificarXec, EliminarXec})
        w->setEnabled(!bloqueja);
    IdXec->setReadOnly(bloqueja);
}

void TabClients::buidaEditorXec()
{
    IdXec->clear();
    DataEntregaXec->clear();
    ValorXec->setText(G.ValorXec.toShortString());
    DataLiquidatXec->clear();
    IdFeinaXec->clear();
}

void TabClients::Omple_Xecs_Client()
{
    XecsLlista->clear();
    const QString client = ClientsLlista->index() >= 0 ? ClientsLlista->textTriat() : QString();
    const int ampladaCua = int(G.MarcaLlista.size() + Conv::shortDate(Clock::today()).size());
    for (const Dades::Xec& x : Dades::xecsClient(client)) {
        QString text = QString::number(x.id);
        if (x.liquidat.isValid())
            text += G.MarcaLlista + Conv::shortDate(x.liquidat);
        else
            text += QString(ampladaCua, QLatin1Char(' '));
        auto* item = new QListWidgetItem(text, XecsLlista);
        // Right-aligned in a fixed-pitch font, the numbers line up before their tails.
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        item->setData(Qt::UserRole, x.id);
    }
    buidaEditorXec();
    bloquejaXecs(ClientsLlista->index() < 0 || !XecsClient->isChecked());
}

void TabClients::seleccionaXec(int index)
{
    XecsLlista->posaIndex(index);
    protegeix(QString(), [this] { XecsLlista_Click(); });
}

void TabClients::XecsLlista_Click()
{
    const QListWidgetItem* item = XecsLlista->currentItem();
    if (XecsLlista->index() < 0 || !item) return;
    const auto x = Dades::llegeixXec(item->data(Qt::UserRole).toInt(), clientMostrat());
    if (!x) return;
    IdXec->setText(QString::number(x->id));
    DataEntregaXec->setText(Conv::shortDate(x->entrega));
    ValorXec->setText(x->valor.toShortString());
    DataLiquidatXec->setText(Conv::shortDate(x->liquidat));
    IdFeinaXec->setText(x->feina.isNull() ? QString() : QString::number(x->feina.toLongLong()));
}

// Reads the cheque number, written back as a plain whole number; a refusal
// is shown and gives false.
bool TabClients::llegeixNumeroXec(qint32& id)
{
    QString text = IdXec->text();
    const Camps::Lectura lectura = Camps::llegeixEnter32(text, id);
    if (refusa(Camps::refus(lectura, text, Tradueix(QStringLiteral("El Id. del xec ha de ser numèric"))))) return false;
    IdXec->setText(text);
    return true;
}

// Checks of the number and the value; the number box is rewritten as a
// plain whole number, the value is kept to the cent as payments and quotas
// are. A refusal is shown and gives false.
bool TabClients::validaXec(qint32& id, Decimal& valor)
{
    if (!llegeixNumeroXec(id)) return false;
    const QString text = ValorXec->text();
    if (refusa(Camps::refus(Camps::llegeixDecimal(text, valor), text,
                            Tradueix(QStringLiteral("Cal informar el valor del xec")))))
        return false;
    valor = valor.roundedCents();
    return true;
}

void TabClients::AfegirXec_Click()
{
    protegeix(QStringLiteral("ERROR"), [this] { afegeixXec(); });
}

void TabClients::afegeixXec()
{
    IdXec->setText(IdXec->text().trimmed());
    if (IdXec->text().isEmpty() || clientMostrat().isEmpty()) {
        IdXec->setFocus();
        return;
    }
    qint32 id = 0;
    Decimal valor;
    if (!validaXec(id, valor)) return;
    // A cheque kept from before may have any number; a new one is not negative.
    if (refusa(id < 0, Tradueix(QStringLiteral("El número del xec no pot ser negatiu")))) return;
    if (Dades::existeixXec(id)) {
        MsgBox::show(Tradueix(QStringLiteral("El xec ja existeix")));
    } else {
        Dades::afegeixXec(id, clientMostrat(), valor);
        Omple_Xecs_Client();
        G.FacturacioPendent = true;
    }
    IdXec->setFocus();
}

void TabClients::ModificarXec_Click()
{
    protegeix(QString(), [this] { modificaXec(); });
}

void TabClients::modificaXec()
{
    IdXec->setText(IdXec->text().trimmed());
    if (IdXec->text().isEmpty()) return;
    qint32 id = 0;
    Decimal valor;
    if (!validaXec(id, valor)) return;
    if (refusa(!Dades::modificaValorXec(id, clientMostrat(), valor),
               Tradueix(QStringLiteral("El xec no existeix"))))
        return;
    G.FacturacioPendent = true;
    buidaEditorXec();
    XecsLlista->posaIndex(-1);
}

void TabClients::EliminarXec_Click()
{
    protegeix(QString(), [this] { eliminaXec(); });
}

void TabClients::eliminaXec()
{
    IdXec->setText(IdXec->text().trimmed());
    if (IdXec->text().isEmpty()) return;
    qint32 id = 0;
    if (!llegeixNumeroXec(id)) return;
    if (!eliminaXecAmbAvis(id, clientMostrat())) return;
    Omple_Xecs_Client();
    G.FacturacioPendent = true;
}
