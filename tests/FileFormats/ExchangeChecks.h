#pragma once

#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KFileServices.h>
#include <KorrGeomCore/Service/KIgesFileService.h>
#include <KorrGeomCore/Service/KStepFileService.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

// What the STEP and IGES tests compare: kernel counts, the names and colours
// a host sees, and what a load or save leaves behind.
namespace KorrTest {

// The shared STEP and IGES files; empty (after a message) when the folder is
// absent, so that the caller can skip.
std::string SharedExchangeFile(const std::string& folderAndName);

// A fresh service of the file's kind (by its extension) loading the file.
KorrCore::ShapePtr LoadExchangeFile(const std::string& path);

// Solid and face uses, as the kernel's map of the whole shape counts them.
std::pair<int, int> SolidAndFaceUses(const KorrCore::ShapePtr& shape);

// What KShapeAttributes tells about every compound, solid and face use of a
// shape: how many have each instance name, product name and shown colour
// ("FACE 1,0,0").
struct AttributeCensus {
    std::map<std::string, int> products, names, colours;
    bool operator==(const AttributeCensus& other) const
    {
        return products == other.products && names == other.names && colours == other.colours;
    }
    bool operator!=(const AttributeCensus& other) const { return !(*this == other); }
};
AttributeCensus CensusOf(const KorrCore::ShapePtr& shape);
void PrintTo(const AttributeCensus& census, std::ostream* out);

// No descriptor, child process or file was left behind by the calls made
// while it lived (files: in `folder`, besides those there before).
class NothingLeftBehind {
public:
    explicit NothingLeftBehind(const std::string& folder);
    ::testing::AssertionResult Check() const;

private:
    std::string folder;
    int descriptors;
    std::size_t entries;
};

} // namespace KorrTest
