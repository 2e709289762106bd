#pragma once

// The frame every entry point of the library runs in: it stands between the
// host's arguments and the kernel's hazards, which are listed here with the
// guard that stops each and the input that proves it. Regression inputs are
// the files of fuzz/corpus, replayed by the fuzzers in CI. A guard's header
// without a folder is in Internal/Core or Library/Core; other folders are
// named from src/.
//
// | hazard of the kernel                                  | guard (where)                              | proven by                         |
// |-------------------------------------------------------|--------------------------------------------|-----------------------------------|
// | crashes on a null shape (ShapeType, Triangulation,    | HoldsShape, KindOf (ShapeAccess.h),        | tests: null entry points          |
// |   prism, revolution, wire building), no exception     |   OperateOn, HeldReported (below)          |                                   |
// | its exceptions are no std::exception                  | Guarded (Guarded.h)                        | tests: null entry points          |
// | NaN, infinities and huge numbers taken, then crashes, | ToReal and the conversions                 | builders/regression-mesh-revolved-arc-at-1e90, |
// |   endless loops, memory filled                        |   (KernelValues.h, ModelScale.h)           |   builders/regression-chamfer-after-infinite-scale |
// | loft of one section crashes, of coincident or         | Skinnable (SweepScreens.h)                 | builders/regression-loft-*        |
// |   zero-length sections too                            |                                            |                                   |
// | sweep along a path of no length recurses without end  | Sweepable (SweepScreens.h)                 | tests: pipe shell                 |
// | booleans leak and crash on invalid operands; blends   | KernelValid (Validity.h), once per handle  | builders/regression-boolean-invalid-operand-leak, |
// |   report invalid results as done                      |   and shape                                |   tests: fillet of radius 6,      |
// |                                                       |                                            |   operands checked again          |
// | mesher and sampler never return for NaN or            | MeetableDeflection (MeshPreconditions.h)   | builders/regression-mesh-far-from-origin |
// |   unresolvable deflections                            |                                            |                                   |
// | mesher works without end on faces whose parts         | FaceAgreesWithItsEdges                     | read_brep/regression-*            |
// |   contradict each other                               |   (MeshPreconditions.h), MeshingWatch.h    |                                   |
// | mesher dereferences null on an edge missing a vertex  | FaceAgreesWithItsEdges (both ends)         | read_brep/regression-edge-without-|
// |   at one end whose curves do not share parameters     |   (MeshPreconditions.h)                    |   its-end-vertex                  |
// | mesher grids a needle of a cone with billions of      | GridWithinReason (MeshPreconditions.h)     | builders/regression-needle-cone-grid |
// |   nodes, filling memory                               |                                            |                                   |
// | transformation setter silently changes a              | IsScaledRotation, IsRigidMotion            | tests: transform of a shear,      |
// |   matrix it cannot represent (a shear)                |   (MatrixTransform.h)                      |   assembly placements             |
// | mesher and sampler follow an edge wound round its     | FaceAgreesWithItsEdges,                    | read_brep/regression-circle-edge- |
// |   circle billions of times; out of memory, a          |   EdgeAgreesWithItsCurves (turns)          |   wound-many-times                |
// |   destructor throws while unwinding: terminate        |                                            |                                   |
// | mesher splits a degenerated edge's curve on the face  | FaceAgreesWithItsEdges (curve on the face  | read_brep/regression-pole-edge-*  |
// |   without end when it runs off or round the surface   |   alone held to the surface and its turns) |                                   |
// | mesher grids fine deflections without polling the     | WithinMeshingBudget (MeshBudget.h), from   | tests: ShapeMesherBudget          |
// |   watch, and fails faces quietly when memory runs out | the estimate (MeshEstimate.h); bare faces  |                                   |
// |                                                       |   after a mesher failure fail the call     |                                   |
// | an edge on a damaged face shows a curve far outside   | the enclosure an edge list hands its edges | tests: damaged IGES cone          |
// |   the shape, agreeing with its own curve on the face  |   (KTopoEdgeExplor)                        |                                   |
// | a face made of a mesh alone has no surface to         | ReadRawFace (Library/TopoExplor/FaceMesh)  | tests: mesh-only face             |
// |   differentiate (crash)                               |                                            |                                   |
// | mesher and sampler hand out non-finite or stray data  | DisplayBounds (DisplayBounds.h)            | read_brep/regression-*            |
// | translators widen a damaged edge's tolerance until    | EdgeAgreesWithItsCurves                    | read_brep/regression-edge-far-    |
// |   its stray curve passes for valid                    |   (MeshPreconditions.h)                    |   from-its-face                   |
// | reader hangs, crashes or returns part of a shape on   | ScreenBrepText, ReadScreened               | read_brep/regression-*, tests:    |
// |   damaged files; scaled locations break shapes later; |   (Internal/Brep)                          |   damaged BRep files, BRep        |
// |   drops geometry whose record it cannot build         |                                            |   records                         |
// | STEP and IGES translators crash, hang or fill memory  | a worker process with time and memory      | fuzz_read_step, fuzz_read_iges,   |
// |   on damaged files, after their parser said yes       |   limits (Exchange/WorkerCalls/            |   tests: damaged exchange files   |
// |                                                       |   WorkerProcess.h)                         |                                   |
// | BRep writer raises std::bad_cast on a full disk,      | ReplaceFile asks the file system why       | tests: outcome of a full disk     |
// |   hiding the system's reason                          |   (Internal/Platform/FileReplace.h)        |                                   |
// | translators tell where a file is damaged only to      | FailureLog in the worker                   | tests: outcome of a STEP file     |
// |   their messenger                                     |   (Worker/FailureLog.h)                    |   cut short                       |

