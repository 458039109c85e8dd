#pragma once
// Small helpers shared by the job-rule tests: a program folder with open
// databases and one client, row counts, and cheques matched to jobs.
#include "TestSupport.h"

#include <QDate>
#include <QVariant>
#include <memory>

namespace JobFixtures {

inline const QDate Avui(2010, 3, 10);   // the pinned clock's day

// Resets the seams, opens fresh databases with default settings and adds
// the client "Client" every site belongs to.
std::unique_ptr<TestSupport::ProgramFolder> obre();

// First column of the first row (invalid when none).
QVariant valor(const QString& sql, const QVariantList& params = {});
int compta(const QString& sql, const QVariantList& params = {});

// A cheque of "Client" matched to a job and liquidated on a day; returns its id.
int addXec(int feinaId, const QDate& liquidat);

} // namespace JobFixtures
