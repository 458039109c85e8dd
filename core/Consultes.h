#pragma once
// Small lookups over resources and services, and the writers that keep
// payments and extra hours free of zero rows.
#include "Decimal.h"
#include "FacturacioMes.h"

#include <QDate>
#include <QString>

// System colour reference of window backgrounds: the colour of a resource that does not exist.
inline constexpr qint32 ColorFinestraSistema = qint32(0x80000005u);

qint32 Color_Recurs(const QString& recurs);
bool Recurs_Assigna_Temps(const QString& recurs);
QString Recurs_Per_Color(qint32 color);
Decimal Preu_Servei(const QString& servei);
QString Unitat_Servei(const QString& servei);
QString Descripcio_Servei(const QString& servei, const QString& lloc);
Decimal Pagament_Client_Mes(const QString& mes, const QString& client);
PagamentMes Pagament_Mes(const QString& mes, const QString& client);
// Stores a typed amount (locale form); "" becomes "0" in the caller's text.
// A text that is not a number writes nothing and gives 0.
Decimal Grava_Pagament(const QString& mes, const QString& client, QString& import);
// Stores a month's payment, rounded to cents. The month's row goes when the
// payment is 0 and no invoice has taken any of it.
Decimal Grava_Import_Pagament(const QString& mes, const QString& client, const Decimal& import);
// The invoicing's mark: the month's invoice took the payment `facturat` whole
// (a later invoice of what is still to invoice subtracts only what the payment
// changes by afterwards).
void Marca_Pagament_Facturat(const QString& mes, const QString& client, const Decimal& facturat);
void Grava_Hores_Fetes(const Decimal& hores, const QString& recurs, const QDate& dia);
