#include "tool_option_panels.h"

#include "controls/list_accessibility.h"
#include "controls/picture_messages.h"
#include "core/common_dialogs.h"
#include "core/picture_file.h"
#include "core/surface.h"
#include "tool_options.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>

namespace {

void addItems(QComboBox *list, std::initializer_list<const char *> items)
{
    for (const char *item : items)
        list->addItem(QString::fromUtf8(item));
}

void addNumbers(QComboBox *list, int last)
{
    for (int n = 1; n <= last; ++n)
        list->addItem(QString::number(n));
}

int chosenNumber(const QComboBox *list)
{
    return list->currentText().toInt();
}

} // namespace

ToolOptionPanels::ToolOptionPanels(Surface &canvas, ToolOptions &options, CommonDialogs &dialogs,
                                   QWidget *parent)
    : QWidget(parent), m_canvas(canvas), m_options(options), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("ToolOptionPanels"));
    installListAccessibility();
    // Every tool shows one panel here, but the eraser shows two; its own
    // panel gets a place of its own from placeEraserPanel().
    resize(PanelWidth, PanelHeight);

    pDrawWidth = addPanel(QStringLiteral("pDrawWidth"), 0);
    cboDW = addList(pDrawWidth, QStringLiteral("cboDW"), QStringLiteral("宽度:"),
                    QStringLiteral("线条宽度"), 56);
    cboStyle = addList(pDrawWidth, QStringLiteral("cboStyle"), QStringLiteral("样式:"),
                       QStringLiteral("线条样式"), 132, &lblStyle);
    lblStyle->setObjectName(QStringLiteral("lblStyle"));

    pFillType = addPanel(QStringLiteral("pFillType"), 0);
    cboFillType = addList(pFillType, QStringLiteral("cboFillType"), QStringLiteral("填充类型:"),
                          QStringLiteral("用颜色或模板填充"), 52);
    cboPatten = addList(pFillType, QStringLiteral("cboPatten"), QStringLiteral("模板:"),
                        QStringLiteral("填充用的模板图片"), 116);

    pBrush = addPanel(QStringLiteral("pBrush"), 0);
    cboBrush = addList(pBrush, QStringLiteral("cboBrush"), QStringLiteral("画笔:"),
                       QStringLiteral("画笔的笔刷图片"), 150);

    pErase = addPanel(QStringLiteral("pErase"), 0);
    cboEraseType = addList(pErase, QStringLiteral("cboEraseType"), QStringLiteral("样式:"),
                           QStringLiteral("橡皮擦形状"), 76);
    cboWidth = addList(pErase, QStringLiteral("cboWidth"), QStringLiteral("宽度:"),
                       QStringLiteral("橡皮擦大小"), 56);

    pClone = addPanel(QStringLiteral("pClone"), 0);
    cboCloneSize = addList(pClone, QStringLiteral("cboCloneSize"), QStringLiteral("克隆范围:"),
                           QStringLiteral("每次克隆的方块边长"), 56);

    pGrad = addPanel(QStringLiteral("pGrad"), 0);
    cboGrade = addList(pGrad, QStringLiteral("cboGrade"), QStringLiteral("方向:"),
                       QStringLiteral("渐变方向"), 100);

    pTextStyle = addPanel(QStringLiteral("pTextStyle"), 0);
    cboTextStyle = addList(pTextStyle, QStringLiteral("cboTextStyle"), QStringLiteral("文字样式:"),
                           QStringLiteral("文字效果"), 90);

    connect(cboDW, &QComboBox::currentIndexChanged, this,
            [this] { m_canvas.setDrawWidth(chosenNumber(cboDW)); });
    connect(cboStyle, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_canvas.setDrawStyle(index); });
    connect(cboBrush, &QComboBox::currentIndexChanged, this, &ToolOptionPanels::cboBrush_Click);
    connect(cboPatten, &QComboBox::currentIndexChanged, this, &ToolOptionPanels::cboPatten_Click);
    connect(cboCloneSize, &QComboBox::currentIndexChanged, this, [this] {
        m_options.CloneSize = chosenNumber(cboCloneSize);
        emit cloneSizeChanged(m_options.CloneSize);
    });
    connect(cboEraseType, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_options.EraseType = index; });
    connect(cboWidth, &QComboBox::currentIndexChanged, this,
            [this] { m_options.EraseWidth = chosenNumber(cboWidth); });
    connect(cboFillType, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_options.FillType = index; });
    connect(cboGrade, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_options.GradeDirection = index; });
    connect(cboTextStyle, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_options.TextEffect = index; });

    showFor({});
}

void ToolOptionPanels::placeEraserPanel(QWidget *host, QPoint at)
{
    const bool shown = !pErase->isHidden();
    pErase->setParent(host);
    pErase->move(at);
    pErase->setVisible(shown);
}

QWidget *ToolOptionPanels::addPanel(const QString &name, int x)
{
    auto *panel = new QWidget(this);
    panel->setObjectName(name);
    panel->setGeometry(x, 0, PanelWidth, PanelHeight);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(4);
    row->addStretch(1);
    return panel;
}

