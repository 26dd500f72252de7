#include "command_table.h"

#include "command_line.h"
#include "controls/canvas_view.h"
#include "core/common_dialogs.h"
#include "document_commands.h"
#include "editor.h"
#include "filters/filter_commands.h"
#include "filters/image_tools.h"
#include "filters/picture_filters.h"
#include "tools/clipboard.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace {

using K = CommandRow::Kind;
using C = const CommandContext &;

FilterCommands &filters(C c)
{
    return c.editor.filterCommands();
}

DocumentCommands &documents(C c)
{
    return c.editor.documentCommands();
}

void runFilter(C c, const char *title, FilterOutcome (*filter)(Surface &))
{
    filters(c).run(QString::fromUtf8(title), filter);
}

void removeChannel(C c, const char *title, int channel)
{
    filters(c).run(QString::fromUtf8(title),
                   [channel](Surface &canvas) { return RemoveChannel(canvas, channel); });
}

void zoomBy(C c, int steps)
{
    if (c.view)
        c.view->zoomBy(steps);
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
         [](C c) { documents(c).newPicture(c.colour1, c.colour2); },
         QKeySequence(Qt::CTRL | Qt::Key_N)},
        {K::Item, "mnuFile", "mnuOpen", "打开(&O)...", [](C c) { documents(c).open(); },
         QKeySequence(Qt::CTRL | Qt::Key_O)},
        {K::Item, "mnuFile", "mnuSave", "保存(&S)", [](C c) { documents(c).save(); },
         QKeySequence(Qt::CTRL | Qt::Key_S)},
        {K::Separator, "mnuFile", "mnuBlank1", ""},
        {K::Item, "mnuFile", "mnuExit", "退出(&X)", [](C c) { if (c.owner) c.owner->close(); }},

        {K::Menu, nullptr, "mnuEdit", "编辑(&E)"},
        {K::Item, "mnuEdit", "CX", "撤消(&Z)", [](C c) { documents(c).undo(); }, {},
         {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {K::Item, "mnuEdit", "HH", "恢复(&L)", [](C c) { documents(c).redo(); }, {},
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
        {K::Item, "mnuEdit", "mnuCut", "剪切(&T)", [](C c) { c.editor.clipboard().cutSelection(); },
         {}, {QKeySequence(Qt::CTRL | Qt::Key_X)}},
        {K::Item, "mnuEdit", "mnuCopy", "复制(&C)", [](C c) { c.editor.clipboard().copySelection(); },
         {}, {QKeySequence(Qt::CTRL | Qt::Key_C)}},
        {K::Item, "mnuEdit", "mnuPaste", "粘贴(&P)", [](C c) { c.editor.clipboard().paste(); }, {},
         {QKeySequence(Qt::CTRL | Qt::Key_V)}},
        {K::Separator, "mnuEdit", "mnuBlank3", ""},

        {K::Menu, nullptr, "mnuImage", "图像(&I)"},
        {K::Menu, "mnuImage", "mnuFlip", "翻转(&F)"},
        {K::Item, "mnuFlip", "mnuFlipV", "垂直(&V)", [](C c) { filters(c).flip(FlipLeftRight); }},
        {K::Item, "mnuFlip", "mnuFlipHoz", "水平(&H)", [](C c) { filters(c).flip(FlipTopBottom); }},
        {K::Item, "mnuFlip", "mnuBoth", "双向(&B)", [](C c) { filters(c).flip(FlipBoth); }},
        {K::Separator, "mnuImage", "mnuBlank2", ""},
        {K::Item, "mnuImage", "mnuScale", "拉伸(&S)", [](C c) { documents(c).scale(); }},
        {K::Separator, "mnuImage", "mnuBlank4", ""},
        {K::Item, "mnuImage", "mnuClear", "清除(&C)", [](C c) { documents(c).clear(); }},
        // Marked, a paste leaves out the pixels of the background colour.
        {K::CheckedItem, "mnuImage", "MnuDQue", "不透明处理(&D)",
         [](C c) { c.editor.clipboard().setKeyed(!c.editor.clipboard().keyed()); }, {}, {},
         [](const Editor &e) { return e.clipboard().keyed(); }},

        {K::Menu, nullptr, "mnuFilter", "滤镜(&F)"},
        {K::Menu, "mnuFilter", "mnuEffect", "特效(&E)"},
        {K::Item, "mnuEffect", "mnuMirror", "镜像(&M)", [](C c) { runFilter(c, "镜像", MirrorImage); }},
        {K::Menu, "mnuFilter", "mnuFrame", "相框(&F)"},
        {K::Item, "mnuFrame", "mnuStroke", "图像边框", [](C c) { filters(c).border(); }},
        {K::Item, "mnuFrame", "mnuMask", "掩码(&M)", [](C c) { filters(c).mask(); }},
        {K::Menu, "mnuFilter", "mnuNoise", "噪声"},
        {K::Item, "mnuNoise", "mnuAddNoise", "添加(&A)", [](C c) { filters(c).addNoise(); }},
        {K::Menu, "mnuFilter", "mnuSoft", "羽化(&S)"},
        {K::Item, "mnuSoft", "mnuBlur", "模糊(&B)", [](C c) { runFilter(c, "模糊", BlurImage); }},
        {K::Item, "mnuSoft", "mnuBlureMore", "更多模糊", [](C c) { filters(c).blurMore(); }},
        {K::Menu, "mnuFilter", "mnuSharp", "锐化(&S)"},
        {K::Item, "mnuSharp", "mnuSharpen", "锐化", [](C c) { filters(c).sharpen(); }},
        {K::Item, "mnuSharp", "mnuSharpMore", "更多锐化", [](C c) { filters(c).sharpenMore(); }},
        {K::Menu, "mnuFilter", "mnuRender", "渲染(&R)"},
        {K::Item, "mnuRender", "mnuPixel", "像素特效(&P)", [](C c) { runFilter(c, "像素特效", PixelEffect); }},
        {K::Item, "mnuFilter", "mnuDiffuse", "反射(&D)", [](C c) { runFilter(c, "反射", DiffuseImage); }},
        {K::Menu, "mnuFilter", "mnuColor", "颜色(&C)"},
        {K::Item, "mnuColor", "mnuAdjust", "调整红/绿/蓝(&A)", [](C c) { filters(c).adjustRgb(); }},
        {K::Item, "mnuColor", "mnuBright", "亮度", [](C c) { filters(c).brightness(); }},
        {K::Item, "mnuColor", "mnuInvert", "反转(&I)", [](C c) { runFilter(c, "反转", InvertImage); },
         QKeySequence(Qt::CTRL | Qt::Key_I)},
        {K::Item, "mnuColor", "mnuGray", "灰度(&G)", [](C c) { runFilter(c, "灰度", GrayImage); }},
        {K::Menu, "mnuColor", "mnuRemove", "移除(&R)"},
        {K::Item, "mnuRemove", "mnuRed", "红色", [](C c) { removeChannel(c, "移除红色", 0); }},
        {K::Item, "mnuRemove", "mnuGreen", "绿色", [](C c) { removeChannel(c, "移除绿色", 1); }},
        {K::Item, "mnuRemove", "mnuBlue", "蓝色", [](C c) { removeChannel(c, "移除蓝色", 2); }},

        // The zoom, from the keyboard alone.
        // "Ctrl++" is Shift and = on most keyboards, which X reports as Shift and +.
        {K::Keys, nullptr, "zoomIn", "", [](C c) { zoomBy(c, 1); }, {},
         {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus),
          QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Plus)}},
        {K::Keys, nullptr, "zoomOut", "", [](C c) { zoomBy(c, -1); }, {},
         {QKeySequence(Qt::CTRL | Qt::Key_Minus),
          QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Minus)}},
        {K::Keys, nullptr, "zoomReset", "", [](C c) { if (c.view) c.view->zoomTo(1); }, {},
         {QKeySequence(Qt::CTRL | Qt::Key_0),
          QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_0)}},

        // A top-level entry without items: choosing it acts at once.
        {K::Item, nullptr, "mnuAbout", "关于(&A)",
         [](C c) {
             c.dialogs.message(c.owner,
                               QStringLiteral("Kalvo %1\n一个简单的位图绘画程序。")
                                   .arg(programVersion()),
                               QStringLiteral("关于 Kalvo"), CommonDialogs::Icon::Information);
         }},
    };
    return table;
}
// clang-format on

