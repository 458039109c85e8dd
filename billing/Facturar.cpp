// "Facturar client": the invoicing marks of the chosen client's month, then
// its billing data on paper and the views refreshed.
#include "Facturar.h"

#include "Clock.h"
#include "Consultes.h"
#include "Controls.h"
#include "Convert.h"
#include "DadesFacturacio.h"
#include "Globals.h"
#include "MarcPagina.h"
#include "MessageBox.h"
#include "Principal.h"
#include "TabFacturacio.h"
#include "Traduccio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <optional>

QString Marca_Facturacio(const FacturacioMes& mes, const QDate& avui)
{
    Db& db = BD();
    const QString data = Conv::isoDate(avui);
    Transaction tx(db);
    for (const FilaFactura& f : mes.files) {
        if (f.tipus != TipusFilaFactura::TotalFeina) continue;
        const FeinaMes& j = mes.feinaDe(f);
        if (!j.feta) continue;
        QSqlQuery& q = db.cached(QStringLiteral("UPDATE Feines SET feines_data_factura = ?, feines_quota = ? "
                                                "WHERE feines_id = ?"),
                                 {data, (j.esQuota() ? j.quota : Decimal()).toVariant(), j.id});
        if (q.numRowsAffected() < 1)
            return Tradueix(QStringLiteral("ERROR: Feina")) + u' ' + QString::number(j.id)
                   + Tradueix(QStringLiteral(" no trobada"));
    }
    for (const XecMes& x : mes.xecs) {
        if (x.id == 0 || x.feina == 0) continue;
        QSqlQuery& q = db.cached(QStringLiteral("UPDATE Xecs SET xecs_data_liquidat = ?, feines_id = ? "
                                                "WHERE xecs_id = ?"),
                                 {data, x.feina, x.id});
        if (q.numRowsAffected() < 1)
            return Tradueix(QStringLiteral("ERROR: Xec")) + u' ' + QString::number(x.id)
                   + Tradueix(QStringLiteral(" no trobat"));
    }
    Marca_Pagament_Facturat(mes.mes, mes.client, mes.pagamentMes);
    tx.commit();
    return QString();
}

void TabFacturacio::Facturar_Client()
{
    // The marks and the document stand on the month shown for the chosen client.
    const FacturacioMes& r = m_resultat;
    if (m_resultatVell || !r.calculat || r.totsClients || r.client != clientTriat() || r.mes != mesFactura->text()
        || r.pendents != PdtFacturar->isChecked()) {
        if (!Calcula_Facturacio_Client()) return;
    }
    const FacturacioMes mes = m_resultat;
    // The marks stand or fall with their document: they are written in a
    // transaction that stays open while the document is drawn and is
    // committed only once it is whole and in its place (a PDF written to the
    // last byte under its name, or the printer's job accepted). A failure
    // before that leaves nothing marked and no file, the marks rolled back
    // before the failure is shown.
    QString missatge;
    std::optional<Transaction> tx;
    bool marcat = false;
    const QString on = imprimeixDocument(
        nomDadesFacturacio(mes),
        [&](Impressora& p) {
            tx.emplace(BD());
            missatge = Marca_Facturacio(mes, Clock::today());
            if (missatge.isEmpty()) dibuixaDadesFacturacio(p, mes);
        },
        Impressora::Orientacio::Vertical, this,
        [&] {
            tx->commit();
            marcat = true;
        },
        [&] { tx.reset(); });
    tx.reset();
    if (!missatge.isEmpty()) {
        MsgBox::show(missatge);
        return;
    }
    anunciaDesti(on, this);
    if (!marcat) return;
    crida(Principal().Omple_Xecs_Client);
    Calcula_Facturacio_Client();
    ClientsCombo->setFocus();
}
