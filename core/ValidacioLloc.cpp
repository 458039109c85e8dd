#include "ValidacioLloc.h"

#include "Convert.h"
#include "Durades.h"
#include "Globals.h"
#include "Traduccio.h"

namespace Camps {

Lectura llegeixEnter16(QString& text, int& valor)
{
    const Conv::Int16Result r = Conv::toInt16(text);
    if (r.status == Conv::IntStatus::NotNumeric) return Lectura::NoNumeric;
    if (r.status == Conv::IntStatus::Overflow) return Lectura::Fora;
    valor = r.value;
    text = QString::number(valor);
    return Lectura::Ok;
}

Lectura llegeixEnter32(QString& text, qint32& valor)
{
    if (!Conv::isNumeric(text)) return Lectura::NoNumeric;
    const auto v = Conv::toInt32(text);
    if (!v) return Lectura::Fora;
    valor = *v;
    text = QString::number(valor);
    return Lectura::Ok;
}

Lectura llegeixDecimal(const QString& text, Decimal& valor)
{
    const auto d = Decimal::parse(text);
    if (!d) return Decimal::isNumber(text) ? Lectura::Fora : Lectura::NoNumeric;
    if (d->beyondInput()) return Lectura::Fora;
    valor = *d;
    return Lectura::Ok;
}

QString missatgeFora(const QString& text)
{
    return Tradueix(QStringLiteral("El número és massa gran:")) + QStringLiteral(" ") + text;
}

QString refus(Lectura lectura, const QString& text, const QString& noNumeric)
{
    switch (lectura) {
    case Lectura::NoNumeric: return noNumeric;
    case Lectura::Fora: return missatgeFora(text);
    case Lectura::Ok: break;
    }
    return QString();
}

} // namespace Camps

namespace {

using Camps::Lectura;

std::optional<QString> periodicitat(TextsLloc& t, ValorsLloc& v)
{
    if (t.periodicitat.isEmpty()) t.periodicitat = QStringLiteral("0");
    const QString falta = Tradueix(QStringLiteral("Cal informar la periodicitat en dies. (0 si no planificable)"));
    const Lectura lectura = Camps::llegeixEnter16(t.periodicitat, v.periodicitat);
    if (const QString r = Camps::refus(lectura, t.periodicitat, falta); !r.isEmpty()) return r;
    if (v.periodicitat < 0) return falta;
    return std::nullopt;
}

std::optional<QString> limitsMinuts(const ValorsLloc& v)
{
    if (v.minuts > int(G.CellesDia) * int(G.MinutsCella)) return Tradueix(QStringLiteral("Excés de minuts previstos"));
    if (G.MinutsCella > 0 && v.minuts % G.MinutsCella != 0)
        return Tradueix(QStringLiteral("Els minuts previstos han de ser múltiples de")) + QStringLiteral(" ")
               + QString::number(G.MinutsCella);
    return std::nullopt;
}

std::optional<QString> quota(TextsLloc& t, ValorsLloc& v)
{
    if (t.quota.isEmpty()) {
        t.quota = QStringLiteral("0");
        v.quota = Decimal();
        return std::nullopt;
    }
    Decimal q;
    const Lectura lectura = Camps::llegeixDecimal(t.quota, q);
    if (const QString r = Camps::refus(lectura, t.quota, Tradueix(QStringLiteral("La quota ha de ser numèrica")));
        !r.isEmpty())
        return r;
    if (q < Decimal()) return Tradueix(QStringLiteral("La quota no pot ser negativa"));
    if (!q.isZero() && t.clientXecs) return Tradueix(QStringLiteral("El client té xecs. No pot tenir quotes"));
    v.quota = q.roundedCents();
    return std::nullopt;
}

} // namespace

std::optional<QString> validaLloc(ModeLloc mode, TextsLloc& t, ValorsLloc& v)
{
    if (t.nom == G.TexteVaris)
        return Tradueix(QStringLiteral("El nom del lloc no pot ser '")) + G.TexteVaris + QStringLiteral("'");
    // Adding reads the period first and gives an empty minutes box one cell;
    // changing reads the period after the minutes. Minutes that are no
    // number are refused by both.
    if (mode == ModeLloc::Afegir) {
        if (auto r = periodicitat(t, v)) return r;
        if (t.minuts.trimmed().isEmpty()) t.minuts = QString::number(G.MinutsCella);
    }
    const QString falten = Tradueix(QStringLiteral("Cal informar els minuts previstos"));
    const Lectura lectura = Camps::llegeixEnter16(t.minuts, v.minuts);
    if (const QString r = Camps::refus(lectura, t.minuts, falten); !r.isEmpty()) return r;
    if (v.minuts < 1) return falten;
    if (mode == ModeLloc::Modificar)
        if (auto r = periodicitat(t, v)) return r;
    if (auto r = limitsMinuts(v)) return r;
    if (auto r = quota(t, v)) return r;
    if (t.primerMes || t.ultimMes) {
        t.periodicitat = QString::number(99);
        v.periodicitat = 99;
    }
    return std::nullopt;
}

int minutsDelsServeis(const QString& lloc, int recursos)
{
    try {
        return Minuts_Previstos_Lloc(lloc, recursos);
    } catch (const OverflowError&) {
        // Lines stored before their length was bounded: no length to offer,
        // and the site stays editable.
        return 0;
    }
}

QString missatgeDesbordament(const QString& lloc)
{
    return Tradueix(QStringLiteral("La duració dels serveis passaria de 32767 minuts al lloc")) + QStringLiteral(" ")
           + lloc;
}
