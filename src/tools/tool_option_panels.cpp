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

    m_linePanel = addPanel(QStringLiteral("pDrawWidth"), 0);
    m_widthList = addList(m_linePanel, QStringLiteral("cboDW"), QStringLiteral("宽度:"),
                          QStringLiteral("线条宽度"), 56);
    m_styleList = addList(m_linePanel, QStringLiteral("cboStyle"), QStringLiteral("样式:"),
                          QStringLiteral("线条样式"), 132, &m_styleLabel);
    m_styleLabel->setObjectName(QStringLiteral("lblStyle"));

    m_fillPanel = addPanel(QStringLiteral("pFillType"), 0);
    m_fillList = addList(m_fillPanel, QStringLiteral("cboFillType"), QStringLiteral("填充类型:"),
                         QStringLiteral("用颜色或模板填充"), 52);
    m_patternList = addList(m_fillPanel, QStringLiteral("cboPatten"), QStringLiteral("模板:"),
                            QStringLiteral("填充用的模板图片"), 116);

    m_brushPanel = addPanel(QStringLiteral("pBrush"), 0);
    m_brushList = addList(m_brushPanel, QStringLiteral("cboBrush"), QStringLiteral("画笔:"),
                          QStringLiteral("画笔的笔刷图片"), 150);

    m_eraserPanel = addPanel(QStringLiteral("pErase"), 0);
    m_eraserShapeList = addList(m_eraserPanel, QStringLiteral("cboEraseType"),
                                QStringLiteral("样式:"), QStringLiteral("橡皮擦形状"), 76);
    m_eraserWidthList = addList(m_eraserPanel, QStringLiteral("cboWidth"), QStringLiteral("宽度:"),
                                QStringLiteral("橡皮擦大小"), 56);

    m_clonePanel = addPanel(QStringLiteral("pClone"), 0);
    m_cloneSizeList =
        addList(m_clonePanel, QStringLiteral("cboCloneSize"), QStringLiteral("克隆范围:"),
                QStringLiteral("每次克隆的方块边长"), 56);

    m_gradientPanel = addPanel(QStringLiteral("pGrad"), 0);
    m_gradientList = addList(m_gradientPanel, QStringLiteral("cboGrade"), QStringLiteral("方向:"),
                             QStringLiteral("渐变方向"), 100);

    m_textPanel = addPanel(QStringLiteral("pTextStyle"), 0);
    m_textEffectList = addList(m_textPanel, QStringLiteral("cboTextStyle"),
                               QStringLiteral("文字样式:"), QStringLiteral("文字效果"), 90);

    connect(m_widthList, &QComboBox::currentIndexChanged, this,
            [this] { m_canvas.setDrawWidth(chosenNumber(m_widthList)); });
    connect(m_styleList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_canvas.setDrawStyle(index); });
    connect(m_brushList, &QComboBox::currentIndexChanged, this, &ToolOptionPanels::chooseBrush);
    connect(m_patternList, &QComboBox::currentIndexChanged, this, &ToolOptionPanels::choosePattern);
    connect(m_cloneSizeList, &QComboBox::currentIndexChanged, this, [this] {
        m_options.cloneSize = chosenNumber(m_cloneSizeList);
        emit cloneSizeChanged(m_options.cloneSize);
    });
    connect(m_eraserShapeList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_options.eraserShape = index; });
    connect(m_eraserWidthList, &QComboBox::currentIndexChanged, this,
            [this] { m_options.eraserWidth = chosenNumber(m_eraserWidthList); });
    connect(m_fillList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_options.fillType = index; });
    connect(m_gradientList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_options.gradientDirection = index; });
    connect(m_textEffectList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_options.textEffect = index; });

    showFor({});
}

void ToolOptionPanels::placeEraserPanel(QWidget *host, QPoint at)
{
    const bool shown = !m_eraserPanel->isHidden();
    m_eraserPanel->setParent(host);
    m_eraserPanel->move(at);
    m_eraserPanel->setVisible(shown);
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
    addItems(m_fillList, {"颜色", "模板"});
    addItems(m_styleList, {"实线", "破折号", "圆点", "破折号圆点", "破折号圆点圆点"});
    addItems(m_eraserShapeList, {"正方形", "圆形"});
    addItems(m_gradientList, {"从左到右", "从上到下"});
    addItems(m_textEffectList, {"正常", "3D 特效"});
    addNumbers(m_widthList, 100);
    addNumbers(m_eraserWidthList, 100);
    addNumbers(m_cloneSizeList, 30);

    // The first item added became the chosen one and its action ran; these
    // choose the items that differ from the first.
    m_eraserWidthList->setCurrentIndex(9);
    m_cloneSizeList->setCurrentIndex(5);

    fillPatternList(dataPath + QStringLiteral("pattens") + QDir::separator());
    fillBrushList(dataPath + QStringLiteral("brushs") + QDir::separator());
}

void ToolOptionPanels::showFor(ToolPanels panels)
{
    m_fillPanel->setVisible(panels.testFlag(ToolPanel::Fill));
    m_brushPanel->setVisible(panels.testFlag(ToolPanel::Brush));
    m_eraserPanel->setVisible(panels.testFlag(ToolPanel::Eraser));
    m_clonePanel->setVisible(panels.testFlag(ToolPanel::Clone));
    m_gradientPanel->setVisible(panels.testFlag(ToolPanel::Gradient));
    m_textPanel->setVisible(panels.testFlag(ToolPanel::Text));
    m_linePanel->setVisible(panels.testFlag(ToolPanel::LineWidth));
    const bool styleOptions = panels.testFlag(ToolPanel::LineStyle);
    m_styleLabel->setVisible(styleOptions);
    m_styleList->setVisible(styleOptions);
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
    QSignalBlocker quiet(m_brushList);
    m_brushList->clear();
    m_brushInUse = -1;
    fillList(m_brushList, folder);
    m_brushList->setCurrentIndex(-1);
    quiet.unblock();
    if (m_brushList->count() > 0)
        m_brushList->setCurrentIndex(0);
}

void ToolOptionPanels::fillPatternList(const QString &folder)
{
    m_patternFolder = folder;
    QSignalBlocker quiet(m_patternList);
    m_patternList->clear();
    m_patternInUse = -1;
    fillList(m_patternList, folder);
    m_patternList->setCurrentIndex(-1);
    quiet.unblock();
    if (m_patternList->count() > 0)
        m_patternList->setCurrentIndex(0);
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

void ToolOptionPanels::chooseBrush(int index)
{
    QImage brush;
    if (loadChosen(m_brushList, m_brushFolder, index, m_brushInUse, brush))
        m_options.brushSource.setPicture(brush.convertToFormat(QImage::Format_RGB32));
}

void ToolOptionPanels::choosePattern(int index)
{
    QImage pattern;
    if (loadChosen(m_patternList, m_patternFolder, index, m_patternInUse, pattern))
        m_options.pattern = pattern.convertToFormat(QImage::Format_RGB32);
}
