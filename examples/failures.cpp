// How a host handles failure: every call leaves its outcome on the calling
// thread (KLastOutcome), and the host decides from the code what to do, and
// shows the message to a person. Below, one reaction per code (the compiler
// warns when a code is added and not handled), then a failure of each kind a
// host can cause on purpose, each checked for the code it gives.
//
//   failures SCRATCH_FOLDER   writes a few small files there
#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KStepFileService.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

using namespace KorrCore;
using KMath::Vector3;

namespace {

// What a host with a user in front of it might do about each code.
const char* Reaction(KOutcomeCode code)
{
    switch (code) {
    case KOutcomeCode::Ok:
        return "carry on";
    case KOutcomeCode::InvalidArgument:
    case KOutcomeCode::NullShape:
    case KOutcomeCode::WrongShapeKind:
        return "a fault in the host's own input: fix the caller, or ask the user for other values";
    case KOutcomeCode::KernelFailed:
    case KOutcomeCode::InvalidResult:
        return "the geometry is too hard for this operation: offer other sizes or another operation";
    case KOutcomeCode::TimedOut:
        return "offer to try again with more time (SetTimeLimit) or a coarser mesh";
    case KOutcomeCode::Cancelled:
        return "the user asked for it: say nothing";
    case KOutcomeCode::FileMissing:
    case KOutcomeCode::FileUnreadable:
        return "ask for another path";
    case KOutcomeCode::FileDamaged:
    case KOutcomeCode::FileForeign:
    case KOutcomeCode::TranslatorFailed:
        return "tell the user the file cannot be read, with the message and detail";
    case KOutcomeCode::FileTooLarge:
    case KOutcomeCode::OutOfMemory:
        return "free memory (KBrepFileService::ClearCache) or try on a larger machine";
    case KOutcomeCode::WriteFailed:
        return "the old file is intact: ask for another place to save";
    case KOutcomeCode::TooLarge:
        return "mesh coarser, or raise KMeshOptions::MaxTriangles";
    }
    return "unknown code: treat as a failure";
}

// Does the work, then reports what the outcome says; true when it is `expected`.
bool Expect(KOutcomeCode expected, const char* cause, const std::function<void()>& work)
{
    work();
    const KOutcome& outcome = KLastOutcome();
    std::printf("%-30s %-16s %s\n%-30s %-16s -> %s\n", cause, KOutcomeName(outcome.Code), outcome.Message.c_str(), "",
                "", Reaction(outcome.Code));
    if (outcome.Code != expected)
        std::fprintf(stderr, "%s: expected %s\n", cause, KOutcomeName(expected));
    return outcome.Code == expected;
}

// A progress indicator whose cancel button is already pressed.
struct Cancelling : KProgressIndicator {
    bool IsCancelled() override { return true; }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SCRATCH_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const auto path = [&](const char* name) { return KStringUtil::a2w(folder + "/" + name); };
    // Argument checks also report through KcAssert; the outcome says the same.
    KcAssert::SetReportHandler([](const std::string&, const char*, int) {});

    const ShapePtr box = KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(10, 20, 30));
    const ShapePtr shell = KBrepTools::MakeCylinder(Vector3(5, 5, -5), Vector3::UNIT_Z, 2, 40, 0);
    KBrepTools::SaveBrepFile(box, path("box.brep"), nullptr);
    KStepFileService().SaveFile({box}, path("box.step"));
    std::ofstream(folder + "/cut.brep")
        << "DBRep_DrawableShape\n\nCASCADE Topology V1, (c) Matra-Datavision\nLocations 3\n";
    std::ofstream(folder + "/notes.step") << "a shopping list, not a model\n";

    KStepFileService hurried;
    hurried.SetTimeLimit(std::chrono::milliseconds(1));
    KStepFileService stopped;
    Cancelling cancel;
    stopped.SetProgressIndicator(&cancel);
    KMeshOptions tiny;
    tiny.Deflection = 1e-4;
    tiny.MaxTriangles = 1000;
    KShapeMesh mesh;

    bool asExpected = true;
    const auto expect = [&](KOutcomeCode code, const char* cause, const std::function<void()>& work) {
        asExpected = Expect(code, cause, work) && asExpected;
    };
    using Code = KOutcomeCode;
    expect(Code::Ok, "a box", [&] { KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 1, 1)); });
    expect(Code::InvalidArgument, "a negative radius", [&] { KBrepTools::MakeSphere(Vector3::ZERO, -1); });
    expect(Code::InvalidArgument, "a NaN", [&] { KBrepTools::MakeSphere(Vector3::ZERO, std::nan("")); });
    expect(Code::NullShape, "a null operand", [&] { KFeatureTools::Boolean(box, nullptr, BooleanCut); });
    expect(Code::WrongShapeKind, "a boolean with a shell", [&] { KFeatureTools::Boolean(box, shell, BooleanCut); });
    expect(Code::InvalidResult, "a fillet too large", [&] { KFeatureTools::Fillet(box, 6); });
    expect(Code::FileMissing, "a missing file", [&] { KBrepTools::ReadBrepFile(path("missing.brep"), nullptr); });
    expect(Code::FileUnreadable, "a folder", [&] { KBrepTools::ReadBrepFile(KStringUtil::a2w(folder), nullptr); });
    expect(Code::FileDamaged, "a file cut short", [&] { KBrepTools::ReadBrepFile(path("cut.brep"), nullptr); });
    expect(Code::FileForeign, "text named .step", [&] { KStepFileService().LoadFile(path("notes.step")); });
    expect(Code::TimedOut, "a 1 ms time limit", [&] { hurried.LoadFile(path("box.step")); });
    expect(Code::Cancelled, "a cancel", [&] { stopped.LoadFile(path("box.step")); });
    expect(Code::WriteFailed, "a save into no folder",
           [&] { KBrepTools::SaveBrepFile(box, path("no-such-folder/box.brep"), nullptr); });
    expect(Code::TooLarge, "a mesh past its bound",
           [&] { KShapeMesher::Mesh(KBrepTools::MakeSphere(Vector3::ZERO, 10), tiny, mesh); });
    // The others need a damaged model, a crashing translator or a machine out
    // of memory: KernelFailed, TranslatorFailed, FileTooLarge, OutOfMemory.
    return asExpected ? 0 : 1;
}
