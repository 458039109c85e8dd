#pragma once
// The program's version information and the pictures of its windows.
#include "VersioPrograma.h"

#include <QPixmap>
#include <QString>

namespace Versio {

inline constexpr int Major = VersioPrograma::Major;
inline constexpr int Minor = VersioPrograma::Minor;
inline constexpr int Revision = VersioPrograma::Revision;
// Product description (translated where it is shown).
inline const char* const DescripcioFitxer = "Planificador de feines";
inline const char* const Comentaris = VersioPrograma::Codi;
// This program's version information names no company.
inline const char* const Companyia = "";
inline const char* const AdrecaWeb = "https://torvanel.example/";

// The program's logo drawn at the given size.
QPixmap logo(const QSize& size);

} // namespace Versio
