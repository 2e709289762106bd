#pragma once

namespace KorrCore {

// A colour as a file states it: red, green, blue and opacity, each from 0 to
// 1, the numbers passed through unchanged (the kernel and glTF both take them
// as linear RGB).
struct KColor {
    float Red = 0.0f;
    float Green = 0.0f;
    float Blue = 0.0f;
    float Alpha = 1.0f;

    bool operator==(const KColor& other) const
    {
        return Red == other.Red && Green == other.Green && Blue == other.Blue && Alpha == other.Alpha;
    }
    bool operator!=(const KColor& other) const { return !(*this == other); }
};

} // namespace KorrCore
