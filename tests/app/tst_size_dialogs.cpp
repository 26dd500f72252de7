#include "app/new_image_dialog.h"
#include "app/scale_dialog.h"
#include "modal_script.h"
#include "scripted_dialogs.h"
#include "testmain.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

constexpr Colour Colour1 = 0x00123456;
constexpr Colour Colour2 = 0x00ABCDEF;

// Runs dialog modally; script runs once the dialog is the active modal
// widget. Whatever the script leaves open is rejected after a few seconds, so
// a failing test cannot hang.
template <typename Dialog> int runModal(Dialog &dialog, const std::function<void(Dialog &)> &script)
{
    QTimer poller;
    poller.setInterval(10);
    QElapsedTimer clock;
    clock.start();
    bool scripted = false;
    QObject::connect(&poller, &QTimer::timeout, [&] {
        if (!scripted && qobject_cast<Dialog *>(QApplication::activeModalWidget()) == &dialog) {
            scripted = true;
            script(dialog);
        } else if (clock.elapsed() > 5000 && dialog.isVisible()) {
            dialog.reject();
        }
    });
    poller.start();
    return dialog.exec();
}

template <typename Widget> Widget *child(QWidget &parent, const char *name)
{
    return parent.findChild<Widget *>(QLatin1String(name));
}

// The widgets that Tab visits, in order, starting from first.
QStringList tabOrder(QWidget *first)
{
    QStringList names;
    QWidget *w = first;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first && names.size() < 20);
    return names;
}

} // namespace

class TestSizeDialogs : public QObject
{
    Q_OBJECT

private slots:
    void newOpensWithItsDefaults();
    void newReadsTheFields_data();
    void newReadsTheFields();
    void newCancelAndEscape();
    void scaleOpensWithTheSize();
    void scaleReadsTheFields_data();
    void scaleReadsTheFields();
};

void TestSizeDialogs::newOpensWithItsDefaults()
{
    ScriptedDialogs dialogs;
    NewImageDialog dialog(Colour1, Colour2, dialogs);
    QString focus;
    runModal<NewImageDialog>(dialog, [&](NewImageDialog &d) {
        focus = d.focusWidget() ? d.focusWidget()->objectName() : QString();
        d.cancel();
    });
    QCOMPARE(focus, QStringLiteral("txtWidth"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("新建图像"));
    QCOMPARE(child<QLineEdit>(dialog, "txtWidth")->text(), QStringLiteral("200"));
    QCOMPARE(child<QLineEdit>(dialog, "txtHeight")->text(), QStringLiteral("200"));
    auto *colours = child<QComboBox>(dialog, "cboColor");
    QVERIFY(!colours->isEditable());
    QCOMPARE(colours->count(), 7);
    QCOMPARE(colours->itemText(5), QStringLiteral("前景色"));
    QCOMPARE(colours->currentIndex(), 0);
    QVERIFY(child<QWidget>(dialog, "Line3D1"));
    QCOMPARE(tabOrder(child<QWidget>(dialog, "txtWidth")),
             QStringList({"txtWidth", "txtHeight", "cboColor", "cmdCancel", "cmdOK"}));
    auto *ok = child<QPushButton>(dialog, "cmdOK");
    auto *cancel = child<QPushButton>(dialog, "cmdCancel");
    QVERIFY(ok->x() < cancel->x());
    QVERIFY(!ok->isDefault() && !ok->autoDefault() && !cancel->autoDefault());
}

void TestSizeDialogs::newReadsTheFields_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<int>("colour");
    QTest::addColumn<QString>("warning"); // empty: accepted
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Colour>("backColour");
    const QString zero = QStringLiteral("位图像素值必须大于零");
    const Colour unchanged = 0x00010203;
    QTest::newRow("red") << "200"
                         << "200" << 2 << QString() << QSize(200, 200) << Colour(0xFF);
    QTest::newRow("blank inside") << "3 0"
                                  << "40" << 0 << QString() << QSize(30, 40) << Colour(0xFFFFFF);
    QTest::newRow("ties to even") << "2.5"
                                  << "3.5" << 1 << QString() << QSize(2, 4) << Colour(0);
    QTest::newRow("foreground") << "5"
                                << "6" << 5 << QString() << QSize(5, 6) << Colour1;
    QTest::newRow("background") << "5"
                                << "6" << 6 << QString() << QSize(5, 6) << Colour2;
    QTest::newRow("blue") << "5"
                          << "6" << 4 << QString() << QSize(5, 6) << Colour(0xFF0000);
    QTest::newRow("abc") << "abc"
                         << "200" << 2 << zero << QSize(0, 200) << unchanged;
    QTest::newRow("zero") << "0"
                          << "200" << 2 << zero << QSize(0, 200) << unchanged;
    QTest::newRow("half rounds to zero") << "200"
                                         << "0.5" << 2 << zero << QSize(200, 0) << unchanged;
    QTest::newRow("empty height") << "200"
                                  << "" << 2 << zero << QSize(200, 0) << unchanged;
    QTest::newRow("too large") << "100000"
                               << "100000" << 2 << QStringLiteral("位图尺寸太大，内存无法容纳")
                               << QSize(100000, 100000) << unchanged;
}

