// The readings on disk: Save Readings and Open Readings, the recovery file that keeps unsaved
// readings through a Quit or a crash, and the question before closing the window loses them.
#pragma once

#include "datalog/readingsfile.h"

#include <QCoreApplication>
#include <QString>

class QWidget;

namespace enkin {

class Session;

class LogFiles {
    Q_DECLARE_TR_FUNCTIONS(enkin::LogFiles)

public:
    // Dialogs and messages open over `window`.
    LogFiles(Session &session, QWidget *window);

    // The recovery file in the user's data folder; each assignment has its own.
    static QString recoveryPath(const std::string &assignment = {});

    // Asks for a file name and writes the log there; true when it was written.
    bool saveAs();
    bool save(const QString &fileName);
    // Asks for a file and reads it into the log; a file that is not a readings file is named
    // with its problem and line, and the log stays as it was.
    void openFrom();
    // Reads `fileName` into the log; the message for a file that could not be read, or empty.
    QString open(const QString &fileName);

    // After every change of the log: unsaved readings go to the recovery file, atomically; with
    // none left unsaved the file goes.
    void logChanged();
    // At start-up: readings left in the recovery file by a Quit or a crash are offered back,
    // once.
    void offerRecovery();
    // Whether the window may close: with unsaved readings the student chooses to save them,
    // discard them or stay.
    bool mayClose();

    bool unsaved() const { return m_unsaved; }
    // The student's name, asked once for the report; kept in the readings file.
    const QString &student() const { return m_student; }
    void setStudent(const QString &name) { m_student = name; }

    // The message for a file that could not be read, in the interface's language.
    static QString problemText(const ReadResult &result);

private:
    QString recoveryFile() const;
    // Puts what was read into the log: the message when it cannot go there, or empty.
    QString adopt(const ReadResult &read);
    ReadingsFile current() const;

    Session &m_session;
    QWidget *m_window;
    bool m_unsaved = false;
    QString m_student;
};

} // namespace enkin
