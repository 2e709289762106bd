#include "TopoExplor/MeshPreconditions.h"

#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <TopoDS_Compound.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>

#include <algorithm>
#include <cmath>

#include "Core/KernelValues.h"

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
    const double largest = LargestVertexCoordinate(shape);
    if (!(largest < kLargestModelMagnitude))
        return false;
    return deflection <= 0.0 || deflection > kResolvableShare * largest;
}

bool EdgeRangesAgree(const TopoDS_Face& face)
{
    for (TopExp_Explorer edges(face, TopAbs_EDGE); edges.More(); edges.Next()) {
        const TopoDS_Edge& edge = TopoDS::Edge(edges.Current());
        if (!BRep_Tool::SameRange(edge))
            continue;
        // The range stored with the edge's curve on the face (its own range
        // when none is stored); read, never computed, as the mesher will
        // project curves onto planes itself.
        Standard_Real first, last, onFaceFirst, onFaceLast;
        BRep_Tool::Range(edge, first, last);
        BRep_Tool::Range(edge, face, onFaceFirst, onFaceLast);
        const double tolerance = 1e-9 * (1.0 + std::abs(first) + std::abs(last));
        if (std::abs(onFaceFirst - first) > tolerance || std::abs(onFaceLast - last) > tolerance)
            return false;
    }
    return true;
}

TopoDS_Shape MeshableFaces(const TopoDS_Shape& shape)
{
    TopoDS_Compound meshable;
    BRep_Builder builder;
    builder.MakeCompound(meshable);
    bool everyFace = true;
    for (TopExp_Explorer faces(shape, TopAbs_FACE); faces.More(); faces.Next()) {
        if (EdgeRangesAgree(TopoDS::Face(faces.Current())))
            builder.Add(meshable, faces.Current());
        else
            everyFace = false;
    }
    return everyFace ? shape : meshable;
}

} // namespace KorrCore
