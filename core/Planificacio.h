#pragma once
// The planning run: creates the recurring jobs of a period, site by site,
// through the job rules, reporting each job in the progress log.
#include "Globals.h"
#include "ReglesPlanificacio.h"

#include <QDate>
#include <QString>

// How a planning run ended, beside its returned text.
struct InformePlanificacio {
    // Fet: the run ended normally and its jobs are stored. Error: the run
    // stopped on an unexpected failure and was undone; nothing of it stays,
    // and the caller must not move the last planned day.
    ResultatFeina Resultat = ResultatFeina::Fet;
    qint32 Planificades = 0;   // jobs stored (0 after a failure)
    qint32 Refusades = 0;      // jobs the rules refused (logged with their reason)
};

// Plans every site with a period above 0 from `primer` to `ultim`, both
// included, in one transaction. A site is not planned on a day that already
// holds one of its jobs, so a run repeated over days planned before (the last
// planned day not moved on after the jobs were stored) adds nothing twice. Returns "" when the run ended normally, or
// "Error en Planificar_Feines:" + the failure's description; `informe`, when
// given, receives the kind of outcome and the counts.
QString Planificar_Feines(const QDate& primer, const QDate& ultim, InformePlanificacio* informe = nullptr);
