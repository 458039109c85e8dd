#pragma once
// What the board's clicks, keys and drags work out, apart from the widgets:
// the cell under a position, a job's length in cells, the new end of a moved
// job, and the payload a drag carries.
#include <QPoint>
#include <QString>
#include <optional>

class QMimeData;

// The board cell under a position of its cells' area (x = column, y = row),
// with every data column as wide as column 1 and every body row as high as
// row 1: column 0 up to the label column's width, then one column per
// `ampleColumna` (rows likewise). Beyond the last cell the count goes on; the
// caller checks the range.
QPoint cellaDePosicio(const QPoint& pos, int ampleEtiquetes, int ampleColumna, int altCapcalera, int altFila);

// Board cells a job of these times takes, rounded to the nearest whole cell
// (halves to even); "24:00" ends the day. Empty when a time cannot be read.
std::optional<int> cellesFeina(const QString& horaInici, const QString& horaFi, int minutsCella);

// A job moved to start at `novaInici`, keeping its length ("24:00" ends the
// day). The new end goes round the clock past midnight, and an end at
// midnight is "24:00". Accepted when the new start is before the new end and
// the new end is not after `horaFinal`. Throws Conv::ConversionError when a
// time cannot be read.
struct Trasllat {
    bool acceptat = false;
    QString horaFi;
};
Trasllat traslladaFeina(const QString& horaInici, const QString& horaFi, const QString& novaInici,
                        const QString& horaFinal);

// What a drag carries: a kind letter and the dragged text ('L' a site of the
// sites palette, 'F' a job of the board, whose id goes with it, 'R' a
// resource of the resources palette).
struct CarregaArrossegament {
    QChar tipus;
    QString text;
    qint32 id = 0;

    // The kind letter followed by the text.
    QString caption() const { return tipus + text; }
    static CarregaArrossegament deCaption(const QString& caption, qint32 id = 0);

    // As the drag's data, and back (empty for data of any other drag).
    QMimeData* mimeData() const;
    static std::optional<CarregaArrossegament> deMimeData(const QMimeData* mime);
    static QString mimeType();
};