#include <cstddef>
#include <string>

#include "Internal/Core/Check.h"
#include "Internal/Core/Guarded.h"
#include "Internal/Core/KernelValues.h"
#include "Internal/Core/ShapeAccess.h"
#include "Internal/Platform/Outcome.h"

namespace KorrCore {

// Whether a call's result is a success: a handle holding a shape, true, text.
inline bool Succeeded(const ShapePtr& result)
{
    return HoldsShape(result);
}
inline bool Succeeded(bool result)
{
    return result;
}
inline bool Succeeded(const std::string& result)
{
    return !result.empty();
}

// The outcome a call leaves: a success clears whatever the work's inner steps
// recorded on the way (a probe that raised, which the work got past); a
// failure that no step explained still says that the kernel gave nothing.
inline void Conclude(bool succeeded)
{
    if (succeeded)
        SetOk();
    else if (KLastOutcome().Code == KOutcomeCode::Ok)
        SetOutcome(KOutcomeCode::KernelFailed, "the kernel gave no result for these arguments");
}

// The frame of every public call that can fail: a fresh outcome, the work in
// the guard, and the outcome concluded from the result.
template <class Work> auto Framed(Work&& work) noexcept -> decltype(work())
{
    SetOk();
    auto result = Guarded(std::forward<Work>(work));
    Conclude(Succeeded(result));
    return result;
}

// The frame of the explorers, which let the kernel's exceptions through to
// the host by design: a fresh outcome, the work, and the outcome concluded; an
// exception on its way out is recorded first.
template <class Work> bool Explored(Work&& work)
{
    SetOk();
    try {
        const bool found = std::forward<Work>(work)();
        Conclude(found);
        return found;
    } catch (...) {
        RecordRaised();
        throw;
    }
}

// A failure of the work with its reason, for `return Refused(...)` where a
// shape is due.
inline std::nullptr_t Refused(KOutcomeCode code, std::string message, std::string detail = {})
{
    SetOutcome(code, std::move(message), {}, std::move(detail));
    return nullptr;
}

// The frame of the builders and operations on shape operands: runs the kernel
// work on the operands' kernel shapes inside the frame. A null handle, or one
// holding no shape, gives the failure value (null ShapePtr, false) at once and
// without a report, its outcome naming the operand.
template <class Work, class... Operands>
auto OperateOn(Work&& work, const Operands&... operands) -> decltype(work(KernelShape(operands)...))
{
    return Framed([&]() -> decltype(work(KernelShape(operands)...)) {
        if (!HeldOperands(operands...))
            return {};
        return work(KernelShape(operands)...);
    });
}

// The check of the explorers and the mesher, which report a null handle
// ("Null TopoShape!") and a handle holding no shape ("Null Shape!") with their
// caller's source and line; the outcome names the handle as `what`.
inline bool HeldReported(const ShapePtr& shape, const char* reportSource, int reportLine,
                         const char* what = "the shape")
{
    if (HeldOperand(shape, what))
        return true;
    return KcAssert::Assert(false, shape ? "Null Shape!" : "Null TopoShape!", reportSource, reportLine);
}

} // namespace KorrCore
