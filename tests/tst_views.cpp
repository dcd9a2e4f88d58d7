// Drawing a run on the plot surface, independently of the main window.
#include "engine/kinetics.h"
#include "views/plotsurface.h"
#include "views/trajectoryview.h"

#include <QTest>

#include <limits>

using namespace enkin;

class TestViews : public QObject {
    Q_OBJECT

private slots:
    void undrawablePointsBreakTheCurve_data();
    void undrawablePointsBreakTheCurve();
};

void TestViews::undrawablePointsBreakTheCurve_data()
{
    QTest::addColumn<double>("bad");
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
    QTest::newRow("beyond the single range") << 1e300;
}

void TestViews::undrawablePointsBreakTheCurve()
{
    // [E] along the middle of the surface, with points 280..320 undrawable: the polyline stops
    // before them and resumes after them, and nothing else is drawn.
    QFETCH(double, bad);
    PlotSurface surface;
    surface.resize(604, 304);
    surface.clear();
    Trajectory t;
    for (int i = 1; i <= 600; ++i) {
        t.TimeVal[i] = i - 1;
        t.EConc[i] = i >= 280 && i <= 320 ? bad : 0.5;
        t.ESConc[i] = t.PConc[i] = -1; // below the visible area
    }
    QCOMPARE(DrawTrajectory(surface, t, 599, 1), DrawOutcome::Drawn);
    const QImage image = surface.image();
    const auto inkInColumn = [&image](int x) {
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
        return false;
    };
    QVERIFY(inkInColumn(100));
    QVERIFY(!inkInColumn(300));
    QVERIFY(inkInColumn(500));

    // A zero scale draws nothing at all.
    surface.clear();
    QCOMPARE(DrawTrajectory(surface, t, 599, 0), DrawOutcome::ZeroVerticalScale);
    QCOMPARE(DrawTrajectory(surface, t, 0, 1), DrawOutcome::ZeroHorizontalScale);
    QCOMPARE(DrawTrajectory(surface, t, 599, 1e300), DrawOutcome::ZeroVerticalScale);
    QImage white(image.size(), image.format());
    white.fill(Qt::white);
    QCOMPARE(surface.image(), white);
}

QTEST_MAIN(TestViews)
#include "tst_views.moc"
