#pragma once

#include <string>
#include <vector>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/KProgressIndicator.h>
#include <KorrGeomCore/Platform/Vector3.h>
#include <KorrGeomCore/TopoShape/KAssemblyChild.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// Builders of shapes. Every builder returns a new handle, or a null ShapePtr on
// failure; kernel failures are silent, argument checks report through KcAssert.
class KORRGEOMCORE_EXPORT KBrepTools {
public:
    // Solid primitives. Directions need not be of unit length; sweep angles are
    // in degrees and anything outside (0, 360) gives the full turn.

    // A solid sphere.
    static ShapePtr MakeSphere(const KMath::Vector3& centre, double radius);
    // The shell of a cylinder (lateral face and caps) standing on the base centre.
    static ShapePtr MakeCylinder(const KMath::Vector3& baseCentre, const KMath::Vector3& axisDirection,
                                 double radius, double height, double angleDegrees);
    // A solid box with one corner at `corner`, laid along the kernel's X and Y
    // directions for `mainDirection` and along `mainDirection` itself.
    static ShapePtr MakeBox(const KMath::Vector3& corner, const KMath::Vector3& mainDirection,
                            const KMath::Vector3& size);
    // The shell of a cone (or truncated cone) standing on the base centre.
    static ShapePtr MakeCone(const KMath::Vector3& baseCentre, const KMath::Vector3& axisDirection,
                             double baseRadius, double height, double topRadius, double angleDegrees);

    // Points, lines and conics. None of them reports: every failure gives a null
    // ShapePtr. A circle or ellipse lies in the plane through its centre normal to
    // `normal` and starts on the X direction the kernel picks for that normal.

    static ShapePtr MakeVertex(const KMath::Vector3& position);
    // An edge running from `start` to `end`.
    static ShapePtr MakeLine(const KMath::Vector3& start, const KMath::Vector3& end);
    // A wire of one closed circular edge.
    static ShapePtr MakeCircle(const KMath::Vector3& centre, double radius, const KMath::Vector3& normal);
    // A wire of one closed elliptic edge; the major axis lies along the kernel's
    // X direction, and minorRadius must not exceed majorRadius.
    static ShapePtr MakeEllipse(const KMath::Vector3& centre, double majorRadius, double minorRadius,
                                const KMath::Vector3& normal);
    // The shorter arc (less than a half turn) of the circle about `centre`
    // through `start`, from `start` to where the ray from the centre towards
    // `end` meets the circle. Its curve runs from that end back to `start`. Null
    // when start equals end or the three points are collinear.
    static ShapePtr MakeArc(const KMath::Vector3& start, const KMath::Vector3& end, const KMath::Vector3& centre);
    // An edge on the circle through the three points, from `start` through
    // `through` to `end`. Null for collinear or coincident points.
    static ShapePtr MakeArc3Pts(const KMath::Vector3& start, const KMath::Vector3& end,
                                const KMath::Vector3& through);

    // Point-list curves from `count` consecutive points. Null without a report
    // for a null array, fewer than two points, or points that give no curve (such
    // as all points equal). The points are only read.

    // An open wire of straight edges through the points in order; a point equal
    // to the one before it adds no edge.
    static ShapePtr MakePolyline(KMath::Vector3* points, int count);
    // The same wire closed by an edge from the last point back to the first, so
    // the first point is not repeated at the end.
    static ShapePtr MakePolygon(KMath::Vector3* points, int count);
    // One edge on the (non-periodic) B-spline that passes through every point in
    // order. Two equal consecutive points give null.
    static ShapePtr MakeSpline(KMath::Vector3* points, int count);

    // Wires, faces and assemblies, made from the shapes the handles hold. Null
    // handles and handles holding no shape count as unusable elements.

    // One wire joined from edges and wires in connection order. Every accepted
    // element (and each of its sub-shapes) is left with the tolerance 1e-05,
    // whatever the outcome. Other elements are skipped with the report "Invalid
    // Shape!". Null when nothing is accepted or an element does not connect to
    // the wire built before it.
    static ShapePtr MakeWire(const ShapeList& edgesAndWires);
    // A face filling the wire, planar when the wire is, otherwise a surface the
    // kernel fits. Null for anything but a fillable wire, and for a wire
    // reaching coordinates of magnitude 1e12 or more (beyond the model scale,
    // where filling may never return).
    static ShapePtr MakeFace(ShapePtr wire);
    // A compound of the shapes in list order; never null. Null handles and
    // handles holding no shape are skipped with the report "NULL".
    static ShapePtr MakeCompound(const ShapeList& shapes);
    // An assembly named `product` (nameless when empty) of the children, each
    // child's shape placed as its Placement says, with its Name, Product and
    // Colour (Kind and IsAssembly are not read); a Product or Colour left
    // empty is the one the child's shape gives itself, if any. The names and
    // colours below each child come along, so sub-assemblies built or
    // walked before keep theirs. KAssemblyExplor lists the children back;
    // the STEP service saves it as that tree, a shape used by several
    // children (or walked out of one shared part) as one product placed
    // several times, and loading the file gives the same tree, names and
    // colours. Null for an empty list (InvalidArgument), a child holding no
    // shape (NullShape) and a placement that does more than turn and move,
    // or that reaches 1e12 (InvalidArgument).
    static ShapePtr MakeAssembly(const std::vector<KAssemblyChild>& children, const std::wstring& product);
    // One shell of the faces as they are (no sewing, orienting or closure test);
    // other elements are skipped silently. An empty list gives an empty shell.
    static ShapePtr MakeShell(const ShapeList& faces);
    // A solid bounded by the given shells, by the shells of the given solids and
    // by one one-face shell per given face; other elements are skipped silently.
    static ShapePtr MakeSolid(const ShapeList& facesShellsAndSolids);

    // Files in the kernel's BRep text format, exactly as the kernel writes
    // them. Paths are converted with KStringUtil::w2a (UTF-8). The progress
    // indicator is accepted and not used; it may be null.

    // The shape in the file, or a null ShapePtr for a missing, unreadable,
    // damaged or truncated file. Never reports.
    static ShapePtr ReadBrepFile(const std::wstring& path, KProgressIndicator* progress);
    // Writes one shape. A null handle, or one holding no kernel shape, reports
    // "NULL TopoShape!" and writes nothing. A failed save leaves any existing
    // file as it was.
    static bool SaveBrepFile(ShapePtr shape, const std::wstring& path, KProgressIndicator* progress);
    // Writes one compound of the list's shapes in list order; each null entry
    // (or entry holding no kernel shape) reports "NULL TopoShape!" and is left
    // out. Reading the file back gives that compound.
    static bool SaveBrepFile(const ShapeList& shapes, const std::wstring& path, KProgressIndicator* progress);
};

} // namespace KorrCore
