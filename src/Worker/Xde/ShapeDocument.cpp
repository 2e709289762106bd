#include "Worker/Xde/ShapeDocument.h"

#include <NCollection_DataMap.hxx>
#include <TDataStd_Name.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopTools_ShapeMapHasher.hxx>
#include <TopoDS_Iterator.hxx>
#include <XCAFDoc_ColorTool.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include <vector>

#include "Worker/Xde/XdeColour.h"

namespace KorrCore::Xde {

namespace {

void Name(const TDF_Label& label, const std::string& name)
{
    if (!name.empty())
        TDataStd_Name::Set(label, TCollection_ExtendedString(name.c_str(), /*isMultiByte=*/true));
}

std::vector<TopoDS_Shape> Children(const TopoDS_Shape& shape)
{
    std::vector<TopoDS_Shape> children;
    for (TopoDS_Iterator child(shape); child.More(); child.Next())
        children.push_back(child.Value());
    return children;
}

class DocumentFill {
public:
    DocumentFill(const AttributedShape& shape, const Handle(TDocStd_Document) & document)
        : root(shape.root), attributes(shape.attributes), shapes(XCAFDoc_DocumentTool::ShapeTool(document->Main())),
          colours(XCAFDoc_DocumentTool::ColorTool(document->Main()))
    {
    }

    void Run()
    {
        if (root.ShapeType() == TopAbs_COMPOUND && !IsUse(root)) {
            for (const TopoDS_Shape& child : Children(root))
                Free(child);
        } else {
            Free(root);
        }
        shapes->UpdateAssemblies();
    }

private:
    const SubShapeAttributes* Entry(const TopoDS_Shape& use) const
    {
        return attributes.Find(ShapeAttributes::KeyUnder(root, use));
    }

    bool IsUse(const TopoDS_Shape& shape) const
    {
        const SubShapeAttributes* entry = Entry(shape);
        return entry && entry->IsUse();
    }

    bool IsAssembly(const TopoDS_Shape& use) const
    {
        if (use.ShapeType() != TopAbs_COMPOUND)
            return false;
        for (const TopoDS_Shape& child : Children(use))
            if (IsUse(child))
                return true;
        return false;
    }

    // A free shape can have no location of its own: a located one becomes the
    // one component of a nameless assembly.
    void Free(const TopoDS_Shape& use)
    {
        const TDF_Label product = Product(use);
        if (!use.Location().IsIdentity())
            Place(use, use.Location(), product, shapes->NewShape());
    }

    // `use` (as found by exploring the root) is placed at `placement` within
    // the assembly.
    void Place(const TopoDS_Shape& use, const TopLoc_Location& placement, const TDF_Label& product,
               const TDF_Label& assembly)
    {
        const TDF_Label component = shapes->AddComponent(assembly, product, placement);
        const SubShapeAttributes* entry = Entry(use);
        if (!entry)
            return;
        Name(component, entry->name);
        if (entry->colour && !SameColour(product, *entry->colour))
            colours->SetColor(component, ToKernelColour(*entry->colour), XCAFDoc_ColorGen);
    }

    bool SameColour(const TDF_Label& label, const KColor& colour) const
    {
        Quantity_ColorRGBA existing;
        return colours->GetColor(label, XCAFDoc_ColorGen, existing) && FromKernelColour(existing) == colour;
    }

    // The product `use` places, made at its first use.
    TDF_Label Product(const TopoDS_Shape& use)
    {
        const TopoDS_Shape shape = use.Located(TopLoc_Location());
        if (const TDF_Label* made = products.Seek(shape))
            return *made;
        TDF_Label product;
        if (IsAssembly(use)) {
            product = shapes->NewShape();
            for (const TopoDS_Shape& child : Children(shape)) {
                const TopoDS_Shape childUse = child.Moved(use.Location(), false);
                Place(childUse, child.Location(), Product(childUse), product);
            }
        } else {
            product = shapes->AddShape(shape, /*makeAssembly=*/false, /*makePrepare=*/false);
            DescribeSubShapes(use, product);
        }
        if (const SubShapeAttributes* entry = Entry(use)) {
            Name(product, entry->product);
            if (entry->colour)
                colours->SetColor(product, ToKernelColour(*entry->colour), XCAFDoc_ColorGen);
        }
        products.Bind(shape, product);
        return product;
    }

    // Named and coloured sub-shapes of a part, relative to the part itself.
    void DescribeSubShapes(const TopoDS_Shape& use, const TDF_Label& part)
    {
        TopTools_IndexedMapOfShape subShapes;
        TopExp::MapShapes(use, subShapes);
        for (int i = 2; i <= subShapes.Extent(); ++i) { // 1 is the part itself
            const SubShapeAttributes* entry = Entry(subShapes(i));
            if (!entry)
                continue;
            const TDF_Label label = shapes->AddSubShape(part, ShapeAttributes::KeyUnder(use, subShapes(i)));
            if (label.IsNull())
                continue;
            Name(label, entry->name);
            if (entry->colour)
                colours->SetColor(label, ToKernelColour(*entry->colour), XCAFDoc_ColorGen);
        }
    }

    const TopoDS_Shape& root;
    const ShapeAttributes& attributes;
    Handle(XCAFDoc_ShapeTool) shapes;
    Handle(XCAFDoc_ColorTool) colours;
    NCollection_DataMap<TopoDS_Shape, TDF_Label, TopTools_ShapeMapHasher> products;
};

} // namespace

void FillDocument(const AttributedShape& shape, const Handle(TDocStd_Document) & document)
{
    DocumentFill(shape, document).Run();
}

} // namespace KorrCore::Xde
