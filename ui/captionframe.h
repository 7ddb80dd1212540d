#pragma once

#include <QGroupBox>

// A frame for a group of option buttons: filled with its back colour all over,
// with a thin etched border whose top line runs through the middle of the
// caption. The option buttons are placed at fixed positions inside it, so the
// border must stay in the caption's line and not push down into them.
class CaptionFrame : public QGroupBox
{
    Q_OBJECT

public:
    explicit CaptionFrame(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
