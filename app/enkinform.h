// The main window: plot, time slider, parameter lists, time and Results boxes, colour key and
// menus. Each handler asks the session (lab/) what the action does and copies the result into the
// widgets; the layout is in enkinformlayout.cpp.
#pragma once

#include "app/logfiles.h"
#include "app/statustext.h"
#include "lab/session.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>

#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace enkin {

class PlotSurface;
class Parameters;
class DataForm;
class AnalysisWindow;
class EnkinDoc;
class EnkinKey;
class AboutEnkin;

class EnkinForm : public QMainWindow {
    Q_OBJECT

public:
    // Keeps the reference: the session outlives the window.
    explicit EnkinForm(Session &session, QWidget *parent = nullptr);
    ~EnkinForm() override;

public slots:
    void Plot2_Click();
    void Clear2_Click();
    void HScroll1_Change();
    void k2list_Click(int row);
    void S0List_Click(int row);
    void IP_Click();
    void Command1_Click();
    void SaveData_Click();
    void ClearData_Click();
    void ShowData_Click();
    void Analyse_Click();
    void Instructions_Click();
    void guide_Click();
    void aboutthis_Click();
    void QQuit_Click();

    // Used by the Initial Parameters dialog's OK.
    void applyParameters();

    // The readings on disk: the Data menu's Save Readings and Open Readings, and at start-up the
    // offer of readings a Quit or a crash left unsaved.
    void SaveReadings_Click();
    void OpenReadings_Click();
    // A PDF of the run, the readings and their analysis to hand in; asks for the student's name
    // the first time.
    void ExportReport_Click();
    void offerRecovery();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void buildControls();
    void buildMenus();
    // The key line and Results box of the inhibited enzyme, hidden until a run has an inhibitor.
    void buildInhibitorRows(QWidget *client);
    void showInhibitor(bool shown);
    void setFocusOrder();
    // Places the controls for the window's size: at the design size where the design puts them;
    // larger, the plot and the slider take the extra room, and the controls below move down
    // together, centred under the plot.
    void placeForSize(QSize client);
    void say(const StatusText &text);
    // The time box and the Results in a muted colour while they show an earlier run.
    void showWhichRun();
    void setBox(QLineEdit *box, const std::string &text);
    // The Km box: the session's text, or in an assignment a word that tells nothing.
    void showKm(const std::string &text);
    void showPicture(const PlotPicture &picture);
    void showInitialValues();
    void setSliderToStart();
    void finishChoice(const Notes &notes);
    void acceptReading();
    Parameters *parameters();

    Session &m_session;
    LogFiles m_files{m_session, this};
    StatusText m_said;                  // what the status bar shows, and its tooltip
    std::optional<PlotPicture> m_drawn; // the curves the plot shows, if any
    std::vector<std::pair<QPointer<QWidget>, QRect>> m_design; // each control's design place
    RunInputs::ListenerId m_inputsListener = 0;

    PlotSurface *Plot1 = nullptr;
    QLineEdit *maxy = nullptr;
    QLineEdit *Text2 = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QComboBox *k2list = nullptr;
    QComboBox *S0List = nullptr;
    QLineEdit *km = nullptr;
    QPushButton *Command1 = nullptr;
    QLineEdit *ttt = nullptr;
    QLineEdit *ttmax = nullptr;
    QLineEdit *EVal = nullptr;
    QLineEdit *ESVal = nullptr;
    QLineEdit *Vel = nullptr;
    QLineEdit *SVal = nullptr;
    QLineEdit *EIVal = nullptr;               // [EI] + [ESI], with an inhibitor
    QList<QPointer<QWidget>> m_inhibitorRows; // its key line, labels and box

    QPointer<Parameters> m_parameters;
    QPointer<DataForm> m_dataForm;
    QPointer<AnalysisWindow> m_analysis;
    QPointer<EnkinDoc> m_tutorial;
    QPointer<EnkinKey> m_guide;
    QPointer<AboutEnkin> m_about;
};

} // namespace enkin
