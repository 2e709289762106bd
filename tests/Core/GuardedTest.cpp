// Running out of memory reaches the library as the standard library's
// exception or as the kernel's; either must end the call as a failure that
// says so, never leave it.

#include "support/Checks.h"

#include <Standard_OutOfMemory.hxx>

#include <functional>
#include <new>

#include "Internal/Core/Guarded.h"

using namespace KorrCore;

TEST(Guarded, RunningOutOfMemoryInEitherKindFailsTheCallAndSaysSo)
{
    const std::function<bool()> raisers[] = {[]() -> bool { throw std::bad_alloc(); },
                                             []() -> bool { throw Standard_OutOfMemory("no room"); }};
    for (const auto& raise : raisers) {
        SetOk();
        EXPECT_FALSE(Guarded(raise));
        EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::OutOfMemory);
    }
}
