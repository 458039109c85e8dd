#pragma once
#include <QtCore/qglobal.h>

#if defined(CALVENDRA_LIBRARY)
#define CALVENDRA_EXPORT Q_DECL_EXPORT
#else
#define CALVENDRA_EXPORT Q_DECL_IMPORT
#endif
