#include "FileFormats/ExchangeChecks.h"

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <thread>

namespace KorrTest {

namespace fs = std::filesystem;

std::string SharedExchangeFile(const std::string& folderAndName)
{
    const std::string path = std::string(KORRGEOM_SHARED_DATA_DIR "/") + folderAndName;
    if (fs::exists(path))
        return path;
    std::cout << "no shared data file " << path << "\n";
    return {};
}

std::string CrashingStepFile(const TempDir& folder)
{
    const std::string shared = SharedExchangeFile("step/occt_OCC2368.stp");
    const std::string bound = "FACE_OUTER_BOUND( '', #123, .T. )";
    std::string text = shared.empty() ? std::string() : ReadBytes(shared);
    if (text.find(bound) == std::string::npos)
        return {};
    WriteBytes(folder.file("crash.stp"), text.replace(text.find(bound), bound.size(), "FACE_OUTER_BOUND( '', .T. )"));
    return folder.file("crash.stp");
}

KorrCore::ShapePtr LoadExchangeFile(const std::string& path)
{
    const std::string extension = fs::path(path).extension().string();
    if (extension == ".stp" || extension == ".step")
        return KorrCore::KStepFileService().LoadFile(Wide(path));
    return KorrCore::KIgesFileService().LoadFile(Wide(path));
}

std::pair<int, int> SolidAndFaceUses(const KorrCore::ShapePtr& shape)
{
    TopTools_IndexedMapOfShape solids, faces;
    TopExp::MapShapes(Kernel(shape), TopAbs_SOLID, solids);
    TopExp::MapShapes(Kernel(shape), TopAbs_FACE, faces);
    return {solids.Extent(), faces.Extent()};
}

AttributeCensus CensusOf(const KorrCore::ShapePtr& shape)
{
    using KorrCore::KShapeAttributes;
    static const std::map<TopAbs_ShapeEnum, std::string> kinds{
        {TopAbs_COMPOUND, "COMPOUND"}, {TopAbs_SOLID, "SOLID"}, {TopAbs_FACE, "FACE"}};
    AttributeCensus census;
    auto& [products, names, colours] = census;
    // Every sub-shape: an explorer does not look into the compounds it finds.
    TopTools_IndexedMapOfShape uses;
    TopExp::MapShapes(Kernel(shape), uses);
    for (int i = 1; i <= uses.Extent(); ++i) {
        const auto kind = kinds.find(uses(i).ShapeType());
        if (kind == kinds.end())
            continue;
        const KorrCore::ShapePtr use = Holding(uses(i));
        if (const std::wstring product = KShapeAttributes::GetProductName(shape, use); !product.empty())
            ++products[KorrCore::KStringUtil::w2a(product)];
        if (const std::wstring name = KShapeAttributes::GetName(shape, use); !name.empty())
            ++names[KorrCore::KStringUtil::w2a(name)];
        KorrCore::KColor c;
        char colour[32];
        if (KShapeAttributes::GetColor(shape, use, c)) {
            std::snprintf(colour, sizeof colour, " %.2f,%.2f,%.2f", c.Red, c.Green, c.Blue);
            ++colours[kind->second + colour];
        }
    }
    return census;
}

namespace {

std::size_t OpenDescriptors()
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

} // namespace

int StopReaderOf(const std::string& path, int signal)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        std::error_code error;
        for (const fs::directory_entry& process : fs::directory_iterator("/proc", error)) {
            const int pid = std::atoi(process.path().filename().c_str());
            if (pid > 0 && fs::read_symlink(process.path() / "fd/0", error) == path && ::kill(pid, signal) == 0)
                return pid;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
}

std::set<int> ChildProcesses()
{
    std::set<int> children;
    for (const auto& thread : fs::directory_iterator("/proc/self/task")) {
        std::ifstream list(thread.path() / "children");
        for (int pid; list >> pid;)
            children.insert(pid);
    }
    return children;
}

NothingLeftBehind::NothingLeftBehind(const TempDir& folder)
    : folder(folder), descriptors(OpenDescriptors()), children(ChildProcesses()), entries(folder.entryCount())
{
}

::testing::AssertionResult NothingLeftBehind::Check() const
{
    if (OpenDescriptors() != descriptors)
        return ::testing::AssertionFailure() << OpenDescriptors() - descriptors << " descriptors left open";
    if (ChildProcesses() != children)
        return ::testing::AssertionFailure() << "a child process is left";
    if (folder.entryCount() != entries)
        return ::testing::AssertionFailure() << folder.entryCount() - entries << " files left in " << folder.path();
    return ::testing::AssertionSuccess();
}

} // namespace KorrTest
