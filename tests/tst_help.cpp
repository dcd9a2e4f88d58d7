#include "app/aboutenkin.h"
#include "app/helpwindows.h"
#include "app/language.h"
#include "app/showwindow.h"
#include "enkin/version.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTranslator>

using namespace enkin;

// Opens the help windows as the main window does: showWindow() into one slot per window.
class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void windowsOpenOnceAndClose_data();
    void windowsOpenOnceAndClose();
    void documentPicturesAndLinksResolve_data();
    void documentPicturesAndLinksResolve();

private:
    QWidget *open(const QString &which)
    {
        if (which == QLatin1String("tutorial"))
            return showWindow(tutorial_, &owner_);
        if (which == QLatin1String("guide"))
            return showWindow(guide_, &owner_);
        return showWindow(about_, &owner_);
    }

    QWidget owner_;
    QPointer<EnkinDoc> tutorial_;
    QPointer<EnkinKey> guide_;
    QPointer<AboutEnkin> about_;
};

void TestHelp::cleanup()
{
    delete tutorial_;
    delete guide_;
    delete about_;
    for (QTranslator *t : qApp->findChildren<QTranslator *>()) // back to English
        QCoreApplication::removeTranslator(t), delete t;
}

void TestHelp::windowsOpenOnceAndClose_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("how");
    const char *guide = "Michaelis Menten -  Guide"; // two blanks before Guide
    for (const char *how : {"Close", "close box", "Escape"}) {
        QTest::addRow("tutorial: %s", how) << "tutorial"
                                           << "Enkin Instructions" << how;
        QTest::addRow("guide: %s", how) << "guide" << guide << how;
    }
    for (const char *how : {"OK", "Enter", "Escape"})
        QTest::addRow("about: %s", how) << "about"
                                        << "About enkin" << how;
}

// Each menu item opens one window however often it is chosen. Close and Esc only hide a document,
// which keeps its place; the close box destroys it, and it opens anew at the top. The About box
// shows the application's title and version; OK, Enter and Escape destroy it.
void TestHelp::windowsOpenOnceAndClose()
{
    QFETCH(QString, which);
    QFETCH(QString, caption);
    QFETCH(QString, how);
    QCoreApplication::setApplicationName(QStringLiteral("enkin")); // as main() sets them
    QCoreApplication::setApplicationVersion(QStringLiteral(ENKIN_VERSION));

    QWidget *window = open(which);
    QCOMPARE(window->windowTitle(), caption);
    window->hide();
    QCOMPARE(open(which), window);
    QVERIFY(QTest::qWaitForWindowExposed(window));

    const bool about = which == QLatin1String("about");
    int place = 0;
    if (about) {
        QCOMPARE(window->findChild<QLabel *>("lblTitle")->text() + ' ' +
                     window->findChild<QLabel *>("lblVersion")->text(),
                 "enkin Version 1.0.0");
    } else {
        QScrollBar *bar = window->findChild<QTextBrowser *>("RichTextBox1")->verticalScrollBar();
        bar->setValue(bar->maximum() / 2);
        place = bar->value();
        QVERIFY2(place > 0, "the document should be longer than its view");
    }
    QSignalSpy destroyed(window, &QObject::destroyed);
    if (how == QLatin1String("close box"))
        QVERIFY(window->close());
    else if (how == QLatin1String("Close") || how == QLatin1String("OK"))
        QTest::mouseClick(window->findChild<QPushButton *>(about ? "cmdOK" : "Command1"),
                          Qt::LeftButton);
    else
        QTest::keyClick(window, how == QLatin1String("Enter") ? Qt::Key_Enter : Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Esc, like Close, only hides a document.
    const bool hides = how == u"Close" || (!about && how == u"Escape");
    QTRY_VERIFY(destroyed.count() || !window->isVisible());
    QCOMPARE(destroyed.count(), hides ? 0 : 1);
    QWidget *again = open(which);
    QVERIFY(QTest::qWaitForWindowExposed(again));
    if (!about)
        QCOMPARE(again->findChild<QTextBrowser *>()->verticalScrollBar()->value(),
                 hides ? place : 0);
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
