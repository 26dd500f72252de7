#include "testmain.h"

#include "app/frmmain.h"
#include "app/frmnew.h"
#include "app/frmscale.h"
#include "controls/flat_button.h"
#include "core/document.h"
#include "scripted_dialogs.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

#include <functional>
#include <memory>

namespace {

QString accessibleText(QWidget *widget, QAccessible::Text kind)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(kind) : QStringLiteral("<no interface>");
}

// The window a row of the table looks at, built fresh for each row.
using WindowMaker = std::function<std::unique_ptr<QWidget>(ScriptedDialogs &, Document &)>;

} // namespace

Q_DECLARE_METATYPE(WindowMaker)

class TestAccessibleNames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void fieldsReadWhatTheyShow_data();
    void fieldsReadWhatTheyShow();
    void statusPanelsReadTheirValues_data();
    void statusPanelsReadTheirValues();
};

void TestAccessibleNames::fieldsReadWhatTheyShow_data()
{
    QTest::addColumn<WindowMaker>("make");
    QTest::newRow("main window") << WindowMaker([](ScriptedDialogs &dialogs, Document &) {
        auto window = std::make_unique<frmmain>(dialogs);
        window->Form_Load();
        return std::unique_ptr<QWidget>(std::move(window));
    });
    QTest::newRow("New") << WindowMaker([](ScriptedDialogs &dialogs, Document &document) {
        return std::unique_ptr<QWidget>(
            std::make_unique<frmNew>(document, 0x00000000, 0x00FFFFFF, dialogs));
    });
    QTest::newRow("Scale") << WindowMaker([](ScriptedDialogs &dialogs, Document &document) {
        document.NewWidth = 640;
        document.NewHeight = 480;
        return std::unique_ptr<QWidget>(std::make_unique<frmScale>(document, dialogs));
    });
}

// A label is read as the text it shows; a text box or list is named by the
// label that stands before it and read out with its content as the value.
void TestAccessibleNames::fieldsReadWhatTheyShow()
{
    QFETCH(WindowMaker, make);
    ScriptedDialogs dialogs;
    Document document;
    const std::unique_ptr<QWidget> window = make(dialogs, document);
    QHash<QWidget *, QString> labelOf;
    const auto labels = window->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        QCOMPARE(accessibleText(label, QAccessible::Name), label->text());
        if (label->buddy())
            labelOf.insert(label->buddy(), label->text());
    }
    const auto boxes = window->findChildren<QLineEdit *>();
    for (QLineEdit *box : boxes) {
        QVERIFY2(labelOf.contains(box), qPrintable(box->objectName()));
        QCOMPARE(accessibleText(box, QAccessible::Name), labelOf.value(box));
        QCOMPARE(accessibleText(box, QAccessible::Value), box->text());
    }
    const auto lists = window->findChildren<QComboBox *>();
    for (QComboBox *list : lists) {
        QVERIFY2(labelOf.contains(list), qPrintable(list->objectName()));
        QCOMPARE(accessibleText(list, QAccessible::Name), labelOf.value(list));
        QCOMPARE(accessibleText(list, QAccessible::Value), list->currentText());
    }
}

void TestAccessibleNames::statusPanelsReadTheirValues_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("purpose");
    QTest::addColumn<QString>("value");
    QTest::newRow("status") << 1 << QStringLiteral("状态") << QStringLiteral("就绪");
    QTest::newRow("mouse position") << 2 << QStringLiteral("鼠标位置") << QStringLiteral("120,45");
    QTest::newRow("picture size") << 3 << QStringLiteral("图像大小") << QStringLiteral("64x32");
}

void TestAccessibleNames::statusPanelsReadTheirValues()
{
    QFETCH(int, panel);
    QFETCH(QString, purpose);
    QFETCH(QString, value);
    ScriptedDialogs dialogs;
    frmmain window(dialogs);
    window.Form_Load();
    const auto panels = window.findChildren<QLabel *>(QStringLiteral("sBar1Panel%1").arg(panel));
    QCOMPARE(panels.size(), 1);
    QLabel *label = panels.front();
    QCOMPARE(accessibleText(label, QAccessible::Name), window.statusPanel(panel));
    window.setStatusPanel(panel, value);
    QCOMPARE(accessibleText(label, QAccessible::Name), value);
    QCOMPARE(accessibleText(label, QAccessible::Description), purpose);
}

KALVO_TEST(TestAccessibleNames)
#include "tst_accessible_names.moc"
