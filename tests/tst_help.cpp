#include "app/aboutenkin.h"
#include "app/appicon.h"
#include "app/helpwindows.h"
#include "app/showwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

using namespace enkin;

// Drives the Tutorial, Guide and About windows as the main window does: one slot per window,
// opened through showWindow() with a stand-in main window as the owner.
class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showingTwiceKeepsOneWindow_data();
    void showingTwiceKeepsOneWindow();
    void helpWindowOpensAtDesignLayout_data();
    void helpWindowOpensAtDesignLayout();
    void helpWindowGivesExtraRoomToDocument_data();
    void helpWindowGivesExtraRoomToDocument();
    void closeHidesButCloseBoxDestroys_data();
    void closeHidesButCloseBoxDestroys();
    void documentIsReadOnlyButCopyable_data();
    void documentIsReadOnlyButCopyable();
    void documentPicturesAndLinksResolve_data();
    void documentPicturesAndLinksResolve();

    void aboutShowsApplicationTitleAndVersion_data();
    void aboutShowsApplicationTitleAndVersion();
    void aboutLayout();
    void aboutIsDestroyedAndReopensAnew_data();
    void aboutIsDestroyedAndReopensAnew();

    void showWindowPassesConstructorArguments();
    void iconHasEverySize_data();
    void iconHasEverySize();

private:
    QWidget *open(const QString &which);
    QWidget *current(const QString &which) const;
    static QTextBrowser *viewOf(QWidget *window);

    QWidget owner_;
    QPointer<EnkinDoc> tutorial_;
    QPointer<EnkinKey> guide_;
    QPointer<AboutEnkin> about_;
};

void TestHelp::initTestCase()
{
    owner_.resize(200, 100);
    owner_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner_));
}

void TestHelp::init()
{
    // As main() sets them.
    QCoreApplication::setApplicationName(QStringLiteral("enkin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ENKIN_VERSION));
}

void TestHelp::cleanup()
{
    delete tutorial_;
    delete guide_;
    delete about_;
}

QWidget *TestHelp::open(const QString &which)
{
    if (which == QLatin1String("tutorial"))
        return showWindow(tutorial_, &owner_);
    if (which == QLatin1String("guide"))
        return showWindow(guide_, &owner_);
    return showWindow(about_, &owner_);
}

QWidget *TestHelp::current(const QString &which) const
{
    if (which == QLatin1String("tutorial"))
        return tutorial_;
    if (which == QLatin1String("guide"))
        return guide_;
    return about_;
}

QTextBrowser *TestHelp::viewOf(QWidget *window)
{
    return window->findChild<QTextBrowser *>(QStringLiteral("RichTextBox1"));
}

// Rows shared by the tests of the two document windows.
static void helpWindowRows()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("heading");
    QTest::newRow("tutorial") << "tutorial"
                              << "Enzyme Kinetics Tutorial";
    QTest::newRow("guide") << "guide"
                           << "A Guide to Using Enkin";
}

void TestHelp::showingTwiceKeepsOneWindow_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("caption");
    QTest::newRow("tutorial") << "tutorial"
                              << "Enkin Instructions";
    QTest::newRow("guide: two blanks before Guide") << "guide"
                                                    << "Michaelis Menten -  Guide";
    QTest::newRow("about: one blank before the title") << "about"
                                                       << "About enkin";
}

void TestHelp::showingTwiceKeepsOneWindow()
{
    QFETCH(QString, which);
    QFETCH(QString, caption);

    QWidget *first = open(which);
    QVERIFY(first);
    QVERIFY(first->isWindow());
    QVERIFY(first->isVisible());
    QCOMPARE(first->windowTitle(), caption);

    QWidget *second = open(which);
    QCOMPARE(second, first);
    QVERIFY(second->isVisible());

    int windows = 0;
    for (const QWidget *child : owner_.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        windows += child->isWindow() && child->windowTitle() == caption;
    QCOMPARE(windows, 1);
}

void TestHelp::helpWindowOpensAtDesignLayout_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("view");
    QTest::addColumn<QString>("heading");
    // Twips divided by 15.
    QTest::newRow("tutorial") << "tutorial"
                              << "qrc:/docs/tutorial.html" << QSize(699, 464)
                              << QRect(7, 8, 690, 424) << "Enzyme Kinetics Tutorial";
    QTest::newRow("guide") << "guide"
                           << "qrc:/docs/guide.html" << QSize(622, 464) << QRect(0, 0, 619, 424)
                           << "A Guide to Using Enkin";
}

