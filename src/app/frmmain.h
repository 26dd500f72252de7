#pragma once

#include "core/common_dialogs.h"
#include "core/document.h"
#include "core/surface.h"
#include "core/undo_store.h"
#include "filters/filter_commands.h"
#include "grip_geometry.h"
#include "tools/canvas_host.h"
#include "tools/canvas_input.h"
#include "tools/clipboard.h"
#include "tools/tool_options.h"
#include "tools/tool_state.h"

#include <QImage>
#include <QMainWindow>

#include <array>

class BorderedBox;
class ColorPallete;
class CommonDialogs;
class Line3D;
class PictureBox;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QWheelEvent;
class ResizeGrip;
class ToolOptionPanels;
class ToolPalette;

// The main window: the canvas in its scrolling viewport, the top strip, the
// tool palette frame, the menus and the status bar. Each topic's handlers live
// in their own frmmain_<topic>.cpp.
class frmmain : public QMainWindow, public CanvasHost
{
    Q_OBJECT

public:
    // dialogs answers every platform dialog the window opens; not owned.
    explicit frmmain(CommonDialogs &dialogs, QWidget *parent = nullptr);
    ~frmmain() override;

    // The start-up sequence; run once before the window is first shown.
    void Form_Load();
    // Places the viewport's contents for the current window size.
    void Form_Resize();
    // A character typed anywhere in the window.
    void Form_KeyPress(int keyAscii);

    // path with the native separator at its end.
    static QString AddBackslash(const QString &path);

    // --- Shared state and services
    Document &document() { return m_document; }
    CommonDialogs &dialogs() { return m_dialogs; }

    // --- Canvas, its undo store and the palette with the two current colours
    Surface &canvas() { return m_canvas; }
    PictureBox *canvasView() const { return SrcDc; }
    UndoStore &undoStore() { return m_undo; }
    ColorPallete *palette() const { return ColorPallete1; }

    // --- Hidden work surfaces
    Surface &scratch() { return pSrc2; }
    Surface &maskHolder() { return pMask; }
    Surface &brushSample(int index)
    {
        return index == 0 ? m_toolOptions.SrcBrush1 : m_toolOptions.SrcBrush2;
    }
    QImage &patternSample() { return m_toolOptions.ImgPatten; }

    // --- Containers other parts fill
    QWidget *topStrip() const;
    BorderedBox *toolBox() const { return pTools; }
    BorderedBox *viewport() const { return pHolder; }
    QScrollBar *horizontalBar() const { return hBar; }
    QScrollBar *verticalBar() const { return vBar; }

    // --- Status bar, panels numbered 1 to 3
    void setStatusPanel(int index, const QString &text);
    QString statusPanel(int index) const;
    // Panel 3 = canvas width "x" height.
    void showCanvasSize();

    // --- Scrolling
    void UpdateScrollBars();

    // --- Grips and file commands (frmmain_view.cpp, frmmain_file.cpp)
    // Puts the three resize grips at the canvas's unscrolled edges.
    void PlaceGrips();
    // The file chosen in the platform's open (or save) dialog, starting in
    // AppPath, with an empty path when cancelled; a choice makes its folder
    // the next start.
    FileChoice ShowFileDialog(bool open, const QString &filter, const QString &title);
    // The part of path before its last "/"; path itself without one.
    static QString FolderOf(const QString &path);

    // --- Command line (frmmain_command_line.cpp)
    // The picture named first in arguments (those after the program's own
    // name) goes on the canvas as Open puts it there; one that cannot be read
    // is reported as Open reports it and the canvas stays. No argument: nothing.
    void openFromCommandLine(const QStringList &arguments);

    // --- Tools, their options and the canvas input (frmmain_tools.cpp)
    ToolState &toolState() { return m_toolState; }
    ToolOptions &toolOptions() { return m_toolOptions; }
    ToolPalette *toolPalette() const { return m_toolPalette; }
    ToolOptionPanels *toolOptionPanels() const { return m_toolPanels; }

signals:
    // "x" was typed: the palette swaps its two colours.
    void swapColoursRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // frmmain_layout.cpp
    void buildControls();
    void buildStatusBar();
    void hBar_Change(int value);
    void vBar_Change(int value);

