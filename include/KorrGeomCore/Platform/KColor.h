#pragma once

namespace KorrCore {

// A colour as a file states it: red, green, blue and opacity, each from 0 to
// 1, the numbers passed through unchanged (the kernel and glTF both take them
// as linear RGB).
struct KColor {
    float Red = 0.0f;   // red, 0 to 1
    float Green = 0.0f; // green, 0 to 1
    float Blue = 0.0f;  // blue, 0 to 1
    float Alpha = 1.0f; // opacity, 0 (transparent) to 1 (opaque)

    // Exactly equal, number by number.
    bool operator==(const KColor& other) const
    {
        return Red == other.Red && Green == other.Green && Blue == other.Blue && Alpha == other.Alpha;
    }
    // Not exactly equal.
    bool operator!=(const KColor& other) const { return !(*this == other); }
};

} // namespace KorrCore
