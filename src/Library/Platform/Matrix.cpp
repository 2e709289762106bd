#include <KorrGeomCore/Platform/Matrix3.h>
#include <KorrGeomCore/Platform/Matrix4.h>

#include <cmath>

namespace KMath {

const Matrix3 Matrix3::IDENTITY;
const Matrix4 Matrix4::IDENTITY;

Matrix3::Matrix3(double m00, double m01, double m02,
                 double m10, double m11, double m12,
                 double m20, double m21, double m22)
    : m{m00, m01, m02, m10, m11, m12, m20, m21, m22}
{
}

void Matrix3::FromAxisAngle(const Vector3& axis, const Radian& angle)
{
    // Rodrigues' rotation formula for a unit axis.
    const double c = std::cos(angle.valueRadians());
    const double s = std::sin(angle.valueRadians());
    const double t = 1.0 - c;
    const double x = axis.x, y = axis.y, z = axis.z;
    *this = Matrix3(t * x * x + c,     t * x * y - s * z, t * x * z + s * y,
                    t * x * y + s * z, t * y * y + c,     t * y * z - s * x,
                    t * x * z - s * y, t * y * z + s * x, t * z * z + c);
}

Vector3 Matrix3::operator*(const Vector3& v) const
{
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z,
            m[3] * v.x + m[4] * v.y + m[5] * v.z,
            m[6] * v.x + m[7] * v.y + m[8] * v.z};
}

Matrix4::Matrix4(double m00, double m01, double m02, double m03,
                 double m10, double m11, double m12, double m13,
                 double m20, double m21, double m22, double m23,
                 double m30, double m31, double m32, double m33)
    : m{m00, m01, m02, m03, m10, m11, m12, m13, m20, m21, m22, m23, m30, m31, m32, m33}
{
}

} // namespace KMath
