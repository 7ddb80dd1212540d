#include "twips.h"

#include <cmath>

int twipsToPixels(int twips)
{
    return int(std::lround(twips / 15.0));
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
