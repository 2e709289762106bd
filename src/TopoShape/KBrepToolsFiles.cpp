#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>

#include "Core/Frame.h"
#include "FileFormats/Brep/ScreenedRead.h"
#include "Platform/FileBytes.h"
#include "Platform/FileReplace.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KBrepTools";

// The kernel writes the file itself, so the bytes on disk are exactly its own.
bool WriteKernelShape(const TopoDS_Shape& shape, const std::wstring& path)
{
    return ReplaceFile(KStringUtil::w2a(path), [&](const std::string& file) {
        return Guarded([&] { return BRepTools::Write(shape, file.c_str()) == Standard_True; });
    });
}

// The shape a whole BRep text describes, read by the kernel only after the
// screen has passed the text; null otherwise.
ShapePtr ReadBrepText(std::string text)
{
    return Guarded([&]() -> ShapePtr {
        const TopoDS_Shape shape = ReadScreened(text);
        return shape.IsNull() ? nullptr : WrapShape(shape);
    });
}

} // namespace

ShapePtr KBrepTools::ReadBrepFile(const std::wstring& path, KProgressIndicator* /*progress*/)
{
    // The file is read once: the bytes that were screened are the bytes the
    // kernel reads.
    std::optional<std::string> bytes = RegularFileBytes(KStringUtil::w2a(path));
    return bytes ? ReadBrepText(std::move(*bytes)) : nullptr;
}

// A handle holding no kernel shape has nothing to save: the kernel would write
// a file that reads back as no shape at all.
bool KBrepTools::SaveBrepFile(ShapePtr shape, const std::wstring& path, KProgressIndicator* /*progress*/)
{
    if (!KORR_CHECK(HoldsShape(shape), "NULL TopoShape!"))
        return false;
    return WriteKernelShape(KernelShape(shape), path);
}

bool KBrepTools::SaveBrepFile(const ShapeList& shapes, const std::wstring& path, KProgressIndicator* /*progress*/)
{
    return Guarded([&] {
        TopoDS_Compound compound;
        BRep_Builder builder;
        builder.MakeCompound(compound);
        for (const ShapePtr& entry : shapes) {
            // The kernel crashes on adding a null kernel shape.
            if (KORR_CHECK(HoldsShape(entry), "NULL TopoShape!"))
                builder.Add(compound, KernelShape(entry));
        }
        return WriteKernelShape(compound, path);
    });
}

} // namespace KorrCore
