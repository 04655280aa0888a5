// The placement of the 2D design in the back buffer.
#include "engine/XLayout2D.h"

#include <algorithm>
#include <cmath>

float DesignFitScale(unsigned backWidth, unsigned backHeight)
{
    if (backWidth == 0 || backHeight == 0)
        return 1.0f;
    return std::min(static_cast<float>(backWidth) / kLayoutDesignW,
                    static_cast<float>(backHeight) / kLayoutDesignH);
}

XPlacement2D PlaceDesign(unsigned backWidth, unsigned backHeight, float layoutScale, XAnchor2D anchor)
{
    XPlacement2D placement;
    const float fit = DesignFitScale(backWidth, backHeight);
    placement.scale = layoutScale > 0.0f ? fit / layoutScale : 1.0f;
    const float spareX = static_cast<float>(backWidth) - kLayoutDesignW * fit;
    const float spareY = static_cast<float>(backHeight) - kLayoutDesignH * fit;
    placement.offsetX = anchor == XAnchor2D::kCentre ? std::floor(std::max(0.0f, spareX) / 2.0f) : 0.0f;
    placement.offsetY = std::floor(std::max(0.0f, spareY) / 2.0f);
    return placement;
}
