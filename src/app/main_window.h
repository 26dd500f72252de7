#pragma once

#include "grip_geometry.h"
#include "tools/canvas_host.h"
#include "tools/tool_table.h"

#include <QMainWindow>

#include <array>

class BorderedBox;
class CanvasView;
class ColourPalette;
class CommonDialogs;
class Editor;
class Line3D;
class QLabel;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QTimer;
class ResizeGrip;
class ToolOptionPanels;
class ToolPalette;
struct CommandContext;

// The main window: the canvas view in its scrolling viewport, the top strip
// with the palette and the tool options, the tool box, the menus built from
// the command table and the status bar. It holds widgets and binds them to
// the editor it is given; what a command does lives with the command.
class MainWindow : public QMainWindow, public CanvasHost
{
    Q_OBJECT

public:
    // The window shows and edits editor's picture; not owned.
    explicit MainWindow(Editor &editor, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence; run once before the window is first shown.
    void startUp();
    // Places the viewport's contents for the current window size.
    void layOut();

    CanvasView *canvasView() const { return m_canvasView; }
    ColourPalette *palette() const { return m_palette; }
    QWidget *topStrip() const { return m_topStrip; }
    BorderedBox *toolBox() const { return m_toolBox; }
    BorderedBox *viewport() const { return m_viewport; }
    QScrollBar *horizontalBar() const { return m_horizontalBar; }
    QScrollBar *verticalBar() const { return m_verticalBar; }
    ToolPalette *toolPalette() const { return m_toolPalette; }
    ToolOptionPanels *toolOptionPanels() const { return m_toolPanels; }

    // The status bar's panels, numbered 1 to 3.
    void setStatusPanel(int index, const QString &text);
    QString statusPanel(int index) const;
    // text in the first panel for a few seconds, in place of the zoom.
    void showNotice(const QString &text);

signals:
    // "x" was typed: the palette swaps its two colours.
    void swapColoursRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Files dragged from a file manager open as Open opens them.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // What a command chosen now works on.
    CommandContext commandContext();

    // main_window_layout.cpp
    void buildControls();
    void buildStatusBar();
    void buildUndoButtons();
    // main_window_view.cpp
    void buildGrips();
    // The scroll bars follow the canvas view and move it.
    void bindScrollBars();
    void updateScrollBars();
    // Puts the three resize grips at the canvas's unscrolled edges.
    void placeGrips();
    void canvasSizeChanged();
    // The first panel's text for the zoom: none at 100 %.
    void showZoom();
    void gripPressed(Qt::MouseButton button, QPointF at);
    void gripMoved(int index, Qt::MouseButtons buttons, QPointF at);
    // main_window_tools.cpp
    void buildTools();
    void chooseTool(ToolId id);

    // CanvasHost
    void setStatusPosition(const QString &text) override;
    Colour colour1() const override;
    Colour colour2() const override;
    void setColour1(Colour colour) override;
    void setColour2(Colour colour) override;
    bool askText(TextSettings &settings) override;

    Editor &m_editor;
    CommonDialogs &m_dialogs;

    QWidget *m_client = nullptr; // between the menu bar and the status bar
    QWidget *m_topStrip = nullptr;
    Line3D *m_topLine = nullptr;
    ColourPalette *m_palette = nullptr;
    std::array<Line3D *, 2> m_stripLines{};
    std::array<QPushButton *, 3> m_undoButtons{}; // undo, redo, clear
    BorderedBox *m_toolBox = nullptr;
    QLabel *m_toolBoxTitle = nullptr;
    ToolPalette *m_toolPalette = nullptr;
    ToolOptionPanels *m_toolPanels = nullptr;
    BorderedBox *m_viewport = nullptr;
    CanvasView *m_canvasView = nullptr;
    QScrollBar *m_verticalBar = nullptr;
    QScrollBar *m_horizontalBar = nullptr;
    QWidget *m_barCorner = nullptr;
    QStatusBar *m_statusBar = nullptr;
    std::array<QLabel *, 3> m_panels{};
    std::array<ResizeGrip *, 3> m_grips{};
    GripDrag m_gripDrag;
    QTimer *m_noticeTimer = nullptr; // ends a notice in the first panel
    // A drag to a size the machine cannot hold is reported once per press.
    bool m_gripRefusalShown = false;
};
