#include <KorrGeomCore/TopoExplor/KShapeMesher.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>

#include <cmath>

#include "Internal/Core/Frame.h"
#include "Internal/Core/HostProgress.h"
#include "Internal/Core/MeshPreconditions.h"
#include "Library/Core/MeshBudget.h"
#include "Library/TopoExplor/MeshAssembly.h"
#include "Library/TopoExplor/PartMesh.h"
#include "Library/TopoExplor/ShapeInstances.h"
#include "Library/TopoExplor/WholeShapeMeshing.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoExplor/KShapeMesher";

// The parts side by side, each once, so that one call of the mesher covers
// them all however often each is placed.
TopoDS_Shape MeshTarget(const ShapeInstances& instances)
{
    if (instances.parts.size() == 1)
        return instances.parts.front();
    TopoDS_Compound compound;
    BRep_Builder builder;
    builder.MakeCompound(compound);
    for (const TopoDS_Shape& part : instances.parts)
        builder.Add(compound, part);
    return compound;
}

MeshSettings SettingsFor(const TopoDS_Shape& shape, const KMeshOptions& options)
{
    if (options.Deflection > 0.0)
        return {options.Deflection, options.AngularDeflection, options.Relative, options.Parallel,
                options.MaxTriangles};
    return {DeflectionFromSize(shape), options.AngularDeflection, false, options.Parallel, options.MaxTriangles};
}

bool MeshShape(const TopoDS_Shape& shape, const ShapeAttributes* attributes, const KMeshOptions& options,
               HostProgress& progress, KShapeMesh& mesh)
{
    const ShapeInstances instances = FindInstances(shape);
    const MeshSettings settings = SettingsFor(shape, options);
    if (!settings.relative && !MeetableDeflection(settings.deflection, shape))
        return false;
    if (progress.Poll(0.0))
        return Fails(KOutcomeCode::Cancelled, "the progress indicator asked meshing to stop before it began");
    if (!MeshWholeShape(MeshTarget(instances), settings, progress))
        return false;

    const UVSettings uv{options.NormalizeUV, options.UVOffset, options.UVScale, options.UVDivisor};
    std::vector<PartMesh> parts;
    parts.reserve(instances.parts.size());
    for (const TopoDS_Shape& part : instances.parts)
        parts.push_back(ReadPartMesh(part, settings, uv));
    mesh.Deflection = settings.deflection;
    return AssembleMesh(instances, parts, shape, attributes, mesh);
}

// Shapes the kernel would crash on, and settings it would never finish with
// (the mesher does not return from a NaN deflection), are turned away first.
bool Accepts(const ShapePtr& shape, const KMeshOptions& options)
{
    return HeldReported(shape, kReportSource, __LINE__) &&
           KORR_CHECK_WHY(options.Deflection >= 0.0 && std::isfinite(options.Deflection), "Invalid Deflection!",
                          InvalidArgument,
                          "Deflection must be finite and not below 0, got " + Shown(options.Deflection)) &&
           KORR_CHECK_WHY(options.AngularDeflection > 0.0 && std::isfinite(options.AngularDeflection),
                          "Invalid Angular Deflection!", InvalidArgument,
                          "AngularDeflection must be finite and above 0, got " + Shown(options.AngularDeflection));
}

} // namespace

KMeshOptions::KMeshOptions()
    : Deflection(0.0), AngularDeflection(0.5), Relative(false), Parallel(true), NormalizeUV(false),
      UVOffset(KMath::Vector2::ZERO), UVScale(KMath::Vector2::UNIT_SCALE), UVDivisor(KMath::Vector2::UNIT_SCALE),
      Progress(nullptr), MaxTriangles(kDefaultMaxTriangles)
{
}

bool KShapeMesher::Mesh(const ShapePtr& shape, const KMeshOptions& options, KShapeMesh& mesh)
{
    return Explored([&] {
        HostProgress progress(options.Progress);
        const bool meshed =
            Accepts(shape, options) && Guarded([&] {
                return MeshShape(KernelShape(shape), KTopoShapeImpl::GetAttributes(shape.get()).get(), options, progress,
                                 mesh);
            });
        if (!meshed)
            mesh = KShapeMesh();
        else
            progress.Finish();
        return meshed;
    });
}

} // namespace KorrCore
