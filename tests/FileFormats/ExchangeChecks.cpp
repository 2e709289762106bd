#include "FileFormats/ExchangeChecks.h"

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <sys/wait.h>

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

NothingLeftBehind::NothingLeftBehind(const TempDir& folder)
    : folder(folder), descriptors(OpenDescriptors()), entries(folder.entryCount())
{
}

::testing::AssertionResult NothingLeftBehind::Check() const
{
    if (OpenDescriptors() != descriptors)
        return ::testing::AssertionFailure() << OpenDescriptors() - descriptors << " descriptors left open";
    if (::waitpid(-1, nullptr, WNOHANG) != -1 || errno != ECHILD)
        return ::testing::AssertionFailure() << "a child process is left";
    if (folder.entryCount() != entries)
        return ::testing::AssertionFailure() << folder.entryCount() - entries << " files left in " << folder.path();
    return ::testing::AssertionSuccess();
}

} // namespace KorrTest
