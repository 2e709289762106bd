#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>

#include <string>

#include "Internal/Brep/BrepText.h"
#include "Internal/Core/Frame.h"
#include "Internal/Core/LeftOut.h"
#include "Internal/Platform/FileBytes.h"
#include "Internal/Platform/FileOutcome.h"
#include "Internal/Platform/FileReplace.h"

namespace KorrCore {

namespace {

constexpr char kReportSource[] = "TopoShape/KBrepTools";

// The kernel writes the file itself, so the bytes on disk are exactly its own.
// A failed write is told by ReplaceFile, from what the file system says: the
// kernel raises std::bad_cast on a full disk.
bool WriteKernelShape(const TopoDS_Shape& shape, const std::wstring& path)
{
    return ReplaceFile(KStringUtil::w2a(path), [&](const std::string& file) {
        return Guarded([&] { return BRepTools::Write(shape, file.c_str()) == Standard_True; });
    });
}

} // namespace

ShapePtr KBrepTools::ReadBrepFile(const std::wstring& path, KProgressIndicator* /*progress*/)
{
    const std::string file = KStringUtil::w2a(path);
    const ShapePtr shape = Framed([&]() -> ShapePtr {
        // The file is read once: the bytes that were screened are the bytes
        // the kernel reads.
        const std::optional<std::string> bytes = RegularFileBytes(file);
        return bytes ? ReadBrepText(*bytes, file) : nullptr;
    });
    ConcernsFile(file);
    return shape;
}

// A handle holding no kernel shape has nothing to save: the kernel would write
// a file that reads back as no shape at all.
bool KBrepTools::SaveBrepFile(ShapePtr shape, const std::wstring& path, KProgressIndicator* /*progress*/)
{
    const bool saved = Framed([&] {
        return KORR_CHECK(HeldOperand(shape, "shape"), "NULL TopoShape!") && WriteKernelShape(KernelShape(shape), path);
    });
    ConcernsFile(KStringUtil::w2a(path));
    return saved;
}

bool KBrepTools::SaveBrepFile(const ShapeList& shapes, const std::wstring& path, KProgressIndicator* /*progress*/)
{
    LeftOut leftOut;
    const bool saved = Framed([&] {
        TopoDS_Compound compound;
        BRep_Builder builder;
        builder.MakeCompound(compound);
        int position = 0;
        for (const ShapePtr& entry : shapes) {
            // The kernel crashes on adding a null kernel shape.
            if (KORR_CHECK(leftOut.Held(entry, ++position), "NULL TopoShape!"))
                builder.Add(compound, KernelShape(entry));
        }
        return WriteKernelShape(compound, path);
    });
    ConcernsFile(KStringUtil::w2a(path));
    return leftOut.Told(saved);
}

} // namespace KorrCore
