#include "TopoExplor/DeflectionRange.h"

#include <BRep_Tool.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>

#include <algorithm>
#include <cmath>

namespace KorrCore {

namespace {

// About 4500 times the spacing of doubles near a coordinate: a deflection
// above this share of the coordinates stays clear of their rounding noise.
constexpr double kResolvableShare = 1e-12;

// The largest coordinate of the shape's vertices, placed by their locations;
// a cheap stand-in for the extent of its geometry.
double LargestVertexCoordinate(const TopoDS_Shape& shape)
{
    double largest = 0.0;
    for (TopExp_Explorer vertices(shape, TopAbs_VERTEX); vertices.More(); vertices.Next()) {
        const gp_Pnt point = BRep_Tool::Pnt(TopoDS::Vertex(vertices.Current()));
        largest = std::max({largest, std::abs(point.X()), std::abs(point.Y()), std::abs(point.Z())});
    }
    return largest;
}

} // namespace

bool MeetableDeflection(double deflection, const TopoDS_Shape& shape)
{
    if (std::isnan(deflection))
        return false;
    return deflection <= 0.0 || deflection > kResolvableShare * LargestVertexCoordinate(shape);
}

} // namespace KorrCore