void TestHelp::helpWindowOpensAtDesignLayout()
{
    QFETCH(QString, which);
    QFETCH(QString, document);
    QFETCH(QSize, client);
    QFETCH(QRect, view);
    QFETCH(QString, heading);

    QWidget *window = open(which);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->size(), client);

    QTextBrowser *browser = viewOf(window);
    QVERIFY(browser);
    QCOMPARE(browser->geometry(), view);
    QCOMPARE(browser->source(), QUrl(document));
    QCOMPARE(browser->document()->firstBlock().text().trimmed(), heading);
    QCOMPARE(browser->verticalScrollBar()->value(), 0);

    auto *close = window->findChild<QPushButton *>(QStringLiteral("Command1"));
    QVERIFY(close);
    QCOMPARE(close->text(), QStringLiteral("Close"));
    QCOMPARE(close->geometry(), QRect(274, 433, 44, 25));
    QVERIFY2(close->fontMetrics().horizontalAdvance(close->text()) + 8 <= close->width(),
             "Close caption clipped");
}

void TestHelp::helpWindowGivesExtraRoomToDocument_data()
{
    helpWindowRows();
}

void TestHelp::helpWindowGivesExtraRoomToDocument()
{
    QFETCH(QString, which);

    QWidget *window = open(which);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTextBrowser *browser = viewOf(window);
    auto *close = window->findChild<QPushButton *>(QStringLiteral("Command1"));
    const QRect designView = browser->geometry();
    const QRect designClose = close->geometry();

    window->resize(window->size() + QSize(200, 100));
    QTRY_COMPARE(browser->geometry(), designView.adjusted(0, 0, 200, 100));
    QCOMPARE(close->geometry(), designClose.translated(100, 100));

    // The design size is the smallest: the controls never overlap or leave the window.
    window->resize(100, 100);
    QTRY_COMPARE(browser->geometry(), designView);
    QCOMPARE(close->geometry(), designClose);
}

void TestHelp::closeHidesButCloseBoxDestroys_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("tutorial: Close keeps the place") << "tutorial" << false;
    QTest::newRow("tutorial: close box starts over") << "tutorial" << true;
    QTest::newRow("guide: Close keeps the place") << "guide" << false;
    QTest::newRow("guide: close box starts over") << "guide" << true;
}

void TestHelp::closeHidesButCloseBoxDestroys()
{
    QFETCH(QString, which);
    QFETCH(bool, closeBox);

    QWidget *window = open(which);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QScrollBar *bar = viewOf(window)->verticalScrollBar();
    QVERIFY2(bar->maximum() > 100, "the document should be longer than its view");
    bar->setValue(bar->maximum() / 2);
    const int place = bar->value();
    QVERIFY(place > 0);

    QSignalSpy destroyed(window, &QObject::destroyed);
    if (closeBox)
        QVERIFY(window->close());
    else
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command1")),
                          Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(destroyed.count(), closeBox ? 1 : 0);
    QCOMPARE(current(which) == nullptr, closeBox);

    QWidget *again = open(which);
    QVERIFY(QTest::qWaitForWindowExposed(again));
    if (!closeBox)
        QCOMPARE(again, window);
    QCOMPARE(viewOf(again)->verticalScrollBar()->value(), closeBox ? 0 : place);
}

void TestHelp::documentIsReadOnlyButCopyable_data()
{
    helpWindowRows();
}

