#pragma once

#include "core/colour.h"
#include "core/common_dialogs.h"
#include "core/formats.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <optional>

class Document;
struct ToolState;

// The commands that replace, keep or restore the whole picture: New, Open,
// Save, Scale, Undo, Redo and Clear. Each asks what it needs, works on the
// document and tells the user (over owner) why it could not.
class DocumentCommands : public QObject
{
    Q_OBJECT

public:
    // Dialogs go through ask; none of them is owned.
    DocumentCommands(Document &document, ToolState &toolState, const UserDialogs &ask);

    // colour1 and colour2 are offered as background colours.
    void newPicture(Colour colour1, Colour colour2);
    void open();
    // The picture at path onto the canvas as Open puts it there; false, with
    // the user told and the canvas as it was, when it cannot be read.
    bool openPath(const QString &path);
    // The picture named first in arguments (those after the program's own
    // name) as Open puts it there; no argument: nothing.
    void openFromCommandLine(const QStringList &arguments);
    // A file dropped on the window, opened as if chosen in the Open dialog;
    // false when it could not be.
    bool openDropped(const QString &path);
    // A picture recovered after an abnormal end onto the canvas as Open puts
    // one there, with its background colour; false when it does not fit.
    bool showRecovered(const QImage &picture, Colour backColour);
    void save();
    void scale();
    void undo();
    void redo();
    void clear();

    // The file chosen in the platform's open (or save) dialog, starting in
    // the last folder, with an empty path when cancelled; a choice makes its
    // folder the next start.
    FileChoice askFile(bool open, const QString &filter, const QString &title);
    // The part of path before its last "/"; path itself without one.
    static QString folderOf(const QString &path);
    // path with the native separator at its end.
    static QString withSeparator(const QString &path);

signals:
    // New or Open put another picture on the canvas.
    void pictureReplaced();
    // Something the user should know that needs no answer.
    void noticed(const QString &text);

private:
    void restore(bool (*step)(Document &));
    // The picture just put on the canvas, on backColour, becomes the
    // canvas's own and is shown.
    void pictureShown(Colour backColour);
    // The name and format to save under, asked until the user accepts a
    // name that replaces no file unasked; nothing when cancelled.
    std::optional<SaveTarget> askSaveTarget();
    // The caption of the window the dialogs are shown over: the title of
    // messages that concern the whole picture.
    QString ownerTitle() const;

    Document &m_document;
    ToolState &m_toolState;
    const UserDialogs &m_ask;
};
