#include "JobFixtures.h"

#include "Convert.h"
#include "Globals.h"

namespace JobFixtures {

std::unique_ptr<TestSupport::ProgramFolder> obre()
{
    TestSupport::resetSeams();
    auto pf = std::make_unique<TestSupport::ProgramFolder>();
    pf->openDatabases();
    TestSupport::addClient(QStringLiteral("Client"), true);
    return pf;
}

QVariant valor(const QString& sql, const QVariantList& params)
{
    return BD().scalar(sql, params);
}

int compta(const QString& sql, const QVariantList& params)
{
    return valor(sql, params).toInt();
}

int addXec(int feinaId, const QDate& liquidat)
{
    BD().exec(QStringLiteral("INSERT INTO Xecs (clients_nom, xecs_valor, xecs_data_entrega, xecs_data_liquidat, "
                             "feines_id) VALUES ('Client', 100000, '2010-01-01', ?, ?)"),
              {Conv::isoDate(liquidat), feinaId});
    return int(BD().lastInsertId());
}

} // namespace JobFixtures
