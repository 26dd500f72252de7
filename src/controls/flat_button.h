#pragma once

#include "mouse_pointer.h"

#include "core/colour.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

// A flat button: a 3-D edge in one of three styles, an optional 16 × 16 icon
// at its left, a one-line caption, a dotted focus rectangle after a left
// press, and a sunken look while the left button is held on it. Focused from
// the keyboard (Tab, Backtab) it shows the dotted rectangle until it loses
// the focus, ShowFocusRect or not. It has no hover look and no keyboard
// activation of its own; only a left click raises clicked.
class FlatButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int CaptionAlignment READ captionAlignment WRITE setCaptionAlignment)
    Q_PROPERTY(uint BackColor READ backColour WRITE setBackColour)
    Q_PROPERTY(uint ForeColor READ foreColour WRITE setForeColour)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool ShowFocusRect READ showFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(QImage Picture READ picture WRITE setPicture)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(int ButtonStyle READ buttonStyle WRITE setButtonStyle)
    Q_PROPERTY(int MousePointer READ mousePointer WRITE setMousePointer)
    Q_PROPERTY(QPixmap MouseIcon READ mouseIcon WRITE setMouseIcon)

public:
    explicit FlatButton(QWidget *parent = nullptr);

    // 0 left, 1 centre, 2 right; other values put the caption at x = 0.
    int captionAlignment() const { return m_captionAlignment; }
    void setCaptionAlignment(int alignment);
    Colour backColour() const { return m_backColour; }
    void setBackColour(Colour colour);
    Colour foreColour() const { return m_foreColour; }
    void setForeColour(Colour colour);
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    bool showFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool show);
    // The icon is the top-left 16 × 16 pixels; magenta is transparent.
    QImage picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    // 0 two-pixel raised, 1 thin raised, 2 etched; other values: no edge.
    int buttonStyle() const { return m_buttonStyle; }
    void setButtonStyle(int style);
    // Takes any integer but holds a 16-bit code: a value outside
    // -32768..32767 is refused (false) and the pointer stays as it was.
    int mousePointer() const { return m_pointer.code(); }
    bool setMousePointer(int code);
    QPixmap mouseIcon() const { return m_pointer.icon(); }
    void setMouseIcon(const QPixmap &icon);

    // The caption without its "&" marks, as read out and shown in lists.
    static QString plainCaption(const QString &caption);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // A property setter: store, redraw released.
    template <typename T> void assign(T &member, const T &value);
    void redraw(bool pressed);
    void drawFocus();
    // The dotted rectangle, inverted onto the face.
    void invertFocusRect();
    void drawEdge(int edge);
    void drawCaption(int x, int y, const QString &text, bool enabled, Colour colour);
    // Device pixels per pixel of the control: the face is drawn at the
    // screen's density so that captions stay sharp.
    int faceScale() const;
    // The first device row of text's ink when its line starts at row 0.
    int inkTop(const QString &text, int scale);

    QImage m_face;
    int m_captionAlignment = 1;
    Colour m_backColour = ButtonFace;
    Colour m_foreColour = ButtonText;
    QString m_caption = QStringLiteral("FlatButton");
    bool m_showFocusRect = true;
    QImage m_picture;
    int m_buttonStyle = 1;
    MousePointer m_pointer;
    bool m_focus = false;
    // The focus came from the keyboard: the focus rectangle stays drawn.
    bool m_keyboardFocus = false;
    Qt::MouseButton m_lastButton = Qt::NoButton;
    // A press seen since the last double-click: the release that follows
    // completes a click.
    bool m_clickPending = false;
    // The last caption measured by inkTop.
    struct Ink {
        QString text;
        QFont font;
        int scale = 0;
        int top = 0;
    } m_ink;
};
