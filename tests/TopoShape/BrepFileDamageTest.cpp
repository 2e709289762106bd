#include <KorrGeomCore/KorrGeomCore.h>

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sys/resource.h>
#include <unistd.h>

#include "support/ShapeChecks.h"
#include "support/TempDir.h"

// Damaged BRep files: every shared real file read intact, cut short at many
// points and with bytes replaced. The kernel's reader alone hangs, crashes or
// returns part of a shape on such files; the library must answer each one
// promptly, with the whole shape or with null.

using namespace KorrCore;

namespace {

namespace fs = std::filesystem;

std::vector<std::string> SharedFiles()
{
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(KORRGEOM_SHARED_DATA_DIR "/brep"))
        if (entry.path().extension() == ".brep")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// Distinct sub-shapes of every kind: what a complete read must reproduce.
std::vector<int> Counts(const TopoDS_Shape& shape)
{
    std::vector<int> counts;
    for (int kind = TopAbs_COMPOUND; kind <= TopAbs_VERTEX; ++kind)
        counts.push_back(KorrTest::CountDistinct(KorrTest::Holding(shape), static_cast<TopAbs_ShapeEnum>(kind)));
    return counts;
}

ShapePtr ReadBytesAsFile(const KorrTest::TempDir& dir, const std::string& bytes)
{
    KorrTest::WriteBytes(dir.file("cut.brep"), bytes);
    return KBrepTools::ReadBrepFile(KorrTest::Wide(dir.file("cut.brep")), nullptr);
}

// Where the shape data ends: after it come only white space and, in files
// saved by the kernel's drawing tool, its end mark "0", neither of which the
// reader needs.
std::size_t EndOfShapeData(const std::string& text)
{
    std::size_t end = text.find_last_not_of(" \t\r\n") + 1;
    if (end >= 2 && text[end - 1] == '0' && std::isspace(static_cast<unsigned char>(text[end - 2])))
        end = text.find_last_not_of(" \t\r\n", end - 2) + 1;
    return end;
}

// Every byte of small files; for larger ones the header and ending byte by
// byte, every hundredth of the file, and a few hundred line ends.
std::set<std::size_t> CutPoints(const std::string& text)
{
    std::set<std::size_t> cuts;
    const std::size_t size = text.size();
    if (size <= 8192) {
        for (std::size_t cut = 0; cut < size; ++cut)
            cuts.insert(cut);
        return cuts;
    }
    for (std::size_t cut = 0; cut < 128; ++cut) {
        cuts.insert(cut);
        cuts.insert(size - 1 - cut);
    }
    for (int percent = 1; percent < 100; ++percent)
        cuts.insert(size * percent / 100);
    const std::size_t lines = std::count(text.begin(), text.end(), '\n');
    const std::size_t step = std::max<std::size_t>(1, lines / 200);
    std::size_t line = 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        if (++line % step == 0) {
            cuts.insert(at);
            cuts.insert(at + 1);
        }
    cuts.erase(size);
    return cuts;
}

// Runs `sweep` in a child process with a limit on its processor time (a hang
// in the kernel's reader spins) and a far longer one on its waiting, so that a
// hang or a crash fails the test instead of blocking the run, however busy the
// machine. The child reports its failures on standard error and exits with
// their count.
void LimitTime(rlim_t cpuSeconds)
{
    const rlimit limit{cpuSeconds, cpuSeconds};
    setrlimit(RLIMIT_CPU, &limit);
    alarm(static_cast<unsigned>(20 * cpuSeconds));
}

template <class Sweep>
void InChildWithin(rlim_t cpuSeconds, Sweep sweep)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            LimitTime(cpuSeconds);
            std::exit(std::min(sweep(), 100));
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace

TEST(BrepFileDamage, EverySharedFileReadsExactlyAsTheKernelReadsIt)
{
    const std::vector<std::string> files = SharedFiles();
    ASSERT_EQ(files.size(), 11u);
    for (const std::string& file : files) {
        const ShapePtr read = KBrepTools::ReadBrepFile(KorrTest::Wide(file), nullptr);
        ASSERT_TRUE(read) << file;
        TopoDS_Shape kernel;
        ASSERT_TRUE(BRepTools::Read(kernel, file.c_str(), BRep_Builder())) << file;
        EXPECT_EQ(read->GetShapeType(), static_cast<TopoShapeType>(kernel.ShapeType())) << file;
        EXPECT_EQ(Counts(KorrTest::Kernel(read)), Counts(kernel)) << file;
    }
}

TEST(BrepFileDamage, EveryCutOfTheSharedFilesComesBackNullPromptly)
{
    InChildWithin(20, [] {
        int failures = 0;
        KorrTest::TempDir dir;
        for (const std::string& file : SharedFiles()) {
            const std::string text = KorrTest::ReadBytes(file);
            const std::vector<int> intact = Counts(KorrTest::Kernel(ReadBytesAsFile(dir, text)));
            const std::size_t dataEnd = EndOfShapeData(text);
            for (std::size_t cut : CutPoints(text)) {
                const ShapePtr read = ReadBytesAsFile(dir, text.substr(0, cut));
                // Cutting only what follows the shape data may still read, and then completely.
                const bool bad = cut < dataEnd ? read != nullptr : read && Counts(KorrTest::Kernel(read)) != intact;
                if (bad && ++failures <= 20)
                    std::fprintf(stderr, "%s cut at %zu of %zu read wrongly\n", file.c_str(), cut, text.size());
            }
        }
        return failures;
    });
}

TEST(BrepFileDamage, ReplacedBytesNeverHangOrCrash)
{
    InChildWithin(10, [] {
        KorrTest::TempDir dir;
        const std::string text = KorrTest::ReadBytes(KORRGEOM_SHARED_DATA_DIR "/brep/cadquery_test_box.brep");
        const std::string replacements = "9-x .\n+e*0";
        for (std::size_t at = 0; at < text.size(); ++at) {
            std::string damaged = text;
            damaged[at] = replacements[at % replacements.size()];
            ReadBytesAsFile(dir, damaged); // null or a shape, but an answer
        }
        return 0;
    });
}
