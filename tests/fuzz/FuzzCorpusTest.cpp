// The fuzzers' seeds and every finding fixed so far (fuzz/corpus), replayed as
// the fuzzers run them: each builder program's results and each file read are
// then inspected as a host would. A crash or hang fails the test.

#include "BuilderProgram.h"
#include "FuzzInspect.h"
#include "support/Checks.h"

TEST(FuzzCorpus, BuilderProgramsAndFilesAreAnsweredAndWhatTheyGiveInspected)
{
    KorrTest::ReportRecorder quiet;
    for (const char* target : {"builders", "read_brep"}) {
        std::size_t inputs = 0;
        for (const auto& input : std::filesystem::directory_iterator(KORRGEOM_CORPUS_DIR "/" + std::string(target))) {
            SCOPED_TRACE(input.path().filename().string());
            const std::string bytes = KorrTest::ReadBytes(input.path().string());
            const bool program = target == std::string("builders");
            const std::vector<KorrCore::ShapePtr> shapes =
                program ? KorrFuzz::RunBuilderProgram(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())
                        : std::vector{KorrCore::KBrepTools::ReadBrepFile(KorrTest::Wide(input.path()), nullptr)};
            // The files seeding the reader are files the library wrote, which must read.
            EXPECT_TRUE(program || shapes.front() || input.path().extension() != ".brep");
            for (const KorrCore::ShapePtr& shape : shapes)
                KorrFuzz::Inspect(shape);
            ++inputs;
        }
        EXPECT_GT(inputs, 5u) << target;
    }
}
