#pragma once

#include "tool.h"

#include <QString>
#include <QWidget>

#include <array>

class FlatButton;

// The column of the 22 tool buttons `cmdtool` (objectName "cmdtool", the
// position in the "index" property), each with its icon and caption. It only
// shows which tool is chosen; what choosing a tool does is the window's.
//
// From the keyboard the column is one Tab stop, the chosen tool's button (or
// the one focused last when none is chosen); the arrow keys, Home and End
// move through the tools and choose each as a click does, and Space or Enter
// chooses the focused one.
class ToolPalette : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ButtonHeight = 19;

    explicit ToolPalette(QWidget *parent = nullptr);

    // The caption of tool index (0..21), "" for any other index.
    static QString caption(int index);

    FlatButton *button(int index) const;
    // Every button plain, button index etched with red text on the window
    // background.
    void showSelected(int index);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

signals:
    // A left click on button index.
    void toolClicked(int index);

private:
    // Makes button index the one that Tab stops at.
    void setTabStop(int index);
    // The index of the button with the focus, or -1.
    int focusedIndex() const;

    std::array<FlatButton *, ToolCount> cmdtool{};
};
