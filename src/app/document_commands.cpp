#include "document_commands.h"

#include "controls/busy_cursor.h"
#include "controls/picture_messages.h"
#include "core/common_dialogs.h"
#include "core/document.h"
#include "core/formats.h"
#include "core/scale_image.h"
#include "new_image_dialog.h"
#include "save_progress.h"
#include "scale_dialog.h"
#include "tools/tool_state.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

DocumentCommands::DocumentCommands(Document &document, ToolState &toolState, const UserDialogs &ask)
    : m_document(document), m_toolState(toolState), m_ask(ask)
{
}

QString DocumentCommands::folderOf(const QString &path)
{
    const qsizetype separator = path.lastIndexOf(QLatin1Char('/'));
    return separator < 0 ? path : path.left(separator);
}

QString DocumentCommands::withSeparator(const QString &path)
{
    const QChar separator = QDir::separator();
    return path.endsWith(separator) ? path : path + separator;
}

FileChoice DocumentCommands::askFile(bool open, const QString &filter, const QString &title)
{
    const QString start = m_document.lastFolder;
    const FileChoice choice = open ? m_ask.dialogs.openFileName(m_ask.owner, title, filter, start)
                                   : m_ask.dialogs.saveFileName(m_ask.owner, title, filter, start);
    // The last folder ends in a separator; a file in the root folder thus
    // starts the next dialog in "/".
    if (!choice.path.isEmpty())
        m_document.lastFolder = withSeparator(folderOf(choice.path));
    return choice;
}

void DocumentCommands::newPicture(Colour colour1, Colour colour2)
{
    const std::optional<NewPicture> answer =
        NewImageDialog::ask(colour1, colour2, m_ask.dialogs, m_ask.owner);
    if (!answer)
        return;
    // Each step stands alone: one that fails is skipped.
    Surface &canvas = m_document.canvas();
    canvas.clearPicture();
    canvas.setSize(answer->width, answer->height);
    canvas.setBackColour(answer->backColour);
    m_document.clearSelection();
    emit pictureReplaced();
}

void DocumentCommands::open()
{
    m_document.clearSelection();
    const QString path = askFile(true, openDialogTypes(), QStringLiteral("Open")).path;
    if (!path.isEmpty())
        openPath(path);
    m_toolState.currentTool.reset();
}

bool DocumentCommands::openPath(const QString &path)
{
    Surface &canvas = m_document.canvas();
    PictureError error = PictureError::None;
    bool transparent = false;
    {
        const BusyCursor busy;
        const LoadedPicture loaded = loadPicture(path);
        error = loaded.error;
        transparent = loaded.transparent;
        if (error == PictureError::None && !canvas.setPicture(loaded.image))
            error = PictureError::TooLarge;
    }
    if (error != PictureError::None) {
        // The canvas stays as it was, drawing included: a file that cannot
        // be read must not cost the user the picture.
        m_ask.dialogs.message(m_ask.owner, pictureErrorMessage(error, path), QStringLiteral("打开"),
                              CommonDialogs::Icon::Warning);
        return false;
    }
    pictureShown(0x00FFFFFF);
    // The canvas has no transparency: said once, so that a transparent logo
    // is not saved over unawares.
    if (transparent)
        emit noticed(QStringLiteral("图片的透明部分显示为白色，保存后不再透明。"));
    return true;
}

void DocumentCommands::openFromCommandLine(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return;
    // As if chosen in the Open dialog: the next file dialog starts beside it.
    const QString path = QFileInfo(arguments.first()).absoluteFilePath();
    m_document.lastFolder = withSeparator(folderOf(path));
    // A file that cannot be read leaves the start-up state whole, the
    // pencil included: there is nothing on the canvas for a tool to wait on.
    if (openPath(path))
        m_toolState.currentTool.reset();
}

bool DocumentCommands::openDropped(const QString &path)
{
    m_document.clearSelection();
    m_document.lastFolder = withSeparator(folderOf(path));
    const bool opened = openPath(path);
    m_toolState.currentTool.reset();
    return opened;
}

