// The job dialog: the service lines, their editor row and the job's amount.
#include "frmFeines.h"

#include "Consultes.h"
#include "Controls.h"
#include "Convert.h"
#include "DadesFeina.h"
#include "Globals.h"
#include "Graella.h"
#include "MessageBox.h"
#include "Traduccio.h"
#include "ValidacioLloc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

enum Columna { ColServei, ColDescripcio, ColQuantitat, ColUnitat, ColPreu };

QString textDe(const QLineEdit* box) { return box->text(); }

// A typed quantity or unit price, within the limit of every typed number;
// false once the refusal (which says why) is shown.
bool llegeixNumero(const QLineEdit* box, const QString& falta, Decimal& valor)
{
    const QString text = box->text();
    return !refusa(Camps::refus(Camps::llegeixDecimal(text, valor), text, falta));
}

} // namespace

void frmFeines::afegeixFila(const QStringList& cells)
{
    const int r = DetallFeinaServeis->Rows();
    DetallFeinaServeis->setRows(r + 1);
    for (int c = 0; c < 5; ++c) DetallFeinaServeis->setTextMatrix(r, c, cells.value(c));
}

Decimal frmFeines::sumaGraella() const
{
    Decimal total;
    for (int r = 0; r < DetallFeinaServeis->Rows(); ++r) {
        const auto q = Decimal::parse(DetallFeinaServeis->TextMatrix(r, ColQuantitat));
        const auto p = Decimal::parse(DetallFeinaServeis->TextMatrix(r, ColPreu));
        if (!q || !p) throw Conv::ConversionError(Tradueix(QStringLiteral("La línia %1 no té un número vàlid")).arg(r + 1).toStdString());
        total += Decimal::lineAmount(*q, *p);
    }
    return total;
}

void frmFeines::mostraTotal()
{
    TotalFeina->setText(totalLinies_.toGroupedString());
}

void frmFeines::Omple_Serveis_Feina()
{
    totalLinies_ = Decimal();
    DetallFeinaServeis->setRows(0);
    for (const DadesFeina::Linia& l : DadesFeina::linies(G.FeinaActual.Id))
        afegeixFila({l.servei, l.descripcio, l.quantitat.toShortString(), l.unitat, l.preu.toShortString()});
    totalLinies_ = sumaGraella();
    mostraTotal();
}

void frmFeines::ServeisCombo_Click()
{
    if (ServeisCombo->currentIndex() < 0) return;
    const QString servei = ServeisCombo->currentText();
    UnitatServeiFeina->setText(Unitat_Servei(servei));
    DescripcioServeiFeina->setText(Descripcio_Servei(servei, LlocFeina->text()));
    PreuServeiFeina->setText(Preu_Servei(servei).toShortString());
    QuantitatServeiFeina->setText(QStringLiteral("1"));
}

void frmFeines::ServeisCombo_DropDown()
{
    for (QLineEdit* e : {UnitatServeiFeina, DescripcioServeiFeina, PreuServeiFeina, QuantitatServeiFeina}) e->clear();
}

void frmFeines::buidaEditor()
{
    ServeisCombo->setCurrentIndex(-1);
    for (QLineEdit* e : {DescripcioServeiFeina, QuantitatServeiFeina, UnitatServeiFeina, PreuServeiFeina}) e->clear();
}

void frmFeines::AfegirServei_Click()
{
    protegeix(QString(), [this] {
        if (ServeisCombo->currentIndex() < 0 || FetaFeina->isChecked()) return;
        const QString servei = ServeisCombo->currentText();
        Decimal quantitat, preu;
        if (!llegeixNumero(QuantitatServeiFeina, Tradueix(QStringLiteral("Cal informar la quantitat")), quantitat)
            || !llegeixNumero(PreuServeiFeina, Tradueix(QStringLiteral("Cal informar el preu unitari")), preu))
            return;
        const QString descripcio = textDe(DescripcioServeiFeina);
        for (int r = 0; r < DetallFeinaServeis->Rows(); ++r)
            if (DetallFeinaServeis->TextMatrix(r, ColServei) == servei
                && DetallFeinaServeis->TextMatrix(r, ColDescripcio) == descripcio) {
                MsgBox::show(Tradueix(QStringLiteral("El servei/descripció ja existeix en la feina")));
                return;
            }
        // A line that would take the job's amount past the range is refused before it is shown.
        std::optional<Decimal> total;
        try {
            total = totalLinies_ + Decimal::lineAmount(quantitat, preu);
        } catch (const std::overflow_error&) {
        }
        if (refusa(!total, Tradueix(QStringLiteral("L'import de la feina és massa gran")))) return;

        const QString unitat = UnitatServeiFeina->text().isEmpty() ? Unitat_Servei(servei) : UnitatServeiFeina->text();
        afegeixFila({servei, descripcio, textDe(QuantitatServeiFeina), unitat, textDe(PreuServeiFeina)});
        totalLinies_ = *total;
        mostraTotal();
        buidaEditor();
        Calcula_Hora_Fi_Feina();
    });
}

void frmFeines::DetallFeinaServeis_MouseDown(int y)
{
    // Only a press on a line counts, not one below the last.
    clicLinia_ = DetallFeinaServeis->Rows() > 0 && DetallFeinaServeis->rowAt(y) >= 0;
}

// Takes the clicked line back into the editor row: it is moved, not copied,
// and is saved again only when "+" adds it back.
void frmFeines::DetallFeinaServeis_Click()
{
    if (!clicLinia_ || FetaFeina->isChecked()) return;
    const int r = DetallFeinaServeis->Row();
    if (r < 0 || r >= DetallFeinaServeis->Rows()) return;
    const QString servei = DetallFeinaServeis->TextMatrix(r, ColServei);
    // Names are the same whatever their letter case; a service no longer
    // offered selects nothing and the line keeps its cells.
    int i = ServeisCombo->findText(servei, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i < 0) i = ServeisCombo->findText(servei, Qt::MatchFixedString);
    ServeisCombo->setCurrentIndex(i);
    const QString descripcio = DetallFeinaServeis->TextMatrix(r, ColDescripcio);
    DescripcioServeiFeina->setText(descripcio.isEmpty() ? Descripcio_Servei(servei, LlocFeina->text()) : descripcio);
    QuantitatServeiFeina->setText(DetallFeinaServeis->TextMatrix(r, ColQuantitat));
    UnitatServeiFeina->setText(DetallFeinaServeis->TextMatrix(r, ColUnitat));
    PreuServeiFeina->setText(DetallFeinaServeis->TextMatrix(r, ColPreu));
    DetallFeinaServeis->removeRow(r);
    totalLinies_ = sumaGraella();
    mostraTotal();
    clicLinia_ = false;
    Calcula_Hora_Fi_Feina();
}
