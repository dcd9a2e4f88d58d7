// The Analysis window: Km and Vmax fitted to the readings of the data log.
//
// It shows velocity against [S] with the fitted hyperbola, the double-reciprocal plot with its
// least-squares line, and beside them Km and Vmax from the line, from a direct fit of the
// hyperbola and from the current rate constants. It reads the log and the run inputs only when
// refresh() runs: the main window calls it each time it shows the window.
#pragma once

#include <QWidget>

QT_BEGIN_NAMESPACE
class QChartView;
class QGridLayout;
class QLabel;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QValueAxis;
QT_END_NAMESPACE

namespace enkin {

struct DataLog;
class RunInputs;
struct Analysis;
struct TheoreticalConstants;

class AnalysisWindow : public QWidget {
    Q_OBJECT

public:
    // Keeps the references: `log` and `inputs` must outlive the window. With a parent it is still
    // a top-level window of its own. Close hides it; the frame's close box destroys it.
    AnalysisWindow(const DataLog &log, RunInputs &inputs, QWidget *parent = nullptr);

public slots:
    // Rebuilds the plots and the summary from the log and the current run inputs.
    void refresh();

private:
    static QString missingReadings();
    static QString readingsText(int n);

    struct ValueRow {
        QLabel *km = nullptr;
        QLabel *vmax = nullptr;
        QLabel *note = nullptr;
    };

    QChartView *createMichaelisChart();
    QChartView *createReciprocalChart();
    QWidget *createSummary();
    ValueRow addSummarySection(QGridLayout *grid, const QString &heading,
                               const QString &objectPrefix, const QString &source);

    void showMessage(const Analysis &analysis, int readingCount);
    void showMichaelisPlot(const Analysis &analysis);
    void showReciprocalPlot(const Analysis &analysis);
    void showSummary(const Analysis &analysis, const TheoreticalConstants &theory, double k1);

    const DataLog &m_log;
    RunInputs &m_inputs;

    QLabel *m_message = nullptr;

    QChartView *m_michaelisView = nullptr;
    QScatterSeries *m_readings = nullptr;
    QScatterSeries *m_leftOut = nullptr;
    QLineSeries *m_curve = nullptr;
    QValueAxis *m_sAxis = nullptr;
    QValueAxis *m_vAxis = nullptr;

    QChartView *m_reciprocalView = nullptr;
    QScatterSeries *m_reciprocalPoints = nullptr;
    QLineSeries *m_reciprocalLine = nullptr;
    QScatterSeries *m_intercepts = nullptr;
    QLineSeries *m_zeroX = nullptr; // the line 1/[S] = 0, where 1/Vmax is read
    QLineSeries *m_zeroY = nullptr; // the line 1/v = 0, where -1/Km is read
    QValueAxis *m_inverseSAxis = nullptr;
    QValueAxis *m_inverseVAxis = nullptr;

    ValueRow m_lineRow;
    ValueRow m_curveRow;
    ValueRow m_theoryRow;

    QPushButton *m_refreshButton = nullptr;
    QPushButton *m_closeButton = nullptr;
};

} // namespace enkin
