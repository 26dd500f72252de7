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

    m_fontList = addList("lblFont", "cboFont", QStringLiteral("字体:"), QPoint(12, 14), 266);
    m_sizeList = addList("lblSize", "cboSize", QStringLiteral("大小:"), QPoint(12, 48), 60);
    m_styleList = addList("lblStyle", "cboStyle", QStringLiteral("样式:"), QPoint(148, 48), 130);
    QLabel *textLabel = addLabel("lblText", QStringLiteral("文字内容:"), QRect(12, 84, 80, 18));
    m_textEdit = addTextBox("txtText", settings.text, QRect(12, 104, 306, 24));
    m_textEdit->setAccessibleName(textLabel->text());
    textLabel->setBuddy(m_textEdit);
    addLabel("lblPreview", QStringLiteral("预览:"), QRect(12, 138, 80, 18));
    m_preview = new TextPreview(this);
    m_preview->setObjectName(QStringLiteral("pPreview"));
    m_preview->setAccessibleName(QStringLiteral("预览"));
    m_preview->setAccessibleDescription(QStringLiteral("以所选字体、大小和样式显示 Abc"));
    m_preview->setGeometry(12, 158, 306, 72);
    m_okButton = addButton("cmdOK", QStringLiteral("确定"), QRect(330, 14, 80, 26));
    m_cancelButton = addButton("CmdCancel", QStringLiteral("取消"), QRect(330, 48, 80, 26));
    setFixedSize(422, 242);

    const QStringList families = QFontDatabase::families();
    for (const QString &family : families) {
        if (!QFontDatabase::isPrivateFamily(family))
            m_fontList->addItem(family);
    }
    // Names may be longer than the closed list is wide.
    m_fontList->view()->setMinimumWidth(m_fontList->view()->sizeHintForColumn(0) + 8);
    for (int size = SmallestSize; size <= LargestSize; ++size)
        m_sizeList->addItem(QString::number(size));
    m_styleList->addItems({QStringLiteral("无"), QStringLiteral("粗体"), QStringLiteral("斜体"),
                           QStringLiteral("粗体/斜体")});

    // A name or size not in the lists (a font removed since) falls back to
    // the first item.
    const auto choose = [](QComboBox *list, const QString &item) {
        list->setCurrentIndex(std::max(0, list->findText(item, Qt::MatchFixedString)));
    };
    choose(m_fontList, settings.fontName);
    choose(m_sizeList, QString::number(settings.fontSize));
    m_styleList->setCurrentIndex(
        settings.style >= 0 && settings.style < m_styleList->count() ? settings.style : 0);
    showPreview();

    setTabOrder(m_fontList, m_sizeList);
    setTabOrder(m_sizeList, m_styleList);
    setTabOrder(m_styleList, m_textEdit);
    setTabOrder(m_textEdit, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
    m_textEdit->setFocus();

    for (QComboBox *list : {m_fontList, m_sizeList, m_styleList})
        connect(list, &QComboBox::currentIndexChanged, this, &TextDialog::showPreview);
    connect(m_textEdit, &QLineEdit::returnPressed, this, &TextDialog::confirm);
    connect(m_okButton, &QPushButton::clicked, this, &TextDialog::confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &TextDialog::cancel);
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
    m_preview->showFont(textFont(m_fontList->currentText(), readNumber(m_sizeList->currentText()),
                                 m_styleList->currentIndex()));
}

void TextDialog::confirm()
{
    TextSettings answer;
    answer.fontName = m_fontList->currentText();
    answer.fontSize = readNumber(m_sizeList->currentText());
    answer.text = m_textEdit->text();
    answer.style = m_styleList->currentIndex();
    m_answer = answer;
    accept();
}

void TextDialog::cancel()
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
