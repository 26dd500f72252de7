// The Filter menu: each handler runs one command of filters/.
#include "frmmain.h"

#include "filters/bitmap.h"

#include <QAction>

void frmmain::connectFilterCommands()
{
    connect(mnuMirror, &QAction::triggered, this, &frmmain::mnuMirror_Click);
    connect(mnuAddNoise, &QAction::triggered, this, &frmmain::mnuAddNoise_Click);
    connect(mnuBlur, &QAction::triggered, this, &frmmain::mnuBlur_Click);
    connect(mnuBlureMore, &QAction::triggered, this, &frmmain::mnuBlureMore_Click);
    connect(mnuSharpen, &QAction::triggered, this, &frmmain::mnuSharpen_Click);
    connect(mnuSharpMore, &QAction::triggered, this, &frmmain::mnuSharpMore_Click);
    connect(mnuPixel, &QAction::triggered, this, &frmmain::mnuPixel_Click);
    connect(mnuDiffuse, &QAction::triggered, this, &frmmain::mnuDiffuse_Click);
    connect(mnuAdjust, &QAction::triggered, this, &frmmain::mnuAdjust_Click);
    connect(mnuBright, &QAction::triggered, this, &frmmain::mnuBright_Click);
    connect(mnuInvert, &QAction::triggered, this, &frmmain::mnuInvert_Click);
    connect(mnuGray, &QAction::triggered, this, &frmmain::mnuGray_Click);
    connect(mnuRed, &QAction::triggered, this, &frmmain::mnuRed_Click);
    connect(mnuGreen, &QAction::triggered, this, &frmmain::mnuGreen_Click);
    connect(mnuBlue, &QAction::triggered, this, &frmmain::mnuBlue_Click);
}

void frmmain::mnuMirror_Click()
{
    m_filterCommands.run(QStringLiteral("镜像"), MirrorImage);
}

void frmmain::mnuAddNoise_Click()
{
    m_filterCommands.addNoise();
}

void frmmain::mnuBlur_Click()
{
    m_filterCommands.run(QStringLiteral("模糊"), BlurImage);
}

void frmmain::mnuBlureMore_Click()
{
    // Three whole blur runs; after a refusal the others would fail the same way.
    for (int run = 0; run < 3; ++run) {
        if (!m_filterCommands.run(QStringLiteral("更多模糊"), BlurImage))
            return;
    }
}

void frmmain::mnuSharpen_Click()
{
    m_filterCommands.sharpen();
}

void frmmain::mnuSharpMore_Click()
{
    m_filterCommands.sharpenMore();
}

void frmmain::mnuPixel_Click()
{
    m_filterCommands.run(QStringLiteral("像素特效"), PixelEffect);
}

void frmmain::mnuDiffuse_Click()
{
    m_filterCommands.run(QStringLiteral("反射"), DiffuseImage);
}

void frmmain::mnuAdjust_Click()
{
    m_filterCommands.adjustRgb();
}

void frmmain::mnuBright_Click()
{
    m_filterCommands.brightness();
}

void frmmain::mnuInvert_Click()
{
    m_filterCommands.run(QStringLiteral("反转"), InvertImage);
}

void frmmain::mnuGray_Click()
{
    m_filterCommands.run(QStringLiteral("灰度"), GrayImage);
}

void frmmain::mnuRed_Click()
{
    m_filterCommands.run(QStringLiteral("移除红色"),
                         [](Surface &s) { return RemoveChannel(s, 0); });
}

void frmmain::mnuGreen_Click()
{
    m_filterCommands.run(QStringLiteral("移除绿色"),
                         [](Surface &s) { return RemoveChannel(s, 1); });
}

void frmmain::mnuBlue_Click()
{
    m_filterCommands.run(QStringLiteral("移除蓝色"),
                         [](Surface &s) { return RemoveChannel(s, 2); });
}
