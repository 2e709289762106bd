#include <KorrGeomCore/TopoShape/KTopoShape.h>
#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include <BRepBndLib.hxx>
#include <Bnd_Box.hxx>

#include <algorithm>

#include "Internal/Core/Frame.h"

namespace KorrCore {

KTopoShape::KTopoShape() : impl(std::make_shared<KTopoShapeImpl>()) {}
KTopoShape::KTopoShape(const KTopoShape& other) = default;
KTopoShape& KTopoShape::operator=(const KTopoShape& other) = default;
KTopoShape::~KTopoShape() = default;

bool KTopoShape::IsNull() const { return impl->GetShape().IsNull(); }

TopoShapeType KTopoShape::GetShapeType() const
{
    // The kernel reads the kind from the shape data, which a null shape lacks.
    if (IsNull())
        return TopoGeneric;
    return static_cast<TopoShapeType>(impl->GetShape().ShapeType());
}

KMath::AxisAlignedBox KTopoShape::GetBBox() const
{
    static const KMath::AxisAlignedBox fallback(KMath::Vector3::ZERO, KMath::Vector3(1, 1, 1));
    SetOk();
    if (IsNull()) {
        SetOutcome(KOutcomeCode::NullShape, "the handle holds no shape, so its box is the unit box");
        return fallback;
    }
    return Guarded(fallback, [&] {
        Bnd_Box box;
        BRepBndLib::Add(impl->GetShape(), box);
        if (box.IsVoid()) {
            SetOutcome(KOutcomeCode::InvalidArgument, "the shape has no extent, so its box is the unit box");
            return fallback;
        }
        double xmin, ymin, zmin, xmax, ymax, zmax;
        box.Get(xmin, ymin, zmin, xmax, ymax, zmax);
        return KMath::AxisAlignedBox(
            KMath::Vector3(std::min(xmin, xmax), std::min(ymin, ymax), std::min(zmin, zmax)),
            KMath::Vector3(std::max(xmin, xmax), std::max(ymin, ymax), std::max(zmin, zmax)));
    });
}

} // namespace KorrCore