void TestSizeDialogs::newReadsTheFields()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(int, colour);
    QFETCH(QString, warning);
    QFETCH(QSize, size);
    QFETCH(Colour, backColour);
    ScriptedDialogs dialogs;
    std::optional<NewPicture> answer;
    bool openAfterOk = false;
    scriptModal<NewImageDialog>(
        [&] { answer = NewImageDialog::ask(Colour1, Colour2, dialogs, nullptr); },
        [&](NewImageDialog &d) {
            child<QLineEdit>(d, "txtWidth")->setText(width);
            child<QLineEdit>(d, "txtHeight")->setText(height);
            child<QComboBox>(d, "cboColor")->setCurrentIndex(colour);
            child<QPushButton>(d, "cmdOK")->click();
            openAfterOk = d.isVisible();
            if (openAfterOk)
                child<QPushButton>(d, "cmdCancel")->click();
        });
    const auto messages = dialogs.of(QStringLiteral("message"));
    if (warning.isEmpty()) {
        QVERIFY(messages.empty());
        QVERIFY(!openAfterOk);
        QVERIFY(answer);
        QCOMPARE(QSize(answer->width, answer->height), size);
        QCOMPARE(answer->backColour, backColour);
    } else {
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].text, warning);
        QCOMPARE(messages[0].title, QStringLiteral("新建图像"));
        QCOMPARE(messages[0].icon, CommonDialogs::Icon::Warning);
        QVERIFY(openAfterOk);
        QVERIFY(!answer);
    }
}

void TestSizeDialogs::newCancelAndEscape()
{
    ScriptedDialogs dialogs;
    std::optional<NewPicture> answer = NewPicture{};
    bool openAfterEscape = false;
    bool openAfterReturn = false;
    scriptModal<NewImageDialog>(
        [&] { answer = NewImageDialog::ask(Colour1, Colour2, dialogs, nullptr); },
        [&](NewImageDialog &d) {
            QTest::keyClick(&d, Qt::Key_Escape);
            openAfterEscape = d.isVisible();
            // Return in a text box clicks no button; on a button it clicks it.
            QTest::keyClick(child<QLineEdit>(d, "txtWidth"), Qt::Key_Return);
            openAfterReturn = d.isVisible();
            auto *cancel = child<QPushButton>(d, "cmdCancel");
            cancel->setFocus();
            QTest::keyClick(cancel, Qt::Key_Return);
        });
    QVERIFY(openAfterEscape);
    QVERIFY(openAfterReturn);
    QVERIFY(!answer);
    // The close box answers nothing either.
    answer = NewPicture{};
    scriptModal<NewImageDialog>(
        [&] { answer = NewImageDialog::ask(Colour1, Colour2, dialogs, nullptr); },
        [](NewImageDialog &d) { d.close(); });
    QVERIFY(!answer);
    QVERIFY(dialogs.requests.empty());
}

void TestSizeDialogs::scaleOpensWithTheSize()
{
    ScriptedDialogs dialogs;
    ScaleDialog dialog(QSize(760, 568), dialogs);
    QString focus;
    bool openAfterEscape = false;
    runModal<ScaleDialog>(dialog, [&](ScaleDialog &d) {
        focus = d.focusWidget() ? d.focusWidget()->objectName() : QString();
        QTest::keyClick(&d, Qt::Key_Escape);
        openAfterEscape = d.isVisible();
        d.cancel();
    });
    QCOMPARE(dialog.windowTitle(), QStringLiteral("图像拉伸"));
    QCOMPARE(child<QLineEdit>(dialog, "txtWidth")->text(), QStringLiteral("760"));
    QCOMPARE(child<QLineEdit>(dialog, "txtHeight")->text(), QStringLiteral("568"));
    QCOMPARE(focus, QStringLiteral("txtWidth"));
    QVERIFY(openAfterEscape);
    QCOMPARE(tabOrder(child<QWidget>(dialog, "txtWidth")),
             QStringList({"txtWidth", "txtHeight", "cmdOK", "cmdCancel"}));
    QVERIFY(child<QPushButton>(dialog, "cmdOK")->x() <
            child<QPushButton>(dialog, "cmdCancel")->x());
}

void TestSizeDialogs::scaleReadsTheFields_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QSize>("size");
    const QString zero = QStringLiteral("位图像素值必须大于零");
    QTest::newRow("accepted") << "300"
                              << "1 50" << QString() << QSize(300, 150);
    QTest::newRow("zero width") << "0"
                                << "150" << zero << QSize(0, 150);
    QTest::newRow("empty height") << "300"
                                  << "" << zero << QSize(300, 0);
    QTest::newRow("too large") << "65537"
                               << "10" << QStringLiteral("位图尺寸太大，内存无法容纳")
                               << QSize(65537, 10);
}

void TestSizeDialogs::scaleReadsTheFields()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, warning);
    QFETCH(QSize, size);
    ScriptedDialogs dialogs;
    std::optional<QSize> answer;
    bool openAfterOk = false;
    scriptModal<ScaleDialog>([&] { answer = ScaleDialog::ask(QSize(10, 10), dialogs, nullptr); },
                             [&](ScaleDialog &d) {
                                 child<QLineEdit>(d, "txtWidth")->setText(width);
                                 child<QLineEdit>(d, "txtHeight")->setText(height);
                                 child<QPushButton>(d, "cmdOK")->click();
                                 openAfterOk = d.isVisible();
                                 if (openAfterOk)
                                     child<QPushButton>(d, "cmdCancel")->click();
                             });
    const auto messages = dialogs.of(QStringLiteral("message"));
    if (warning.isEmpty()) {
        QVERIFY(messages.empty());
        QCOMPARE(answer, std::optional<QSize>(size));
    } else {
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].text, warning);
        QCOMPARE(messages[0].title, QStringLiteral("图像拉伸"));
        QCOMPARE(messages[0].icon, CommonDialogs::Icon::Warning);
        QVERIFY(openAfterOk);
        QVERIFY(!answer);
    }
}

KALVO_TEST(TestSizeDialogs)
#include "tst_size_dialogs.moc"
