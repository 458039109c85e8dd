#pragma once

// The tip window: a frameless top-level widget that never takes focus or
// input, shaped by a mask, painting a scene prepared by Pistrel.

#include "PistrelExport.h"
#include "PistrelTipLogic.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>
#include <QWidget>

class QPainter;

struct PistrelTipScene {
    QSize size;            // the tip itself, pointer strip included, shadow excluded
    int dx = 0;
    int dy = 0;
    bool balloon = true;
    QRegion shape;         // outline of the tip in window coordinates
    int backgroundStyle = 0;
    QColor background;
    QColor textColor;
    QColor gradientStart;
    QColor gradientEnd;
    QImage picture;
    QFont font;
    QString title;
    QString text;
    int icon = 0;          // a stock icon, or 0
    int iconSize = 16;
    PistrelTip::ContentLayout layout;
    bool shadow = false;
    int alpha = 100;       // opacity in percent
};

class PISTREL_EXPORT PistrelTipWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ShadowOffset = 4;
    static constexpr auto ObjectName = "PISTREL";

    // `transientFor` is the window the tip belongs to (it stays a window of its own).
    explicit PistrelTipWindow(PistrelTipScene scene, QWidget* transientFor = nullptr);

    const PistrelTipScene& scene() const { return scene_; }
    bool hasShadow() const { return scene_.shadow; }
    // The mask of the window: the tip, plus its shadow when it has one.
    QRegion windowShape() const;

    // Extent of a text (line breaks make lines, no wrapping).
    static QSize measure(const QFont& font, const QString& text, bool bold);
    // Paints a scene into any painter, origin at the window's top left.
    static void paintScene(QPainter& painter, const PistrelTipScene& scene);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PistrelTipScene scene_;
};