QComboBox *ToolOptionPanels::addList(QWidget *panel, const QString &name, const QString &label,
                                     const QString &purpose, int listWidth, QLabel **labelOut)
{
    auto *row = static_cast<QHBoxLayout *>(panel->layout());
    auto *caption = new QLabel(label, panel);
    auto *list = new QComboBox(panel);
    list->setObjectName(name);
    list->setAccessibleName(label);
    // The eraser shows two lists of each caption at once.
    list->setAccessibleDescription(purpose);
    list->setEditable(false);
    list->setFixedWidth(listWidth);
    caption->setBuddy(list);
    // Before the stretch that keeps the row at the left.
    const int at = row->count() - 1;
    if (at > 0)
        row->insertSpacing(at, 6);
    row->insertWidget(row->count() - 1, caption);
    row->insertWidget(row->count() - 1, list);
    if (labelOut)
        *labelOut = caption;
    return list;
}

void ToolOptionPanels::startUp(const QString &dataPath)
{
    addItems(cboFillType, {"颜色", "模板"});
    addItems(cboStyle, {"实线", "破折号", "圆点", "破折号圆点", "破折号圆点圆点"});
    addItems(cboEraseType, {"正方形", "圆形"});
    addItems(cboGrade, {"从左到右", "从上到下"});
    addItems(cboTextStyle, {"正常", "3D 特效"});
    addNumbers(cboDW, 100);
    addNumbers(cboWidth, 100);
    addNumbers(cboCloneSize, 30);

    // The first item added became the chosen one and its action ran; these
    // choose the items that differ from the first.
    cboWidth->setCurrentIndex(9);
    cboCloneSize->setCurrentIndex(5);

    fillPattenList(dataPath + QStringLiteral("pattens") + QDir::separator());
    fillBrushList(dataPath + QStringLiteral("brushs") + QDir::separator());
}

void ToolOptionPanels::showFor(ToolPanels panels)
{
    pFillType->setVisible(panels.testFlag(ToolPanel::Fill));
    pBrush->setVisible(panels.testFlag(ToolPanel::Brush));
    pErase->setVisible(panels.testFlag(ToolPanel::Eraser));
    pClone->setVisible(panels.testFlag(ToolPanel::Clone));
    pGrad->setVisible(panels.testFlag(ToolPanel::Gradient));
    pTextStyle->setVisible(panels.testFlag(ToolPanel::Text));
    pDrawWidth->setVisible(panels.testFlag(ToolPanel::LineWidth));
    const bool styleOptions = panels.testFlag(ToolPanel::LineStyle);
    lblStyle->setVisible(styleOptions);
    cboStyle->setVisible(styleOptions);
}

void ToolOptionPanels::fillList(QComboBox *list, const QString &folder)
{
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.bmp")}, QDir::Files,
                                                     QDir::Name | QDir::IgnoreCase);
    list->addItems(names);
    // The names may be longer than the closed list is wide.
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 8);
}

void ToolOptionPanels::fillBrushList(const QString &folder)
{
    m_brushFolder = folder;
    QSignalBlocker quiet(cboBrush);
    cboBrush->clear();
    m_brushInUse = -1;
    fillList(cboBrush, folder);
    cboBrush->setCurrentIndex(-1);
    quiet.unblock();
    if (cboBrush->count() > 0)
        cboBrush->setCurrentIndex(0);
}

void ToolOptionPanels::fillPattenList(const QString &folder)
{
    m_pattenFolder = folder;
    QSignalBlocker quiet(cboPatten);
    cboPatten->clear();
    m_pattenInUse = -1;
    fillList(cboPatten, folder);
    cboPatten->setCurrentIndex(-1);
    quiet.unblock();
    if (cboPatten->count() > 0)
        cboPatten->setCurrentIndex(0);
}

bool ToolOptionPanels::loadChosen(QComboBox *list, const QString &folder, int index, int &inUse,
                                  QImage &image)
{
    if (index < 0)
        return false;
    const QString path = folder + list->itemText(index);
    LoadedPicture loaded = loadPicture(path);
    if (loaded.error != PictureError::None) {
        m_dialogs.message(window(), pictureErrorMessage(loaded.error, path),
                          window()->windowTitle(), CommonDialogs::Icon::Warning);
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(inUse);
        return false;
    }
    image = std::move(loaded.image);
    inUse = index;
    return true;
}

void ToolOptionPanels::cboBrush_Click(int index)
{
    QImage brush;
    if (loadChosen(cboBrush, m_brushFolder, index, m_brushInUse, brush))
        m_options.SrcBrush1.setPicture(brush.convertToFormat(QImage::Format_RGB32));
}

void ToolOptionPanels::cboPatten_Click(int index)
{
    QImage patten;
    if (loadChosen(cboPatten, m_pattenFolder, index, m_pattenInUse, patten))
        m_options.ImgPatten = patten.convertToFormat(QImage::Format_RGB32);
}
