#include "Dialeg.h"

#include "Convert.h"
#include "MessageBox.h"

using namespace TestSupport;

namespace Dialeg {

Fixture::Fixture()
{
    resetSeams();
    pf.openDatabases();
    addClient("Client");
    addService("Vidres", 45, *Decimal::parse("12,5"));
    addService("Escales", 21, *Decimal::parse("0,2"), false, "m2");
    addService(QStringLiteral("Comú"), 60, Decimal::fromInt(30), true);
    addService("Res", 0, Decimal(), false, "u");
    addResource("Pere", 2);
    addResource("Anna", 1);
    addResource("Equip", 3, true);
    addMember("Equip", "Anna");
    addMember("Equip", "Pere");
    addSite(Lloc, "Client", 60, "Anna");
    addSiteService(Lloc, "Vidres", Decimal::fromInt(1));
    BD().exec(QStringLiteral("UPDATE Llocs_Serveis SET llocs_serveis_descripcio = 'Vidres de la casa'"));
    id = addJob(Lloc, Avui, "10:00", "11:00", "Anna");
}

Fixture::~Fixture()
{
    d.reset();
    setConductorFeines(nullptr);
}

void Fixture::addLine(const QString& servei, const QString& quantitat, const QString& preu, const QString& descripcio,
                      int feina)
{
    BD().exec(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat, "
                             "feines_detall_preu_un, feines_detall_unitat, feines_detall_descripcio) "
                             "VALUES (?, ?, ?, ?, (SELECT serveis_unitat FROM Serveis WHERE serveis_nom = ?), ?)"),
              {feina ? feina : id, servei, Decimal::parse(quantitat)->toVariant(), Decimal::parse(preu)->toVariant(),
               servei, descripcio.isNull() ? QStringLiteral("") : descripcio});
}

frmFeines& Fixture::obre(int feina, QWidget* pare)
{
    QSqlQuery q = BD().query(QStringLiteral(
        "SELECT llocs_nom, feines_data, feines_hora_inici, feines_hora_fi, ifnull(recursos_nom, ''), feines_feta, "
        "feines_data_factura FROM Feines WHERE feines_id = ?"), {feina ? feina : id});
    if (!q.next()) qFatal("no job");
    Feina& f = G.FeinaActual;
    f = Feina();
    f.Id = feina ? feina : id;
    f.Lloc = q.value(0).toString();
    f.Data = QDate::fromString(q.value(1).toString(), Qt::ISODate);
    f.HoraInici = q.value(2).toString();
    f.HoraFi = q.value(3).toString();
    f.Recurs = q.value(4).toString();
    f.Feta = q.value(5).toInt() != 0;
    f.DataFactura = QDate::fromString(q.value(6).toString(), Qt::ISODate);
    d = std::make_unique<frmFeines>(pare);
    if (!d->Form_Load()) qFatal("the dialog did not load");
    return *d;
}

QString Fixture::triat(const char* name) const
{
    QComboBox* cb = combo(name);
    return cb->currentIndex() < 0 ? QString() : cb->currentText();
}

void Fixture::tria(const char* name, const QString& text) const
{
    QComboBox* cb = combo(name);
    const int i = cb->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i < 0 && !text.isEmpty()) qFatal("no entry %s", qPrintable(text));
    cb->setCurrentIndex(i);
}

QStringList Fixture::items(const char* name) const
{
    QStringList out;
    QComboBox* cb = combo(name);
    for (int i = 0; i < cb->count(); ++i) out << cb->itemText(i);
    return out;
}

QStringList Fixture::files() const
{
    QStringList out;
    for (int r = 0; r < grid()->Rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < 5; ++c) cells << grid()->TextMatrix(r, c);
        out << cells.join(u'|');
    }
    return out;
}

QString Fixture::editor() const
{
    return QStringList({triat("ServeisCombo"), box("DescripcioServeiFeina")->text(), box("QuantitatServeiFeina")->text(),
                        box("UnitatServeiFeina")->text(), box("PreuServeiFeina")->text()}).join(u'|');
}

void Fixture::treu(int fila) const
{
    grid()->setCurrentCell(fila, 0);
    d->DetallFeinaServeis_MouseDown(grid()->rowViewportPosition(fila) + 1);
    d->DetallFeinaServeis_Click();
}

void Fixture::afegeix(const QString& servei, const QString& quantitat, const QString& preu, const QString& descripcio)
{
    tria("ServeisCombo", servei);
    d->ServeisCombo_Click();
    box("QuantitatServeiFeina")->setText(quantitat);
    box("PreuServeiFeina")->setText(preu);
    if (descripcio != QLatin1String("=")) box("DescripcioServeiFeina")->setText(descripcio);
    d->AfegirServei_Click();
}

QString desat(int feina)
{
    return BD().scalar(QStringLiteral(
        "SELECT llocs_nom || '|' || feines_data || '|' || feines_hora_inici || '|' || feines_hora_fi || '|' || "
        "ifnull(recursos_nom, '-') || '|' || feines_feta || '|' || ifnull(feines_data_factura, '-') || '|' || "
        "feines_quota || '|' || feines_observacions FROM Feines WHERE feines_id = ?"), {feina}).toString();
}

QStringList linies(int feina)
{
    const QString tot = BD().scalar(QStringLiteral(
        "SELECT group_concat(serveis_nom || '|' || feines_detall_descripcio || '|' || feines_detall_quantitat || '|' "
        "|| feines_detall_unitat || '|' || feines_detall_preu_un, '#') FROM (SELECT * FROM Feines_Detall "
        "WHERE feines_id = ? ORDER BY rowid)"), {feina}).toString();
    return tot.isEmpty() ? QStringList() : tot.split(u'#');
}


} // namespace Dialeg