const CommandRow *commandRow(const QList<CommandRow> &table, const QString &name)
{
    for (const CommandRow &row : table) {
        if (QLatin1String(row.name) == name)
            return &row;
    }
    return nullptr;
}

void buildCommands(const QList<CommandRow> &table, QMenuBar *bar, QWidget &window,
                   const std::function<CommandContext()> &context)
{
    QHash<QString, QMenu *> menus;
    const auto run = [context](void (*handler)(const CommandContext &)) {
        handler(context());
    };
    for (const CommandRow &row : table) {
        const QString name = QString::fromLatin1(row.name);
        const QString caption = QString::fromUtf8(row.caption);
        QMenu *parent = row.menu ? menus.value(QString::fromLatin1(row.menu)) : nullptr;
        if (row.kind == K::Keys) {
            for (const QKeySequence &keys : row.hiddenKeys) {
                auto *shortcut = new QShortcut(keys, &window);
                shortcut->setObjectName(name);
                const auto press = [run, handler = row.handler] {
                    if (!listHasKeyboard())
                        run(handler);
                };
                QObject::connect(shortcut, &QShortcut::activated, &window, press);
                // X reports Shift and = as several of a row's keys at once (Ctrl+Shift++,
                // Ctrl++, Ctrl+Shift+=), which Qt calls ambiguous and triggers none of:
                // every key of the row does the same, so such a press is the row's.
                QObject::connect(shortcut, &QShortcut::activatedAmbiguously, &window, press);
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
        if (const auto handler = row.handler)
            QObject::connect(action, &QAction::triggered, &window,
                             [run, handler] { run(handler); });
        if (const auto checked = row.checked) {
            Editor &editor = context().editor;
            const auto showState = [action, checked, &editor] {
                action->setChecked(checked(editor));
            };
            action->setCheckable(true);
            showState();
            QObject::connect(action, &QAction::triggered, &window, showState);
            QObject::connect(&editor, &Editor::settingsChanged, action, showState);
        }
        for (const QKeySequence &keys : row.hiddenKeys) {
            auto *shortcut = new QShortcut(keys, &window);
            QObject::connect(shortcut, &QShortcut::activated, action, [action] {
                if (!listHasKeyboard())
                    action->trigger();
            });
        }
    }
}
