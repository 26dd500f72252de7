#include "command_table.h"

#include "controls/canvas_view.h"
#include "controls/color_pallete.h"
#include "core/common_dialogs.h"
#include "document_commands.h"
#include "filters/bitmap.h"
#include "filters/filter_commands.h"
#include "filters/image_tools.h"
#include "frmmain.h"
#include "tools/clipboard.h"
#include "tools/tool_options.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace {

using K = CommandRow::Kind;

FilterCommands &filters(frmmain &w)
{
    return w.filterCommands();
}

void runFilter(frmmain &w, const char *title, FilterOutcome (*filter)(Surface &))
{
    filters(w).run(QString::fromUtf8(title), filter);
}

void removeChannel(frmmain &w, const char *title, int channel)
{
    filters(w).run(QString::fromUtf8(title),
                   [channel](Surface &canvas) { return RemoveChannel(canvas, channel); });
}

// A key of a list or of a field is the list's, not a command's.
bool listHasKeyboard()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus->inherits("QComboBox") || focus->inherits("QAbstractItemView"));
}

} // namespace

// clang-format off
const QList<CommandRow> &commandTable()
{
    static const QList<CommandRow> table{
        {K::Menu, nullptr, "mnuFile", "文件(&F)"},
        {K::Item, "mnuFile", "mnuNew", "新建(&N)",
         [](frmmain &w) { w.documentCommands().newPicture(w.palette()->color1(), w.palette()->color2()); },
         QKeySequence(Qt::CTRL | Qt::Key_N)},
        {K::Item, "mnuFile", "mnuOpen", "打开(&O)...", [](frmmain &w) { w.documentCommands().open(); },
         QKeySequence(Qt::CTRL | Qt::Key_O)},
        {K::Item, "mnuFile", "mnuSave", "保存(&S)", [](frmmain &w) { w.documentCommands().save(); },
         QKeySequence(Qt::CTRL | Qt::Key_S)},
        {K::Separator, "mnuFile", "mnuBlank1", ""},
        {K::Item, "mnuFile", "mnuExit", "退出(&X)", [](frmmain &w) { w.close(); }},

        {K::Menu, nullptr, "mnuEdit", "编辑(&E)"},
        {K::Item, "mnuEdit", "CX", "撤消(&Z)", [](frmmain &w) { w.documentCommands().undo(); }, {},
         {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {K::Item, "mnuEdit", "HH", "恢复(&L)", [](frmmain &w) { w.documentCommands().redo(); }, {},
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
        {K::Item, "mnuEdit", "mnuCut", "剪切(&T)", [](frmmain &w) { w.clipboard().cutSelection(); },
         {}, {QKeySequence(Qt::CTRL | Qt::Key_X)}},
        {K::Item, "mnuEdit", "mnuCopy", "复制(&C)", [](frmmain &w) { w.clipboard().copySelection(); },
         {}, {QKeySequence(Qt::CTRL | Qt::Key_C)}},
        {K::Item, "mnuEdit", "mnuPaste", "粘贴(&P)", [](frmmain &w) { w.clipboard().paste(); }, {},
         {QKeySequence(Qt::CTRL | Qt::Key_V)}},
        {K::Separator, "mnuEdit", "mnuBlank3", ""},

        {K::Menu, nullptr, "mnuImage", "图像(&I)"},
        {K::Menu, "mnuImage", "mnuFlip", "翻转(&F)"},
        {K::Item, "mnuFlip", "mnuFlipV", "垂直(&V)", [](frmmain &w) { filters(w).flip(FlipLeftRight); }},
        {K::Item, "mnuFlip", "mnuFlipHoz", "水平(&H)", [](frmmain &w) { filters(w).flip(FlipTopBottom); }},
        {K::Item, "mnuFlip", "mnuBoth", "双向(&B)", [](frmmain &w) { filters(w).flip(FlipBoth); }},
        {K::Separator, "mnuImage", "mnuBlank2", ""},
        {K::Item, "mnuImage", "mnuScale", "拉伸(&S)", [](frmmain &w) { w.documentCommands().scale(); }},
        {K::Separator, "mnuImage", "mnuBlank4", ""},
        {K::Item, "mnuImage", "mnuClear", "清除(&C)", [](frmmain &w) { w.documentCommands().clear(); }},
        // The window binds the mark to the kind of paste.
        {K::CheckedItem, "mnuImage", "MnuDQue", "不透明处理(&D)"},

        {K::Menu, nullptr, "mnuFilter", "滤镜(&F)"},
        {K::Menu, "mnuFilter", "mnuEffect", "特效(&E)"},
        {K::Item, "mnuEffect", "mnuMirror", "镜像(&M)", [](frmmain &w) { runFilter(w, "镜像", MirrorImage); }},
        {K::Menu, "mnuFilter", "mnuFrame", "相框(&F)"},
        {K::Item, "mnuFrame", "mnuStroke", "图像边框", [](frmmain &w) { filters(w).border(); }},
        {K::Item, "mnuFrame", "mnuMask", "掩码(&M)",
         // The brush stamp's second surface lends its memory to the stretch.
         [](frmmain &w) { filters(w).mask(w.toolOptions().SrcBrush2); }},
        {K::Menu, "mnuFilter", "mnuNoise", "噪声"},
        {K::Item, "mnuNoise", "mnuAddNoise", "添加(&A)", [](frmmain &w) { filters(w).addNoise(); }},
        {K::Menu, "mnuFilter", "mnuSoft", "羽化(&S)"},
        {K::Item, "mnuSoft", "mnuBlur", "模糊(&B)", [](frmmain &w) { runFilter(w, "模糊", BlurImage); }},
        {K::Item, "mnuSoft", "mnuBlureMore", "更多模糊", [](frmmain &w) { filters(w).blurMore(); }},
        {K::Menu, "mnuFilter", "mnuSharp", "锐化(&S)"},
        {K::Item, "mnuSharp", "mnuSharpen", "锐化", [](frmmain &w) { filters(w).sharpen(); }},
        {K::Item, "mnuSharp", "mnuSharpMore", "更多锐化", [](frmmain &w) { filters(w).sharpenMore(); }},
        {K::Menu, "mnuFilter", "mnuRender", "渲染(&R)"},
        {K::Item, "mnuRender", "mnuPixel", "像素特效(&P)", [](frmmain &w) { runFilter(w, "像素特效", PixelEffect); }},
        {K::Item, "mnuFilter", "mnuDiffuse", "反射(&D)", [](frmmain &w) { runFilter(w, "反射", DiffuseImage); }},
        {K::Menu, "mnuFilter", "mnuColor", "颜色(&C)"},
        {K::Item, "mnuColor", "mnuAdjust", "调整红/绿/蓝(&A)", [](frmmain &w) { filters(w).adjustRgb(); }},
        {K::Item, "mnuColor", "mnuBright", "亮度", [](frmmain &w) { filters(w).brightness(); }},
        {K::Item, "mnuColor", "mnuInvert", "反转(&I)", [](frmmain &w) { runFilter(w, "反转", InvertImage); },
         QKeySequence(Qt::CTRL | Qt::Key_I)},
        {K::Item, "mnuColor", "mnuGray", "灰度(&G)", [](frmmain &w) { runFilter(w, "灰度", GrayImage); }},
        {K::Menu, "mnuColor", "mnuRemove", "移除(&R)"},
        {K::Item, "mnuRemove", "mnuRed", "红色", [](frmmain &w) { removeChannel(w, "移除红色", 0); }},
        {K::Item, "mnuRemove", "mnuGreen", "绿色", [](frmmain &w) { removeChannel(w, "移除绿色", 1); }},
        {K::Item, "mnuRemove", "mnuBlue", "蓝色", [](frmmain &w) { removeChannel(w, "移除蓝色", 2); }},

        // The zoom, from the keyboard alone.
        {K::Keys, nullptr, "zoomIn", "", [](frmmain &w) { w.canvasView()->zoomBy(1); }, {},
         {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal),
          QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Plus)}},
        {K::Keys, nullptr, "zoomOut", "", [](frmmain &w) { w.canvasView()->zoomBy(-1); }, {},
         {QKeySequence(Qt::CTRL | Qt::Key_Minus),
          QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Minus)}},
        {K::Keys, nullptr, "zoomReset", "", [](frmmain &w) { w.canvasView()->zoomTo(1); }, {},
         {QKeySequence(Qt::CTRL | Qt::Key_0),
          QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_0)}},

        // A top-level entry without items: choosing it acts at once.
        {K::Item, nullptr, "mnuAbout", "关于(&A)",
         [](frmmain &w) {
             w.dialogs().message(&w, QStringLiteral("Kalvo\n一个简单的位图绘画程序。"),
                                 QStringLiteral("关于 Kalvo"), CommonDialogs::Icon::Information);
         }},
    };
    return table;
}
// clang-format on

