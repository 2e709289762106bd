// A null ShapePtr and a handle holding no kernel shape are turned away by every
// entry point before the kernel sees them (several kernel algorithms crash on
// a null shape), with the result and the report each one names.

#include "support/Checks.h"
#include "support/OrdinaryArguments.h"

#include <map>

using namespace KorrCore;
using Reports = std::vector<std::string>;

TEST(ShapeAccess, EveryEntryPointTurnsAwayMissingShapesWithItsOwnOutcome)
{
    // The builders that, given only missing operands (two in a list), do not
    // give "no shape, no report": whether they give a shape, and what they report.
    const std::map<std::string, std::pair<bool, Reports>> builders = {
        {"MakeWire", {false, {"Invalid Shape!", "Invalid Shape!"}}},
        {"MakeShell", {true, {}}},
        {"MakeSolid", {true, {}}},
        {"MakeCompound", {true, {"NULL", "NULL"}}},
        {"MakeLoft", {false, {"NULL Shape", "NULL Shape"}}}};
    KorrTest::TempDir dir;
    std::vector<float> f;
    std::vector<unsigned int> i;
    ExplorFaceOptions options;
    ShapeList l;
    KShapeMesh m;
    KMath::Vector3 p(7, 7, 7);
    // Each consumer of shapes: whether it succeeded or touched its outputs, and its reports for the two cases.
    const Reports nul{"Null TopoShape!"}, none{"Null Shape!"}, notFace{"This is not Face"}, unsaved{"NULL TopoShape!"};
    const std::tuple<const char*, std::function<bool(const ShapePtr&)>, Reports, Reports> consumers[] = {
        {"edge list", [&](auto& s) { return KTopoEdgeExplor::Explor(s, l); }, nul, none},
        {"face list", [&](auto& s) { return KTopoFaceExplor::Explor(s, l); }, nul, none},
        {"vertex list", [&](auto& s) { return KTopoVertexExplor::Explor(s, l); }, nul, none},
        {"vertex position", [&](auto& s) { return KTopoVertexExplor::Explor(s, p); }, nul, none},
        {"edge points", [&](auto& s) { return KTopoEdgeExplor::Explor(s, &f, 0.1); }, {}, {}},
        {"face", [&](auto& s) { return KTopoFaceExplor::Explor(s, f, i, f, f, options); }, notFace, notFace},
        {"face pointers", [&](auto& s) { return KTopoFaceExplor::Explor(s, &f, &i, &f, &f, 0.1); }, notFace, notFace},
        {"whole mesh", [&](auto& s) { return KShapeMesher::Mesh(s, KMeshOptions(), m); }, nul, none},
        {"file", [&](auto& s) { return KBrepTools::SaveBrepFile(s, KorrTest::Wide(dir.file("s")), nullptr); }, unsaved,
         unsaved}};
    for (const ShapePtr& missing : {ShapePtr(), std::make_shared<KTopoShape>()}) {
        const std::string kind = missing ? "empty handle" : "null handle";
        for (const KorrFuzz::EntryPoint& entry : KorrFuzz::EntryPoints()) {
            KorrTest::OrdinaryArguments arguments([&] { return missing; });
            KorrTest::ReportRecorder recorder;
            const ShapePtr result = entry.call(arguments);
            const auto listed = builders.find(entry.name);
            const auto [holdsShape, reports] = listed == builders.end() ? std::pair{false, Reports{}} : listed->second;
            EXPECT_TRUE(!arguments.TookOperands() || (result && !result->IsNull()) == holdsShape)
                << entry.name << ", " << kind;
            EXPECT_TRUE(!arguments.TookOperands() || recorder.messages() == reports) << entry.name << ", " << kind;
            // Even where the rest still makes a shape, the outcome names the missing operand.
            if (arguments.TookOperands()) {
                EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::NullShape) << entry.name << ", " << kind;
                EXPECT_NE(KLastOutcome().Message, "") << entry.name << ", " << kind;
            }
        }
        for (const auto& [name, call, forNull, forEmpty] : consumers) {
            KorrTest::ReportRecorder recorder;
            EXPECT_FALSE(call(missing) || !l.empty() || !f.empty() || !i.empty() || p.x != 7 || !m.Parts.empty() ||
                         options.UVMax.x != 0 || dir.entryCount() > 0)
                << name << ", " << kind;
            EXPECT_EQ(recorder.messages(), missing ? forEmpty : forNull) << name << ", " << kind;
        }
    }
    // A handle holding nothing is of no kind and has the unit box as bounds;
    // the in-place operations set nothing into it.
    const KTopoShape empty;
    EXPECT_TRUE(empty.IsNull() && empty.GetShapeType() == TopoGeneric &&
                empty.GetBBox().getMinimum() == KMath::Vector3::ZERO &&
                empty.GetBBox().getMaximum() == KMath::Vector3(1, 1, 1));
}
