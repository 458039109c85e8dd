#include "CalculFacturacio.h"

#include "Globals.h"

namespace {

bool digits(const QString& s, int from, int n)
{
    for (int i = from; i < from + n; ++i)
        if (s[i] < u'0' || s[i] > u'9') return false;
    return true;
}

// One cheque slot: a whole unit of a cheque-service line.
struct CasellaXec {
    qint32 feina = 0;
    qint32 xec = 0;     // 0 = free
    int fila = 0;       // index of the line in files
};

class Calcul {
public:
    Calcul(const EntradaFacturacio& e, FacturacioMes& r) : e_(e), p_(e.parametres), r_(r) {}

    void linies(const QVector<FilaLiniaBD>& files);
    void xecsClient(const QVector<FilaXecBD>& xecs);

    Decimal suma;

private:
    void afegeixTotal();
    void afegeixQuota(const QString& lloc, const Decimal& quota);
    void aplicaEstalvi(const CasellaXec& c);

    const EntradaFacturacio& e_;
    const ParametresFacturacio& p_;
    FacturacioMes& r_;
    QVector<CasellaXec> caselles_;
    Decimal totalFeina_;
};

Decimal quotaDe(const FilaLiniaBD& f)
{
    return f.dataFactura.isValid() ? f.quotaFeina : f.quotaLloc;
}

void Calcul::linies(const QVector<FilaLiniaBD>& files)
{
    qint32 idActual = 0;
    QString llocActual;
    if (!files.isEmpty()) {
        idActual = files.first().feina;
        llocActual = files.first().lloc;
    }
    bool liniaEscrita = false;
    // The quota the site owes: that of its last listed done quota job, so a
    // quota job is billed whatever job of the site comes last; 0 = none.
    Decimal quotaDeguda;
    // A job of the site was invoiced as a quota job: an earlier invoice of
    // the month billed its quota.
    bool quotaFacturada = false;
    r_.files.reserve(files.size() + files.size() / 2);

    for (const FilaLiniaBD& f : files) {
        if (liniaEscrita && f.feina != idActual) {
            afegeixTotal();
            liniaEscrita = false;
        }
        // A site's quota is billed once, after its last listed job.
        if (f.lloc != llocActual) {
            if (!quotaDeguda.isZero() && !quotaFacturada) afegeixQuota(llocActual, quotaDeguda);
            quotaDeguda = Decimal();
            quotaFacturada = false;
        }
        const Decimal quota = quotaDe(f);
        if (e_.pendents && f.dataFactura.isValid() && !f.quotaFeina.isZero()) quotaFacturada = true;
        if (!e_.pendents || !f.dataFactura.isValid()) {
            if (!liniaEscrita) {
                FeinaMes j;
                j.id = f.feina;
                j.data = f.data;
                j.lloc = f.lloc;
                j.recurs = f.recurs;
                j.feta = f.feta;
                j.dataFactura = f.dataFactura;
                j.quota = quota;
                j.primeraFila = int(r_.files.size()) + 1;
                r_.feines.append(j);
                totalFeina_ = Decimal();
            }
            FilaFactura l;
            l.tipus = TipusFilaFactura::LiniaFeina;
            l.feina = int(r_.feines.size()) - 1;
            l.ambLinia = f.ambLinia;
            l.servei = f.servei;
            l.quantitat = f.quantitat;
            l.unitat = f.unitat;
            l.preu = f.preu;
            // A quota job's lines carry no amount: its site's quota is billed instead.
            l.ambImport = f.feta && quota.isZero();
            const Decimal import = l.ambImport ? Decimal::lineAmount(f.quantitat, f.preu) : Decimal();
            if (f.feta && !quota.isZero()) quotaDeguda = quota;
            l.import = import;
            if (!p_.serveiXecs.isEmpty() && l.ambImport && f.ambLinia && f.servei == p_.serveiXecs
                && import >= p_.valorXec) {
                const int n = casellesXec(f.quantitat);
                for (int i = 0; i < n; ++i) caselles_.append({f.feina, 0, int(r_.files.size())});
            }
            r_.files.append(l);
            totalFeina_ += import;
            suma += import;
            liniaEscrita = true;
        }
        idActual = f.feina;
        llocActual = f.lloc;
    }
    if (liniaEscrita) afegeixTotal();
    if (!quotaDeguda.isZero() && !quotaFacturada) afegeixQuota(llocActual, quotaDeguda);
}

void Calcul::afegeixTotal()
{
    FeinaMes& j = r_.feines.last();
    j.total = totalFeina_;
    FilaFactura t;
    t.tipus = TipusFilaFactura::TotalFeina;
    t.feina = int(r_.feines.size()) - 1;
    r_.files.append(t);
    j.filaTotal = int(r_.files.size());
}

void Calcul::afegeixQuota(const QString& lloc, const Decimal& quota)
{
    FilaFactura q;
    q.tipus = TipusFilaFactura::QuotaLloc;
    q.quota = int(r_.quotes.size());
    r_.files.append(q);
    const Decimal import = quota.roundedCents();
    r_.quotes.append({lloc, import, int(r_.files.size())});
    suma += import;
}

void Calcul::aplicaEstalvi(const CasellaXec& c)
{
    FilaFactura& l = r_.files[c.fila];
    const Decimal abans = l.import;
    l.import = (l.import + p_.costHoraXec).roundedCents();
    ++l.xecs;
    // The total of the line's job: the first done job's total after the line.
    for (int i = c.fila + 1; i < r_.files.size(); ++i) {
        const FilaFactura& t = r_.files[i];
        if (t.tipus == TipusFilaFactura::TotalFeina && r_.feines[t.feina].feta) {
            FeinaMes& j = r_.feines[t.feina];
            j.total = (j.total + p_.costHoraXec).roundedCents();
            break;
        }
    }
    // The services sum moves as the line's shown amount does.
    suma += l.import - abans;
}

void Calcul::xecsClient(const QVector<FilaXecBD>& xecs)
{
    for (const FilaXecBD& x : xecs) {
        if (e_.pendents && x.liquidat.isValid()) continue;
        XecMes m;
        m.id = x.id;
        m.client = x.client;
        m.valor = x.valor.roundedCents();   // a value kept to more decimals counts as shown
        m.entrega = x.entrega;
        m.liquidat = x.liquidat;
        if (x.liquidat.isValid()) {
            m.tipus = TipusXecMes::Liquidat;
            m.feina = x.feina;
            for (CasellaXec& c : caselles_) {
                if (c.feina == x.feina && c.xec == 0) {
                    c.xec = x.id;
                    m.fila = c.fila;
                    aplicaEstalvi(c);
                    break;
                }
            }
        } else {
            if (r_.nombreXecs < p_.maxXecsMes) {
                for (CasellaXec& c : caselles_) {
                    if (c.xec == 0) {
                        c.xec = x.id;
                        m.feina = c.feina;
                        m.fila = c.fila;
                        aplicaEstalvi(c);
                        break;
                    }
                }
            }
            m.tipus = m.feina != 0 ? TipusXecMes::Assignat : TipusXecMes::SenseFeina;
        }
        if (m.feina != 0) {
            m.comptat = true;
            ++r_.nombreXecs;
            r_.totalXecs += m.valor;
        }
        r_.xecs.append(m);
    }
}

} // namespace

