#include "Pistrel.h"
#include "PistrelTipWindow.h"
#include "QuietOffscreen.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QScreen>
#include <QtTest>

#include <memory>

class TestPistrelTipWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> owner;
    QPoint cursor;

    std::unique_ptr<Pistrel> showTip(const PistrelProperties& props, int alpha = 100)
    {
        auto tip = std::make_unique<Pistrel>();
        tip->setCursorProvider([this] { return cursor; });
        tip->setWidgetAtProvider([this](const QPoint&) { return owner.get(); });
        tip->EstablecerPropiedades(props);
        tip->MostrarToolTip(owner.get(), QStringLiteral("Dl 3"), QStringLiteral("08:00 Lloc"), 0, alpha);
        tip->tick();
        return tip;
    }

    // A 120 x 50 rectangle painted over garbage, as a reused surface would hold.
    static QImage paintOverGarbage(int style, const QImage& picture = {}, int icon = 0)
    {
        PistrelTipScene s;
        s.size = QSize(120, 50);
        s.balloon = false;
        s.shape = QRegion(0, 0, 120, 50);
        s.backgroundStyle = style;
        s.background = QColor(255, 255, 0);
        s.textColor = QColor(0, 0, 0);
        s.picture = picture;
        s.icon = icon;
        s.layout = PistrelTip::layoutContent(QSize(1, 10), QSize(1, 10), icon != 0, 16, true, 0);
        QImage image(s.size, QImage::Format_ARGB32);
        image.fill(QColor(255, 0, 255));
        QPainter p(&image);
        PistrelTipWindow::paintScene(p, s);
        return image;
    }

    static bool areaHasOnly(const QImage& image, const QRect& area, const QColor& colour)
    {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.pixelColor(x, y) != colour)
                    return false;
        return true;
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Catalan, QLocale::Spain));
        quietOffscreenWarnings();
    }

    void init()
    {
        owner = std::make_unique<QWidget>();
        cursor = QGuiApplication::primaryScreen()->availableGeometry().center();
    }

    void cleanup() { owner.reset(); }

    void backgroundCoversWhatTheSurfaceHeld_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("withPicture");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("solid") << int(Sólido) << false << QColor(255, 255, 0);
        QTest::newRow("pattern without picture") << int(ConImagen) << false << QColor(255, 255, 0);
        QTest::newRow("pattern with picture") << int(ConImagen) << true << QColor(0, 128, 0);
    }

    void backgroundCoversWhatTheSurfaceHeld()
    {
        QFETCH(int, style);
        QFETCH(bool, withPicture);
        QFETCH(QColor, expected);
        QImage picture;
        if (withPicture) {
            picture = QImage(8, 8, QImage::Format_RGB32);
            picture.fill(QColor(0, 128, 0));
        }
        const QImage image = paintOverGarbage(style, picture);
        QVERIFY(areaHasOnly(image, QRect(60, 30, 50, 15), expected));
        QCOMPARE(image.pixelColor(0, 0), QColor(0, 0, 0));  // the frame, in the text colour
        QCOMPARE(image.pixelColor(119, 49), QColor(0, 0, 0));
    }

    void stockIconsOnlyForKnownValues_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("none") << 0 << false;
        QTest::newRow("error") << int(ICONO_ERROR) << true;
        QTest::newRow("info") << int(ICONO_INFO) << true;
        QTest::newRow("warning") << int(ICONO_WARNING) << true;
        QTest::newRow("unknown value") << 4 << false;
    }

    void stockIconsOnlyForKnownValues()
    {
        QFETCH(int, icon);
        QFETCH(bool, drawn);
        const QImage image = paintOverGarbage(Sólido, {}, icon);
        QCOMPARE(!areaHasOnly(image, QRect(12, 8, 16, 16), QColor(255, 255, 0)), drawn);
    }

    void tipIsPlacedShapedAndFaded()
    {
        auto tip = showTip({.Delay = 0, .EstiloToolTip = EstiloBaloon}, 50);
        PistrelTipWindow* w = tip->tipWindow();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->objectName(), QStringLiteral("PISTREL"));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(w->geometry(), PistrelTip::placeTip(tip->tipSize(), cursor, screen, true).window);
        QCOMPARE(w->mask(), w->scene().shape);
        QVERIFY(!w->mask().contains(QPoint(0, 0)));
        QCOMPARE(qRound(w->windowOpacity() * 100), 50);

        auto square = showTip({.Delay = 0, .EstiloToolTip = EstiloCuadrado});
        QVERIFY(square->tipWindow()->mask().isEmpty());
        QCOMPARE(square->tipWindow()->windowOpacity(), 1.0);
    }

    void shadowBelongsToTheTipOnly()
    {
        QDialog dialog;
        const Qt::WindowFlags dialogFlags = dialog.windowFlags();
        auto shaded = showTip({.Delay = 0, .Sombra = true});
        auto plain = showTip({.Delay = 0, .Sombra = false});
        PistrelTipWindow* a = shaded->tipWindow();
        PistrelTipWindow* b = plain->tipWindow();
        QVERIFY(a && b);
        QVERIFY(a->hasShadow() && !b->hasShadow());
        const int offset = PistrelTipWindow::ShadowOffset;
        QCOMPARE(a->size(), a->scene().size + QSize(offset, offset));
        QCOMPARE(b->size(), b->scene().size);
        const QPoint beside(a->width() - 1, a->scene().size.height() / 2);
        QVERIFY(a->mask().contains(beside) && !a->scene().shape.contains(beside));
        QCOMPARE(dialog.windowFlags(), dialogFlags);
        QVERIFY(!dialog.testAttribute(Qt::WA_TranslucentBackground));
    }
};

QTEST_MAIN(TestPistrelTipWindow)
#include "TestPistrelTipWindow.moc"
