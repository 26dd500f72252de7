#pragma once

#include "controls/plain_dialog.h"
#include "core/surface.h"

class BorderedBox;
class CommonDialogs;
class PictureBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct Document;

// The picture mask dialog: the user picks a picture file and sees it laid
// over a thumbnail of the canvas; OK leaves the path in the document's
// MaskFile with DialogResult 1, Cancel leaves DialogResult 2. The canvas is
// only read, for the thumbnail.
class frmMask : public PlainDialog
{
    Q_OBJECT

public:
    frmMask(Document &document, const Surface &canvas, CommonDialogs &dialogs,
            QWidget *parent = nullptr);

    void cmdOpen_Click();
    // Lays the mask held in pMask over the thumbnail.
    void PreviewMask();
    void cmdReset_Click();
    void cmdOK_Click();
    void CmdCancel_Click();

private:
    void Form_Load();

    Document &m_document;
    const Surface &m_canvas;
    CommonDialogs &m_dialogs;

    // What pView shows: the thumbnail, ThumbnailSide pixels square of which
    // the part inside the border is seen.
    Surface m_view;
    // The mask picture while it is previewed, and the surface it is stretched in.
    Surface pMask;
    Surface pTmp;

    QLabel *lblMask;
    QLineEdit *txtFilename;
    QPushButton *cmdOpen;
    BorderedBox *pViewFrame;
    PictureBox *pView;
    QPushButton *cmdOK;
    QPushButton *cmdReset;
    QPushButton *CmdCancel;
};
