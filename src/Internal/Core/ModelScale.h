#pragma once

namespace KorrCore {

// The largest magnitude the library hands to the kernel, from a caller or
// from a file. The kernel takes NaN, infinities and huge values without
// complaint and builds geometry from them that later algorithms crash on or
// never return from: its face classifier loops on outlines reaching 8e99, its
// mesher's spatial search on surfaces reaching 1e90, its curve sampler fills
// memory on a curve reaching 1e13. Far below that, beyond about 1e9, doubles
// no longer resolve the kernel's own confusion tolerance of 1e-7 at all; 1e12
// model units (a million kilometres in millimetres) leaves every real model
// inside.
inline constexpr double kLargestModelMagnitude = 1e12;

} // namespace KorrCore
