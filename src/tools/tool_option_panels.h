#pragma once

#include "tool_table.h"

#include <QString>
#include <QWidget>

class CommonDialogs;
class QComboBox;
class QLabel;
class Surface;
struct ToolOptions;

// The option panels of the top strip, one per kind of tool, of which only the
// current tool's show: line width and style (objectName `pDrawWidth`), fill
// `pFillType`, brush `pBrush`, eraser `pErase`, clone `pClone`, gradient
// `pGrad`, text `pTextStyle`. Choosing an item acts at once on the canvas (line width and
// style) or on the options the tools read; the brush and pattern lists load
// their bitmaps as they are chosen.
class ToolOptionPanels : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PanelWidth = 282;
    static constexpr int PanelHeight = 33;

    // canvas, options and dialogs are not owned and must outlive the panels.
    ToolOptionPanels(Surface &canvas, ToolOptions &options, CommonDialogs &dialogs,
                     QWidget *parent = nullptr);

    // Fills the lists and chooses the start-up items, then lists the patterns
    // and brushes under dataPath (which ends in a separator) and loads the
    // first of each. A missing folder leaves its list empty.
    void startUp(const QString &dataPath);
    // Shows these panels and hides the others.
    void showFor(ToolPanels panels);
    // Moves the eraser's panel, shown beside the line panel, to a place of
    // its own in host.
    void placeEraserPanel(QWidget *host, QPoint at);

    // The *.bmp files of folder, any case of the extension, in name order,
    // replace the list; the first is chosen (and loaded) when there is one.
    void fillBrushList(const QString &folder);
    void fillPatternList(const QString &folder);

signals:
    // The clone size list chose a block side.
    void cloneSizeChanged(int side);

private:
    QWidget *addPanel(const QString &name, int x);
    // A label and its list, added to the row of panel, with what the list
    // chooses as its accessible description; the label is returned through
    // labelOut when asked for.
    QComboBox *addList(QWidget *panel, const QString &name, const QString &label,
                       const QString &purpose, int listWidth, QLabel **labelOut = nullptr);
    static void fillList(QComboBox *list, const QString &folder);
    // Loads the bitmap of item index of list from folder; on failure tells the
    // user and puts the list back on the item whose bitmap is still in use.
    bool loadChosen(QComboBox *list, const QString &folder, int index, int &inUse, QImage &image);
    void chooseBrush(int index);
    void choosePattern(int index);

    Surface &m_canvas;
    ToolOptions &m_options;
    CommonDialogs &m_dialogs;
    QString m_brushFolder;
    QString m_patternFolder;
    // The list items whose bitmaps are loaded; -1 for none.
    int m_brushInUse = -1;
    int m_patternInUse = -1;

    QWidget *m_linePanel = nullptr;
    QWidget *m_fillPanel = nullptr;
    QWidget *m_brushPanel = nullptr;
    QWidget *m_eraserPanel = nullptr;
    QWidget *m_clonePanel = nullptr;
    QWidget *m_gradientPanel = nullptr;
    QWidget *m_textPanel = nullptr;
    QLabel *m_styleLabel = nullptr;
    QComboBox *m_widthList = nullptr;
    QComboBox *m_styleList = nullptr;
    QComboBox *m_fillList = nullptr;
    QComboBox *m_patternList = nullptr;
    QComboBox *m_brushList = nullptr;
    QComboBox *m_eraserShapeList = nullptr;
    QComboBox *m_eraserWidthList = nullptr;
    QComboBox *m_cloneSizeList = nullptr;
    QComboBox *m_gradientList = nullptr;
    QComboBox *m_textEffectList = nullptr;
};