void TestHelp::documentIsReadOnlyButCopyable()
{
    QFETCH(QString, which);
    QFETCH(QString, heading);

    QWidget *window = open(which);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTextBrowser *browser = viewOf(window);
    const QString text = browser->toPlainText();

    QTest::keyClicks(browser, QStringLiteral("typed"));
    QTest::keyClick(browser, Qt::Key_Delete);
    QTest::keyClick(browser, Qt::Key_Backspace);
    QCOMPARE(browser->toPlainText(), text);

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(browser, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(browser, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(heading));
}

void TestHelp::documentPicturesAndLinksResolve_data()
{
    helpWindowRows();
}

// Guards against a picture or link that names a file missing from the resources, and against
// pictures the view cannot decode (the SVG image plugin missing), which it would draw as a
// broken-image placeholder.
void TestHelp::documentPicturesAndLinksResolve()
{
    QFETCH(QString, which);

    QWidget *window = open(which);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTextBrowser *browser = viewOf(window);

    const QString source = browser->source().toString();
    QFile file(QLatin1Char(':') + source.mid(source.indexOf(QLatin1Char(':')) + 1));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QString html = QString::fromUtf8(file.readAll());

    static const QRegularExpression images(
        QStringLiteral(R"re(<img\b[^>]*\bsrc\s*=\s*"([^"]*)")re"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression links(QStringLiteral(R"re(<a\b[^>]*\bhref\s*=\s*"([^"]*)")re"),
                                          QRegularExpression::CaseInsensitiveOption);
    QStringList targets;
    int imageTags = 0;
    for (const QRegularExpressionMatch &match : images.globalMatch(html)) {
        targets << match.captured(1);
        ++imageTags;
    }
    for (const QRegularExpressionMatch &match : links.globalMatch(html))
        targets << match.captured(1);
    for (const QString &name : targets) {
        const QUrl target = browser->source().resolved(QUrl(name));
        QVERIFY2(target.scheme() == QLatin1String("qrc"),
                 qPrintable(QStringLiteral("the documents must not depend on the network or "
                                           "outside files: ") +
                            name));
        QVERIFY2(QFile::exists(QLatin1Char(':') + target.path()), qPrintable(name));
        if (target.hasFragment())
            QVERIFY2(html.contains(QStringLiteral("name=\"%1\"").arg(target.fragment())) ||
                         html.contains(QStringLiteral("id=\"%1\"").arg(target.fragment())),
                     qPrintable(name));
    }
    QVERIFY(imageTags > 0);

    // Drawing the window makes the view load and decode every picture.
    QVERIFY(!window->grab().isNull());
    QTextDocument *document = browser->document();
    int pictures = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(name));
            QImage image;
            if (resource.canConvert<QImage>())
                image = resource.value<QImage>();
            if (image.isNull() && resource.canConvert<QPixmap>())
                image = resource.value<QPixmap>().toImage();
            if (image.isNull() && resource.canConvert<QByteArray>())
                image = QImage::fromData(resource.toByteArray());
            QVERIFY2(!image.isNull(), qPrintable(name));
            ++pictures;
        }
    }
    // Tables hold some pictures in their own blocks, which the walk above also visits.
    QCOMPARE(pictures, imageTags);
}

void TestHelp::aboutShowsApplicationTitleAndVersion_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("versionText");
    QTest::newRow("as built") << "enkin" << QString(ENKIN_VERSION) << "About enkin"
                              << "Version 1.0.0";
    QTest::newRow("title: other name") << "Enkin Lab"
                                       << "1.0.0"
                                       << "About Enkin Lab"
                                       << "Version 1.0.0";
    QTest::newRow("version: several digits") << "enkin"
                                             << "2.10.13"
                                             << "About enkin"
                                             << "Version 2.10.13";
    QTest::newRow("version: revision missing") << "enkin"
                                               << "3.1"
                                               << "About enkin"
                                               << "Version 3.1.0";
    QTest::newRow("version: fourth part ignored") << "enkin"
                                                  << "3.1.4.1"
                                                  << "About enkin"
                                                  << "Version 3.1.4";
}

void TestHelp::aboutShowsApplicationTitleAndVersion()
{
    QFETCH(QString, title);
    QFETCH(QString, version);
    QFETCH(QString, caption);
    QFETCH(QString, versionText);

    QCoreApplication::setApplicationName(title);
    QCoreApplication::setApplicationVersion(version);
    QWidget *about = open(QStringLiteral("about"));

    QCOMPARE(about->windowTitle(), caption);
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), title);
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), versionText);
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("lblDescription"))->text(),
             QStringLiteral("This module has been written to be used as part of a lab for "
                            "students to explore the effects of varying parameters and initial "
                            "conditions in the standard Michaelis Menten model."));
    const QString credits = about->findChild<QLabel *>(QStringLiteral("lblDisclaimer"))->text();
    QVERIFY(credits.contains(QStringLiteral("the Enkin developers")));
}