std::optional<SaveTarget> DocumentCommands::askSaveTarget()
{
    for (;;) {
        const FileChoice choice = askFile(false, saveDialogTypes(), QStringLiteral("Save"));
        if (choice.path.isEmpty())
            return std::nullopt;
        const SaveTarget target = saveTarget(choice.path, choice.type);
        // The dialog asked about the name as typed; the name with its
        // extension added replaces a file only after the same question.
        if (target.path == choice.path || !QFileInfo::exists(target.path) ||
            m_ask.dialogs.askYesNo(m_ask.owner,
                                   QStringLiteral("%1 已存在。\n您想要替换它吗?")
                                       .arg(QFileInfo(target.path).fileName()),
                                   QStringLiteral("保存"), CommonDialogs::Icon::Warning))
            return target;
    }
}

bool DocumentCommands::showRecovered(const QImage &picture, Colour backColour)
{
    Surface &canvas = m_document.canvas();
    if (!canvas.setPicture(picture))
        return false;
    m_toolState.currentTool.reset();
    pictureShown(backColour);
    return true;
}

void DocumentCommands::pictureShown(Colour backColour)
{
    Surface &canvas = m_document.canvas();
    canvas.setBackColour(backColour);
    // Nothing shows the file apart from the drawing on it again (New drops
    // it first): kept, it would hold a copy of every tile drawn over.
    canvas.mergePicture();
    emit pictureReplaced();
}

void DocumentCommands::save()
{
    const std::optional<SaveTarget> target = askSaveTarget();
    if (!target)
        return;
    const PictureError error = saveShowingProgress(m_document.canvas().image(), target->path,
                                                   *target->format, m_ask.owner);
    if (error != PictureError::None) {
        m_ask.dialogs.message(m_ask.owner, pictureErrorMessage(error, target->path),
                              QStringLiteral("保存"), CommonDialogs::Icon::Critical);
    }
}

void DocumentCommands::scale()
{
    const std::optional<QSize> size =
        ScaleDialog::ask(m_document.canvas().size(), m_ask.dialogs, m_ask.owner);
    if (!size)
        return;
    bool scaled = false;
    {
        const BusyCursor busy;
        // The clipboard picture is Scale's work surface on purpose: afterwards
        // it is a blank picture of the new size, which a later Paste places.
        scaled =
            ScaleImage(m_document.canvas(), m_document.clipboard(), size->width(), size->height());
    }
    if (!scaled) {
        m_ask.dialogs.message(m_ask.owner, QStringLiteral("位图尺寸太大，内存无法容纳"),
                              QStringLiteral("图像拉伸"), CommonDialogs::Icon::Warning);
    }
}

QString DocumentCommands::ownerTitle() const
{
    return m_ask.owner ? m_ask.owner->windowTitle() : QString();
}

void DocumentCommands::undo()
{
    restore([](Document &document) { return document.undo().restoreBefore(); });
}

void DocumentCommands::redo()
{
    restore([](Document &document) { return document.undo().restoreAfter(); });
}

void DocumentCommands::restore(bool (*step)(Document &))
{
    if (!step(m_document)) {
        m_ask.dialogs.message(m_ask.owner, QStringLiteral("图片太大，无法恢复。"), ownerTitle(),
                              CommonDialogs::Icon::Warning);
    }
}

void DocumentCommands::clear()
{
    if (!m_ask.dialogs.askYesNo(m_ask.owner, QStringLiteral("确定要消除当前图像吗?"),
                                QStringLiteral("清除图像"), CommonDialogs::Icon::None))
        return;
    // Emptying the holders of a canvas that could not be cleared would lose
    // the user's only way back for nothing.
    if (!m_document.canvas().setPicture(QImage())) {
        m_ask.dialogs.message(m_ask.owner, QStringLiteral("内存不足，无法清除图像。"), ownerTitle(),
                              CommonDialogs::Icon::Warning);
        return;
    }
    m_document.undo().clear();
}
