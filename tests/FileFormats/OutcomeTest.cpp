#include <cmath>
#include <future>
#include <optional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

#include <KorrGeomCore/Service/KGltfFileService.h>

#include "FileFormats/ExchangeChecks.h"

// Every failure says why: each cause leaves its code on the calling thread,
// a sentence naming what failed and, where the system or the kernel said
// something, what it said.

using namespace KorrCore;
using KMath::Vector3;
using Code = KOutcomeCode;
using Outcome = std::optional<KOutcome>;

namespace {

// Runs the call on a thread of its own and returns the outcome it left there.
// Under root, whose reads and writes no permission stops, that thread alone
// acts as the user nobody. With `smallDisk` it has a mount namespace of its
// own in which that folder is a file system of one page; where that is not
// permitted the call is not made.
Outcome OnThread(const std::function<void()>& call, const std::string& smallDisk = {})
{
    Outcome outcome;
    std::thread([&] {
        const bool full = !smallDisk.empty();
        if (full && (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                     ::mount("tmpfs", smallDisk.c_str(), "tmpfs", 0, "size=4k") != 0))
            return;
        const bool root = ::geteuid() == 0 && !full;
        if (root)
            ::syscall(SYS_setresuid, -1, 65534, -1); // this thread only
        call();
        outcome = KLastOutcome();
        if (root)
            ::syscall(SYS_setresuid, -1, 0, -1);
    }).join();
    return outcome;
}

Outcome After(const std::function<void()>& call)
{
    call();
    return KLastOutcome();
}

struct Stopping : KProgressIndicator {
    void OnProgress(double) override {}
    bool IsCancelled() override { return true; }
};

ShapePtr Box(double x, double y = 10, double z = 10)
{
    return KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(x, y, z));
}

} // namespace

