#pragma once

#include "core/colour.h"

#include <QAbstractButton>

// A sunken box filled with one colour that acts like a button: a click, the
// space bar or an accessibility press runs clicked(), where its owner offers
// a colour chooser. Its accessible description names the colour.
class ColourSwatch : public QAbstractButton
{
    Q_OBJECT

public:
    explicit ColourSwatch(QWidget *parent = nullptr);

    Colour colour() const { return m_colour; }
    void setColour(Colour colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Colour m_colour = 0;
};
