#include "AccionsTauler.h"

#include "Convert.h"
#include "Traduccio.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <cmath>
#include <stdexcept>

namespace {

int minuts(const QString& hora)
{
    const auto m = Conv::minutesOf(hora);
    if (!m) throw std::invalid_argument(Tradueix(QStringLiteral("Hora no vàlida: '%1'")).arg(hora).toStdString());
    return *m;
}

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
    const int durada = minuts(horaFi) - minuts(horaInici);
    const int inici = minuts(novaInici);
    int fi = ((inici + durada) % 1440 + 1440) % 1440;
    if (fi == 0) fi = 1440;
    Trasllat t;
    t.horaFi = Conv::hhmm(fi);
    t.acceptat = inici < fi && fi <= minuts(horaFinal);
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
