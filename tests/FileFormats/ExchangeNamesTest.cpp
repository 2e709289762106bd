#include "FileFormats/ExchangeChecks.h"

// Names IGES strings cannot carry as they are, saved and loaded back.

using namespace KorrCore;

namespace {

// Longer than a record, so that the kernel splits it, with each character
// that is hostile on its own.
std::wstring LongName()
{
    std::wstring name;
    while (name.size() < 300)
        name += L"Ø\n,;H\"'\\% ";
    return name.substr(0, 300);
}

const std::wstring kHostileNames[] = {
    L"Mutter M8 – Ø8",
    L"two\nlines",
    L"a\ttab",
    L"comma, semicolon; 4Hrest",
    L"H",
    L"\"double\" 'single'",
    L"back\\slash\\",
    L" padded ",
    L"%C3%98 and 100%",
    LongName(),
    L"",
};

} // namespace

TEST(ExchangeNames, IgesGivesBackEveryNameAsSaved)
{
    KorrTest::TempDir dir;
    const std::string path = dir.file("named.igs");
    for (const std::wstring& name : kHostileNames) {
        const std::string shown = KStringUtil::w2a(name);
        const ShapePtr box = KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 2, 3));
        KShapeAttributes::SetProductName(box, box, name);
        KIgesFileService().SaveFile({box}, KorrTest::Wide(path));
        const ShapePtr loaded = KorrTest::LoadExchangeFile(path);
        ASSERT_TRUE(loaded) << shown;
        EXPECT_EQ(KShapeAttributes::GetProductName(loaded, loaded), name) << shown;
        // What IGES carries as it stands is written as it stands, for other readers.
        if (name == kHostileNames[0]) {
            EXPECT_NE(KorrTest::ReadBytes(path).find("Mutter M8 "), std::string::npos);
        }
    }
}
