#include "PistrelTipLogic.h"

#include <QLocale>
#include <QPalette>
#include <QtTest>

using namespace PistrelTip;

class TestPistrelTipLogic : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Catalan, QLocale::Spain)); }

    void placesTipNearEachEdge_data()
    {
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<bool>("balloon");
        QTest::addColumn<QRect>("window");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        const QRect s(0, 0, 1000, 800);
        const QRect second(1000, 0, 800, 600);
        // A tip of 100 x 40; a balloon adds its 17-pixel pointer strip.
        QTest::newRow("middle: above right") << QPoint(500, 400) << s << true << QRect(484, 343, 100, 57) << 17 << -17;
        QTest::newRow("rectangle: 1 px right, bottom at cursor") << QPoint(500, 400) << s << false << QRect(501, 360, 100, 40) << 0 << 0;
        QTest::newRow("right edge: opens left") << QPoint(950, 400) << s << true << QRect(867, 343, 100, 57) << -17 << -17;
        QTest::newRow("top edge: goes below") << QPoint(500, 30) << s << true << QRect(484, 48, 100, 57) << 17 << 17;
        QTest::newRow("bottom edge: stays above") << QPoint(500, 790) << s << true << QRect(484, 733, 100, 57) << 17 << -17;
        QTest::newRow("left edge: clamped") << QPoint(5, 400) << s << true << QRect(0, 343, 100, 57) << 17 << -17;
        QTest::newRow("top right corner") << QPoint(995, 3) << s << true << QRect(900, 21, 100, 57) << -17 << 17;
        QTest::newRow("second screen, right edge") << QPoint(1790, 300) << second << true << QRect(1700, 243, 100, 57) << -17 << -17;
        QTest::newRow("second screen, left edge") << QPoint(1002, 300) << second << true << QRect(1000, 243, 100, 57) << 17 << -17;
    }

    void placesTipNearEachEdge()
    {
        QFETCH(QPoint, cursor);
        QFETCH(QRect, screen);
        QFETCH(bool, balloon);
        QFETCH(QRect, window);
        QFETCH(int, dx);
        QFETCH(int, dy);
        const Placement p = placeTip(QSize(100, 40), cursor, screen, balloon);
        QCOMPARE(p.window, window);
        QCOMPARE(p.dx, dx);
        QCOMPARE(p.dy, dy);
        QVERIFY(screen.contains(p.window));
    }

    void balloonPointerIsATriangle_data()
    {
        QTest::addColumn<bool>("pointerAtTop");
        QTest::addColumn<bool>("leftOfCursor");
        QTest::newRow("below, right of cursor") << true << false;
        QTest::newRow("below, left of cursor") << true << true;
        QTest::newRow("above, right of cursor") << false << false;
        QTest::newRow("above, left of cursor") << false << true;
    }

    void balloonPointerIsATriangle()
    {
        QFETCH(bool, pointerAtTop);
        QFETCH(bool, leftOfCursor);
        const int w = 120;
        const int h = 60;
        const QRegion r = balloonRegion(w, h, pointerAtTop, leftOfCursor);
        // Row i from the outer edge holds i + 1 pixels against the pointer's vertical edge.
        const int edge = leftOfCursor ? w - 18 : 18;
        for (int i = 0; i < PointerSize; ++i) {
            const int y = pointerAtTop ? i : h - 1 - i;
            const int first = leftOfCursor ? edge - i : edge;
            const QRegion row = r & QRegion(0, y, w, 1);
            QCOMPARE(row, QRegion(first, y, i + 1, 1));
        }
    }

    void balloonCornersAreRounded_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<bool>("inside");
        // Pointer at the bottom of 120 x 60: the body is rows 0..42.
        QTest::newRow("top left cut") << QPoint(4, 0) << false;
        QTest::newRow("top left kept") << QPoint(5, 0) << true;
        QTest::newRow("top left, fifth row") << QPoint(0, 4) << false;
        QTest::newRow("left side") << QPoint(0, 5) << true;
        QTest::newRow("bottom left cut") << QPoint(2, 41) << false;
        QTest::newRow("bottom left kept") << QPoint(3, 41) << true;
        QTest::newRow("top right cut") << QPoint(115, 0) << false;
        QTest::newRow("bottom right cut") << QPoint(119, 38) << false;
        QTest::newRow("right side") << QPoint(119, 37) << true;
        QTest::newRow("strip beside the pointer") << QPoint(60, 50) << false;
    }

    void balloonCornersAreRounded()
    {
        QFETCH(QPoint, pixel);
        QFETCH(bool, inside);
        QCOMPARE(balloonRegion(120, 60, false, false).contains(pixel), inside);
    }

    void frameIsTheOnePixelBorder()
    {
        const QRegion frame = frameRegion(QRegion(0, 0, 10, 5));
        QVERIFY(frame.contains(QPoint(0, 0)) && frame.contains(QPoint(9, 4)));
        QVERIFY(!frame.contains(QPoint(1, 1)) && !frame.contains(QPoint(8, 3)));
    }

    void blendsTransparentTip_data()
    {
        QTest::addColumn<int>("content");
        QTest::addColumn<int>("background");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("expected");
        QTest::newRow("opaque: content") << 200 << 100 << 100 << 200;
        QTest::newRow("invisible: background") << 200 << 100 << 0 << 100;
        QTest::newRow("halves to even") << 201 << 101 << 50 << 150;
        QTest::newRow("1.5 to 2, 0.5 to 0") << 3 << 1 << 50 << 2;
        QTest::newRow("capped at 255") << 255 << 255 << 50 << 255;
        QTest::newRow("thirty percent") << 10 << 20 << 30 << 17;
    }

    void blendsTransparentTip()
    {
        QFETCH(int, content);
        QFETCH(int, background);
        QFETCH(int, alpha);
        QFETCH(int, expected);
        QImage c(2, 1, QImage::Format_RGB32);
        QImage b(2, 1, QImage::Format_RGB32);
        c.fill(qRgb(content, 0, content));
        b.fill(qRgb(background, background, 0));
        const QImage out = blendImages(c, b, alpha);
        QCOMPARE(qRed(out.pixel(1, 0)), expected);
        QCOMPARE(qGreen(out.pixel(1, 0)), scalePercent(background, 100 - alpha));
    }

    void gradientStepsRoundHalvesToEven_data()
    {
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("expected");
        QTest::newRow("last line is the end") << 200 << 4 << 4 << 200;
        QTest::newRow("2.5 to 2") << 5 << 1 << 2 << 2;
        QTest::newRow("3.5 to 4") << 7 << 1 << 2 << 4;
        QTest::newRow("no steps") << 90 << 0 << 0 << 0;
    }

    void gradientStepsRoundHalvesToEven()
    {
        QFETCH(int, end);
        QFETCH(int, step);
        QFETCH(int, steps);
        QFETCH(int, expected);
        QCOMPARE(gradientColor(QColor(0, 0, 0), QColor(end, 0, 0), step, steps).red(), expected);
    }

    void measuresTipFromTitleAndText_data()
    {
        QTest::addColumn<bool>("icon");
        QTest::addColumn<bool>("titleBlank");
        QTest::addColumn<QSize>("expected");
        // Title 50 x 10, text 80 x 20.
        QTest::newRow("title and text") << false << false << QSize(100, 43);
        QTest::newRow("icon widens the title line") << true << false << QSize(111, 59);
        QTest::newRow("blank title: no margin") << false << true << QSize(100, 30);
    }

    void measuresTipFromTitleAndText()
    {
        QFETCH(bool, icon);
        QFETCH(bool, titleBlank);
        QFETCH(QSize, expected);
        QCOMPARE(contentSize(QSize(50, 10), QSize(80, 20), icon, 16, titleBlank), expected);
    }

    void pointerAtTopPushesContentDown()
    {
        const ContentLayout above = layoutContent(QSize(50, 10), QSize(80, 20), true, 16, false, -17);
        const ContentLayout below = layoutContent(QSize(50, 10), QSize(80, 20), true, 16, false, 17);
        QCOMPARE(below.icon - above.icon, QPoint(0, 17));
        QCOMPARE(below.text.top() - above.text.top(), 17);
        QVERIFY(above.title.left() >= above.icon.x() + 16);
    }

    void resolvesColourValues()
    {
        QPalette palette(Qt::gray);
        palette.setColor(QPalette::ToolTipBase, QColor(1, 2, 3));
        QCOMPARE(resolveColor(0xFFFF, palette), QColor(255, 255, 0));
        QCOMPARE(resolveColor(0x80000018u, palette), QColor(1, 2, 3));
        QCOMPARE(resolveColor(0x80007777u, palette), palette.color(QPalette::Window));
    }
};

QTEST_GUILESS_MAIN(TestPistrelTipLogic)
#include "TestPistrelTipLogic.moc"
