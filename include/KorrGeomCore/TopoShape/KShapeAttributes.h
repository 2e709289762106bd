#pragma once

#include <string>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/KColor.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// Names and colours of the parts of a shape: those a file gave it (the STEP
// and IGES file services read product and instance names and the colours of
// parts, solids and faces), and those a host gives the shapes it builds
// before saving them (the services' SaveFile writes them).
//
// They belong to a root shape: the shape a service loaded or the host built.
// Each function takes that root and one of its sub-shapes: the root itself, or
// a sub-shape as the explorers (KTopoFaceExplor and the others) list it from
// the root. A part placed several times is one sub-shape per placement, each
// with its own name and colour.
//
// They follow the root through copies of its handle, which share them, and
// through the in-place transforms of KFeatureTools, which keep its
// sub-shapes. Operations that make new shapes (the builders, booleans,
// fillets, transforms that copy, MakeCompound) give results without any, and
// the handles the face, edge and vertex explorers return carry none of their
// own: ask the root. A child KAssemblyExplor hands out is a root of its own,
// seeing its share of its parent's names and colours (changes made through
// it stay its own); KBrepTools::MakeAssembly gives its result those of its
// children.
class KORRGEOMCORE_EXPORT KShapeAttributes {
public:
    // The sub-shape's own name: for a placed part or assembly the name of the
    // placement (the instance name), for other sub-shapes a name the file gave
    // them. Empty when it has none.
    static std::wstring GetName(const ShapePtr& root, const ShapePtr& subShape);
    // For a placed part or assembly, and for a root that is one, the name of
    // the part or assembly (the product name). Empty otherwise.
    static std::wstring GetProductName(const ShapePtr& root, const ShapePtr& subShape);
    // The colour the sub-shape shows with: its own, else that of the nearest
    // shape above it within its part (a face takes its solid's), else the
    // colour of its part's placement, else the part's own, then those of the
    // assemblies around it. Where a file gives a surface colour and a generic
    // one, the surface colour. False, leaving `color` alone, when there is
    // none or the root does not hold the sub-shape (or either is null). Each
    // call walks the root down to the sub-shape.
    static bool GetColor(const ShapePtr& root, const ShapePtr& subShape, KColor& color);

    // Give the sub-shape a name, product name or colour of its own, for a
    // later save: a shape with a product name is saved as a part or assembly
    // of that name, and a compound whose children have product names as an
    // assembly of them. An empty name removes the name. False, with a report,
    // for a null handle ("Null TopoShape!"), a handle holding no shape ("Null
    // Shape!") or a sub-shape the root does not hold ("Invalid Shape!").
    static bool SetName(const ShapePtr& root, const ShapePtr& subShape, const std::wstring& name);
    static bool SetProductName(const ShapePtr& root, const ShapePtr& subShape, const std::wstring& name);
    static bool SetColor(const ShapePtr& root, const ShapePtr& subShape, const KColor& color);
};

} // namespace KorrCore
