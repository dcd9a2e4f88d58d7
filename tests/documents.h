// The Tutorial and the Guide as a student reads them, for tests that check the numbers they
// claim against the program.
#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QString>

namespace enkin {

// The plain text of an HTML document: tags dropped, the word joiner removed, "&times;" read as
// "x", "&minus;" as "-", and runs of blanks turned into single spaces. Empty when it cannot be
// read.
inline QString documentText(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QRegularExpression(QStringLiteral("<[^>]*>")), QString());
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    text.replace(QStringLiteral("&times;"), QStringLiteral("x"));
    text.replace(QStringLiteral("&minus;"), QStringLiteral("-"));
    text.remove(QStringLiteral("&#8288;"));
    return text.simplified();
}

} // namespace enkin
