#pragma once
// What the main window embeds when it is built with it: the calendar
// control, the two master-data tabs and the log window.
#if __has_include("Calvendra.h")
#include "Calvendra.h"
#include "CalvendraSeams.h"
#define TORVANEL_TE_CALENDARI 1
#endif
#if __has_include("TabClients.h")
#include "TabClients.h"
#define TORVANEL_TE_TAB_CLIENTS 1
#endif
#if __has_include("TabRecursosServeis.h")
#include "TabRecursosServeis.h"
#define TORVANEL_TE_TAB_RECURSOS 1
#endif
#if __has_include("frmMissatges.h")
#include "frmMissatges.h"
#define TORVANEL_TE_MISSATGES 1
#endif

// The window is laid out in twips, as it was designed; 15 twips per pixel.
inline int tw(int twips) { return (twips + 7) / 15; }
