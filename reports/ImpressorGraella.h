#pragma once
// Our grid printer: prints a grid as it is shown (texts, back and fore
// colours, bold and underlined fonts, merged blocks, heading rows and label
// columns), scaled to the page width and continued on further pages, under a
// heading of three lines (the header, the title and the date texts).
#include <QColor>
#include <QString>

class Graella;
class QWidget;

class ImpressorGraella {
public:
    // The grid across the page width (true) or at its screen size (false).
    void setAjustaAmplada(bool on) { ajusta_ = on; }
    // 1 portrait, 2 landscape.
    void setOrientacio(qint32 orientacio) { orientacio_ = orientacio; }
    QString Capcalera() const { return capcalera_; }
    void setCapcalera(const QString& text) { capcalera_ = text; }
    QString Titol() const { return titol_; }
    void setTitol(const QString& text) { titol_ = text; }
    QString Data() const { return data_; }
    void setData(const QString& text) { data_ = text; }
    // Colours in the stored form (red + 256 x green + 65536 x blue) and font
    // sizes in points of the three heading lines.
    void setColorTitol(qint32 color) { colorTitol_ = color; }
    void setColorCapcalera(qint32 color) { colorCapcalera_ = color; }
    void setColorData(qint32 color) { colorData_ = color; }
    void setMidaTitol(quint8 punts) { midaTitol_ = punts; }
    void setMidaCapcalera(quint8 punts) { midaCapcalera_ = punts; }
    void setMidaData(quint8 punts) { midaData_ = punts; }

    QColor colorTitol() const;
    QColor colorCapcalera() const;
    QColor colorData() const;
    int midaTitol() const { return midaTitol_; }
    int midaCapcalera() const { return midaCapcalera_; }
    int midaData() const { return midaData_; }

    // Prints the grid through the error path of every document; returns
    // where the document went (for the status bar).
    QString Imprimeix(const Graella* graella, QWidget* parent = nullptr) const;

private:
    bool ajusta_ = true;
    qint32 orientacio_ = 1;
    QString capcalera_, titol_, data_;
    qint32 colorTitol_ = 0, colorCapcalera_ = 0, colorData_ = 0;
    quint8 midaTitol_ = 12, midaCapcalera_ = 10, midaData_ = 8;
};
