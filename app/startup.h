// enkin's command line, read before QApplication exists: --help, --version and a mistyped option
// are answered without a window system, so they work without a display.
#pragma once

#include "params/assignment.h"

#include <QString>
#include <QStringList>

#include <optional>

#include <span>

namespace enkin {

struct StartupCommand {
    enum class Action { Start, Help, Version, BadUsage };
    Action action = Action::Start;
    // The help or the version for standard output, or the complaint for standard error.
    QString text;
    // Start: the assignment file to open the window on, if one was named.
    QString assignmentFile;
};

// Exit statuses of enkin before its window opens.
inline constexpr int kExitBadUsage = 2;
inline constexpr int kExitWriteFailed = 3;
// No window system to open the window on (no display, or none that Qt can use).
inline constexpr int kExitNoDisplay = 4;
// The file named is not an assignment.
inline constexpr int kExitBadAssignment = 5;

// One of Qt's own options that enkin accepts and leaves in argv for QApplication to read.
struct QtOption {
    const char *name;
    const char *valueName; // nullptr for a flag
};
std::span<const QtOption> qtOptions();

// Reads the program's arguments (argv, the program's name first). Start means open the window,
// with argv unchanged.
StartupCommand readStartupCommand(const QStringList &arguments);

// Reads an assignment file; nothing, with the reason in `problem`, when it is not one.
std::optional<Assignment> readAssignmentFile(const QString &path, QString &problem);

} // namespace enkin
