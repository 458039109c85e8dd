#pragma once
// The arithmetic of the job dialog, apart from its widgets: the start and end
// slots of a day and the end of a job from its minutes of work.
#include <QString>
#include <QStringList>

// The slots of a day as the dialog offers them: `inicis` holds the start of
// every cell, `finals` its end (the k-th end lies one cell after the k-th
// start; midnight reads "24:00"). The selections are the last entry not after
// the job's stored time, compared as text; -1 when the stored time is before
// the first entry.
struct TramsDia {
    QStringList inicis;
    QStringList finals;
    int inici = -1;
    int fi = -1;
};
TramsDia Trams_Dia(const QString& horaInici, int minutsCella, int cellesDia, const QString& feinaInici,
                   const QString& feinaFi);

// The end of a job starting at `inici` after `minuts` of work. An end later
// than the end of the working day, or before the start, becomes `horaFinal`
// and is marked `tallada`. Throws Conv::ConversionError on a malformed start.
struct FiFeina {
    QString hora;
    bool tallada = false;
};
FiFeina Fi_Feina(const QString& inici, qint32 minuts, const QString& horaFinal);

// Index of the first entry at or after the time ("24:00" last); -1 when none.
int Primer_Tram_Des_De(const QStringList& finals, const QString& hora);
