#include "main_window.h"

#include "controls/bordered_box.h"
#include "controls/canvas_view.h"
#include "controls/colour_palette.h"
#include "controls/line3d.h"
#include "editor.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>

namespace {

constexpr int StatusBarHeight = 18;

template <typename Widget> Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QScrollBar *makeScrollBar(Qt::Orientation orientation, const QString &name, QWidget *parent)
{
    auto *bar = named(new QScrollBar(orientation, parent), name);
    bar->setRange(0, 0);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    // Opaque whatever the style draws: the picture beneath a bar is then not
    // painted again with each change of the bar, nor the bar with each change
    // of the picture.
    bar->setAutoFillBackground(true);
    return bar;
}

} // namespace

void MainWindow::buildControls()
{
    m_client = named(new QWidget(this), QStringLiteral("client"));
    setCentralWidget(m_client);

    m_topStrip = named(new QWidget(m_client), QStringLiteral("pTop"));
    m_topStrip->setGeometry(-16, 0, 1032, 57);
    m_topStrip->setAccessibleName(QStringLiteral("颜色与工具选项"));
    m_topLine = named(new Line3D(m_topStrip), QStringLiteral("lnTop1"));
    m_topLine->setGeometry(0, 0, m_topStrip->width(), Line3D::Height);
    m_palette = named(new ColourPalette(m_topStrip), QStringLiteral("ColorPallete1"));
    m_palette->move(24, 16);
    m_palette->setToolTip(QStringLiteral("双击选取更多颜色"));
    m_palette->setDialogs(&m_dialogs);
    connect(this, &MainWindow::swapColoursRequested, m_palette, &ColourPalette::swapColours);
    for (std::size_t i = 0; i < m_stripLines.size(); ++i) {
        m_stripLines[i] = named(new Line3D(m_client), QStringLiteral("lnTop2"));
        m_stripLines[i]->setProperty("index", static_cast<int>(i));
        m_stripLines[i]->setGeometry(0, i == 0 ? 0 : 56, 1016, Line3D::Height);
    }

    m_toolBox = named(new BorderedBox(m_client), QStringLiteral("pTools"));
    m_toolBox->setGeometry(0, 64, 130, 438);
    m_toolBox->setAccessibleName(QStringLiteral("工具箱"));
    m_toolBoxTitle = named(new QLabel(QStringLiteral("工具箱"), m_toolBox->client()),
                           QStringLiteral("lblTitle"));
    m_toolBoxTitle->setAlignment(Qt::AlignCenter);
    m_toolBoxTitle->setGeometry(0, 0, m_toolBox->innerSize().width(), 16);

    m_viewport = named(new BorderedBox(m_client), QStringLiteral("pHolder"));
    m_viewport->setGeometry(136, 64, 880, 440);
    m_viewport->setAccessibleName(QStringLiteral("画布区域"));
    QWidget *inside = m_viewport->client();

    m_canvasView = named(new CanvasView(inside), QStringLiteral("SrcDc"));
    m_canvasView->setAccessibleName(QStringLiteral("画布"));
    // The whole inside: the bars and the grips lie over it.
    m_canvasView->setGeometry(QRect(QPoint(0, 0), m_viewport->innerSize()));
    m_canvasView->setDocument(&m_editor.document());

    m_verticalBar = makeScrollBar(Qt::Vertical, QStringLiteral("vBar"), inside);
    m_verticalBar->resize(ScrollBarThickness, m_verticalBar->height());
    m_verticalBar->setAccessibleName(QStringLiteral("垂直滚动条"));
    m_horizontalBar = makeScrollBar(Qt::Horizontal, QStringLiteral("hBar"), inside);
    m_horizontalBar->resize(m_horizontalBar->width(), ScrollBarThickness);
    m_horizontalBar->setAccessibleName(QStringLiteral("水平滚动条"));
    m_barCorner = named(new QWidget(inside), QStringLiteral("pSpacer"));
    m_barCorner->resize(ScrollBarThickness, ScrollBarThickness);
    m_barCorner->setAutoFillBackground(true);
}

void MainWindow::buildUndoButtons()
{
    struct Row {
        const char *name;
        const char *caption;
        const char *toolTip;
        // The menu item whose command the button runs.
        const char *item;
    };
    const std::array<Row, 3> rows{{
        {"Command1", "撤消", "撤消当前动作", "CX"},
        {"Command2", "恢复", "恢复当前动作", "HH"},
        {"Command3", "清除", "清除当前图像", "mnuClear"},
    }};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QString caption = QString::fromUtf8(rows[i].caption);
        auto *button =
            named(new QPushButton(caption, m_topStrip), QString::fromLatin1(rows[i].name));
        button->setToolTip(QString::fromUtf8(rows[i].toolTip));
        button->setAccessibleName(caption);
        // Enter clicks the button with the focus, as Space does and as in the
        // program's dialogs; outside a dialog Qt leaves Enter to autoDefault.
        button->setAutoDefault(true);
        button->setGeometry(560 + 48 * static_cast<int>(i), 16, 41, 33);
        auto *item = menuBar()->findChild<QAction *>(QString::fromLatin1(rows[i].item));
        connect(button, &QPushButton::clicked, item, &QAction::trigger);
        m_undoButtons[i] = button;
    }
}

void MainWindow::buildStatusBar()
{
    m_statusBar = named(new QStatusBar(this), QStringLiteral("sBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setFixedHeight(StatusBarHeight);
    constexpr std::array widths{802, 96, 96};
    // A screen reader reads a panel as what it shows; what the panel is
    // goes into its description.
    const std::array purposes{QStringLiteral("状态"), QStringLiteral("鼠标位置"),
                              QStringLiteral("图像大小")};
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        auto *panel = new QLabel(m_statusBar);
        panel->setObjectName(QStringLiteral("sBar1Panel%1").arg(i + 1));
        // Fixed both ways, as tall as the bar lays them out (it keeps 3
        // pixels above them and 2 below): a new text, at each pointer move
        // and zoom step, then repaints the panel alone instead of laying out
        // and repainting the whole bar.
        panel->setFixedSize(widths[i], StatusBarHeight - 5);
        panel->setAccessibleDescription(purposes[i]);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_statusBar->addWidget(panel);
        m_panels[i] = panel;
    }
    setStatusBar(m_statusBar);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layOut();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        layOut();
}

void MainWindow::layOut()
{
    // Each step stands alone: a size that cannot be (a minimised window gives
    // negative ones) skips that step and the others still run.
    const int W = m_client->width();
    const int H = m_client->height() + m_statusBar->height();

    const int holderWidth = W - m_viewport->x();
    if (holderWidth >= 0)
        m_viewport->resize(holderWidth, m_viewport->height());
    const int holderHeight = H - m_statusBar->height() - m_viewport->y();
    if (holderHeight >= 0)
        m_viewport->resize(m_viewport->width(), holderHeight);

    const QSize inner = m_viewport->innerSize();
    const int w = inner.width();
    const int h = inner.height();
    m_toolBox->resize(m_toolBox->width(), h + 2);
    m_verticalBar->move(w - m_verticalBar->width(), m_verticalBar->y());
    if (h - ScrollBarThickness >= 0)
        m_verticalBar->resize(m_verticalBar->width(), h - ScrollBarThickness);
    m_horizontalBar->move(m_horizontalBar->x(), h - m_horizontalBar->height());
    if (w - ScrollBarThickness >= 0)
        m_horizontalBar->resize(w - ScrollBarThickness, m_horizontalBar->height());
    m_barCorner->move(w - m_barCorner->width(), h - m_barCorner->height());
    m_canvasView->resize(inner);
}
