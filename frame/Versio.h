#pragma once
// The program's version information and the pictures of its windows.
#include <QPixmap>
#include <QString>

namespace Versio {

inline constexpr int Major = 1;
inline constexpr int Minor = 1;
inline constexpr int Revision = 0;
// Product description (translated where it is shown).
inline const char* const DescripcioFitxer = "Planificador de feines";
inline const char* const Comentaris = "TV-0101-LNX";
// This program's version information names no company.
inline const char* const Companyia = "";
inline const char* const AdrecaWeb = "https://torvanel.example/";

// The program's logo drawn at the given size.
QPixmap logo(const QSize& size);

} // namespace Versio
