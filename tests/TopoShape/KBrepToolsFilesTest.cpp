#include <KorrGeomCore/KorrGeomCore.h>

#include <BRepTools.hxx>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"
#include "support/TempDir.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Children;
using KorrTest::ReportRecorder;
using KorrTest::TempDir;
using KorrTest::Wide;

namespace {

ShapePtr Box() { return KBrepTools::MakeBox(Vector3(1, 2, 3), Vector3::UNIT_Z, Vector3(10, 20, 30)); }

// Makes every write past `bytes` fail for the test's duration (the kernel's
// stream then reports the failure), which works even for a privileged user.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit previous{};
    void (*previousHandler)(int) = nullptr;
};

} // namespace

TEST(BrepFiles, ABoxRoundTripsWithItsBoundsAndTheKernelsOwnBytes)
{
    TempDir dir;
    const ShapePtr box = Box();
    KProgressIndicator progress;
    ReportRecorder recorder;
    ASSERT_TRUE(KBrepTools::SaveBrepFile(box, Wide(dir.file("box.brep")), &progress));

    ASSERT_TRUE(BRepTools::Write(KorrTest::Kernel(box), dir.file("kernel.brep").c_str()));
    EXPECT_EQ(KorrTest::ReadBytes(dir.file("box.brep")), KorrTest::ReadBytes(dir.file("kernel.brep")));

    const ShapePtr read = KBrepTools::ReadBrepFile(Wide(dir.file("box.brep")), &progress);
    ASSERT_TRUE(KorrTest::HasKind(read, TopoSolid));
    EXPECT_TRUE(KorrTest::BoundsNear(read, Vector3(1, 2, 3), Vector3(11, 22, 33), 1e-6));
    EXPECT_NEAR(KorrTest::Volume(read), 6000.0, 1e-6);
    EXPECT_EQ(KorrTest::CountDistinct(read, TopAbs_FACE), 6);
    EXPECT_EQ(recorder.count(), 0u);
    // Only the saved and the kernel's file: no temporary file is left behind.
    EXPECT_EQ(dir.entryCount(), 2u);
}

TEST(BrepFiles, TheListFormWritesOneCompoundOfTheHeldShapesInOrder)
{
    TempDir dir;
    const ShapePtr sphere = KBrepTools::MakeSphere(Vector3(50, 0, 0), 2);
    const ShapeList shapes{Box(), nullptr, std::make_shared<KTopoShape>(), sphere};
    ReportRecorder recorder;
    ASSERT_TRUE(KBrepTools::SaveBrepFile(shapes, Wide(dir.file("list.brep")), nullptr));
    ASSERT_EQ(recorder.messages(), (std::vector<std::string>{"NULL TopoShape!", "NULL TopoShape!"}));
    EXPECT_EQ(recorder.reports()[0].file, "TopoShape/KBrepTools");

    const ShapePtr read = KBrepTools::ReadBrepFile(Wide(dir.file("list.brep")), nullptr);
    ASSERT_TRUE(KorrTest::HasKind(read, TopoCompound));
    const std::vector<TopoDS_Shape> children = Children(read);
    ASSERT_EQ(children.size(), 2u);
    EXPECT_NEAR(KorrTest::Volume(KorrTest::Holding(children[0])), 6000.0, 1e-6);
    EXPECT_NEAR(KorrTest::Volume(KorrTest::Holding(children[1])), 4.0 / 3.0 * KMath::Math::PI * 8, 1e-6);

    // An empty list writes an empty compound.
    ASSERT_TRUE(KBrepTools::SaveBrepFile(ShapeList{}, Wide(dir.file("empty.brep")), nullptr));
    const ShapePtr empty = KBrepTools::ReadBrepFile(Wide(dir.file("empty.brep")), nullptr);
    ASSERT_TRUE(KorrTest::HasKind(empty, TopoCompound));
    EXPECT_TRUE(Children(empty).empty());
}

