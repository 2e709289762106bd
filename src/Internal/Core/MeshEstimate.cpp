#include "Internal/Core/MeshEstimate.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAdaptor_Surface.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <GCPnts_TangentialDeflection.hxx>
#include <GeomLProp_SLProps.hxx>
#include <Precision.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <string>

namespace KorrCore {

namespace {

// Samples along a curve or across a surface: enough to see a circle turn, few
// enough to cost nothing beside the meshing.
constexpr int kCurveSamples = 24;
constexpr int kSurfaceCells = 6;

// The mesher's peak memory, measured on planar grids and on finely meshed
// spheres, tori and cylinders (3 to 7 kB a node): per face of the model it
// builds for the batch it is meshing, per face meshed (its triangulation and
// the display data read from it), and per node.
constexpr double kModelBytesPerFace = 35e3;
constexpr double kKeptBytesPerFace = 8e3;
constexpr double kBytesPerNode = 4e3;

// The nodes on an arc of the given length whose tangent turns by `turning`.
double NodesAlong(double length, double turning, double deflection, double angle)
{
    if (!(turning > Precision::Angular()) || !(length > 0.0))
        return 0.0;
    const double step = GCPnts_TangentialDeflection::ArcAngularStep(length / turning, deflection, angle, 0.0);
    return step > 0.0 ? turning / step : std::numeric_limits<double>::infinity();
}

// The length and the turning of the curve's tangent over [first, last].
void Measure(const Adaptor3d_Curve& curve, double first, double last, double& length, double& turning)
{
    length = turning = 0.0;
    gp_Pnt previousPoint;
    gp_Vec previousTangent;
    for (int i = 0; i <= kCurveSamples; ++i) {
        gp_Pnt point;
        gp_Vec tangent;
        curve.D1(first + (last - first) * i / kCurveSamples, point, tangent);
        if (i > 0) {
            length += point.Distance(previousPoint);
            if (tangent.Magnitude() > gp::Resolution() && previousTangent.Magnitude() > gp::Resolution())
                turning += tangent.Angle(previousTangent);
        }
        previousPoint = point;
        previousTangent = tangent;
    }
}

// The surface each node of the mesher's grid stands for where the surface
// curves with `curvature`; infinite where it does not curve. Its grid spaces
// nodes by the step along an arc of that radius, then refines it about twice
// over where the triangles still stray from the surface (measured on spheres
// and tori).
double AreaPerNode(double curvature, double deflection, double angle)
{
    if (!(curvature > 1e-12))
        return std::numeric_limits<double>::infinity();
    const double radius = 1.0 / curvature;
    const double side = radius * GCPnts_TangentialDeflection::ArcAngularStep(radius, deflection, angle, 0.0);
    return 0.25 * side * side;
}

double Clamped(double value, double low, double high) { return std::min(std::max(value, low), high); }

} // namespace

double EstimatedEdgeNodes(const TopoDS_Edge& edge, double deflection, double angle)
{
    if (BRep_Tool::Degenerated(edge))
        return 0.0;
    const BRepAdaptor_Curve curve(edge);
    const double first = curve.FirstParameter(), last = curve.LastParameter();
    if (Precision::IsInfinite(first) || Precision::IsInfinite(last) || !(last > first))
        return 2.0;
    double measured = last - first, periods = 1.0;
    if (curve.IsPeriodic() && curve.Period() < measured) {
        periods = measured / curve.Period();
        measured = curve.Period();
    }
    double length, turning;
    Measure(curve, first, first + measured, length, turning);
    return 2.0 + periods * NodesAlong(length, turning, deflection, angle);
}

double EstimatedFaceNodes(const TopoDS_Face& face, double deflection, double angle)
{
    if (BRep_Tool::Surface(face).IsNull())
        return 0.0;
    const BRepAdaptor_Surface surface(face, Standard_False);
    if (surface.GetType() == GeomAbs_Plane)
        return 0.0;
    double uFirst, uLast, vFirst, vLast;
    BRepTools::UVBounds(face, uFirst, uLast, vFirst, vLast);
    if (Precision::IsInfinite(uFirst) || Precision::IsInfinite(uLast) || Precision::IsInfinite(vFirst) ||
        Precision::IsInfinite(vLast))
        return 0.0;
    // Samples stay inside the surface's own range, where it is defined.
    const double du = (uLast - uFirst) / kSurfaceCells, dv = (vLast - vFirst) / kSurfaceCells;
    const Handle(Geom_Surface)& geometry = surface.Surface().Surface();
    double nodes = 0.0;
    for (int i = 0; i < kSurfaceCells; ++i)
        for (int j = 0; j < kSurfaceCells; ++j) {
            const double u = Clamped(uFirst + (i + 0.5) * du, surface.FirstUParameter(), surface.LastUParameter());
            const double v = Clamped(vFirst + (j + 0.5) * dv, surface.FirstVParameter(), surface.LastVParameter());
            GeomLProp_SLProps properties(geometry, u, v, 2, Precision::Confusion());
            if (!properties.IsNormalDefined() || !properties.IsCurvatureDefined())
                continue;
            const double area = properties.D1U().Crossed(properties.D1V()).Magnitude() * du * dv;
            const double curvature =
                std::max(std::abs(properties.MaxCurvature()), std::abs(properties.MinCurvature()));
            nodes += area / AreaPerNode(curvature, deflection, angle);
        }
    return nodes;
}

double EstimatedNodes(const TopoDS_Shape& shape, double deflection, double angle)
{
    TopTools_IndexedMapOfShape faces, edges;
    TopExp::MapShapes(shape, TopAbs_FACE, faces);
    TopExp::MapShapes(shape, TopAbs_EDGE, edges);
    double nodes = 0.0;
    for (int i = 1; i <= faces.Extent(); ++i)
        nodes += EstimatedFaceNodes(TopoDS::Face(faces(i)), deflection, angle);
    for (int i = 1; i <= edges.Extent(); ++i)
        nodes += EstimatedEdgeNodes(TopoDS::Edge(edges(i)), deflection, angle);
    return nodes;
}

double EstimatedMeshingBytes(double nodes, int faces)
{
    return kModelBytesPerFace * std::min(faces, kFacesPerMeshingBatch) + kKeptBytesPerFace * faces +
           kBytesPerNode * nodes;
}

double AvailableBytes()
{
    double available = std::numeric_limits<double>::infinity();
    std::ifstream meminfo("/proc/meminfo");
    for (std::string key; meminfo >> key;) {
        double kilobytes = 0.0;
        meminfo >> kilobytes;
        if (key == "MemAvailable:") {
            available = kilobytes * 1024.0;
            break;
        }
        meminfo.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        // The pages this process has mapped already count against the limit.
        std::ifstream statm("/proc/self/statm");
        double mappedPages = 0.0;
        statm >> mappedPages;
        const double room = static_cast<double>(limit.rlim_cur) - mappedPages * static_cast<double>(::sysconf(_SC_PAGESIZE));
        available = std::min(available, std::max(room, 0.0));
    }
    return available;
}

} // namespace KorrCore