std::optional<PeriodeMes> periodeDelMes(const QString& mes)
{
    if (mes.size() != 7 || mes[2] != u'/' || !digits(mes, 0, 2) || !digits(mes, 3, 4)) return std::nullopt;
    const int m = mes.left(2).toInt();
    const int a = mes.mid(3).toInt();
    if (m < 1 || m > 12 || a < 1) return std::nullopt;
    return PeriodeMes::de(QDate(a, m, 1));
}

QString mesDeData(const QDate& data)
{
    return QStringLiteral("%1/%2").arg(data.month(), 2, 10, QChar(u'0')).arg(data.year(), 4, 10, QChar(u'0'));
}

ParametresFacturacio ParametresFacturacio::delsGlobals()
{
    return {G.ServeiXecs, G.ValorXec, G.CostHoraXec, G.MaxXecsMes};
}

int casellesXec(const Decimal& quantitat)
{
    const int64_t n = (quantitat - Decimal::fromRaw(Decimal::Scale / 10)).roundToInteger();
    return n > 0 ? int(qMin<int64_t>(n, 1 << 20)) : 0;
}

Decimal totalAFacturar(const FacturacioMes& mes, const Decimal& pagaments)
{
    return mes.totalServeis - mes.totalXecs - pagaments;
}

FacturacioMes calculaFacturacio(const EntradaFacturacio& entrada, const QVector<FilaLiniaBD>& linies,
                                const QVector<FilaXecBD>& xecs)
{
    FacturacioMes r;
    r.calculat = true;
    r.totsClients = entrada.totsClients;
    r.client = entrada.totsClients ? QString() : entrada.client;
    r.mes = entrada.mes;
    r.inici = entrada.periode.inici;
    r.fi = entrada.periode.fi;
    r.pendents = entrada.pendents;
    r.serveiXecs = entrada.parametres.serveiXecs;
    r.ambXecs = !r.serveiXecs.isEmpty();

    if (entrada.totsClients) {
        if (!r.ambXecs) return r;
        for (const FilaXecBD& x : xecs) {
            XecMes m;
            m.tipus = TipusXecMes::Liquidat;
            m.id = x.id;
            m.client = x.client;
            m.valor = x.valor.roundedCents();   // a value kept to more decimals counts as shown
            m.entrega = x.entrega;
            m.liquidat = x.liquidat;
            m.feina = x.feina;
            m.comptat = true;
            ++r.nombreXecs;
            r.totalXecs += m.valor;
            r.xecs.append(m);
        }
        return r;
    }

    Calcul c(entrada, r);
    c.linies(linies);
    if (r.ambXecs) c.xecsClient(xecs);
    r.totalServeis = c.suma;
    r.pagamentMes = entrada.pagament.import;
    r.pagaments = entrada.pagament.perFacturar(entrada.pendents);
    r.totalFacturar = totalAFacturar(r, r.pagaments);
    return r;
}
