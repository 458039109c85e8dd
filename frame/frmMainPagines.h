#pragma once
// What the main window embeds: the agenda tab (with the calendar control),
// the billing tab, the two master-data tabs and the log window.
#include "Calvendra.h"
#include "TabAgenda.h"
#include "TabClients.h"
#include "TabFacturacio.h"
#include "TabRecursosServeis.h"
#include "frmMissatges.h"

// The window is laid out in twips, as it was designed; 15 twips per pixel.
inline int tw(int twips) { return (twips + 7) / 15; }
