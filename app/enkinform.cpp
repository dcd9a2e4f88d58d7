#include "app/enkinform.h"

#include "analysis/analysiswindow.h"
#include "app/aboutenkin.h"
#include "app/helpwindows.h"
#include "app/report.h"
#include "app/showwindow.h"
#include "app/statustext.h"
#include "datalog/dataform.h"
#include "lab/session.h"
#include "params/choices.h"
#include "params/fieldbinding.h"
#include "params/parametersdialog.h"
#include "views/plotsurface.h"
#include "views/trajectoryview.h"
#include "widgets/design.h"
#include "widgets/windowroles.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolTip>

namespace enkin {

EnkinForm::EnkinForm(Session &session, QWidget *parent) : QMainWindow(parent), m_session(session)
{
    installWindowRoles();
    setObjectName(QStringLiteral("EnkinForm"));
    setWindowTitle(tr("Michaelis-Menten - Enzyme Kinetics"));
    buildControls();
    buildMenus();
    setFocusOrder();
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(true);
    Form_Load();
    HScroll1->setFocus();
    m_inputsListener = m_session.state().inputs.subscribe(
        [this](RunInput, const std::string &) { showWhichRun(); });
}

EnkinForm::~EnkinForm()
{
    m_session.state().inputs.unsubscribe(m_inputsListener);
}

void EnkinForm::showWhichRun()
{
    // 6.0:1 against the window's usual grey, and still marked against the boxes' black.
    const QColor text =
        m_session.showsEarlierRun() ? QColor(90, 90, 90) : palette().color(QPalette::Text);
    for (QLineEdit *box : {ttt, EVal, ESVal, Vel, SVal, EIVal}) {
        QPalette p = box->palette();
        p.setColor(QPalette::Text, text);
        box->setPalette(p);
    }
}

bool EnkinForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == centralWidget())
        placeForSize(static_cast<QResizeEvent *>(event)->size());
    // A horizontal scroll bar inverts the arrow keys (Right moved the time back); the slider
    // moves with the arrow: Right and Left step the time forward and back.
    if (event->type() == QEvent::KeyPress && watched == HScroll1) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Left) {
                HScroll1->triggerAction(key->key() == Qt::Key_Right
                                            ? QAbstractSlider::SliderSingleStepAdd
                                            : QAbstractSlider::SliderSingleStepSub);
                return true;
            }
        }
    }
    // Pointing at the plot tells the values of the nearest grid point of the run drawn last.
    if (event->type() == QEvent::ToolTip && watched == Plot1) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int width = std::max(1, Plot1->drawingSize().width() - 1);
        const auto point =
            m_drawn
                ? plotPointAt(*m_drawn->trajectory,
                              nearestPoint(double(help->pos().x() - PlotSurface::kBorder) / width),
                              m_drawn->lastValid, m_drawn->tmax, m_drawn->inhibited)
                : std::nullopt;
        if (point)
            QToolTip::showText(
                help->globalPos(),
                (point->EI.empty() ? tr("t = %1 msec: [E] %2, [ES] %3, [P] %4 (10^-9 M)")
                                   : tr("t = %1 msec: [E] %2, [ES] %3, [P] %4, [EI]+[ESI] %5 "
                                        "(10^-9 M)")
                                         .arg(QString::fromStdString(point->EI)))
                    .arg(QString::fromStdString(point->t), QString::fromStdString(point->E),
                         QString::fromStdString(point->ES), QString::fromStdString(point->P)),
                Plot1);
        else
            QToolTip::hideText();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void EnkinForm::placeForSize(QSize client)
{
    // The design size is the client's least size; the plot's and the slider's design places
    // divide the controls into those above and those below.
    const auto designed = [this](const QWidget *control) {
        for (const auto &[w, place] : m_design)
            if (w == control)
                return place;
        return QRect();
    };
    const QSize design = centralWidget()->minimumSize();
    const int wider = std::max(0, client.width() - design.width());
    const int taller = std::max(0, client.height() - design.height());
    const int sliderTop = designed(HScroll1).top(), plotMiddle = designed(Plot1).center().y();
    const QSize plotBefore = Plot1->size();
    for (const auto &[w, place] : m_design) {
        if (!w)
            continue;
        if (w == Plot1)
            w->setGeometry(place.adjusted(0, 0, wider, taller));
        else if (w == HScroll1)
            w->setGeometry(place.adjusted(0, taller, wider, taller));
        else if (place.top() >= sliderTop)
            w->setGeometry(place.translated(wider / 2, taller));
        else if (place.center().y() > plotMiddle) // the axis origin's "0"
            w->setGeometry(place.translated(0, taller));
        else
            w->setGeometry(place);
    }
    // The run drawn last is drawn again at the plot's new size.
    if (Plot1->size() != plotBefore && m_drawn) {
        PlotPicture again = *m_drawn;
        again.clear = true;
        showPicture(again);
    }
}

