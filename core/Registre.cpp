#include "Registre.h"

namespace {
RegistreSink* g_sink = nullptr;
QString g_text;
} // namespace

namespace Registre_Missatges {
void setSink(RegistreSink* s) { g_sink = s; }
RegistreSink* sink() { return g_sink; }
void comenca(const QString& titol)
{
    g_text.clear();
    if (g_sink) g_sink->comenca(titol);
}
void afegeix(const QString& t)
{
    g_text += t;
    if (g_sink) g_sink->afegeix(t);
}
void acaba()
{
    if (g_sink) g_sink->acaba();
}
QString text() { return g_text; }
} // namespace Registre_Missatges
