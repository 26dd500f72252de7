#pragma once

#include "controls/plain_dialog.h"
#include "core/surface.h"

#include <optional>

class BorderedBox;
class CommonDialogs;
class PictureBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The picture mask dialog: the user picks a picture file and sees it laid
// over a thumbnail of the canvas. The canvas is only read, for the thumbnail.
class PictureMaskDialog : public PlainDialog
{
    Q_OBJECT

public:
    // The file chooser starts in startFolder until a file was chosen.
    PictureMaskDialog(const Surface &canvas, const QString &startFolder, CommonDialogs &dialogs,
                      QWidget *parent = nullptr);

    // Shows the dialog; the path on OK, nothing on Cancel or the close box.
    static std::optional<QString> ask(const Surface &canvas, const QString &startFolder,
                                      CommonDialogs &dialogs, QWidget *parent);

    void chooseFile();
    // Lays the mask held in m_mask over the thumbnail.
    void previewMask();
    // The thumbnail alone again: at the start, before a file is laid over it,
    // and on Reset.
    void showThumbnail();
    void confirm();
    void cancel();

private:
    std::optional<QString> m_answer;
    QString m_startFolder;
    const Surface &m_canvas;
    CommonDialogs &m_dialogs;

    // What m_viewBox shows: the thumbnail, ThumbnailSide pixels square of which
    // the part inside the border is seen.
    Surface m_view;
    // The mask picture while it is previewed.
    Surface m_mask;

    QLabel *m_maskLabel;
    QLineEdit *m_fileNameEdit;
    QPushButton *m_openButton;
    BorderedBox *m_viewFrame;
    PictureBox *m_viewBox;
    QPushButton *m_okButton;
    QPushButton *m_resetButton;
    QPushButton *m_cancelButton;
};
