#pragma once

// Enumerations and settings of the Pistrel tooltip.

#include <QImage>
#include <QString>

#include <cstdint>

// Ticks the cursor must rest on the owner before the tip shows (one tick is Pistrel::TickMs).
enum Delay_ToolTip : std::int32_t {
    Delay_Inmediato = 1,
    Delay_Medio_Seg = 50,
    Delay_01_Seg = 100,
    Delay_02_Seg = 200,
    Delay_03_Seg = 300,
    Delay_05_Seg = 500,
    Delay_10_Seg = 1000,
    Delay_15_Seg = 1500,
};

// Ticks the tip stays on screen.
enum Duracion_ToolTip : std::int32_t {
    Time_001_Seg = 100,
    Time_002_Seg = 200,
    Time_003_Seg = 300,
    Time_005_Seg = 500,
    Time_010_Seg = 1000,
    Time_020_Seg = 2000,
    Time_030_Seg = 3000,
    Time_060_Seg = 6000,
    Time_120_Seg = 12000,
    Time_240_Seg = 24000,
};

// Background of the tip. Any other value paints a vertical gradient.
enum eEstilo_fondo : std::int32_t {
    Sólido = 1,
    DegradadoHorizontal = 2,
    DegradadoVertical = 3,
    ConImagen = 4,
};

// Shape of the tip window. Any value other than EstiloCuadrado is a balloon.
enum ttStyleEnum : std::int32_t {
    EstiloCuadrado = 0,
    EstiloBaloon = 1,
};

// Edge of the icon in pixels.
enum ttIconSize : std::int32_t {
    TamañoIcon_16 = 16,
    TamañoIcon_24 = 24,
    TamañoIcon_32 = 32,
    TamañoIcon_48 = 48,
    TamañoIcon_72 = 72,
};

// Stock icons of MostrarToolTip; 0 and any other value mean no icon.
enum ttIcon : std::int32_t {
    ICONO_ERROR = 1,
    ICONO_INFO = 2,
    ICONO_WARNING = 3,
};

// Declared for completeness; no member uses it.
enum ttFillStyle : std::int32_t {
    TTNrml = 1,
    TTGdtH = 2,
    TTGdtV = 3,
    TTPict = 4,
};

// Colours are 32-bit values: 0x00BBGGRR, or a system colour index with the
// high bit set (0x80000018 is the tooltip background of the palette).
using PistrelColor = std::uint32_t;

// The twelve settings of EstablecerPropiedades, in their order, with the
// defaults an omitted argument takes. Use designated initialisers:
//   tip.EstablecerPropiedades({.Delay = 0, .ColorFondo = 0xFFFF, .Sombra = true});
struct PistrelProperties {
    std::int32_t Delay = 10;
    PistrelColor ColorFondo = 0x80000018u;
    PistrelColor ColorTexto = 0x80000012u;
    PistrelColor StartDegrade = 0;
    PistrelColor EndDegrade = 0;
    std::int32_t EstiloFondo = Sólido;
    QString Fuente = QStringLiteral("Arial");  // empty: the application's standard font
    bool Sombra = false;
    std::int32_t Duracion = Time_010_Seg;
    std::int32_t EstiloToolTip = EstiloBaloon;
    std::int32_t TamañoIcono = TamañoIcon_16;
    QImage ImagenFondo{};  // tiled by ConImagen; null means none
};

// What a new Pistrel holds before EstablecerPropiedades is called.
inline PistrelProperties pistrelInitialProperties()
{
    PistrelProperties p;
    p.Delay = 100;
    p.ColorFondo = 0x80000018u;
    p.ColorTexto = 0x80000012u;
    p.StartDegrade = 0x80000018u;
    p.EndDegrade = 0x80000001u;
    p.EstiloFondo = 0;
    p.Fuente.clear();
    p.Sombra = false;
    p.Duracion = Time_005_Seg;
    p.EstiloToolTip = EstiloBaloon;
    p.TamañoIcono = TamañoIcon_16;
    return p;
}
