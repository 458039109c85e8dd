#include "AccionsFeina.h"

#include "Convert.h"
#include "Feines.h"
#include "MessageBox.h"
#include "Traduccio.h"

#include <stdexcept>

namespace {

bool acceptada(const Feina& feina)
{
    if (feina.Missatge.isEmpty()) return true;
    MsgBox::show(feina.Missatge);
    return false;
}

} // namespace

bool Commuta_Feta(Feina& feina)
{
    if (feina.Feta && !Confirma_Desfer_Factura(feina.Id)) return false;
    feina.Feta = !feina.Feta;
    Modifica_Feina(feina);
    return acceptada(feina);
}

bool Confirma_Desfer_Factura(qint32 id, QWidget* pare)
{
    // What is stored decides, not a record an earlier attempt may have changed.
    const Feina desada = Llegeix_Feina(id);
    if (desada.Resultat == ResultatFeina::Error) throw std::runtime_error(desada.Missatge.toStdString());
    if (desada.Resultat != ResultatFeina::Fet || !desada.Feta || !desada.DataFactura.isValid()) return true;
    const QString pregunta = Tradueix(QStringLiteral(
        "La feina '%1' del %2 es va facturar el %3 i se'n desfarà la factura. Marcar-la com a no feta igualment?"))
        .arg(desada.Lloc, Conv::shortDate(desada.Data), Conv::shortDate(desada.DataFactura));
    return MsgBox::show(pregunta, MsgBox::YesNo, Tradueix(QStringLiteral("CONFIRMACIO")), MsgBox::Question, pare)
           == MsgBox::Yes;
}

QString preguntaEsborrar(const QString& inici, const Feina& feina)
{
    return Pregunta(inici + QStringLiteral(" '") + feina.Lloc + QStringLiteral("' ") + Tradueix(QStringLiteral("del"))
                    + u' ' + Conv::shortDate(feina.Data));
}

bool Esborra_Feina_Confirmada(Feina& feina, const QString& pregunta)
{
    if (MsgBox::show(pregunta, MsgBox::YesNo, Tradueix(QStringLiteral("CONFIRMACIO"))) != MsgBox::Yes) return false;
    Borra_Feina(feina);
    return acceptada(feina);
}
