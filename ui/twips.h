#pragma once

#include <QRect>

// The window's positions and sizes are written in twips (1/1440 inch), the
// unit the window was first drawn in. Fifteen twips are one pixel
// at 96 dots per inch, which is exactly Qt's device-independent pixel, so the
// window keeps its proportions on high-DPI screens.
int twipsToPixels(int twips);

QRect twipsRect(int left, int top, int width, int height);
