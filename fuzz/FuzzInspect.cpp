#include "FuzzInspect.h"

#include <BRepBndLib.hxx>
#include <Bnd_Box.hxx>
#include <Standard_Failure.hxx>
#include <Standard_OutOfMemory.hxx>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "DisplayChecks.h"

namespace KorrFuzz {

using namespace KorrCore;

namespace {

// A display deflection of a hundredth of the box's largest side: finer ones
// can keep the mesher busy for as long as it takes to fill memory.
double DisplayDeflection(const KMath::AxisAlignedBox& box)
{
    const KMath::Vector3 size = box.getMaximum() - box.getMinimum();
    return std::max({size.x, size.y, size.z, 1e-3}) / 100;
}

// The box a host gets from GetBBox, joined with the box of the shape's curves
// and surfaces: a shape read from a file may carry a triangulation that its
// surfaces contradict, and GetBBox measures the triangulation then.
KMath::AxisAlignedBox ShapeBox(const ShapePtr& shape)
{
    const KMath::AxisAlignedBox box = shape->GetBBox();
    Bnd_Box geometry;
    try {
        BRepBndLib::Add(KTopoShapeImpl::GetShape(shape.get()), geometry, Standard_False);
    } catch (const Standard_Failure&) {
        return box; // the library's own calls meet the same failure and answer it
    }
    if (geometry.IsVoid() || geometry.IsOpen())
        return box;
    const gp_Pnt low = geometry.CornerMin(), high = geometry.CornerMax();
    const KMath::Vector3& boxLow = box.getMinimum();
    const KMath::Vector3& boxHigh = box.getMaximum();
    return KMath::AxisAlignedBox(
        KMath::Vector3(std::min(boxLow.x, low.X()), std::min(boxLow.y, low.Y()), std::min(boxLow.z, low.Z())),
        KMath::Vector3(std::max(boxHigh.x, high.X()), std::max(boxHigh.y, high.Y()), std::max(boxHigh.z, high.Z())));
}

std::string KernelException(const Standard_Failure& failure)
{
    return std::string(failure.DynamicType()->Name()) + ": " + failure.GetMessageString();
}

std::string Numbered(const char* what, std::size_t number)
{
    return what + std::to_string(number);
}

class Inspection {
public:
    explicit Inspection(const ShapePtr& inspected)
        : shape(inspected), box(ShapeBox(shape)), deflection(DisplayDeflection(box)), checks(box, verdict)
    {
    }

    InspectVerdict Run()
    {
        shape->GetShapeType();
        ShapeList edges, faces, vertices;
        Explore("edge list", [&] { return KTopoEdgeExplor::Explor(shape, edges); });
        Explore("face list", [&] { return KTopoFaceExplor::Explor(shape, faces); });
        Explore("vertex list", [&] { return KTopoVertexExplor::Explor(shape, vertices); });
        std::size_t n = 0;
        for (auto v = vertices.begin(); v != vertices.end() && verdict.Sound(); ++v)
            Vertex(*v, Numbered("vertex ", n++));
        n = 0;
        for (auto f = faces.begin(); f != faces.end() && verdict.Sound(); ++f, ++n) {
            Tessellation(*f, Numbered("face ", n));
            if (verdict.Sound())
                Soup(*f, Numbered("face ", n));
            if (verdict.Sound())
                RawIndexed(*f, Numbered("face ", n));
        }
        n = 0;
        for (auto e = edges.begin(); e != edges.end() && verdict.Sound(); ++e)
            Polyline(*e, Numbered("edge ", n++));
        const int raisedBefore = verdict.kernelExceptions;
        const std::size_t placed = shape->GetShapeType() == TopoCompound ? Walk(shape, "assembly") : 1;
        if (verdict.kernelExceptions == raisedBefore)
            placedParts = placed;
        if (verdict.Sound())
            WholeShape();
        return verdict;
    }

private:
    // An explorer call: its own answer, or false when it raised.
    template <class Call> bool Explore(const std::string& what, Call&& call)
    {
        try {
            return call();
        } catch (const Standard_OutOfMemory& failure) {
            verdict.Record(Fault::OutOfMemory, what + ": " + KernelException(failure));
        } catch (const Standard_Failure& failure) {
            if (verdict.kernelExceptions++ == 0)
                verdict.firstKernelException = KernelException(failure) + " (" + what + ")";
        } catch (const std::bad_alloc&) {
            verdict.Record(Fault::OutOfMemory, what + ": std::bad_alloc");
        } catch (const std::exception& error) {
            verdict.Record(Fault::EscapedException, what + ": " + error.what());
        } catch (...) {
            verdict.Record(Fault::EscapedException, what + ": an exception of unknown type");
        }
        return false;
    }

