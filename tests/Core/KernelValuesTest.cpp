// Numbers the kernel cannot work with (NaN, infinities, magnitudes from model
// scale, 1e12, up) are refused by every builder and operation, for every
// number each one takes, instead of becoming geometry that later kernel
// algorithms crash on or never return from.

#include <set>

#include "support/Checks.h"
#include "support/OrdinaryArguments.h"

using namespace KorrCore;
using KMath::Vector3;

namespace {

// Numbers an entry point may ignore: angles outside the partial range give the
// full turn, and a pipe profile's location is read only when asked for.
const std::set<std::pair<std::string, int>> kMayIgnore = {
    {"MakeCylinder", 4}, {"MakeCone", 5}, {"Revol", 2}, {"MakePipeShell", 2}};

// The operands each entry point works on, in turn: a pipe's spine, auxiliary
// shape and profile, a face to sweep or join into a shell, otherwise a box,
// all clear of every ordinary axis.
std::function<ShapePtr()> Workpieces(const std::string& entry)
{
    const ShapePtr spine = KBrepTools::MakeLine(Vector3::ZERO, Vector3(0, 0, 5));
    const ShapePtr box = KBrepTools::MakeBox(Vector3(3, 3, 3), Vector3::UNIT_Z, Vector3(1, 1, 1));
    ShapeList operands = {
        entry == "Extrude" || entry == "Revol" || entry == "MakeShell" ? KorrTest::FacesOf(box).front() : box};
    if (entry == "MakePipeShell")
        operands = {spine, spine, KBrepTools::MakeCircle(Vector3::ZERO, 1, Vector3::UNIT_Z)};
    return
        [operands, next = std::size_t(0)]() mutable { return *std::next(operands.begin(), next++ % operands.size()); };
}

} // namespace

TEST(KernelValues, EveryNumberOfEveryEntryPointIsRefusedWhenNotANumberOrInfiniteOrBeyondModelScale)
{
    KorrTest::ReportRecorder quiet;
    for (const KorrFuzz::EntryPoint& entry : KorrFuzz::EntryPoints()) {
        KorrTest::OrdinaryArguments ordinary(Workpieces(entry.name));
        const ShapePtr made = entry.call(ordinary);
        if (made && !made->IsNull()) {
            EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::Ok) << entry.name << ": " << KLastOutcome().Message;
        }
        // The curve tools make no shape; the curve tests (KBrepToolsCurvesTest) cover their numbers.
        if (ordinary.Drawn() == 0 || entry.name == std::string("SplineToSegments"))
            continue;
        ASSERT_TRUE(made && !made->IsNull()) << entry.name << " fails even with ordinary arguments";
        for (int draw = 0; draw < ordinary.Drawn(); ++draw) {
            for (double value : {std::nan(""), -HUGE_VAL}) {
                KorrTest::OrdinaryArguments arguments(Workpieces(entry.name), draw, value);
                const ShapePtr result = entry.call(arguments);
                const bool refused = !result || result->IsNull();
                if (refused) {
                    EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::InvalidArgument)
                        << entry.name << ", number " << draw << ": " << KLastOutcome().Message;
                }
                // The in-place operations hand back their operand, changed by those that succeeded.
                if (kMayIgnore.count({entry.name, draw}) || entry.name == std::string("InPlace"))
                    EXPECT_TRUE(refused || std::isfinite(result->GetBBox().getMaximum().length()))
                        << entry.name << " " << draw;
                else
                    EXPECT_TRUE(refused) << entry.name << ", number " << draw << " = " << value;
            }
        }
    }
    // Coordinates and sizes are bounded at model scale.
    // Beyond about 1e9 doubles no longer resolve the kernel's tolerance; 1e12 is the first magnitude refused.
    EXPECT_TRUE(KBrepTools::MakeVertex(Vector3(0, 0, -9.9e11)));
    for (const Vector3& far : {Vector3(1e12, 0, 0), Vector3(0, 1e12, 0), Vector3(0, 0, -1e12)})
        EXPECT_FALSE(KBrepTools::MakeVertex(far)) << far.x << " " << far.y << " " << far.z;
    EXPECT_FALSE(KBrepTools::MakeSphere(Vector3::ZERO, 1e12));
}
