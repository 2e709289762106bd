#pragma once

#include <NCollection_Vec4.hxx>
#include <Quantity_ColorRGBA.hxx>

#include "Internal/TopoShape/ShapeAttributes.h"

namespace KorrCore::Xde {

// The kernel keeps the numbers a file states as its linear RGB values; these
// pass them through unchanged, so a colour read and written again keeps them.
inline KColor FromKernelColour(const Quantity_ColorRGBA& colour)
{
    const NCollection_Vec4<float> rgba = colour;
    return {rgba.r(), rgba.g(), rgba.b(), rgba.a()};
}

// The kernel raises for components outside 0..1; they are clamped first.
inline Quantity_ColorRGBA ToKernelColour(const KColor& colour)
{
    const auto unit = [](float value) { return value >= 0 ? (value <= 1 ? value : 1.0f) : 0.0f; };
    return Quantity_ColorRGBA(unit(colour.Red), unit(colour.Green), unit(colour.Blue), unit(colour.Alpha));
}

} // namespace KorrCore::Xde