    // The assembly walk through every compound down to the placed parts,
    // counted as the mesher numbers its instances' occurrences.
    std::size_t Walk(const ShapePtr& parent, const std::string& what)
    {
        std::vector<KAssemblyChild> children;
        if (!Explore(what + " children", [&] { return KAssemblyExplor::Explor(parent, children); }))
            return 0;
        std::size_t placed = 0;
        for (std::size_t i = 0; i < children.size() && verdict.Sound(); ++i) {
            const KAssemblyChild& child = children[i];
            const std::string name = what + Numbered(" child ", i);
            if (checks.Holds(child.Shape && child.Shape->GetShapeType() == child.Kind,
                             name + ": the handle holds no shape of its kind") &&
                checks.Finite(child.Placement.m, 16, name + " Placement"))
                placed += child.Kind == TopoCompound ? Walk(child.Shape, name) : 1;
        }
        return placed;
    }

    // A vertex is where its file put it: it need not lie in the box of the
    // curves and surfaces, which is all the box measures.
    void Vertex(const ShapePtr& vertex, const std::string& what)
    {
        KMath::Vector3 position;
        if (Explore(what + " position", [&] { return KTopoVertexExplor::Explor(vertex, position); }))
            checks.Finite(&position.x, 3, what + " position");
    }

    void Tessellation(const ShapePtr& face, const std::string& what)
    {
        std::vector<float> positions, normals, texCoords;
        std::vector<unsigned int> indices;
        ExplorFaceOptions options;
        options.Deflection = deflection;
        options.NormalizeUV = true;
        const std::string call = what + " tessellation";
        if (!Explore(call,
                     [&] { return KTopoFaceExplor::Explor(face, positions, indices, normals, texCoords, options); }))
            return;
        const std::size_t nodes = positions.size() / 3;
        checks.Points(positions, deflection, call + " positions") &&
            checks.Holds(normals.size() == positions.size(), call + ": normals and positions differ in size") &&
            checks.Finite(normals, call + " normals") &&
            checks.Holds(texCoords.empty() || texCoords.size() == 2 * nodes,
                         call + ": texture coordinates do not match the nodes") &&
            checks.Finite(texCoords, call + " texture coordinates") &&
            checks.Finite(&options.UVMin.x, 2, call + " UVMin") &&
            checks.Finite(&options.UVMax.x, 2, call + " UVMax") && checks.Triangles(indices, nodes, call + " indices");
    }

    // The pointer form without indices: three corners per triangle.
    void Soup(const ShapePtr& face, const std::string& what)
    {
        std::vector<float> positions, normals;
        const std::string call = what + " triangle soup";
        if (!Explore(call,
                     [&] { return KTopoFaceExplor::Explor(face, &positions, nullptr, &normals, nullptr, deflection); }))
            return;
        checks.Holds(positions.size() % 9 == 0, call + ": positions are not whole triangles") &&
            checks.Points(positions, deflection, call + " positions") &&
            checks.Holds(normals.size() == positions.size(), call + ": normals and positions differ in size") &&
            checks.Finite(normals, call + " normals");
    }

    // The pointer form with indices: the surface's own orientation and parameters.
    void RawIndexed(const ShapePtr& face, const std::string& what)
    {
        std::vector<float> positions, normals, texCoords;
        std::vector<unsigned int> indices;
        const std::string call = what + " raw tessellation";
        if (!Explore(call, [&] {
                return KTopoFaceExplor::Explor(face, &positions, &indices, &normals, &texCoords, deflection);
            }))
            return;
        const std::size_t nodes = positions.size() / 3;
        checks.Points(positions, deflection, call + " positions") &&
            checks.Holds(normals.size() == positions.size(), call + ": normals and positions differ in size") &&
            checks.Finite(normals, call + " normals") &&
            checks.Holds(texCoords.size() == 2 * nodes, call + ": texture coordinates do not match the nodes") &&
            checks.Finite(texCoords, call + " texture coordinates") && checks.Triangles(indices, nodes, call + " indices");
    }

    void Polyline(const ShapePtr& edge, const std::string& what)
    {
        std::vector<float> points;
        if (Explore(what + " polyline", [&] { return KTopoEdgeExplor::Explor(edge, &points, deflection); }))
            checks.Points(points, deflection, what + " polyline");
    }

    // The whole-shape mesher lets nothing out.
    void WholeShape()
    {
        KShapeMesh mesh;
        bool meshed = false;
        try {
            meshed = KShapeMesher::Mesh(shape, KMeshOptions(), mesh);
        } catch (const Standard_Failure& failure) {
            verdict.Record(Fault::EscapedException, "KShapeMesher::Mesh: " + KernelException(failure));
        } catch (const std::bad_alloc&) {
            verdict.Record(Fault::OutOfMemory, "KShapeMesher::Mesh: std::bad_alloc");
        } catch (const std::exception& error) {
            verdict.Record(Fault::EscapedException, std::string("KShapeMesher::Mesh: ") + error.what());
        } catch (...) {
            verdict.Record(Fault::EscapedException, "KShapeMesher::Mesh: an exception of unknown type");
        }
        if (meshed)
            CheckMesh(mesh);
    }

