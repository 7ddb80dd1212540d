#pragma once

#include <QColor>

class QPushButton;
class QWidget;

// The window's colours are written as Windows OLE colour values, 0x00BBGGRR:
// blue in the high byte and red in the low one, the form they were first
// picked in, so each can be compared with its original at a glance.
QColor fromOleColor(quint32 oleColor);

// Fills the widget's own background (labels, frames, option buttons) with the colour.
void setBackColor(QWidget *widget, QColor color);

// Paints a push button flat in the colour with a raised border, the way a
// button of graphical style shows its back colour; the style's own shading
// would wash strong colours out.
void setButtonColor(QPushButton *button, QColor color);

// The colour of a label's caption.
void setCaptionColor(QWidget *widget, QColor color);

// The colour of the text inside a text box.
void setTextColor(QWidget *widget, QColor color);
