#pragma once

#include "tool_table.h"

#include <QString>
#include <QWidget>

#include <array>
#include <optional>

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

    FlatButton *button(ToolId id) const;
    // Every button plain, the chosen tool's (if any) etched with red text on
    // the window background.
    void showSelected(std::optional<ToolId> id);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

signals:
    // A left click on a tool's button.
    void toolClicked(ToolId id);

private:
    // Makes button index the one that Tab stops at.
    void setTabStop(int index);
    // The index of the button with the focus, or -1.
    int focusedIndex() const;

    std::array<FlatButton *, ToolCount> m_buttons{};
};
