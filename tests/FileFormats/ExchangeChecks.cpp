#include "FileFormats/ExchangeChecks.h"

#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iostream>
#include <sys/wait.h>

#include "support/Checks.h"

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

namespace {

std::string Narrow(const std::wstring& text)
{
    return KorrCore::KStringUtil::w2a(text);
}

std::string ColourName(const KorrCore::KColor& colour)
{
    const auto component = [](float value) { return std::to_string(value).substr(0, 4); };
    return component(colour.Red) + "," + component(colour.Green) + "," + component(colour.Blue);
}

} // namespace

AttributeCensus CensusOf(const KorrCore::ShapePtr& shape)
{
    AttributeCensus census;
    // Every sub-shape: an explorer does not look into the compounds it finds.
    TopTools_IndexedMapOfShape uses;
    TopExp::MapShapes(Kernel(shape), uses);
    for (int i = 1; i <= uses.Extent(); ++i) {
        static const std::map<TopAbs_ShapeEnum, std::string> kinds{
            {TopAbs_COMPOUND, "COMPOUND"}, {TopAbs_SOLID, "SOLID"}, {TopAbs_FACE, "FACE"}};
        const auto kind = kinds.find(uses(i).ShapeType());
        if (kind == kinds.end())
            continue;
        const KorrCore::ShapePtr use = Holding(uses(i));
        if (const std::string product = Narrow(KorrCore::KShapeAttributes::GetProductName(shape, use));
            !product.empty())
            ++census.products[product];
        if (const std::string name = Narrow(KorrCore::KShapeAttributes::GetName(shape, use)); !name.empty())
            ++census.names[name];
        KorrCore::KColor colour;
        if (KorrCore::KShapeAttributes::GetColor(shape, use, colour))
            ++census.colours[kind->second + " " + ColourName(colour)];
    }
    return census;
}

void PrintTo(const AttributeCensus& census, std::ostream* out)
{
    for (const auto* part : {&census.products, &census.names, &census.colours}) {
        *out << "{";
        for (const auto& [name, count] : *part)
            *out << name << " x" << count << "; ";
        *out << "} ";
    }
}

namespace {

int OpenDescriptors()
{
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

std::size_t Entries(const std::string& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

NothingLeftBehind::NothingLeftBehind(const std::string& folder)
    : folder(folder), descriptors(OpenDescriptors()), entries(Entries(folder))
{
}

::testing::AssertionResult NothingLeftBehind::Check() const
{
    if (OpenDescriptors() != descriptors)
        return ::testing::AssertionFailure() << OpenDescriptors() - descriptors << " descriptors left open";
    if (::waitpid(-1, nullptr, WNOHANG) != -1 || errno != ECHILD)
        return ::testing::AssertionFailure() << "a child process is left";
    if (Entries(folder) != entries)
        return ::testing::AssertionFailure() << Entries(folder) - entries << " files left in " << folder;
    return ::testing::AssertionSuccess();
}

} // namespace KorrTest