void EnkinForm::say(const StatusText &text)
{
    m_said = text;
    if (text.shown.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(text.shown);
    statusBar()->setToolTip(text.full);
}

void EnkinForm::setBox(QLineEdit *box, const std::string &text)
{
    box->setText(QString::fromStdString(text));
    box->setCursorPosition(0);
}

void EnkinForm::showKm(const std::string &text)
{
    if (m_session.assignment())
        km->setText(tr("hidden"));
    else
        setBox(km, text);
}

void EnkinForm::showPicture(const PlotPicture &picture)
{
    const PlotSurface::Batch batch(*Plot1);
    if (picture.clear) {
        Plot1->clear();
        m_drawn.reset();
    }
    if (picture.curves && picture.trajectory)
        m_drawn = picture;
    if (picture.curves && picture.trajectory)
        DrawTrajectory(*Plot1, *picture.trajectory, picture.tmax, picture.ymax, picture.lastValid,
                       picture.inhibited);
    if (picture.guideAt)
        drawGuideLine(*Plot1, *picture.guideAt, picture.ymax);
}

void EnkinForm::Plot2_Click()
{
    const PlotView view = m_session.plot(maxy->text().toStdString());
    showInhibitor(m_session.lastRun().start.inhibited());
    showPicture(view.picture);
    say(notesText(view.notes));
    showWhichRun();
}

void EnkinForm::Clear2_Click()
{
    Plot1->clear();
    m_drawn.reset();
    say({});
}

void EnkinForm::HScroll1_Change()
{
    const SliderView view = m_session.sliderChanged(HScroll1->value(), maxy->text().toStdString());
    if (view.ttt)
        ttt->setText(QString::fromStdString(*view.ttt));
    showInhibitor(m_session.lastRun().start.inhibited());
    showPicture(view.picture);
    if (const auto &r = view.readout) {
        EVal->setText(QString::fromStdString(r->EVal));
        ESVal->setText(QString::fromStdString(r->ESVal));
        Vel->setText(QString::fromStdString(r->Vel));
        SVal->setText(QString::fromStdString(r->SVal));
        EIVal->setText(QString::fromStdString(r->EIVal));
    }
    say(notesText(view.notes));
    showWhichRun();
}

void EnkinForm::setSliderToStart()
{
    // Runs the slider's change handler, inside this call, when and only when it stood elsewhere.
    HScroll1->setValue(1);
}

void EnkinForm::finishChoice(const Notes &notes)
{
    // The slider handler, run inside setSliderToStart, may have spoken first.
    const StatusText added = notesText(notes);
    if (m_said.shown.isEmpty() || added.shown.isEmpty())
        say(m_said.shown.isEmpty() ? added : m_said);
    else
        say({m_said.shown + QStringLiteral("  ") + added.shown,
             m_said.full + QLatin1Char('\n') + added.full});
}

void EnkinForm::showInitialValues()
{
    const Readout r = m_session.initialValues();
    setBox(EVal, r.EVal);
    setBox(ESVal, r.ESVal);
    setBox(SVal, r.SVal);
    setBox(Vel, r.Vel);
    setBox(EIVal, r.EIVal);
    showInhibitor(!r.EIVal.empty());
    showWhichRun();
}

void EnkinForm::k2list_Click(int row)
{
    const auto choice = m_session.chooseK2(row);
    if (!choice)
        return;
    say({});
    showKm(*choice->km);
    setSliderToStart();
    showInitialValues();
    finishChoice(choice->notes);
}

void EnkinForm::S0List_Click(int row)
{
    const auto choice = m_session.chooseS0(row);
    if (!choice)
        return;
    say({});
    setSliderToStart();
    showInitialValues();
    finishChoice(choice->notes);
}

Parameters *EnkinForm::parameters()
{
    if (!m_parameters) {
        m_parameters = new Parameters(m_session.state().inputs, this);
        connect(m_parameters, &Parameters::accepted, this, &EnkinForm::applyParameters);
        // The lists show the k2 and [S]0 in force: after Default, and after the close box has
        // discarded the texts, both are 1 again.
        const auto showDefaults = [this] {
            k2list->setEditText(m_session.assignment() ? tr("Setting %1").arg(2)
                                                       : QStringLiteral("1.000"));
            S0List->setEditText(QString::fromLatin1(kS0InitialText.data()));
        };
        connect(m_parameters, &Parameters::defaultsWritten, this, showDefaults);
        connect(m_parameters, &Parameters::textsDiscarded, this, showDefaults);
    }
    return m_parameters;
}

void EnkinForm::IP_Click()
{
    showWindow(parameters());
}

void EnkinForm::applyParameters()
{
    say({});
    const ParametersView view = m_session.applyParameters();
    showKm(view.km);
    setBox(maxy, view.maxy);
    if (m_parameters)
        m_parameters->hide();
    setSliderToStart();
    finishChoice(view.notes);
    showWhichRun();
}

void EnkinForm::acceptReading()
{
    say(notesText(m_session.accept().notes));
    m_files.logChanged();
}

void EnkinForm::Command1_Click()
{
    acceptReading();
}

void EnkinForm::SaveData_Click()
{
    acceptReading();
}

void EnkinForm::ClearData_Click()
{
    m_session.clearAll();
    m_files.logChanged();
    say({});
}

void EnkinForm::SaveReadings_Click()
{
    if (m_files.saveAs()) {
        const QString saved = tr("Readings saved.");
        say({saved, saved});
    }
}

void EnkinForm::OpenReadings_Click()
{
    m_files.openFrom();
}

void EnkinForm::ExportReport_Click()
{
    if (m_files.student().isEmpty()) {
        bool ok = false;
        const QString name = QInputDialog::getText(this, tr("Export Report"),
                                                   tr("Your name, as the report shows it:"),
                                                   QLineEdit::Normal, QString(), &ok);
        if (!ok || name.trimmed().isEmpty())
            return;
        m_files.setStudent(name.trimmed());
    }
    const QString fileName = QFileDialog::getSaveFileName(
        this, tr("Export Report"), QStringLiteral("report.pdf"), tr("PDF document (*.pdf)"));
    if (fileName.isEmpty())
        return;
    const bool written =
        Report::write(fileName, m_session, m_files.student(), Plot1->image(), maxy->text());
    const QString said = written ? tr("Report written.") : tr("The report could not be written.");
    say({said, said});
}

void EnkinForm::offerRecovery()
{
    m_files.offerRecovery();
}

void EnkinForm::ShowData_Click()
{
    showWindow(m_dataForm, this)->showData(m_session.state().dataLog);
}

void EnkinForm::Analyse_Click()
{
    const auto refresh = [this] {
        m_analysis->refresh(m_session.state().dataLog, m_session.state().inputs);
    };
    if (!m_analysis) {
        m_analysis = new AnalysisWindow(this);
        connect(m_analysis, &AnalysisWindow::refreshRequested, this, refresh);
    }
    refresh();
    showWindow(m_analysis.data());
}

void EnkinForm::Instructions_Click()
{
    showWindow(m_tutorial, this);
}

void EnkinForm::guide_Click()
{
    showWindow(m_guide, this);
}

void EnkinForm::aboutthis_Click()
{
    showWindow(m_about, this);
}

void EnkinForm::QQuit_Click()
{
    // Ends the event loop at once: no window is asked to close, nothing is kept.
    QCoreApplication::exit(0);
}

bool EnkinForm::event(QEvent *event)
{
    // Menus send an empty status tip as the mouse passes over them; on a main window that
    // erases the status bar, and the student would lose a message before reading it. Nothing
    // here has a status tip of its own.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

void EnkinForm::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, with every secondary window; unsaved readings
    // are saved, discarded or kept open first, as the student chooses.
    if (!m_files.mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::exit(0);
}

} // namespace enkin
