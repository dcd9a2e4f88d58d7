// The Analysis window: Km and Vmax fitted to the readings of the data log against [S]0.
//
// Four tabs plot the same readings four ways (velocity against [S]0 with its residuals, and the
// Lineweaver-Burk, Hanes-Woolf and Eadie-Hofstee lines), each with its own fit and the true
// curve or line. Beside them stand, for each group of readings from runs with the same
// constants, Km, Vmax, kcat and kcat/Km from every method against the true values: the direct
// fit's with 95% intervals, the lines' with their standard errors, which are not intervals.
// Under them the readings table says which readings are used and why others are not; a check
// box per row leaves a reading out or puts it back. A simulated measurement error, constant or
// proportional, can be added to the velocities; the direct fit is weighted for its model. It is
// handed the log and the run inputs in refresh(): the main window calls it each time it shows the
// window and when the student chooses Refresh.
//
// A group measured at several [I]0 of an inhibitor is drawn as a family, each [I]0 in its colour
// with its own fits, and gains a fifth tab, the Dixon and Cornish-Bowden plots against [I]0, and
// in its results the three inhibition laws fitted to all its readings, compared by AICc.
#pragma once

#include "analysis/analysisplot.h"

#include <QWidget>

#include <array>

QT_BEGIN_NAMESPACE
class QChartView;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QTabWidget;
class QTableWidget;
class QTableWidgetItem;
class QValueAxis;
class QVBoxLayout;
QT_END_NAMESPACE

namespace enkin {

class RunInputs;

class AnalysisWindow : public QWidget {
    Q_OBJECT

public:
    // Empty until its owner calls refresh(). With a parent it is still a top-level window of its
    // own. Close hides it; the frame's close box destroys it.
    explicit AnalysisWindow(QWidget *parent = nullptr);

    // The current tab's plot as PNG or SVG, by the file name's suffix; false when it could not
    // be written.
    bool savePlot(const QString &fileName);

    // Studies `log` again, with the current `inputs` standing in for the run of a reading that
    // has none, and fits and draws everything. The window keeps what it studied, not the log.
    void refresh(const DataLog &log, const RunInputs &inputs);

    // For a printed report: every group's results as rich text, and the plot of tab `tab`
    // (0 the velocity against [S]0, 1 Lineweaver-Burk, ..., 4 Dixon and Cornish-Bowden) as the
    // tab shows it.
    QString resultsHtml() const;
    QImage tabImage(int tab);
    // Whether the group plotted has readings at several [I]0, and so the fifth tab.
    bool plotsInhibition() const;

signals:
    // The student chose Refresh: the owner answers with refresh() and the log as it is now.
    void refreshRequested();

private:
    // One member of a family drawn in its own colour: an [I]0 of a method's plot, an [S]0 of
    // the Dixon and Cornish-Bowden plots.
    struct Member {
        QScatterSeries *used = nullptr, *leftOut = nullptr;
        QLineSeries *fitted = nullptr, *truth = nullptr;
    };
    // One plot: readings used (filled) and left out (hollow), the method's fit, the true curve
    // or line, and grey lines at zero; or a family of members, made as needed and hidden when
    // not, with the legend's keys to the line styles.
    struct Chart {
        QChartView *view = nullptr;
        QScatterSeries *used = nullptr, *leftOut = nullptr;
        QLineSeries *fitted = nullptr, *truth = nullptr, *zeroX = nullptr, *zeroY = nullptr;
        QValueAxis *x = nullptr, *y = nullptr;
        std::vector<Member> members;
        QLineSeries *fittedKey = nullptr, *trueKey = nullptr;
    };
    // What a family shows of each member, with its legend.
    struct MemberPlot {
        QString name;
        const PlotPoints *used, *leftOut, *fitted, *truth;
    };

    Chart createChart(const QString &objectName, const QString &title, const QString &xTitle,
                      const QString &yTitle, bool withCurves);
    QWidget *createTab(Method method);
    QWidget *createReadingsTable();
    QWidget *createControls();
    QWidget *createInhibitionTab();

    // Fits every group for the current choices and shows the result everywhere.
    void refit();
    void showMessage();
    void showChart(Chart &chart, const MethodPlot &plot, bool residuals);
    void showTabs();
    // The fifth tab and the families when the group plotted has several [I]0; false, with the
    // families hidden, when it has not.
    bool showLevels();
    void showFamily(Chart &chart, const std::vector<MemberPlot> &members, const AxisRange &x,
                    const AxisRange &y, bool zeroX, bool zeroY, bool withKeys);
    QString inhibitionResults(int group) const;
    void showResults();
    void showTable();
    QString resultsBlock(int group, const GroupFit &fit) const;
    QString lineCaption(const MethodFit &fit, const ReadingGroup &group) const;

    void readingToggled(QTableWidgetItem *item);
    void copyResults();
    void savePlotAs();
    void newSample();

    Study m_study;
    std::vector<GroupFit> m_fits;        // of each group, for the current choices
    std::vector<InhibitionStudy> m_laws; // the same, for a group at several [I]0
    StudyChoices m_choices;
    int m_group = 0; // the group the tabs plot

    QLabel *m_message = nullptr;
    QComboBox *m_groupChoice = nullptr;
    QTabWidget *m_tabs = nullptr;
    std::array<Chart, 4> m_charts; // by Method
    Chart m_residuals;             // under the direct fit
    std::array<QLabel *, 4> m_captions{};
    QWidget *m_inhibitionPage = nullptr; // the fifth tab, in the tabs only when it applies
    Chart m_dixon, m_cornishBowden;
    QLabel *m_inhibitionCaption = nullptr;
    QVBoxLayout *m_resultsLayout = nullptr;
    std::vector<QLabel *> m_results; // a block per group
    QTableWidget *m_table = nullptr;
    QDoubleSpinBox *m_error = nullptr;
    QComboBox *m_errorModel = nullptr;
    QLabel *m_seed = nullptr;
    QLabel *m_status = nullptr;
};

} // namespace enkin
