#include "app/helpwindows.h"
#include "app/language.h"
#include "app/showwindow.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTranslator>

using namespace enkin;

// The Tutorial and the Guide, opened as the main window opens them: showWindow() into one slot
// per window.
class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void documentPicturesAndLinksResolve_data();
    void documentPicturesAndLinksResolve();

private:
    QWidget *open(const QString &which)
    {
        if (which == QLatin1String("tutorial"))
            return showWindow(tutorial_, &owner_);
        return showWindow(guide_, &owner_);
    }

    QWidget owner_;
    QPointer<EnkinDoc> tutorial_;
    QPointer<EnkinKey> guide_;
};

void TestHelp::cleanup()
{
    delete tutorial_;
    delete guide_;
    for (QTranslator *t : qApp->findChildren<QTranslator *>()) // back to English
        QCoreApplication::removeTranslator(t), delete t;
}

void TestHelp::documentPicturesAndLinksResolve_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("language"); // of the interface's catalogue, none for English
    for (const char *language : {"", "de"})
        for (const char *which : {"tutorial", "guide"})
            QTest::addRow("%s %s", which, *language ? language : "en") << which << language;
}

// Guards against a picture or link that names a file missing from the resources, or outside
// them, and against pictures that cannot be decoded (the SVG image plugin missing), which the
// view would draw as a broken-image placeholder. With the German catalogue installed the windows
// show the German documents, which speak of the Fließgleichgewicht (steady state); with none, the
// English ones.
void TestHelp::documentPicturesAndLinksResolve()
{
    QFETCH(QString, which);
    QFETCH(QString, language);
    if (!language.isEmpty())
        QVERIFY(installTranslations(*qApp, QLocale(language)));

    const QTextBrowser *view = open(which)->findChild<QTextBrowser *>();
    QCOMPARE(view->toPlainText().contains("Fließgleichgewicht"), !language.isEmpty());
    const QUrl source = view->source();
    QFile file(QLatin1Char(':') + source.path());
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QString html = QString::fromUtf8(file.readAll());
    static const QRegularExpression targets(
        QStringLiteral(R"re(<(img|a)\b[^>]*\b(?:src|href)\s*=\s*"([^"]*)")re"),
        QRegularExpression::CaseInsensitiveOption);
    int pictures = 0;
    for (const QRegularExpressionMatch &match : targets.globalMatch(html)) {
        const QString name = match.captured(2);
        const QUrl target = source.resolved(QUrl(name));
        QVERIFY2(target.scheme() == QLatin1String("qrc"), qPrintable(name));
        QVERIFY2(QFile::exists(QLatin1Char(':') + target.path()), qPrintable(name));
        if (match.captured(1).compare(QLatin1String("img"), Qt::CaseInsensitive) == 0) {
            QVERIFY2(!QImage(QLatin1Char(':') + target.path()).isNull(), qPrintable(name));
            ++pictures;
        }
        if (target.hasFragment()) // an anchor: name="fragment" or id="fragment"
            QVERIFY2(html.contains(QStringLiteral("=\"%1\"").arg(target.fragment())),
                     qPrintable(name));
    }
    QVERIFY(pictures > 0);
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
