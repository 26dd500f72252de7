#pragma once

#include "controls/plain_dialog.h"
#include "core/surface.h"
#include "thumbnail.h"

class BorderedBox;
class PictureBox;
class QScrollBar;

// The common part of the brightness and colour balance dialogs: the live
// preview, a thumbnail of the canvas in a sunken frame at the top left,
// and the bars that drive it. The canvas is not touched; the dialog answers
// with the amounts on OK.
class AdjustDialog : public PlainDialog
{
    Q_OBJECT

protected:
    AdjustDialog(const Surface &canvas, QWidget *parent);

    // A bar from -100 to 100 in steps of 1, starting at 0.
    QScrollBar *addBar(const char *name, Qt::Orientation orientation, const QRect &geometry,
                       const QString &accessibleName);
    // A label showing a bar's value, starting at "0".
    QLabel *addValueLabel(const char *name, const QRect &geometry, const QString &purpose);
    static void showValue(QLabel *label, int value);

    // The fresh thumbnail again, then filter applied to it.
    template <typename Filter> void preview(Filter filter)
    {
        m_thumbnail.show();
        filter(m_view);
    }

private:
    Surface m_view{ThumbnailSide, ThumbnailSide};
    Thumbnail m_thumbnail;
    BorderedBox *m_frame;
    PictureBox *m_viewBox;
};
