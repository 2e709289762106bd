#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include "FileFormats/ExchangeChecks.h"
#include "support/Checks.h"

// The library's file services together in the registry, chosen by file name.

using namespace KorrCore;

TEST(FileServices, RegisterAllAddsEachFormatOnceAndFindsItByExtension)
{
    KBrepFileServiceManager& registry = KBrepFileServiceManager::Instance();
    const auto own = std::make_shared<KStepFileService>();
    ASSERT_TRUE(registry.AddObject(own));
    EXPECT_FALSE(KFileServices::RegisterAll()) << "STEP was registered already";
    EXPECT_EQ(registry.size(), 4);
    EXPECT_EQ(registry.GetObject(L"STEP"), own);

    const struct {
        const wchar_t* path;
        const wchar_t* service;
    } cases[] = {{L"part.STEP", L"STEP"}, {L"/a.b/part.stp", L"STEP"}, {L"part.igs", L"IGES"},
                 {L"part.Iges", L"IGES"}, {L"part.brep", L"BREP"},     {L"part.brp", L"BREP"},
                 {L"part.GLB", L"glTF"},  {L"part.gltf", L"glTF"},     {L"part.obj", nullptr},
                 {L"stp", nullptr},       {L"part.stp.bak", nullptr}};
    for (const auto& file : cases) {
        const std::shared_ptr<KBrepFileService> found = KFileServices::ForFile(file.path);
        EXPECT_EQ(found ? found->GetName() : L"", file.service ? file.service : L"") << file.path;
    }
    registry.Clear();
}

TEST(FileServices, TheBrepServiceSavesAndLoadsAsTheFileFunctionsDo)
{
    KorrTest::TempDir dir;
    KorrTest::ReportRecorder recorder;
    KNativeBrepFileService service;
    const ShapePtr box = KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 2, 3));
    service.SaveFile({box, KFeatureTools::Translate(box, KMath::Vector3(2, 0, 0))},
                     KorrTest::Wide(dir.file("two.brep")));
    EXPECT_EQ(KorrTest::SolidAndFaceUses(service.LoadFile(KorrTest::Wide(dir.file("two.brep")))),
              std::make_pair(2, 12));
    service.SaveFile({box}, KorrTest::Wide(dir.file("missing/box.brep")));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{"Failed to save file!"});
}
