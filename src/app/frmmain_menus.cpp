#include "frmmain.h"

#include "core/common_dialogs.h"

#include <QMenu>
#include <QMenuBar>

QMenu *frmmain::addMenu(QMenu *parent, const QString &name, const QString &caption)
{
    QMenu *menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

QAction *frmmain::addItem(QMenu *menu, const QString &name, const QString &caption,
                          const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

QAction *frmmain::addSeparator(QMenu *menu, const QString &name)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

void frmmain::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("menuBar"));

    mnuFile = addMenu(nullptr, QStringLiteral("mnuFile"), QStringLiteral("文件(&F)"));
    mnuNew = addItem(mnuFile, QStringLiteral("mnuNew"), QStringLiteral("新建(&N)"),
                     QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuOpen = addItem(mnuFile, QStringLiteral("mnuOpen"), QStringLiteral("打开(&O)..."),
                      QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSave = addItem(mnuFile, QStringLiteral("mnuSave"), QStringLiteral("保存(&S)"),
                      QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuBlank1 = addSeparator(mnuFile, QStringLiteral("mnuBlank1"));
    mnuExit = addItem(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("退出(&X)"));

    mnuEdit = addMenu(nullptr, QStringLiteral("mnuEdit"), QStringLiteral("编辑(&E)"));
    CX = addItem(mnuEdit, QStringLiteral("CX"), QStringLiteral("撤消(&Z)"));
    HH = addItem(mnuEdit, QStringLiteral("HH"), QStringLiteral("恢复(&L)"));
    mnuCut = addItem(mnuEdit, QStringLiteral("mnuCut"), QStringLiteral("剪切(&T)"));
    mnuCopy = addItem(mnuEdit, QStringLiteral("mnuCopy"), QStringLiteral("复制(&C)"));
    mnuPaste = addItem(mnuEdit, QStringLiteral("mnuPaste"), QStringLiteral("粘贴(&P)"));
    mnuBlank3 = addSeparator(mnuEdit, QStringLiteral("mnuBlank3"));

    mnuImage = addMenu(nullptr, QStringLiteral("mnuImage"), QStringLiteral("图像(&I)"));
    mnuFlip = addMenu(mnuImage, QStringLiteral("mnuFlip"), QStringLiteral("翻转(&F)"));
    mnuFlipV = addItem(mnuFlip, QStringLiteral("mnuFlipV"), QStringLiteral("垂直(&V)"));
    mnuFlipHoz = addItem(mnuFlip, QStringLiteral("mnuFlipHoz"), QStringLiteral("水平(&H)"));
    mnuBoth = addItem(mnuFlip, QStringLiteral("mnuBoth"), QStringLiteral("双向(&B)"));
    mnuBlank2 = addSeparator(mnuImage, QStringLiteral("mnuBlank2"));
    mnuScale = addItem(mnuImage, QStringLiteral("mnuScale"), QStringLiteral("拉伸(&S)"));
    mnuBlank4 = addSeparator(mnuImage, QStringLiteral("mnuBlank4"));
    mnuClear = addItem(mnuImage, QStringLiteral("mnuClear"), QStringLiteral("清除(&C)"));
    MnuDQue = addItem(mnuImage, QStringLiteral("MnuDQue"), QStringLiteral("不透明处理(&D)"));
    MnuDQue->setCheckable(true);
    MnuDQue->setChecked(true);

    mnuFilter = addMenu(nullptr, QStringLiteral("mnuFilter"), QStringLiteral("滤镜(&F)"));
    mnuEffect = addMenu(mnuFilter, QStringLiteral("mnuEffect"), QStringLiteral("特效(&E)"));
    mnuMirror = addItem(mnuEffect, QStringLiteral("mnuMirror"), QStringLiteral("镜像(&M)"));
    mnuFrame = addMenu(mnuFilter, QStringLiteral("mnuFrame"), QStringLiteral("相框(&F)"));
    mnuStroke = addItem(mnuFrame, QStringLiteral("mnuStroke"), QStringLiteral("图像边框"));
    mnuMask = addItem(mnuFrame, QStringLiteral("mnuMask"), QStringLiteral("掩码(&M)"));
    mnuNoise = addMenu(mnuFilter, QStringLiteral("mnuNoise"), QStringLiteral("噪声"));
    mnuAddNoise = addItem(mnuNoise, QStringLiteral("mnuAddNoise"), QStringLiteral("添加(&A)"));
    mnuSoft = addMenu(mnuFilter, QStringLiteral("mnuSoft"), QStringLiteral("羽化(&S)"));
    mnuBlur = addItem(mnuSoft, QStringLiteral("mnuBlur"), QStringLiteral("模糊(&B)"));
    mnuBlureMore = addItem(mnuSoft, QStringLiteral("mnuBlureMore"), QStringLiteral("更多模糊"));
    mnuSharp = addMenu(mnuFilter, QStringLiteral("mnuSharp"), QStringLiteral("锐化(&S)"));
    mnuSharpen = addItem(mnuSharp, QStringLiteral("mnuSharpen"), QStringLiteral("锐化"));
    mnuSharpMore = addItem(mnuSharp, QStringLiteral("mnuSharpMore"), QStringLiteral("更多锐化"));
    mnuRender = addMenu(mnuFilter, QStringLiteral("mnuRender"), QStringLiteral("渲染(&R)"));
    mnuPixel = addItem(mnuRender, QStringLiteral("mnuPixel"), QStringLiteral("像素特效(&P)"));
    mnuDiffuse = addItem(mnuFilter, QStringLiteral("mnuDiffuse"), QStringLiteral("反射(&D)"));
    mnuColor = addMenu(mnuFilter, QStringLiteral("mnuColor"), QStringLiteral("颜色(&C)"));
    mnuAdjust = addItem(mnuColor, QStringLiteral("mnuAdjust"), QStringLiteral("调整红/绿/蓝(&A)"));
    mnuBright = addItem(mnuColor, QStringLiteral("mnuBright"), QStringLiteral("亮度"));
    mnuInvert = addItem(mnuColor, QStringLiteral("mnuInvert"), QStringLiteral("反转(&I)"),
                        QKeySequence(Qt::CTRL | Qt::Key_I));
    mnuGray = addItem(mnuColor, QStringLiteral("mnuGray"), QStringLiteral("灰度(&G)"));
    mnuRemove = addMenu(mnuColor, QStringLiteral("mnuRemove"), QStringLiteral("移除(&R)"));
    mnuRed = addItem(mnuRemove, QStringLiteral("mnuRed"), QStringLiteral("红色"));
    mnuGreen = addItem(mnuRemove, QStringLiteral("mnuGreen"), QStringLiteral("绿色"));
    mnuBlue = addItem(mnuRemove, QStringLiteral("mnuBlue"), QStringLiteral("蓝色"));

    // A top-level entry without items: choosing it acts at once.
    mnuAbout = menuBar()->addAction(QStringLiteral("关于(&A)"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    connect(mnuExit, &QAction::triggered, this, &frmmain::mnuExit_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmmain::mnuAbout_Click);
}

void frmmain::mnuExit_Click()
{
    close();
}

void frmmain::mnuAbout_Click()
{
    m_dialogs.message(this, QStringLiteral("Kalvo\n一个简单的位图绘画程序。"),
                      QStringLiteral("关于 Kalvo"), CommonDialogs::Icon::Information);
}
