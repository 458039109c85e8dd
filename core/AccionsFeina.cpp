#include "AccionsFeina.h"

#include "Convert.h"
#include "Feines.h"
#include "MessageBox.h"
#include "Traduccio.h"

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
    feina.Feta = !feina.Feta;
    Modifica_Feina(feina);
    return acceptada(feina);
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
