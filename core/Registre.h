#pragma once
// Progress log of the long runs (planning, billing run). The log window
// installs itself as the sink; without one, lines are kept in memory only.
#include <QString>

class RegistreSink {
public:
    virtual ~RegistreSink() = default;
    // Opens (or reuses) the log for a run: caption = translated title,
    // closing disabled, window shown, busy cursor.
    virtual void comenca(const QString& titol) = 0;
    // Appends a piece of text (each piece carries its own line breaks).
    virtual void afegeix(const QString& text) = 0;
    // End of the run: normal cursor, caret at the end, closing enabled.
    virtual void acaba() = 0;
};

namespace Registre_Missatges {
void setSink(RegistreSink* sink);
RegistreSink* sink();
void comenca(const QString& titol);
void afegeix(const QString& text);
void acaba();
// Everything appended since the last comenca() (tests, and when no window exists).
QString text();
} // namespace Registre_Missatges
