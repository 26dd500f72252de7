#include "frmmain.h"

#include "controls/bordered_box.h"
#include "controls/color_pallete.h"
#include "controls/line3d.h"
#include "controls/picture_box.h"

#include <QEvent>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>

namespace {

constexpr int BarThickness = 18;

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
    return bar;
}

} // namespace

void frmmain::buildControls()
{
    m_client = named(new QWidget(this), QStringLiteral("client"));
    setCentralWidget(m_client);

    pTop = named(new QWidget(m_client), QStringLiteral("pTop"));
    pTop->setGeometry(-16, 0, 1032, 57);
    pTop->setAccessibleName(QStringLiteral("颜色与工具选项"));
    lnTop1 = named(new Line3D(pTop), QStringLiteral("lnTop1"));
    lnTop1->setGeometry(0, 0, pTop->width(), Line3D::Height);
    ColorPallete1 = named(new ColorPallete(pTop), QStringLiteral("ColorPallete1"));
    ColorPallete1->move(24, 16);
    ColorPallete1->setToolTip(QStringLiteral("双击选取更多颜色"));
    ColorPallete1->setDialogs(&m_dialogs);
    connect(this, &frmmain::swapColoursRequested, ColorPallete1, &ColorPallete::SwapColors);
    for (std::size_t i = 0; i < lnTop2.size(); ++i) {
        lnTop2[i] = named(new Line3D(m_client), QStringLiteral("lnTop2"));
        lnTop2[i]->setProperty("index", static_cast<int>(i));
        lnTop2[i]->setGeometry(0, i == 0 ? 0 : 56, 1016, Line3D::Height);
    }

    pTools = named(new BorderedBox(m_client), QStringLiteral("pTools"));
    pTools->setGeometry(0, 64, 130, 438);
    pTools->setAccessibleName(QStringLiteral("工具箱"));
    lblTitle =
        named(new QLabel(QStringLiteral("工具箱"), pTools->client()), QStringLiteral("lblTitle"));
    lblTitle->setAlignment(Qt::AlignCenter);
    lblTitle->setGeometry(0, 0, pTools->innerSize().width(), 16);

    pHolder = named(new BorderedBox(m_client), QStringLiteral("pHolder"));
    pHolder->setGeometry(136, 64, 880, 440);
    pHolder->setBackground(QColor(0x80, 0x80, 0x80));
    pHolder->setAccessibleName(QStringLiteral("画布区域"));
    QWidget *inside = pHolder->client();

    SrcDc = named(new PictureBox(inside), QStringLiteral("SrcDc"));
    SrcDc->setAccessibleName(QStringLiteral("画布"));
    SrcDc->setSurface(&m_canvas);
    SrcDc->move(0, 0);

    vBar = makeScrollBar(Qt::Vertical, QStringLiteral("vBar"), inside);
    vBar->resize(BarThickness, vBar->height());
    vBar->setAccessibleName(QStringLiteral("垂直滚动条"));
    hBar = makeScrollBar(Qt::Horizontal, QStringLiteral("hBar"), inside);
    hBar->resize(hBar->width(), BarThickness);
    hBar->setAccessibleName(QStringLiteral("水平滚动条"));
    pSpacer = named(new QWidget(inside), QStringLiteral("pSpacer"));
    pSpacer->resize(BarThickness, BarThickness);
    pSpacer->setAutoFillBackground(true);

    // Dragging the thumb moves the canvas live, as a change does.
    connect(hBar, &QScrollBar::valueChanged, this, &frmmain::hBar_Change);
    connect(vBar, &QScrollBar::valueChanged, this, &frmmain::vBar_Change);
}

void frmmain::buildStatusBar()
{
    sBar1 = named(new QStatusBar(this), QStringLiteral("sBar1"));
    sBar1->setSizeGripEnabled(false);
    sBar1->setFixedHeight(BarThickness);
    constexpr std::array widths{802, 96, 96};
    // A screen reader reads a panel as what it shows; what the panel is
    // goes into its description.
    const std::array purposes{QStringLiteral("状态"), QStringLiteral("鼠标位置"),
                              QStringLiteral("图像大小")};
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        auto *panel = new QLabel(sBar1);
        panel->setObjectName(QStringLiteral("sBar1Panel%1").arg(i + 1));
        panel->setFixedWidth(widths[i]);
        panel->setAccessibleDescription(purposes[i]);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        sBar1->addWidget(panel);
        m_panels[i] = panel;
    }
    setStatusBar(sBar1);
}

QWidget *frmmain::topStrip() const
{
    return pTop;
}

void frmmain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmmain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmmain::Form_Resize()
{
    // Each step stands alone: a size that cannot be (a minimised window gives
    // negative ones) skips that step and the others still run.
    const int W = m_client->width();
    const int H = m_client->height() + sBar1->height();

    const int holderWidth = W - pHolder->x();
    if (holderWidth >= 0)
        pHolder->resize(holderWidth, pHolder->height());
    const int holderHeight = H - sBar1->height() - pHolder->y();
    if (holderHeight >= 0)
        pHolder->resize(pHolder->width(), holderHeight);

    const QSize inner = pHolder->innerSize();
    const int w = inner.width();
    const int h = inner.height();
    pTools->resize(pTools->width(), h + 2);
    vBar->move(w - vBar->width(), vBar->y());
    if (h - BarThickness >= 0)
        vBar->resize(vBar->width(), h - BarThickness);
    hBar->move(hBar->x(), h - hBar->height());
    if (w - BarThickness >= 0)
        hBar->resize(w - BarThickness, hBar->height());
    pSpacer->move(w - pSpacer->width(), h - pSpacer->height());
    UpdateScrollBars();
}

void frmmain::hBar_Change(int value)
{
    SrcDc->move(-value, SrcDc->y());
}

void frmmain::vBar_Change(int value)
{
    SrcDc->move(SrcDc->x(), -value);
}
