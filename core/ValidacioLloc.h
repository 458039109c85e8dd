#pragma once
// Checks of the numbers typed into the master-data editors, apart from any
// widget: the boxes' texts go in, are normalised in place as the boxes then
// show them, and either the values or the translated refusal come out.
#include "Decimal.h"

#include <QString>
#include <optional>

namespace Camps {

enum class Lectura { Ok, NoNumeric, Fora };
// A whole number in the user's locale, halves to the even neighbour; on Ok
// the text is rewritten as the plain number. Fora = outside -32768..32767.
Lectura llegeixEnter16(QString& text, int& valor);
// Same for a 32-bit number.
Lectura llegeixEnter32(QString& text, qint32& valor);
// A number with decimals in the user's locale (the text is left as it is).
// Fora = its magnitude is beyond Decimal::maxInput().
Lectura llegeixDecimal(const QString& text, Decimal& valor);
// The refusal of a number that does not fit its field.
QString missatgeFora(const QString& text);
// The refusal of a reading of `text`: "" when it was read, `noNumeric` when
// it is no number, the too-large message when it does not fit.
QString refus(Lectura lectura, const QString& text, const QString& noNumeric);

} // namespace Camps

enum class ModeLloc { Afegir, Modificar };

// The site boxes the checks read and may rewrite.
struct TextsLloc {
    QString nom;
    QString minuts;
    QString periodicitat;
    QString quota;
    bool primerMes = false;
    bool ultimMes = false;
    bool clientXecs = false;   // the stored cheque mark of the site's client
};

struct ValorsLloc {
    int minuts = 0;
    int periodicitat = 0;
    Decimal quota;
};

// Runs the checks of a site's boxes in the order of the action (adding
// gives an empty minutes box one cell; minutes that are no number are
// refused by both; a negative quota or one beyond Decimal::maxInput() is refused). Returns the
// translated refusal, or nothing with `valors` filled. A site on a monthly
// rule gets period 99.
std::optional<QString> validaLloc(ModeLloc mode, TextsLloc& texts, ValorsLloc& valors);

// The length that a site's stored service lines give (Minuts_Previstos_Lloc),
// or 0 when it is beyond what planned minutes hold.
int minutsDelsServeis(const QString& lloc, int recursos);
// The refusal of a line or a service that would make a site's visit longer
// than planned minutes hold.
QString missatgeDesbordament(const QString& lloc);
