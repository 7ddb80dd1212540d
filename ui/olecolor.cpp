#include "olecolor.h"

#include <QPalette>
#include <QPushButton>
#include <QWidget>

QColor fromOleColor(quint32 oleColor)
{
    return QColor(int(oleColor & 0xFF), int((oleColor >> 8) & 0xFF), int((oleColor >> 16) & 0xFF));
}

void setBackColor(QWidget *widget, QColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    // Buttons fill from the Button role by default; option buttons must fill
    // from Window so their indicator outline is drawn from the same colour.
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
}

void setButtonColor(QPushButton *button, QColor color)
{
    // Hovering sets the colour on every mouse move; restyling is not free.
    if (!button->styleSheet().isEmpty() && button->palette().color(QPalette::Button) == color)
        return;
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, color);
    button->setPalette(palette);
    const QString face = color.name();
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background-color: %1; border: 2px outset #c0c0c0; }"
        "QPushButton:focus { border-color: #808080; }"
        "QPushButton:pressed { border-style: inset; }").arg(face));
}

void setCaptionColor(QWidget *widget, QColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

void setTextColor(QWidget *widget, QColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}
