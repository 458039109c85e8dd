#pragma once
// What deleting a cheque does, from the clients tab's cheque editor and from
// the billing tab's cheque grid alike: the cheque rules act, and a refusal is
// shown in their own words.
#include <QString>

// Deletes a cheque of a client (a settled cheque asks first); true when it
// was deleted. Throws DbError.
bool eliminaXecAmbAvis(qint32 id, const QString& client);
