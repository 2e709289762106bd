#include "Worker/Xde/DocumentShape.h"

#include <BRep_Builder.hxx>
#include <NCollection_DataMap.hxx>
#include <Quantity_ColorRGBA.hxx>
#include <TDF_LabelMapHasher.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDataStd_Name.hxx>
#include <TopoDS_Compound.hxx>
#include <XCAFDoc_ColorTool.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include "Worker/Xde/XdeColour.h"

namespace KorrCore::Xde {

namespace {

std::string LabelName(const TDF_Label& label)
{
    Handle(TDataStd_Name) name;
    if (!label.FindAttribute(TDataStd_Name::GetID(), name))
        return {};
    return TCollection_AsciiString(name->Get()).ToCString(); // UTF-8
}

class DocumentWalk {
public:
    explicit DocumentWalk(const Handle(TDocStd_Document) & document)
        : shapes(XCAFDoc_DocumentTool::ShapeTool(document->Main())),
          colours(XCAFDoc_DocumentTool::ColorTool(document->Main()))
    {
    }

    AttributedShape Run()
    {
        AttributedShape result;
        TDF_LabelSequence free;
        shapes->GetFreeShapes(free);
        if (free.Size() == 1) {
            result.root = ProductShape(free.First());
        } else if (free.Size() > 1) {
            TopoDS_Compound compound;
            BRep_Builder().MakeCompound(compound);
            for (const TDF_Label& label : free)
                BRep_Builder().Add(compound, ProductShape(label));
            result.root = compound;
        }
        for (const TDF_Label& label : free)
            Describe(label, TopLoc_Location(), {}, result);
        return result;
    }

private:
    // One shape per product, made once, so that every use shares it.
    TopoDS_Shape ProductShape(const TDF_Label& product)
    {
        if (const TopoDS_Shape* made = products.Seek(product))
            return *made;
        TopoDS_Shape shape;
        if (XCAFDoc_ShapeTool::IsAssembly(product)) {
            TopoDS_Compound compound;
            BRep_Builder().MakeCompound(compound);
            TDF_LabelSequence components;
            XCAFDoc_ShapeTool::GetComponents(product, components);
            for (const TDF_Label& component : components) {
                TDF_Label used;
                if (XCAFDoc_ShapeTool::GetReferredShape(component, used))
                    BRep_Builder().Add(compound,
                                       ProductShape(used).Moved(XCAFDoc_ShapeTool::GetLocation(component), false));
            }
            shape = compound;
        } else {
            shape = XCAFDoc_ShapeTool::GetShape(product);
        }
        products.Bind(product, shape);
        return shape;
    }

    std::optional<KColor> LabelColour(const TDF_Label& label) const
    {
        Quantity_ColorRGBA colour;
        if (colours->GetColor(label, XCAFDoc_ColorSurf, colour) || colours->GetColor(label, XCAFDoc_ColorGen, colour))
            return FromKernelColour(colour);
        return std::nullopt;
    }

    // The product used at `placement` (relative to the root), through
    // `use` (its own name and colour) or as a free shape (an empty use).
    void Describe(const TDF_Label& product, const TopLoc_Location& placement, const SubShapeAttributes& use,
                  AttributedShape& result)
    {
        SubShapeAttributes entry = use;
        entry.product = LabelName(product);
        entry.use = true;
        if (!entry.colour)
            entry.colour = LabelColour(product);
        Record(ProductShape(product).Moved(placement, false), std::move(entry), result);

        TDF_LabelSequence subShapes;
        XCAFDoc_ShapeTool::GetSubShapes(product, subShapes);
        for (const TDF_Label& subShape : subShapes)
            Record(XCAFDoc_ShapeTool::GetShape(subShape).Moved(placement, false),
                   {LabelName(subShape), {}, LabelColour(subShape)}, result);

        TDF_LabelSequence components;
        if (XCAFDoc_ShapeTool::IsAssembly(product))
            XCAFDoc_ShapeTool::GetComponents(product, components);
        for (const TDF_Label& component : components) {
            TDF_Label used;
            if (XCAFDoc_ShapeTool::GetReferredShape(component, used))
                Describe(used, placement * XCAFDoc_ShapeTool::GetLocation(component),
                         {LabelName(component), {}, LabelColour(component)}, result);
        }
    }

    static void Record(const TopoDS_Shape& located, SubShapeAttributes entry, AttributedShape& result)
    {
        if (!located.IsNull() && (entry.use || !entry.name.empty() || entry.colour))
            result.attributes.Set(ShapeAttributes::KeyUnder(result.root, located), std::move(entry));
    }

    Handle(XCAFDoc_ShapeTool) shapes;
    Handle(XCAFDoc_ColorTool) colours;
    NCollection_DataMap<TDF_Label, TopoDS_Shape, TDF_LabelMapHasher> products;
};

} // namespace

AttributedShape ShapeFromDocument(const Handle(TDocStd_Document) & document)
{
    return DocumentWalk(document).Run();
}

} // namespace KorrCore::Xde