    // frmmain_menus.cpp
    void buildMenus();
    // A menu under parent, or in the menu bar when parent is null.
    QMenu *addMenu(QMenu *parent, const QString &name, const QString &caption);
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption,
                     const QKeySequence &shortcut = {});
    QAction *addSeparator(QMenu *menu, const QString &name);
    void mnuExit_Click();
    void mnuAbout_Click();

    // frmmain.cpp
    void Form_Unload();

    // --- Shared state and services
    Document m_document;
    CommonDialogs &m_dialogs;

    // --- Canvas and hidden work surfaces
    Surface m_canvas{760, 568, 0x00FFFFFF};
    UndoStore m_undo{m_canvas};
    Surface pSrc2{32, 30, 0x00FF00FF};
    Surface pMask{32, 30, 0x00FF00FF};

    // --- Controls
    QWidget *m_client = nullptr; // the area between the menu bar and the status bar
    QWidget *pTop = nullptr;
    Line3D *lnTop1 = nullptr;
    ColorPallete *ColorPallete1 = nullptr;
    std::array<Line3D *, 2> lnTop2{};
    BorderedBox *pTools = nullptr;
    QLabel *lblTitle = nullptr;
    BorderedBox *pHolder = nullptr;
    PictureBox *SrcDc = nullptr;
    QScrollBar *vBar = nullptr;
    QScrollBar *hBar = nullptr;
    QWidget *pSpacer = nullptr;
    QStatusBar *sBar1 = nullptr;
    std::array<QLabel *, 3> m_panels{};

    // --- Menus
    QMenu *mnuFile = nullptr;
    QAction *mnuNew = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuBlank1 = nullptr;
    QAction *mnuExit = nullptr;

    QMenu *mnuEdit = nullptr;
    QAction *CX = nullptr;
    QAction *HH = nullptr;
    QAction *mnuCut = nullptr;
    QAction *mnuCopy = nullptr;
    QAction *mnuPaste = nullptr;
    QAction *mnuBlank3 = nullptr;

    QMenu *mnuImage = nullptr;
    QMenu *mnuFlip = nullptr;
    QAction *mnuFlipV = nullptr;
    QAction *mnuFlipHoz = nullptr;
    QAction *mnuBoth = nullptr;
    QAction *mnuBlank2 = nullptr;
    QAction *mnuScale = nullptr;
    QAction *mnuBlank4 = nullptr;
    QAction *mnuClear = nullptr;
    QAction *MnuDQue = nullptr;

    QMenu *mnuFilter = nullptr;
    QMenu *mnuEffect = nullptr;
    QAction *mnuMirror = nullptr;
    QMenu *mnuFrame = nullptr;
    QAction *mnuStroke = nullptr;
    QAction *mnuMask = nullptr;
    QMenu *mnuNoise = nullptr;
    QAction *mnuAddNoise = nullptr;
    QMenu *mnuSoft = nullptr;
    QAction *mnuBlur = nullptr;
    QAction *mnuBlureMore = nullptr;
    QMenu *mnuSharp = nullptr;
    QAction *mnuSharpen = nullptr;
    QAction *mnuSharpMore = nullptr;
    QMenu *mnuRender = nullptr;
    QAction *mnuPixel = nullptr;
    QAction *mnuDiffuse = nullptr;
    QMenu *mnuColor = nullptr;
    QAction *mnuAdjust = nullptr;
    QAction *mnuBright = nullptr;
    QAction *mnuInvert = nullptr;
    QAction *mnuGray = nullptr;
    QMenu *mnuRemove = nullptr;
    QAction *mnuRed = nullptr;
    QAction *mnuGreen = nullptr;
    QAction *mnuBlue = nullptr;

    QAction *mnuAbout = nullptr;

    // --- Undo, redo and clear (frmmain_undo.cpp)
    void buildUndoCommands();
    void CX_Click();
    void HH_Click();
    void mnuClear_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // Puts a held picture back; restore is restoreBefore or restoreAfter.
    void restoreCanvas(bool (UndoStore::*restore)());
    // The canvas took another size without a grip or a size command.
    void canvasSizeChanged();
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;

    // --- Grips and file commands (frmmain_view.cpp, frmmain_file.cpp)
    void buildGrips();
    // A press on any grip; which grip is dragged comes with each move.
    void pGrip_MouseDown(Qt::MouseButton button, QPointF at);
    void pGrip_MouseMove(int index, Qt::MouseButtons buttons, QPointF at);
    void connectFileCommands();
    void mnuNew_Click();
    void mnuOpen_Click();
    // Open's reading of path onto the canvas, its message when that fails.
    bool loadCanvasPicture(const QString &path);
    void mnuSave_Click();
    void mnuScale_Click();

    std::array<ResizeGrip *, 3> pGrip{};
    GripDrag m_gripDrag;

    // --- Wheel over the viewport (frmmain_view.cpp)
    // Scrolls the picture when the wheel turns over the canvas or the grey
    // around it (watched); true when the event was used.
    bool viewportWheel(QObject *watched, QWheelEvent *event);
    // A drag to a size the machine cannot hold is reported once per press.
    bool m_gripRefusalShown = false;

    // --- Tools, their options and the canvas input (frmmain_tools.cpp)
    void buildTools();
    // The option lists, the brush and pattern lists, then the pencil.
    void loadTools();
    void cmdtool_Click(int index);

    void takeBeforeSnapshot() override;
    void takeAfterSnapshot() override;
    void setStatusPosition(const QString &text) override;
    Colour color1() const override;
    Colour color2() const override;
    void setColor1(Colour colour) override;
    void setColor2(Colour colour) override;

    // --- Filter menu (frmmain_filters.cpp)
    void connectFilterCommands();
    void mnuMirror_Click();
    void mnuAddNoise_Click();
    void mnuBlur_Click();
    void mnuBlureMore_Click();
    void mnuSharpen_Click();
    void mnuSharpMore_Click();
    void mnuPixel_Click();
    void mnuDiffuse_Click();
    void mnuAdjust_Click();
    void mnuBright_Click();
    void mnuInvert_Click();
    void mnuGray_Click();
    void mnuRed_Click();
    void mnuGreen_Click();
    void mnuBlue_Click();
    FilterCommands m_filterCommands{m_canvas, m_document, m_dialogs, this};

    ToolState m_toolState;
    ToolOptions m_toolOptions;
    CanvasInput m_canvasInput{m_canvas, m_document, m_toolState, m_toolOptions, *this};
    ToolPalette *m_toolPalette = nullptr;
    ToolOptionPanels *m_toolPanels = nullptr;

    // --- Selection, clipboard and paste (frmmain_edit.cpp)
    void connectEditCommands();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    // The opaque-paste mark changed, by a click or by New and Open.
    void MnuDQue_Click(bool checked);
    bool selectionVisible() const override;
    void setSelectionFrame(const QRect &frame) override;
    // The Delete key on the canvas.
    void cut() override;
    void pastePreview(QPointF at) override;
    void pasteCommit(QPointF at) override;

    Clipboard m_clipboard{m_canvas, pSrc2, m_toolState, m_document, m_dialogs, this};

    // --- Clone marker and text dialog (frmmain_clone_text.cpp)
    QRect cloneMarker() const override;
    void setCloneMarker(const QRect &marker) override;
    // The clone size list chose another side: the marker follows at once.
    void cboCloneSize_Click(int side);
    bool askText(TextSettings &settings) override;

    // --- Flips, image border and picture mask (frmmain_image.cpp)
    void connectImageCommands();
    void mnuFlipV_Click();
    void mnuFlipHoz_Click();
    void mnuBoth_Click();
    void mnuStroke_Click();
    void mnuMask_Click();
};