void TestHelp::aboutLayout()
{
    QWidget *about = open(QStringLiteral("about"));
    QVERIFY(QTest::qWaitForWindowExposed(about));

    // Fixed frame without minimize or maximize, opening at its design place on the screen.
    QCOMPARE(about->minimumSize(), about->maximumSize());
    QCOMPARE(about->width(), 382);
    QVERIFY(about->height() >= 237);
    QVERIFY(!(about->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(about->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(about->geometry().topLeft(), owner_.screen()->geometry().topLeft() + QPoint(156, 129));
    QVERIFY(!static_cast<QDialog *>(about)->isModal());

    auto *icon = about->findChild<QLabel *>(QStringLiteral("picIcon"));
    QVERIFY(!icon->pixmap().isNull());
    auto *ok = about->findChild<QPushButton *>(QStringLiteral("cmdOK"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QVERIFY(about->rect().contains(ok->geometry()));
    QVERIFY(ok->geometry().right() > about->width() * 3 / 4);
    QVERIFY(ok->geometry().bottom() > about->height() * 3 / 4);

    // No label is cut short, and the icon sits left of the title, the credits below the line.
    for (const char *name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"}) {
        auto *label = about->findChild<QLabel *>(QLatin1String(name));
        QVERIFY2(label->font() == about->font(), name);
        QVERIFY2(about->rect().contains(label->geometry()), name);
        const int needed =
            label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        QVERIFY2(needed <= label->height(), name);
        if (!label->wordWrap())
            QVERIFY2(label->sizeHint().width() <= label->width(), name);
    }
    auto *line = about->findChild<QFrame *>(QStringLiteral("Line1"));
    const QRect title = about->findChild<QLabel *>(QStringLiteral("lblTitle"))->geometry();
    const QRect credits = about->findChild<QLabel *>(QStringLiteral("lblDisclaimer"))->geometry();
    QVERIFY(icon->geometry().right() < title.left());
    QVERIFY(line->geometry().bottom() < credits.top());
    QVERIFY(line->width() > about->width() * 9 / 10);

    // The separator is etched: a grey line with a white line just below it.
    const QImage shot = about->grab().toImage();
    const int x = line->geometry().center().x();
    int grey = -1;
    for (int y = line->geometry().top(); y <= line->geometry().bottom(); ++y) {
        if (shot.pixelColor(x, y) == QColor(128, 128, 128)) {
            grey = y;
            break;
        }
    }
    QVERIFY2(grey >= 0, "no grey line");
    QCOMPARE(shot.pixelColor(x, grey + 1), QColor(Qt::white));
}

void TestHelp::aboutIsDestroyedAndReopensAnew_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("OK button") << "click";
    QTest::newRow("key: Enter") << "enter";
    QTest::newRow("key: Return") << "return";
    QTest::newRow("key: Escape") << "escape";
    QTest::newRow("frame close box") << "close";
}

void TestHelp::aboutIsDestroyedAndReopensAnew()
{
    QFETCH(QString, how);

    QWidget *about = open(QStringLiteral("about"));
    QVERIFY(QTest::qWaitForWindowActive(about));
    QSignalSpy destroyed(about, &QObject::destroyed);
    QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : about;

    if (how == QLatin1String("click"))
        QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    else if (how == QLatin1String("enter"))
        QTest::keyClick(focus, Qt::Key_Enter, Qt::KeypadModifier);
    else if (how == QLatin1String("return"))
        QTest::keyClick(focus, Qt::Key_Return);
    else if (how == QLatin1String("escape"))
        QTest::keyClick(focus, Qt::Key_Escape);
    else
        QVERIFY(about->close());
    QTRY_COMPARE(destroyed.count(), 1);
    QVERIFY(!about_);

    // Every opening runs the load step again.
    QCoreApplication::setApplicationVersion(QStringLiteral("4.5.6"));
    QWidget *again = open(QStringLiteral("about"));
    QVERIFY(again->isVisible());
    QCOMPARE(again->windowTitle(), QStringLiteral("About enkin"));
    QCOMPARE(again->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 4.5.6"));
}

// A window whose constructor needs more than its parent.
class NamedWindow : public QWidget {
public:
    NamedWindow(const QString &name, QWidget *parent) : QWidget(parent, Qt::Window)
    {
        setWindowTitle(name);
    }
};

void TestHelp::showWindowPassesConstructorArguments()
{
    QPointer<NamedWindow> slot;
    NamedWindow *first = showWindow(slot, &owner_, QStringLiteral("first"));
    QCOMPARE(first->windowTitle(), QStringLiteral("first"));
    QCOMPARE(first->parentWidget(), &owner_);
    QVERIFY(first->isVisible());

    first->hide();
    QCOMPARE(showWindow(slot, &owner_, QStringLiteral("second")), first);
    QCOMPARE(first->windowTitle(), QStringLiteral("first"));
    QVERIFY(first->isVisible());

    // Created by the caller: only shown.
    delete first;
    slot = new NamedWindow(QStringLiteral("made by the caller"), &owner_);
    QCOMPARE(showWindow(slot, &owner_), slot.data());
    QVERIFY(slot->isVisible());
    delete slot;
}

void TestHelp::iconHasEverySize_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 24, 32, 48, 64, 128, 256, 512})
        QTest::addRow("%d px", size) << size;
}

void TestHelp::iconHasEverySize()
{
    QFETCH(int, size);

    const QIcon icon = enkinIcon();
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
    QCOMPARE(image.size(), QSize(size, size));
    int opaque = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255;
    QVERIFY2(opaque > size * size / 2, "mostly transparent");
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
