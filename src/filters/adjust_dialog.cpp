#include "adjust_dialog.h"

#include "controls/bordered_box.h"
#include "controls/picture_box.h"

#include <QLabel>
#include <QScrollBar>

AdjustDialog::AdjustDialog(const Surface &canvas, QWidget *parent)
    : PlainDialog(parent), m_thumbnail(canvas, m_view)
{
    m_frame = new BorderedBox(this);
    m_frame->setGeometry(16, 16, ThumbnailSide, ThumbnailSide);
    m_viewBox = new PictureBox(m_frame->client());
    m_viewBox->setObjectName(QStringLiteral("pView"));
    m_viewBox->setSurface(&m_view);
    m_viewBox->setFocusPolicy(Qt::NoFocus);
    m_viewBox->setAccessibleName(QStringLiteral("预览"));
    m_viewBox->setAccessibleDescription(QStringLiteral("图像的缩略图，显示调整后的效果"));
}

QScrollBar *AdjustDialog::addBar(const char *name, Qt::Orientation orientation,
                                 const QRect &geometry, const QString &accessibleName)
{
    auto *bar = new QScrollBar(orientation, this);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(-100, 100);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setValue(0);
    bar->setGeometry(geometry);
    bar->setAccessibleName(accessibleName);
    // A scroll bar runs its controls backwards, which suits the wheel on a
    // vertical bar but makes the Left key of a horizontal one add; an amount
    // should follow the arrow the user presses.
    if (orientation == Qt::Horizontal)
        bar->setInvertedControls(false);
    return bar;
}

QLabel *AdjustDialog::addValueLabel(const char *name, const QRect &geometry, const QString &purpose)
{
    QLabel *label = addLabel(name, QStringLiteral("0"), geometry);
    label->setAccessibleName(label->text());
    label->setAccessibleDescription(purpose);
    return label;
}

void AdjustDialog::showValue(QLabel *label, int value)
{
    label->setText(QString::number(value));
    label->setAccessibleName(label->text());
}
