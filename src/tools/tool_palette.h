#pragma once

#include "tool.h"

#include <QString>
#include <QWidget>

#include <array>

class FlatButton;

// The column of the 22 tool buttons `cmdtool` (objectName "cmdtool", the
// position in the "index" property), each with its icon and caption. It only
// shows which tool is chosen; what choosing a tool does is the window's.
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

signals:
    // A left click on button index.
    void toolClicked(int index);

private:
    std::array<FlatButton *, ToolCount> cmdtool{};
};
