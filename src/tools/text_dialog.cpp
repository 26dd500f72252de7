#include "text_dialog.h"

#include "core/numbers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

// The preview box: "Abc" centred in the chosen font, drawn without
// antialiasing as the canvas will draw it.
class TextPreview : public QFrame
{
public:
    static inline const QString Sample = QStringLiteral("Abc");

    explicit TextPreview(QWidget *parent) : QFrame(parent)
    {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
    }

    void showFont(QFont font)
    {
        font.setStyleStrategy(QFont::NoAntialias);
        m_font = font;
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect box = contentsRect();
        painter.setClipRect(box);
        painter.setFont(m_font);
        painter.setPen(palette().color(QPalette::Text));
        const QFontMetrics metrics(m_font);
        // Halved with the remainder dropped, toward zero for a text larger
        // than the box too.
        const int left = (box.width() - metrics.horizontalAdvance(Sample)) / 2;
        const int top = (box.height() - metrics.height()) / 2;
        painter.drawText(box.left() + left, box.top() + top + metrics.ascent(), Sample);
    }

private:
    QFont m_font;
};

TextDialog::TextDialog(const TextSettings &settings, QWidget *parent) : PlainDialog(parent)
{
    setObjectName(QStringLiteral("frmText"));
    setWindowTitle(QStringLiteral("文字"));

    cboFont = addList("lblFont", "cboFont", QStringLiteral("字体:"), QPoint(12, 14), 266);
    cboSize = addList("lblSize", "cboSize", QStringLiteral("大小:"), QPoint(12, 48), 60);
    cboStyle = addList("lblStyle", "cboStyle", QStringLiteral("样式:"), QPoint(148, 48), 130);
    lblText = addLabel("lblText", QStringLiteral("文字内容:"), QRect(12, 84, 80, 18));
    txtText = addTextBox("txtText", settings.TextString, QRect(12, 104, 306, 24));
    txtText->setAccessibleName(lblText->text());
    lblText->setBuddy(txtText);
    lblPreview = addLabel("lblPreview", QStringLiteral("预览:"), QRect(12, 138, 80, 18));
    pPreview = new TextPreview(this);
    pPreview->setObjectName(QStringLiteral("pPreview"));
    pPreview->setAccessibleName(QStringLiteral("预览"));
    pPreview->setAccessibleDescription(QStringLiteral("以所选字体、大小和样式显示 Abc"));
    pPreview->setGeometry(12, 158, 306, 72);
    cmdOK = addButton("cmdOK", QStringLiteral("确定"), QRect(330, 14, 80, 26));
    CmdCancel = addButton("CmdCancel", QStringLiteral("取消"), QRect(330, 48, 80, 26));
    setFixedSize(422, 242);

    const QStringList families = QFontDatabase::families();
    for (const QString &family : families) {
        if (!QFontDatabase::isPrivateFamily(family))
            cboFont->addItem(family);
    }
    // Names may be longer than the closed list is wide.
    cboFont->view()->setMinimumWidth(cboFont->view()->sizeHintForColumn(0) + 8);
    for (int size = SmallestSize; size <= LargestSize; ++size)
        cboSize->addItem(QString::number(size));
    cboStyle->addItems({QStringLiteral("无"), QStringLiteral("粗体"), QStringLiteral("斜体"),
                        QStringLiteral("粗体/斜体")});

    // A name or size not in the lists (a font removed since) falls back to
    // the first item.
    const auto choose = [](QComboBox *list, const QString &item) {
        list->setCurrentIndex(std::max(0, list->findText(item, Qt::MatchFixedString)));
    };
    choose(cboFont, settings.TextFontName);
    choose(cboSize, QString::number(settings.TextFontSize));
    cboStyle->setCurrentIndex(
        settings.TextStyle >= 0 && settings.TextStyle < cboStyle->count() ? settings.TextStyle : 0);
    showPreview();

    setTabOrder(cboFont, cboSize);
    setTabOrder(cboSize, cboStyle);
    setTabOrder(cboStyle, txtText);
    setTabOrder(txtText, cmdOK);
    setTabOrder(cmdOK, CmdCancel);
    txtText->setFocus();

    for (QComboBox *list : {cboFont, cboSize, cboStyle})
        connect(list, &QComboBox::currentIndexChanged, this, &TextDialog::showPreview);
    connect(txtText, &QLineEdit::returnPressed, this, &TextDialog::cmdOK_Click);
    connect(cmdOK, &QPushButton::clicked, this, &TextDialog::cmdOK_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &TextDialog::CmdCancel_Click);
}

QComboBox *TextDialog::addList(const char *labelName, const char *name, const QString &label,
                               QPoint at, int listWidth)
{
    constexpr int LabelWidth = 40;
    QLabel *caption = addLabel(labelName, label, QRect(at + QPoint(0, 3), QSize(LabelWidth, 18)));
    auto *list = new QComboBox(this);
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(label);
    list->setEditable(false);
    list->setGeometry(at.x() + LabelWidth, at.y(), listWidth, 24);
    caption->setBuddy(list);
    return list;
}

void TextDialog::showPreview()
{
    pPreview->showFont(textFont(cboFont->currentText(), readNumber(cboSize->currentText()),
                                cboStyle->currentIndex()));
}

void TextDialog::cmdOK_Click()
{
    TextSettings answer;
    answer.TextFontName = cboFont->currentText();
    answer.TextFontSize = readNumber(cboSize->currentText());
    answer.TextString = txtText->text();
    answer.TextStyle = cboStyle->currentIndex();
    m_answer = answer;
    accept();
}

void TextDialog::CmdCancel_Click()
{
    m_answer.reset();
    reject();
}

std::optional<TextSettings> TextDialog::ask(const TextSettings &settings, QWidget *parent)
{
    TextDialog dialog(settings, parent);
    dialog.exec();
    return dialog.m_answer;
}
