// Drawing a run on the plot surface, independently of the main window.
#include "engine/kinetics.h"
#include "views/plotsurface.h"
#include "views/trajectoryview.h"

#include <QTest>

#include <array>

using namespace enkin;

class TestViews : public QObject {
    Q_OBJECT

private slots:
    void undrawablePointsBreakTheCurve();
    void farPointsDrawTheirVisiblePart();
};

void TestViews::undrawablePointsBreakTheCurve()
{
    // [E] at 3/4 of the height with points 280..320 not a number, infinite or beyond the single
    // range, [ES] at 1/2 and [P] at 1/4: the polyline of [E] stops before the gap and resumes
    // after it, and nothing else is drawn.
    PlotSurface surface;
    surface.resize(604, 304);
    surface.clear();
    Trajectory t;
    for (int i = 1; i <= 600; ++i) {
        t.TimeVal[i] = i - 1;
        t.EConc[i] = i < 280 || i > 320 ? 0.75 : std::array{qQNaN(), qInf(), 1e300}[i % 3];
        t.ESConc[i] = 0.5;
        t.PConc[i] = 0.25;
    }
    QCOMPARE(DrawTrajectory(surface, t, 599, 1), DrawOutcome::Drawn);
    // The colours of a column from the top, as the Tutorial and the Guide name them: [E] black,
    // [ES] blue, [P] red.
    const auto inks = [&surface](int x) {
        const QImage image = surface.image();
        QList<QRgb> found;
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != qRgb(255, 255, 255) && !found.contains(image.pixel(x, y)))
                found << image.pixel(x, y);
        return found;
    };
    const QRgb black = qRgb(0, 0, 0), blue = qRgb(0, 0, 255), red = qRgb(255, 0, 0);
    QCOMPARE(inks(100), (QList<QRgb>{black, blue, red}));
    QCOMPARE(inks(300), (QList<QRgb>{blue, red}));
    QCOMPARE(inks(500), (QList<QRgb>{black, blue, red}));

    // A scale that cannot be set draws nothing at all.
    surface.clear();
    QCOMPARE(DrawTrajectory(surface, t, 599, 0), DrawOutcome::ZeroVerticalScale);
    QCOMPARE(DrawTrajectory(surface, t, 0, 1), DrawOutcome::ZeroHorizontalScale);
    QCOMPARE(DrawTrajectory(surface, t, 599, 1e300), DrawOutcome::VerticalScaleTooLarge);
    QCOMPARE(inks(100) + inks(300), QList<QRgb>());
}

void TestViews::farPointsDrawTheirVisiblePart()
{
    // A segment from the middle of the surface to a point far beyond its corner, along the
    // diagonal, in a batch as the curves are drawn: the visible part runs from the middle to the
    // bottom-right corner, however far the end point lies.
    for (const double far : {1e6, 1e15, 1e30}) {
        PlotSurface surface;
        surface.resize(404, 404);
        surface.clear();
        surface.setScale(0, 0, 1, 1);
        {
            const PlotSurface::Batch batch(surface);
            surface.moveTo(0.5f, 0.5f);
            surface.lineTo(static_cast<float>(0.5 + far), static_cast<float>(0.5 + far));
        }
        const QImage image = surface.image();
        const int n = image.width();
        const auto inkNear = [&image](int x, int y) {
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if (image.valid(x + dx, y + dy) &&
                        image.pixel(x + dx, y + dy) != qRgb(255, 255, 255))
                        return true;
            return false;
        };
        for (const double along : {0.55, 0.7, 0.85, 0.98})
            QVERIFY2(inkNear(qRound(along * (n - 1)), qRound(along * (n - 1))),
                     qPrintable(QString::number(along)));
        QVERIFY(!inkNear(qRound(0.3 * (n - 1)), qRound(0.3 * (n - 1))) &&
                !inkNear(qRound(0.8 * (n - 1)), qRound(0.2 * (n - 1))));
    }
}

QTEST_MAIN(TestViews)
#include "tst_views.moc"
