#include "Exchange/WorkerCalls/IsolatedWriting.h"

#include <KorrGeomCore/TopoShape/KTopoShapeImpl.h>

#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>

#include <cerrno>
#include <fcntl.h>

#include "Exchange/WorkerCalls/MemoryFile.h"
#include "Exchange/WorkerCalls/WorkerOutcome.h"
#include "Internal/Core/Guarded.h"
#include "Internal/Core/ShapeAccess.h"
#include "Internal/Platform/Descriptor.h"
#include "Internal/Platform/FileReplace.h"
#include "Internal/Platform/Outcome.h"
#include "Internal/Platform/SystemText.h"
#include "Internal/Protocol/AttributedShape.h"
#include "Internal/Protocol/TranslationMessage.h"
#include "Internal/Protocol/WorkerProtocol.h"

namespace KorrCore::Xde {

namespace {

// The shapes as one root: the one shape itself, or a compound of them whose
// sub-shapes' attributes move with each shape's place in it.
std::optional<AttributedShape> Gathered(const ShapeList& shapes)
{
    std::vector<ShapePtr> held;
    for (const ShapePtr& shape : shapes)
        if (HoldsShape(shape))
            held.push_back(shape);
    if (held.empty())
        return std::nullopt;
    AttributedShape gathered;
    if (held.size() == 1) {
        gathered.root = KernelShape(held.front());
        if (const auto& attributes = KTopoShapeImpl::GetAttributes(held.front().get()))
            gathered.attributes = attributes->Resolved(gathered.root);
        return gathered;
    }
    TopoDS_Compound compound;
    BRep_Builder().MakeCompound(compound);
    for (const ShapePtr& shape : held) {
        const TopoDS_Shape& kernelShape = KernelShape(shape);
        BRep_Builder().Add(compound, kernelShape);
        if (const auto& attributes = KTopoShapeImpl::GetAttributes(shape.get()))
            attributes->Resolved(kernelShape).ForEach([&](const TopoDS_Shape& key, const SubShapeAttributes& entry) {
                gathered.attributes.Set(key.Moved(kernelShape.Location(), false), entry);
            });
    }
    gathered.root = compound;
    return gathered;
}

} // namespace

bool WriteInWorker(FileFormat format, const std::string& path, const ShapeList& shapes, const WorkerOptions& options)
{
    return Guarded([&] {
        const std::optional<AttributedShape> gathered = Gathered(shapes);
        if (!gathered)
            return Fails(KOutcomeCode::NullShape, "shapes must hold a shape to save, and holds none");
        const Descriptor message = MemoryFile(EncodeTranslation(gathered->root, gathered->attributes));
        if (!message.Open())
            return Fails(KOutcomeCode::WriteFailed, "the shapes to save as " + path + " cannot be handed over",
                         SystemText(errno));
        return ReplaceFile(path, [&](const std::string& sibling) {
            return Guarded([&] {
                const Descriptor output(::open(sibling.c_str(), O_WRONLY | O_CLOEXEC));
                if (!output.Open())
                    return false;
                const WorkerRun run =
                    CallWorker(WorkerProtocol::kWriteCommand, format, message.Get(), output.Get(), options);
                if (!Succeeded(run))
                    RecordFailedRun(run, WorkerTask{format, false, path}, options);
                return Succeeded(run);
            });
        });
    });
}

} // namespace KorrCore::Xde
