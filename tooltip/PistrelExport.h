#pragma once

#include <QtGlobal>

#if defined(PISTREL_BUILDING)
#define PISTREL_EXPORT Q_DECL_EXPORT
#else
#define PISTREL_EXPORT Q_DECL_IMPORT
#endif
