#pragma once

#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KFileServices.h>
#include <KorrGeomCore/Service/KIgesFileService.h>
#include <KorrGeomCore/Service/KStepFileService.h>

#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "support/Checks.h"

// What the STEP and IGES tests compare: kernel counts, the names and colours
// a host sees, and what a load or save leaves behind.
namespace KorrTest {

// The shared STEP and IGES files; empty (after a message) when the folder is
// absent, so that the caller can skip.
std::string SharedExchangeFile(const std::string& folderAndName);

// A STEP file (the shared OCC2368 with one face bound's loop left out) on
// which the kernel's translator dereferences the missing loop and crashes,
// written into `folder`; empty when the shared file is absent.
std::string CrashingStepFile(const TempDir& folder);

// A fresh service of the file's kind (by its extension) loading the file.
KorrCore::ShapePtr LoadExchangeFile(const std::string& path);

// Solid and face uses, as the kernel's map of the whole shape counts them.
std::pair<int, int> SolidAndFaceUses(const KorrCore::ShapePtr& shape);

// What KShapeAttributes tells about every compound, solid and face use of a
// shape: how many have each product name, instance name and shown colour
// ("FACE 1.00,0.00,0.00").
using Counts = std::map<std::string, int>;
using AttributeCensus = std::tuple<Counts, Counts, Counts>;
AttributeCensus CensusOf(const KorrCore::ShapePtr& shape);

// The process reading the file as its standard input, once one appears,
// stopped as if hung (or sent another signal); 0 if none appears within ten
// seconds. The whole path, so that another run of a test does not stop this
// one's.
int StopReaderOf(const std::string& path, int signal = SIGSTOP);

// This process's children, exited or not, as the system lists them.
std::set<int> ChildProcesses();

// No descriptor, child process or file (in the folder, besides those there
// before) was left behind by the calls made while it lived.
class NothingLeftBehind {
public:
    explicit NothingLeftBehind(const TempDir& folder);
    ::testing::AssertionResult Check() const;

private:
    const TempDir& folder;
    std::size_t descriptors;
    std::set<int> children;
    std::size_t entries;
};

} // namespace KorrTest

// Skips the test when a shared file it needs is absent (SharedExchangeFile gave "").
#define KORRTEST_SKIP_IF_ABSENT(absent)                                                                                \
    if (absent)                                                                                                        \
    GTEST_SKIP() << "shared data absent"
// Declares `path` as the shared file's path, skipping the test when it is absent.
#define KORRTEST_SHARED_FILE(path, folderAndName)                                                                      \
    const std::string path = KorrTest::SharedExchangeFile(folderAndName);                                              \
    KORRTEST_SKIP_IF_ABSENT(path.empty())
