#include "AccionsXec.h"

#include "Controls.h"
#include "Dades.h"
#include "MessageBox.h"
#include "Traduccio.h"

bool eliminaXecAmbAvis(qint32 id, const QString& client)
{
    const auto x = Dades::llegeixXec(id, client);
    if (refusa(!x, Tradueix(QStringLiteral("El xec no existeix")))) return false;
    if (x->liquidat.isValid()
        && MsgBox::show(Tradueix(QStringLiteral("El xec està liquidat. Eliminar igualment?")), MsgBox::YesNo,
                        Tradueix(QStringLiteral("CONFIRMACIO")))
               != MsgBox::Yes)
        return false;
    Dades::eliminaXec(id, client);
    return true;
}