TEST(BrepFiles, FailedSavesWriteNothingAndLeaveThePreviousFileByteForByte)
{
    TempDir dir;
    ReportRecorder recorder;
    EXPECT_FALSE(KBrepTools::SaveBrepFile(ShapePtr(), Wide(dir.file("a.brep")), nullptr));
    EXPECT_FALSE(KBrepTools::SaveBrepFile(std::make_shared<KTopoShape>(), Wide(dir.file("b.brep")), nullptr));
    EXPECT_EQ(recorder.messages(), (std::vector<std::string>{"NULL TopoShape!", "NULL TopoShape!"}));
    EXPECT_EQ(dir.entryCount(), 0u);

    const std::string target = dir.file("kept.brep");
    KorrTest::WriteBytes(target, "previous content");
    {
        const FileSizeLimit limit(64); // far less than a box file
        EXPECT_FALSE(KBrepTools::SaveBrepFile(Box(), Wide(target), nullptr));
        EXPECT_FALSE(KBrepTools::SaveBrepFile(ShapeList{Box()}, Wide(target), nullptr));
    }
    EXPECT_EQ(KorrTest::ReadBytes(target), "previous content");
    EXPECT_EQ(dir.entryCount(), 1u); // the temporary files are gone

    // A missing directory: nothing is created anywhere.
    EXPECT_FALSE(KBrepTools::SaveBrepFile(Box(), Wide(dir.file("missing/box.brep")), nullptr));
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(BrepFiles, ASaveReplacesTheFileThePathNamesAndKeepsItsPermissions)
{
    TempDir dir;
    const std::string real = dir.file("real.brep");
    KorrTest::WriteBytes(real, "old");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(symlink("real.brep", dir.file("link.brep").c_str()), 0);

    ASSERT_TRUE(KBrepTools::SaveBrepFile(Box(), Wide(dir.file("link.brep")), nullptr));
    struct stat status {};
    ASSERT_EQ(lstat(dir.file("link.brep").c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    ASSERT_EQ(stat(real.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    const ShapePtr read = KBrepTools::ReadBrepFile(Wide(real), nullptr);
    EXPECT_NEAR(KorrTest::Volume(read), 6000.0, 1e-6);
}

TEST(BrepFiles, ANonAsciiNameReachesTheSameFileOnWriteAndRead)
{
    TempDir dir;
    const std::wstring wide = Wide(dir.path()) + L"/B\u00e4ume \u6a21\u578b \U0001F600.brep";
    ASSERT_TRUE(KBrepTools::SaveBrepFile(Box(), wide, nullptr));
    // On disk under its UTF-8 name.
    EXPECT_FALSE(KorrTest::ReadBytes(dir.file("B\xc3\xa4ume \xe6\xa8\xa1\xe5\x9e\x8b \xf0\x9f\x98\x80.brep")).empty());
    const ShapePtr read = KBrepTools::ReadBrepFile(wide, nullptr);
    ASSERT_TRUE(KorrTest::HasKind(read, TopoSolid));
}

TEST(BrepFiles, WhatIsNotABrepFileReadsAsNullSilently)
{
    TempDir dir;
    KorrTest::WriteBytes(dir.file("empty.brep"), "");
    KorrTest::WriteBytes(dir.file("garbage.brep"), "this is not\na shape file\n\x01\x02\xff");
    KorrTest::WriteBytes(dir.file("header.brep"), "DBRep_DrawableShape\n\nCASCADE Topology V1, (c) Matra-Datavision\n");
    ASSERT_EQ(mkfifo(dir.file("pipe.brep").c_str(), 0600), 0);

    ReportRecorder recorder;
    testing::internal::CaptureStdout();
    for (const char* name : {"missing.brep", "empty.brep", "garbage.brep", "header.brep", "pipe.brep", ""})
        EXPECT_FALSE(KBrepTools::ReadBrepFile(Wide(dir.file(name)), nullptr)) << name; // "" names the directory
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(recorder.count(), 0u);
}
