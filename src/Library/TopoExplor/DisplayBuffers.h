#pragma once

#include <gp_XYZ.hxx>

namespace KorrCore {

// Stores x, y, z as floats at out[0 .. 2]: the one place display buffers turn
// doubles into floats.
inline void StoreXYZ(float* out, const gp_XYZ& xyz)
{
    out[0] = static_cast<float>(xyz.X());
    out[1] = static_cast<float>(xyz.Y());
    out[2] = static_cast<float>(xyz.Z());
}

} // namespace KorrCore
