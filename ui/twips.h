#pragma once

#include <QRect>

// Positions and sizes of the layout are in twips. Fifteen twips are one pixel
// at 96 dots per inch, which is exactly Qt's device-independent pixel, so the
// window keeps its proportions on high-DPI screens.
int twipsToPixels(int twips);

QRect twipsRect(int left, int top, int width, int height);
