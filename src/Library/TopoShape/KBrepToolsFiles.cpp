#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/TopoShape/KBrepTools.h>

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>

#include <algorithm>
#include <string>

#include "Internal/Brep/ScreenedRead.h"
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

// Where in the text the reader stopped, for a person: "the surfaces, at line
// 57, byte 1234".
std::string Where(const ScreenStop& stop, std::string_view text)
{
    const std::size_t offset = std::min(stop.offset, text.size());
    const auto line = std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n') + 1;
    return std::string("the reader stopped in ") + stop.part + ", at line " + std::to_string(line) + ", byte " +
           std::to_string(offset);
}

// The shape a whole BRep text describes, read by the kernel only after the
// screen has passed the text; null otherwise, with the reason.
ShapePtr ReadBrepText(const std::string& text, const std::string& path)
{
    ScreenStop stop;
    const TopoDS_Shape shape = ReadScreened(text, &stop);
    if (!shape.IsNull())
        return WrapShape(shape);
    if (stop.part == kBrepHeader)
        SetOutcome(KOutcomeCode::FileForeign, path + " is not a BRep file: no line names a BRep format", path);
    else
        SetOutcome(KOutcomeCode::FileDamaged, path + " is damaged or cut short", path, Where(stop, text));
    return nullptr;
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
