#include <KorrGeomCore/Platform/Vector2.h>
#include <KorrGeomCore/Platform/Vector3.h>

#include <cmath>

namespace KMath {

const Vector3 Vector3::ZERO(0, 0, 0);
const Vector3 Vector3::UNIT_X(1, 0, 0);
const Vector3 Vector3::UNIT_Y(0, 1, 0);
const Vector3 Vector3::UNIT_Z(0, 0, 1);

const Vector2 Vector2::ZERO(0, 0);
const Vector2 Vector2::UNIT_SCALE(1, 1);

double Vector3::length() const { return std::sqrt(dotProduct(*this)); }

Vector3 Vector3::crossProduct(const Vector3& other) const
{
    return {y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x};
}

double Vector3::normalise()
{
    const double former = length();
    if (former > 0.0) {
        x /= former;
        y /= former;
        z /= former;
    }
    return former;
}

} // namespace KMath
