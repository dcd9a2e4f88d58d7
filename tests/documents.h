// The Tutorial and the Guide as a student reads them, in English and in German, for tests that
// check the numbers they claim against the program.
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

// Things a document says: each an English text and its German translation.
using Claims = QList<QStringList>;

// The claims a document leaves out, joined by " | ": the English texts looked up in folder/name,
// the German ones in folder/de/name.
inline QString missingClaims(const QString &folder, const QString &name, const Claims &claims)
{
    const QString texts[] = {documentText(folder + '/' + name),
                             documentText(folder + "/de/" + name)};
    QStringList missing;
    for (const QStringList &claim : claims)
        for (int language : {0, 1})
            if (claim.size() != 2 || !texts[language].contains(claim[language]))
                missing += claim.value(language, QStringLiteral("(no text)"));
    return missing.join(QStringLiteral(" | "));
}

} // namespace enkin
