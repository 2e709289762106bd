#include <KorrGeomCore/Platform/Quaternion.h>

#include <cmath>

namespace KMath {

Quaternion::Quaternion(const Radian& angle, const Vector3& axis)
{
    Vector3 unit = axis;
    unit.normalise();
    const double half = 0.5 * angle.valueRadians();
    const double s = std::sin(half);
    w = std::cos(half);
    x = s * unit.x;
    y = s * unit.y;
    z = s * unit.z;
}

void Quaternion::ToAngleAxis(Radian& angle, Vector3& axis) const
{
    const double vectorLength = std::sqrt(x * x + y * y + z * z);
    if (vectorLength == 0.0) {
        angle = Radian(0.0);
        axis = Vector3::UNIT_X;
        return;
    }
    // atan2 keeps full precision for angles near 0 and pi, where acos(w) does
    // not; a quaternion with NaN parts gives a NaN angle rather than a rotation.
    angle = Radian(2.0 * std::atan2(vectorLength, w));
    axis = Vector3(x / vectorLength, y / vectorLength, z / vectorLength);
}

} // namespace KMath
