#include "captionframe.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace {
const int kCaptionIndent = 6;
const int kCaptionPadding = 2;
}

CaptionFrame::CaptionFrame(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent)
{
}

void CaptionFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int lineY = metrics.height() / 2;
    qDrawShadeRect(&painter, rect().adjusted(0, lineY, 0, 0), palette(), true, 1, 0);

    const QString caption = title();
    if (caption.isEmpty())
        return;
    const QRect captionRect(kCaptionIndent, 0,
                            metrics.horizontalAdvance(caption) + 2 * kCaptionPadding, metrics.height());
    painter.fillRect(captionRect, palette().brush(backgroundRole()));
    style()->drawItemText(&painter, captionRect, Qt::AlignCenter, palette(), isEnabled(), caption,
                          QPalette::WindowText);
}
