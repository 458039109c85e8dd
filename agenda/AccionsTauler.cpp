#include "AccionsTauler.h"

#include "Convert.h"
#include "Traduccio.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <cmath>

namespace {

// Fix((v - inici) / mida + 1) for v past `inici`, else 0.
int index(int v, int inici, int mida)
{
    if (v - inici <= 0) return 0;
    if (mida <= 0) return 1;
    return (v - inici) / mida + 1;
}

} // namespace

QPoint cellaDePosicio(const QPoint& pos, int ampleEtiquetes, int ampleColumna, int altCapcalera, int altFila)
{
    return QPoint(index(pos.x(), ampleEtiquetes, ampleColumna), index(pos.y(), altCapcalera, altFila));
}

std::optional<int> cellesFeina(const QString& horaInici, const QString& horaFi, int minutsCella)
{
    const auto inici = Conv::minutesOf(horaInici);
    const auto fi = Conv::minutesOf(horaFi);
    if (!inici || !fi || minutsCella <= 0) return std::nullopt;
    return int(std::nearbyint(double(*fi - *inici) / minutsCella));
}

Trasllat traslladaFeina(const QString& horaInici, const QString& horaFi, const QString& novaInici,
                        const QString& horaFinal)
{
    const QString noValida = Tradueix(QStringLiteral("Hora no vàlida: '%1'"));
    const int durada = Conv::minutesOrThrow(horaFi, noValida) - Conv::minutesOrThrow(horaInici, noValida);
    const int inici = Conv::minutesOrThrow(novaInici, noValida);
    int fi = ((inici + durada) % 1440 + 1440) % 1440;
    if (fi == 0) fi = 1440;
    Trasllat t;
    t.horaFi = Conv::hhmm(fi);
    t.acceptat = inici < fi && fi <= Conv::minutesOrThrow(horaFinal, noValida);
    return t;
}

CarregaArrossegament CarregaArrossegament::deCaption(const QString& caption, qint32 id)
{
    CarregaArrossegament c;
    if (!caption.isEmpty()) c.tipus = caption[0];
    c.text = caption.mid(1);
    c.id = id;
    return c;
}

QString CarregaArrossegament::mimeType()
{
    return QStringLiteral("application/x-torvanel-arrossegament");
}

QMimeData* CarregaArrossegament::mimeData() const
{
    QByteArray dades;
    QDataStream out(&dades, QIODevice::WriteOnly);
    out << caption() << id;
    auto* m = new QMimeData;
    m->setData(mimeType(), dades);
    m->setText(text);
    return m;
}

std::optional<CarregaArrossegament> CarregaArrossegament::deMimeData(const QMimeData* mime)
{
    if (!mime || !mime->hasFormat(mimeType())) return std::nullopt;
    QDataStream in(mime->data(mimeType()));
    QString caption;
    qint32 id = 0;
    in >> caption >> id;
    if (in.status() != QDataStream::Ok || caption.isEmpty()) return std::nullopt;
    return deCaption(caption, id);
}
