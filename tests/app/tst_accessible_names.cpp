#include "testmain.h"

#include "app/frmmain.h"
#include "app/frmnew.h"
#include "app/frmscale.h"
#include "core/document.h"
#include "scripted_dialogs.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

QString spoken(QWidget *widget, QAccessible::Text kind)
{
    return QAccessible::queryAccessibleInterface(widget)->text(kind);
}

} // namespace

class TestAccessibleNames : public QObject
{
    Q_OBJECT

private slots:
    // A label is read as the text it shows; a text box or list is named by
    // the label before it and read out with its content as the value.
    void fieldsReadWhatTheyShow()
    {
        ScriptedDialogs dialogs;
        Document document;
        frmmain window(dialogs);
        window.Form_Load();
        frmNew newDialog(document, 0x00000000, 0x00FFFFFF, dialogs);
        frmScale scaleDialog(document, dialogs);
        for (QWidget *top : std::initializer_list<QWidget *>{&window, &newDialog, &scaleDialog}) {
            QHash<QWidget *, QString> labelOf;
            for (QLabel *label : top->findChildren<QLabel *>()) {
                QCOMPARE(spoken(label, QAccessible::Name), label->text());
                if (label->buddy())
                    labelOf.insert(label->buddy(), label->text());
            }
            for (QLineEdit *box : top->findChildren<QLineEdit *>()) {
                QCOMPARE(spoken(box, QAccessible::Name), labelOf.value(box, "(no label)"));
                QCOMPARE(spoken(box, QAccessible::Value), box->text());
            }
            for (QComboBox *list : top->findChildren<QComboBox *>()) {
                QCOMPARE(spoken(list, QAccessible::Name), labelOf.value(list, "(no label)"));
                QCOMPARE(spoken(list, QAccessible::Value), list->currentText());
            }
        }
    }

    // What a panel shows is its name, what it is its description.
    void statusPanelsReadTheirValues()
    {
        ScriptedDialogs dialogs;
        frmmain window(dialogs);
        window.Form_Load();
        const QStringList purposes{"状态", "鼠标位置", "图像大小"};
        for (int panel = 1; panel <= 3; ++panel) {
            auto *label = window.findChild<QLabel *>(QStringLiteral("sBar1Panel%1").arg(panel));
            QCOMPARE(spoken(label, QAccessible::Name), window.statusPanel(panel));
            window.setStatusPanel(panel, QStringLiteral("120,%1").arg(panel));
            QCOMPARE(spoken(label, QAccessible::Name), QStringLiteral("120,%1").arg(panel));
            QCOMPARE(spoken(label, QAccessible::Description), purposes.at(panel - 1));
        }
    }
};

KALVO_TEST(TestAccessibleNames)
#include "tst_accessible_names.moc"
