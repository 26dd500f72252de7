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
// current tool's show: line width and style `pDrawWidth`, fill `pFillType`,
// brush `pBrush`, eraser `pErase`, clone `pClone`, gradient `pGrad`, text
// `pTextStyle`. Choosing an item acts at once on the canvas (line width and
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
    void fillPattenList(const QString &folder);

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
    void cboBrush_Click(int index);
    void cboPatten_Click(int index);

    Surface &m_canvas;
    ToolOptions &m_options;
    CommonDialogs &m_dialogs;
    QString m_brushFolder;
    QString m_pattenFolder;
    // The list items whose bitmaps are loaded; -1 for none.
    int m_brushInUse = -1;
    int m_pattenInUse = -1;

    QWidget *pDrawWidth = nullptr;
    QWidget *pFillType = nullptr;
    QWidget *pBrush = nullptr;
    QWidget *pErase = nullptr;
    QWidget *pClone = nullptr;
    QWidget *pGrad = nullptr;
    QWidget *pTextStyle = nullptr;
    QLabel *lblStyle = nullptr;
    QComboBox *cboDW = nullptr;
    QComboBox *cboStyle = nullptr;
    QComboBox *cboFillType = nullptr;
    QComboBox *cboPatten = nullptr;
    QComboBox *cboBrush = nullptr;
    QComboBox *cboEraseType = nullptr;
    QComboBox *cboWidth = nullptr;
    QComboBox *cboCloneSize = nullptr;
    QComboBox *cboGrade = nullptr;
    QComboBox *cboTextStyle = nullptr;
};
