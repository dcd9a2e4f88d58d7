#include "app/logfiles.h"

#include "lab/session.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>

namespace enkin {

namespace {

const QString kFilter = QStringLiteral("*.csv");

// Writes `text` whole or not at all: a crash while writing leaves the previous file.
bool writeAtomically(const QString &fileName, const std::string &text)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.data(), qint64(text.size()));
    return file.commit();
}

// The file's text, or a problem: a file larger than any readings file is not read at all.
ReadResult readFile(const QString &fileName)
{
    QFile file(fileName);
    ReadResult failed;
    failed.problem = ReadProblem::TooLong;
    if (file.size() > qint64(kReadingsFileLimit))
        return failed;
    if (!file.open(QIODevice::ReadOnly)) {
        failed.problem = ReadProblem::Empty;
        return failed;
    }
    const QByteArray bytes = file.read(qint64(kReadingsFileLimit) + 1);
    return readReadingsCsv(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

} // namespace

LogFiles::LogFiles(Session &session, QWidget *window) : m_session(session), m_window(window) {}

QString LogFiles::recoveryPath(const std::string &assignment)
{
    // Only letters, digits and '-' of the assignment's name reach the file name.
    QString name = QStringLiteral("recovery");
    if (!assignment.empty()) {
        name += QLatin1Char('-');
        for (char c : assignment)
            if (std::isalnum(static_cast<unsigned char>(c)) || c == '-')
                name += QLatin1Char(c);
    }
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') +
           name + QStringLiteral(".csv");
}

QString LogFiles::recoveryFile() const
{
    const auto &assignment = m_session.assignment();
    return recoveryPath(assignment ? assignment->id : std::string());
}

ReadingsFile LogFiles::current() const
{
    const auto &assignment = m_session.assignment();
    return {m_session.state().dataLog, m_student.toStdString(),
            assignment ? assignment->id : std::string()};
}

QString LogFiles::adopt(const ReadResult &read)
{
    if (read.problem != ReadProblem::None)
        return problemText(read);
    // Readings of an assignment hold its enzyme settings, not its constants: only that
    // assignment's window can run them again.
    DataLog log = read.file.log;
    bool hidden = false;
    for (int i = 1; i <= log.SavedCount; ++i)
        hidden = hidden || log.SavedRun[std::size_t(i)].setting > 0;
    const auto &assignment = m_session.assignment();
    if (hidden && (!assignment || assignment->id != read.file.assignment))
        return tr("These readings were taken in assignment %1; open them in its window "
                  "(enkin %1.enkin).")
            .arg(QString::fromStdString(read.file.assignment));
    if (hidden)
        fillAssignmentConstants(log, *assignment);
    m_session.replaceLog(log);
    if (!read.file.student.empty())
        m_student = QString::fromStdString(read.file.student);
    return {};
}

QString LogFiles::problemText(const ReadResult &result)
{
    const int line = result.line;
    switch (result.problem) {
    case ReadProblem::None:
        return {};
    case ReadProblem::Empty:
        return tr("The file is empty or cannot be read.");
    case ReadProblem::TooLong:
        return tr("The file is far longer than a readings file can be.");
    case ReadProblem::NotText:
        return tr("The file is not text: it holds bytes that no readings file has.");
    case ReadProblem::NotReadings:
        return tr("This is not a readings file of Enkin: its first line is not the header "
                  "Save Readings writes.");
    case ReadProblem::UnclosedQuote:
        return tr("Line %1: a quoted text is never closed; the file may be cut short.").arg(line);
    case ReadProblem::WrongColumnCount:
        return tr("Line %1 does not have the header's %2 columns; the file may be cut short or "
                  "changed.")
            .arg(line)
            .arg(std::ranges::count(readingsHeader(), ',') + 1);
    case ReadProblem::NotANumber:
        return tr("Line %1: \"%2\" does not hold a number it can have.")
            .arg(line)
            .arg(QString::fromStdString(result.column));
    case ReadProblem::TooManyRows:
        return tr("Line %1: the file holds more than the %2 readings the table takes.")
            .arg(line)
            .arg(DataLog::kCapacity);
    }
    return {};
}

bool LogFiles::save(const QString &fileName)
{
    if (!writeAtomically(fileName, readingsCsv(current())))
        return false;
    m_unsaved = false;
    QFile::remove(recoveryFile());
    return true;
}

bool LogFiles::saveAs()
{
    const QString fileName =
        QFileDialog::getSaveFileName(m_window, tr("Save Readings"), QStringLiteral("readings.csv"),
                                     tr("Readings (%1)").arg(kFilter));
    if (fileName.isEmpty())
        return false;
    if (save(fileName))
        return true;
    QMessageBox::warning(
        m_window, tr("Save Readings"),
        tr("The readings could not be written to %1.").arg(QDir::toNativeSeparators(fileName)));
    return false;
}

QString LogFiles::open(const QString &fileName)
{
    if (QString problem = adopt(readFile(fileName)); !problem.isEmpty())
        return problem;
    m_unsaved = false;
    QFile::remove(recoveryFile());
    return {};
}

void LogFiles::openFrom()
{
    const QString fileName = QFileDialog::getOpenFileName(m_window, tr("Open Readings"), QString(),
                                                          tr("Readings (%1)").arg(kFilter));
    if (fileName.isEmpty())
        return;
    const QString problem = open(fileName);
    if (!problem.isEmpty())
        QMessageBox::warning(m_window, tr("Open Readings"),
                             tr("%1 was not opened, and the readings are as they were.\n\n%2")
                                 .arg(QDir::toNativeSeparators(fileName), problem));
}

void LogFiles::logChanged()
{
    const DataLog &log = m_session.state().dataLog;
    m_unsaved = log.SavedCount > 0;
    if (!m_unsaved) {
        QFile::remove(recoveryFile());
        return;
    }
    QDir().mkpath(QFileInfo(recoveryFile()).path());
    writeAtomically(recoveryFile(), readingsCsv(current()));
}

void LogFiles::offerRecovery()
{
    const QString path = recoveryFile();
    if (!QFile::exists(path))
        return;
    const ReadResult read = readFile(path);
    const int count = read.file.log.SavedCount;
    if (read.problem == ReadProblem::None && count > 0 &&
        QMessageBox::question(m_window, tr("Unsaved Readings"),
                              count == 1 ? tr("The last session ended with 1 reading not saved. "
                                              "Restore it?")
                                         : tr("The last session ended with %1 readings not "
                                              "saved. Restore them?")
                                               .arg(count)) == QMessageBox::Yes &&
        adopt(read).isEmpty()) {
        m_unsaved = true; // still unsaved: the recovery file keeps them
        return;
    }
    QFile::remove(path); // offered once
}

bool LogFiles::mayClose()
{
    if (!m_unsaved)
        return true;
    const auto answer = QMessageBox::question(
        m_window, tr("Unsaved Readings"),
        tr("The table holds readings that are not saved. Save them before closing?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return saveAs();
    if (answer == QMessageBox::Discard) {
        QFile::remove(recoveryFile());
        return true;
    }
    return false;
}

} // namespace enkin