    void CheckMesh(const KShapeMesh& mesh)
    {
        const std::string call = "KShapeMesher::Mesh";
        if (!checks.Finite(&mesh.Deflection, 1, call + " Deflection"))
            return;
        for (std::size_t p = 0; p < mesh.Parts.size(); ++p)
            if (!CheckPart(mesh.Parts[p], Numbered("Parts[", p) + "]"))
                return;
        std::size_t faces = 0, edges = 0;
        for (std::size_t i = 0; i < mesh.Instances.size(); ++i) {
            const KMeshInstance& instance = mesh.Instances[i];
            const std::string name = Numbered("Instances[", i) + "]";
            if (!checks.Holds(instance.Part < mesh.Parts.size(), call + " " + name + ".Part names no part") ||
                !checks.Holds(instance.Occurrence < placedParts &&
                                  (i == 0 || mesh.Instances[i - 1].Occurrence < instance.Occurrence),
                              call + " " + name + ".Occurrence names no placed part after the one before") ||
                !checks.Finite(instance.Placement.m, 16, call + " " + name + ".Placement"))
                return;
            const KMeshPart& part = mesh.Parts[instance.Part];
            // The part placed must lie where the shape is.
            if (!checks.Holds(instance.Faces.First == faces && instance.Faces.Count == part.Faces.size() &&
                                  instance.Edges.First == edges && instance.Edges.Count == part.Edges.size(),
                              call + " " + name + ": faces or edges do not follow the instance before") ||
                !checks.Points(Placed(part.Positions, instance.Placement), mesh.Deflection,
                               call + " " + name + " placed Positions") ||
                !checks.Points(Placed(part.EdgePoints, instance.Placement), mesh.Deflection,
                               call + " " + name + " placed EdgePoints"))
                return;
            faces += part.Faces.size();
            edges += part.Edges.size();
        }
    }

    bool CheckPart(const KMeshPart& part, const std::string& name)
    {
        const std::string call = "KShapeMesher::Mesh " + name;
        const std::size_t nodes = part.NodeCount();
        if (!checks.Holds(part.Positions.size() % 3 == 0 && part.EdgePoints.size() % 3 == 0,
                          call + ": points are not x, y, z triples") ||
            !checks.Finite(part.Positions, call + ".Positions") ||
            !checks.Holds(part.Normals.size() == part.Positions.size(),
                          call + ": Normals and Positions differ in size") ||
            !checks.Finite(part.Normals, call + ".Normals") ||
            !checks.Holds(part.TexCoords.size() == 2 * nodes, call + ": TexCoords do not match the nodes") ||
            !checks.Finite(part.TexCoords, call + ".TexCoords") ||
            !checks.Triangles(part.Indices, nodes, call + ".Indices") ||
            !checks.Finite(part.EdgePoints, call + ".EdgePoints"))
            return false;
        for (std::size_t f = 0; f < part.Faces.size(); ++f) {
            const KMeshFace& face = part.Faces[f];
            if (!Within(face.Triangles, part.TriangleCount(), name + Numbered(".Faces[", f) + "].Triangles") ||
                !Within(face.Nodes, nodes, name + Numbered(".Faces[", f) + "].Nodes"))
                return false;
        }
        for (std::size_t e = 0; e < part.Edges.size(); ++e)
            if (!Within(part.Edges[e], part.EdgePoints.size() / 3, name + Numbered(".Edges[", e) + "]"))
                return false;
        return true;
    }

    static std::vector<float> Placed(const std::vector<float>& xyz, const KMath::Matrix4& m)
    {
        std::vector<float> placed(xyz.size());
        for (std::size_t i = 0; i + 2 < xyz.size(); i += 3)
            for (int row = 0; row < 3; ++row)
                placed[i + static_cast<std::size_t>(row)] = static_cast<float>(
                    m(row, 0) * xyz[i] + m(row, 1) * xyz[i + 1] + m(row, 2) * xyz[i + 2] + m(row, 3));
        return placed;
    }

    bool Within(const KMeshRange& range, std::size_t size, const std::string& what)
    {
        return checks.Holds(range.First <= size && range.Count <= size - range.First,
                            "KShapeMesher::Mesh " + what + " " + std::to_string(range.First) + " + " +
                                std::to_string(range.Count) + " exceeds " + std::to_string(size));
    }

    const ShapePtr& shape;
    const KMath::AxisAlignedBox box;
    const double deflection;
    InspectVerdict verdict;
    DisplayChecks checks;
    // Unknown (the largest number) when the walk was cut short by the kernel.
    std::size_t placedParts = std::numeric_limits<std::size_t>::max();
};

} // namespace

InspectVerdict Examine(const ShapePtr& shape)
{
    if (!shape)
        return {};
    return Inspection(shape).Run();
}

void Inspect(const ShapePtr& shape)
{
    const InspectVerdict verdict = Examine(shape);
    if (verdict.Sound())
        return;
    std::fprintf(stderr, "KorrFuzz: %s: %s\n", FaultName(verdict.fault), verdict.detail.c_str());
    std::abort();
}

} // namespace KorrFuzz
