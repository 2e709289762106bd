#pragma once

#include <KorrGeomCore/Platform/Vector2.h>

#include <gp_Pnt2d.hxx>

namespace KorrCore {

// How surface parameters become texture coordinates: raw, or normalised
// through the face's parameter bounds as
// ((parameter - lower bound) * scale / range - offset) / divisor.
struct UVSettings {
    bool normalize;
    KMath::Vector2 offset;
    KMath::Vector2 scale;
    KMath::Vector2 divisor;
};

// Texture coordinates of one face. A face whose parameter range is empty in
// either direction keeps its raw parameters: the mapping would divide by zero.
class TextureMapping {
public:
    TextureMapping(const UVSettings& settings, double uMin, double uMax, double vMin, double vMax)
        : settings(settings), uMin(uMin), vMin(vMin), du(uMax - uMin), dv(vMax - vMin),
          normalize(settings.normalize && du != 0.0 && dv != 0.0)
    {
    }

    // Stores u, v as floats at out[0 .. 1].
    void Store(float* out, const gp_Pnt2d& uv) const
    {
        if (!normalize) {
            out[0] = static_cast<float>(uv.X());
            out[1] = static_cast<float>(uv.Y());
            return;
        }
        out[0] =
            static_cast<float>((((uv.X() - uMin) * settings.scale.x) / du - settings.offset.x) / settings.divisor.x);
        out[1] =
            static_cast<float>((((uv.Y() - vMin) * settings.scale.y) / dv - settings.offset.y) / settings.divisor.y);
    }

private:
    UVSettings settings;
    double uMin, vMin, du, dv;
    bool normalize;
};

} // namespace KorrCore
