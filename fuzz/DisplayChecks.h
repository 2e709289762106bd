#pragma once

#include <KorrGeomCore/Platform/AxisAlignedBox.h>
#include <KorrGeomCore/Platform/Vector3.h>

#include <cstddef>
#include <string>
#include <vector>

#include "InspectVerdict.h"

namespace KorrFuzz {

// Checks the buffers of calls that reported success and records the first
// fault into a verdict. Each check names what it looked at (`what`) in the
// fault's detail and returns whether the buffer passed.
class DisplayChecks {
public:
    // `box` is the shape's bounding box before meshing: a display point may lie
    // outside it by the deflection it was made with plus a small tolerance.
    DisplayChecks(const KMath::AxisAlignedBox& box, InspectVerdict& verdict);

    template <class Number> bool Finite(const Number* values, std::size_t count, const std::string& what);
    bool Finite(const std::vector<float>& values, const std::string& what);
    // x, y, z triples: whole, finite and near the box.
    bool Points(const std::vector<float>& xyz, double deflection, const std::string& what);
    bool Point(const KMath::Vector3& point, const std::string& what);
    // Every index names one of `nodes` nodes, in whole triangles.
    bool Triangles(const std::vector<unsigned int>& indices, std::size_t nodes, const std::string& what);
    // A buffer size or range that must hold.
    bool Holds(bool condition, const std::string& what);

private:
    bool Record(Fault fault, const std::string& detail);
    bool Near(double x, double y, double z, double deflection, const std::string& what);

    KMath::AxisAlignedBox box;
    // False for a box with a NaN or infinite corner and for the library's
    // stand-in box of shapes without extent: the points are not compared then.
    bool boxUsable;
    double tolerance;
    InspectVerdict& verdict;
};

} // namespace KorrFuzz