void buildCommands(const QList<CommandRow> &table, QMenuBar *bar, frmmain &window)
{
    QHash<QString, QMenu *> menus;
    for (const CommandRow &row : table) {
        const QString name = QString::fromLatin1(row.name);
        const QString caption = QString::fromUtf8(row.caption);
        QMenu *parent = row.menu ? menus.value(QString::fromLatin1(row.menu)) : nullptr;
        if (row.kind == K::Keys) {
            for (const QKeySequence &keys : row.hiddenKeys) {
                auto *shortcut = new QShortcut(keys, &window);
                shortcut->setObjectName(name);
                QObject::connect(shortcut, &QShortcut::activated, &window,
                                 [handler = row.handler, &window] {
                                     if (!listHasKeyboard())
                                         handler(window);
                                 });
            }
            continue;
        }
        if (row.kind == K::Menu) {
            QMenu *menu = parent ? parent->addMenu(caption) : bar->addMenu(caption);
            menu->setObjectName(name);
            menus.insert(name, menu);
            continue;
        }
        QAction *action = row.kind == K::Separator ? parent->addSeparator()
                          : parent                 ? parent->addAction(caption)
                                                   : bar->addAction(caption);
        action->setObjectName(name);
        if (row.kind == K::Separator)
            continue;
        action->setShortcut(row.shortcut);
        if (row.kind == K::CheckedItem) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        if (const auto handler = row.handler)
            QObject::connect(action, &QAction::triggered, &window,
                             [handler, &window] { handler(window); });
        for (const QKeySequence &keys : row.hiddenKeys) {
            auto *shortcut = new QShortcut(keys, &window);
            QObject::connect(shortcut, &QShortcut::activated, action, [action] {
                if (!listHasKeyboard())
                    action->trigger();
            });
        }
    }
}
