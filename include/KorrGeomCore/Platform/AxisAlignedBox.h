#pragma once

#include <cstdint>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/Vector3.h>

namespace KMath {

// An axis-aligned box: minimum corner, maximum corner, extent kind and a
// pointer-sized field reserved for the box's own cached data (always null here).
class KORRGEOMCORE_EXPORT AxisAlignedBox {
public:
    // What the box encloses.
    enum Extent : std::int32_t {
        EXTENT_NULL = 0,    // nothing: the box of an empty shape, corners meaningless
        EXTENT_FINITE = 1,  // the space between the two corners
        EXTENT_INFINITE = 2 // all of space
    };

    // The null box, enclosing nothing.
    AxisAlignedBox() = default;
    // The finite box between two corners.
    AxisAlignedBox(const Vector3& minimum, const Vector3& maximum)
        : mMinimum(minimum), mMaximum(maximum), mExtent(EXTENT_FINITE) {}

    // The corner with the smallest coordinates.
    const Vector3& getMinimum() const { return mMinimum; }
    // The corner with the largest coordinates.
    const Vector3& getMaximum() const { return mMaximum; }
    // Whether the box encloses nothing, the space between its corners, or all.
    Extent getExtent() const { return mExtent; }

private:
    Vector3 mMinimum;
    Vector3 mMaximum;
    Extent mExtent = EXTENT_NULL;
    [[maybe_unused]] void* mReserved = nullptr;
};

} // namespace KMath
