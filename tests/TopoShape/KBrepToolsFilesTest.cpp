#include "support/Checks.h"

#include <csignal>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace KorrCore;
using KorrTest::Wide;

namespace {

ShapePtr Box()
{
    return KBrepTools::MakeBox({1, 2, 3}, {0, 0, 1}, {10, 20, 30});
}

} // namespace

TEST(KBrepToolsFiles, ShapesRoundTripThroughLinksAndUtf8NamesFailedSavesLeaveThePreviousFileUnreadableFilesReadAsNull)
{
    KorrTest::TempDir dir;
    KorrTest::ReportRecorder recorder;
    // A save replaces the file a link names, keeping its permissions.
    KorrTest::WriteBytes(dir.file("real.brep"), "old");
    ASSERT_TRUE(chmod(dir.file("real.brep").c_str(), 0640) == 0 &&
                symlink("real.brep", dir.file("link.brep").c_str()) == 0);
    ASSERT_TRUE(KBrepTools::SaveBrepFile(Box(), Wide(dir.file("link.brep")), nullptr));
    ASSERT_TRUE(BRepTools::Write(KorrTest::Kernel(Box()), dir.file("kernel.brep").c_str()));
    EXPECT_EQ(KorrTest::ReadBytes(dir.file("real.brep")), KorrTest::ReadBytes(dir.file("kernel.brep")));
    struct stat link {
    }, real{};
    EXPECT_TRUE(lstat(dir.file("link.brep").c_str(), &link) == 0 && S_ISLNK(link.st_mode));
    EXPECT_TRUE(stat(dir.file("real.brep").c_str(), &real) == 0 && (real.st_mode & 07777) == 0640);
    // A link to a name not yet taken makes that file, as an editor saving through the link would.
    ASSERT_EQ(symlink("new.brep", dir.file("new-link.brep").c_str()), 0);
    ASSERT_TRUE(KBrepTools::SaveBrepFile(Box(), Wide(dir.file("new-link.brep")), nullptr));
    EXPECT_EQ(KorrTest::ReadBytes(dir.file("new.brep")), KorrTest::ReadBytes(dir.file("kernel.brep")));
    const std::wstring name = Wide(dir.file("")) + L"B\u00e4ume \U0001F600.brep";
    ASSERT_TRUE(KBrepTools::SaveBrepFile(Box(), name, nullptr));
    EXPECT_TRUE(KorrTest::Is(KBrepTools::ReadBrepFile(name, nullptr), TopoSolid, 6000, {1, 2, 3}, {11, 22, 33}));
    EXPECT_FALSE(KorrTest::ReadBytes(dir.file("B\xc3\xa4ume \xf0\x9f\x98\x80.brep")).empty());
    // A list is one compound of the shapes held, in order; an empty one, empty.
    const ShapeList list{KBrepTools::MakeSphere({50, 0, 0}, 2), nullptr, std::make_shared<KTopoShape>(), Box()};
    ASSERT_TRUE(KBrepTools::SaveBrepFile(list, Wide(dir.file("list.brep")), nullptr));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>(2, "NULL TopoShape!"));
    const std::vector<TopoDS_Shape> children =
        KorrTest::Children(KBrepTools::ReadBrepFile(Wide(dir.file("list.brep")), nullptr));
    EXPECT_TRUE(children.size() == 2 && KorrTest::Size(KorrTest::Holding(children[1])) == 6000);
    ASSERT_TRUE(KBrepTools::SaveBrepFile(ShapeList{}, Wide(dir.file("empty.brep")), nullptr));
    EXPECT_TRUE(KorrTest::Is(KBrepTools::ReadBrepFile(Wide(dir.file("empty.brep")), nullptr), TopoCompound, 0,
                             {0, 0, 0}, {1, 1, 1}));
    EXPECT_EQ(dir.entryCount(), 8u); // no temporary file is left behind
    // Saves write beside the target under a name not taken, and leave no descriptor open.
    KorrTest::TempDir beside;
    const auto save = [&] { return KBrepTools::SaveBrepFile(Box(), Wide(beside.file("box.brep")), nullptr); };
    const auto descriptors = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator());
    };
    // The new file is made in the target's directory, so that renaming it over the target cannot fail half way.
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_TRUE(inotify_add_watch(watch, beside.file("").c_str(), IN_CREATE) >= 0 && save());
    alignas(inotify_event) char event[sizeof(inotify_event) + NAME_MAX + 1] = {};
    const bool seen = read(watch, event, sizeof event) > 0;
    close(watch);
    const std::string made = seen ? reinterpret_cast<const inotify_event*>(event)->name : "";
    ASSERT_EQ(made.rfind(".korrgeom-", 0), 0u) << made;
    // The names the next saves would take are taken: they are passed over.
    const std::string prefix = made.substr(0, made.rfind('-') + 1);
    for (int next = std::stoi(made.substr(prefix.size())) + 1, last = next + 2; next < last; ++next)
        KorrTest::WriteBytes(beside.file(prefix + std::to_string(next) + ".tmp"), "taken");
    const auto open = descriptors();
    EXPECT_TRUE(save() && descriptors() == open && beside.entryCount() == 3);
    // Failed saves leave the previous file byte for byte, and nothing else.
    KorrTest::TempDir failing;
    const std::string target = failing.file("kept.brep");
    KorrTest::WriteBytes(target, "previous content");
    // Every write past 64 bytes fails; the signal the kernel's stream would get is ignored.
    rlimit previous{}, limit{};
    getrlimit(RLIMIT_FSIZE, &previous);
    limit = {64, previous.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool saved = KBrepTools::SaveBrepFile(Box(), Wide(target), nullptr) ||
                       KBrepTools::SaveBrepFile(ShapeList{Box()}, Wide(target), nullptr);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, handler);
    EXPECT_TRUE(!saved && KorrTest::ReadBytes(target) == "previous content");
    EXPECT_EQ(KLastOutcome().Detail, "File too large");
    EXPECT_EQ(failing.entryCount(), 1u);
    // What is not a BRep file reads as null, silently.
    KorrTest::TempDir reading;
    KorrTest::WriteBytes(reading.file("garbage.brep"), "this is not\na shape file\n\x01\x02\xff");
    KorrTest::WriteBytes(reading.file("header.brep"),
                         "DBRep_DrawableShape\n\nCASCADE Topology V1, (c) Matra-Datavision\n");
    ASSERT_EQ(mkfifo(reading.file("pipe.brep").c_str(), 0600), 0);
    KorrTest::ReportRecorder silent;
    testing::internal::CaptureStdout();
    for (const char* file : {"missing.brep", "garbage.brep", "header.brep", "pipe.brep", ""})
        EXPECT_FALSE(KBrepTools::ReadBrepFile(Wide(reading.file(file)), nullptr)) << file; // "" names the directory
    EXPECT_TRUE(testing::internal::GetCapturedStdout().empty() && silent.messages().empty());
}