TEST(Outcome, EachCauseOfFailureLeavesItsCodeAReasonAndWhatTheSystemSaid)
{
    KorrTest::ReportRecorder quiet;
    KorrTest::TempDir dir;
    const auto path = [&](const char* name) { return KorrTest::Wide(dir.file(name)); };
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    ASSERT_TRUE(KBrepTools::SaveBrepFile(Box(10), path("box.brep"), nullptr));
    KStepFileService().SaveFile({Box(10)}, path("box.stp"));
    ASSERT_EQ(KLastOutcome().Code, Code::Ok) << "a save that worked says so";
    for (const char* name : {"box.brep", "box.stp"}) {
        const std::string text = KorrTest::ReadBytes(dir.file(name));
        KorrTest::WriteBytes(dir.file(std::string("cut-") + name), text.substr(0, text.size() / 2));
    }
    ::chmod(dir.file("box.brep").c_str(), 0600);
    for (const char* name : {"png.step", "png.iges", "png.brep", "huge.brep"})
        KorrTest::WriteBytes(dir.file(name), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    // Of IGES's line length, with no section letter in column 73.
    KorrTest::WriteBytes(dir.file("text.iges"), std::string(80, 'x') + "\n");
    std::filesystem::resize_file(dir.file("huge.brep"), std::uintmax_t{1} << 40);
    const std::string crash = KorrTest::CrashingStepFile(dir);
    ::mkdir(dir.file("locked").c_str(), 0755);
    ASSERT_TRUE(KBrepTools::SaveBrepFile(Box(10), path("locked/kept.brep"), nullptr));
    ::chmod(dir.file("locked").c_str(), 0555);
    const std::string locked = KorrTest::ReadBytes(dir.file("locked/kept.brep"));
    ::mkdir(dir.file("small").c_str(), 0755);
    KStepFileService hurried, stopped;
    hurried.SetTimeLimit(std::chrono::milliseconds(1));
    Stopping stop;
    stopped.SetProgressIndicator(&stop);
    KMeshOptions backwards, unbounded;
    backwards.Deflection = -1;
    // With no bound on triangles, a sphere this fine would outrun the watch.
    unbounded.Deflection = 1e-6;
    unbounded.MaxTriangles = 1e12;
    KShapeMesh mesh;
    Vector3 twice[] = {Vector3::ZERO, Vector3::ZERO, Vector3::UNIT_X};
    const ShapePtr disc = KBrepTools::MakeFace(KBrepTools::MakeCircle({10, 10, 10}, 10, {1, 0, 0}));
    // The cylinder builder gives a shell.
    const ShapePtr cylinder = KBrepTools::MakeCylinder({5, 5, -5}, {0, 0, 1}, 2, 20, 0);
    bool keptOnFullDisk = false;
    const Outcome fullDisk = OnThread(
        [&] {
            KorrTest::WriteBytes(dir.file("small/kept.brep"), "old");
            KBrepTools::SaveBrepFile(Box(20), path("small/kept.brep"), nullptr);
            keptOnFullDisk = KorrTest::ReadBytes(dir.file("small/kept.brep")) == "old";
        },
        dir.file("small"));

    // The cause, the outcome it left, the codes it may leave, part of the message and of the detail.
    // clang-format off
    const std::tuple<const char*, Outcome, std::vector<Code>, std::string, std::string> rows[] = {
        {"a missing path", After([&] { KNativeBrepFileService().LoadFile(path("missing.brep")); }),
         {Code::FileMissing}, "missing.brep", "No such file or directory"},
        {"a directory", After([&] { KStepFileService().LoadFile(path("locked")); }),
         {Code::FileUnreadable}, "locked is a folder", ""},
        {"permission denied", OnThread([&] { KBrepTools::ReadBrepFile(path("box.brep"), nullptr); }),
         {Code::FileUnreadable}, "box.brep", "Permission denied"},
        {"a BRep file cut short", After([&] { KBrepTools::ReadBrepFile(path("cut-box.brep"), nullptr); }),
         {Code::FileDamaged}, "cut-box.brep", " at line "},
        {"a STEP file cut short", After([&] { KStepFileService().LoadFile(path("cut-box.stp")); }),
         {Code::FileDamaged}, "cut-box.stp", "ERR StepFile : Undefined Parsing: Line "},
        {"a PNG renamed .step", After([&] { KStepFileService().LoadFile(path("png.step")); }),
         {Code::FileForeign}, "png.step is not a STEP file", ""},
        {"a PNG renamed .iges", After([&] { KIgesFileService().LoadFile(path("png.iges")); }),
         {Code::FileForeign}, "png.iges is not an IGES file", ""},
        {"80 columns of text renamed .iges", After([&] { KIgesFileService().LoadFile(path("text.iges")); }),
         {Code::FileForeign}, "text.iges is not an IGES file", ""},
        {"a PNG renamed .brep", After([&] { KBrepTools::ReadBrepFile(path("png.brep"), nullptr); }),
         {Code::FileForeign}, "png.brep is not a BRep file", ""},
        {"a translator crash",
         crash.empty() ? Outcome() : After([&] { KStepFileService().LoadFile(path("crash.stp")); }),
         // A sanitized worker's crash ends in the sanitizer's abort instead.
         {Code::TranslatorFailed}, "crashed reading", "(signal "},
        {"past the time limit", After([&] { hurried.LoadFile(path("box.stp")); }),
         {Code::TimedOut}, "time limit", ""},
        {"cancelled", After([&] { stopped.LoadFile(path("box.stp")); }),
         {Code::Cancelled}, "cancelled", ""},
        {"a file larger than memory", After([&] { KBrepTools::ReadBrepFile(path("huge.brep"), nullptr); }),
         {Code::FileTooLarge, Code::OutOfMemory}, "", ""},
        {"a save into a read-only folder",
         OnThread([&] { KBrepTools::SaveBrepFile(Box(20), path("locked/kept.brep"), nullptr); }),
         {Code::WriteFailed}, "kept.brep", "Permission denied"},
        {"a save onto a full disk", fullDisk, {Code::WriteFailed}, "kept.brep", "No space left on device"},
        {"a null operand", After([&] { KFeatureTools::Boolean(Box(10), nullptr, BooleanCut); }),
         {Code::NullShape}, "operand 2 is a null handle", ""},
        {"a boolean with a shell", After([&] { KFeatureTools::Boolean(Box(10), cylinder, BooleanCut); }),
         {Code::WrongShapeKind}, "operand 2 is a shell, and a boolean needs solids", ""},
        {"an empty wire list", After([&] { KBrepTools::MakeWire({}); }),
         {Code::InvalidArgument}, "the list must hold an edge or a wire, and is empty", ""},
        {"a face of a solid", After([&] { KBrepTools::MakeFace(Box(10)); }),
         {Code::WrongShapeKind}, "operand 1 is a solid, and a face is made of a wire", ""},
        {"a boolean with a face", After([&] { KFeatureTools::Boolean(Box(10), disc, BooleanCut); }),
         {Code::WrongShapeKind}, "operand 2 is a face", ""},
        {"an operand the validity check fails",
         After([&] { KFeatureTools::Boolean(KBrepTools::MakeSolid({disc, disc}), Box(10), BooleanFuse); }),
         {Code::InvalidArgument}, "operand 1 fails the kernel's validity check", "BRepCheck_"},
        {"a fillet the kernel cannot build", After([&] { KFeatureTools::Fillet(Box(10), 20); }),
         {Code::KernelFailed}, "the kernel failed rounding every edge with radius 20", ""},
        {"a fillet done but invalid", After([&] { KFeatureTools::Fillet(Box(10, 20, 30), 6); }),
         {Code::InvalidResult}, "radius 6", "BRepCheck_UnorientableShape on a face"},
        {"a negative radius", After([&] { KBrepTools::MakeSphere(Vector3::ZERO, -1); }),
         {Code::InvalidArgument}, "radius must be greater than 0, got -1", ""},
        {"a zero height", After([&] { KBrepTools::MakeCylinder(Vector3::ZERO, Vector3::UNIT_Z, 1, 0, 0); }),
         {Code::InvalidArgument}, "height must be greater than 0, got 0", ""},
        {"a NaN", After([&] { Box(std::nan("")); }),
         {Code::InvalidArgument}, "size must have finite coordinates below 1e12 in magnitude, got (nan, 10, 10)", ""},
        {"a negative deflection", After([&] { KShapeMesher::Mesh(Box(10), backwards, mesh); }),
         {Code::InvalidArgument}, "-1", ""},
        {"a mesher past its time", After([&] { KShapeMesher::Mesh(KBrepTools::MakeSphere(Vector3::ZERO, 10), unbounded, mesh); }),
         {Code::TimedOut}, "allowed", ""},
        {"the kernel raising", After([&] { KBrepTools::MakeSpline(twice, 3); }),
         {Code::KernelFailed}, "", "Standard_"},
    };
    // clang-format on
    for (const auto& [cause, outcome, codes, message, detail] : rows) {
        if (!outcome) {
            std::cout << "not tried here: " << cause << '\n';
            continue;
        }
        EXPECT_NE(std::find(codes.begin(), codes.end(), outcome->Code), codes.end())
            << cause << ": " << KOutcomeName(outcome->Code);
        EXPECT_NE(outcome->Message.find(message), std::string::npos) << cause << ": " << outcome->Message;
        EXPECT_NE(outcome->Detail.find(detail), std::string::npos) << cause << ": " << outcome->Detail;
    }
    // Failed saves leave the old file as it was.
    EXPECT_EQ(KorrTest::ReadBytes(dir.file("locked/kept.brep")), locked);
    EXPECT_TRUE(keptOnFullDisk || !fullDisk) << "the full disk's old file";
    // A failed save names its file even when what failed was an argument.
    KBrepTools::SaveBrepFile(ShapePtr(), path("null.brep"), nullptr);
    EXPECT_EQ(KLastOutcome().Path, dir.file("null.brep"));
    KGltfFileService().SaveFile({Box(1)}, path("box.obj"));
    EXPECT_EQ(KLastOutcome().Path, dir.file("box.obj"));
    Box(1);
    EXPECT_EQ(KLastOutcome().Path, "") << "a later success clears it";
}

TEST(Outcome, EachThreadReadsItsOwnAndACachedLoadTellsWhyItFailedAgain)
{
    std::promise<void> failed, built;
    std::future<void> builtNow = built.get_future();
    Code seenAfterTheOtherSucceeded = Code::Ok;
    std::thread failing([&] {
        KFeatureTools::Boolean(nullptr, nullptr, BooleanCut);
        failed.set_value();
        builtNow.wait();
        seenAfterTheOtherSucceeded = KLastOutcome().Code;
        KFeatureTools::Boolean(nullptr, nullptr, BooleanCut);
    });
    failed.get_future().wait();
    Box(1);
    built.set_value();
    failing.join();
    EXPECT_EQ(seenAfterTheOtherSucceeded, Code::NullShape);
    EXPECT_EQ(KLastOutcome().Code, Code::Ok);

    KNativeBrepFileService service;
    service.LoadFile(L"/missing/part.brep");
    const KOutcome first = KLastOutcome();
    Box(1);
    service.LoadFile(L"/missing/part.brep");
    EXPECT_EQ(KLastOutcome().Code, first.Code);
    EXPECT_EQ(KLastOutcome().Message, first.Message);
}
