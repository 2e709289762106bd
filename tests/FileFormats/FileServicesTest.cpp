#include <KorrGeomCore/Platform/KOutcome.h>
#include <KorrGeomCore/Service/KGltfFileService.h>

#include <unistd.h>

#include "FileFormats/ExchangeChecks.h"

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
                 {L"part.GLB", L"glTF"},  {L"part.gltf", L"glTF"},     {L"part.Html", L"glTF"},
                 {L"part.obj", nullptr},  {L"stp", nullptr},           {L"part.stp.bak", nullptr}};
    for (const auto& file : cases) {
        const std::shared_ptr<KBrepFileService> found = KFileServices::ForFile(file.path);
        EXPECT_EQ(found ? found->GetName() : L"", file.service ? file.service : L"") << file.path;
        EXPECT_TRUE(!found || !found->GetTitle().empty()) << file.path << ": a title for the host's file dialogs";
        EXPECT_EQ(KLastOutcome().Code, found ? KOutcomeCode::Ok : KOutcomeCode::FileForeign) << file.path;
    }
    registry.Clear();
}

// Under a name the C++ locale cannot convert; and a sparse file of a
// terabyte, more than a test machine holds, is refused before it is read.
TEST(FileServices, EachServiceSavesUnderAnyNameAndLoadsNoFileLargerThanMemoryTheBrepOneAsTheFileFunctionsDo)
{
    KorrTest::TempDir dir;
    const ShapeList box{KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 2, 3))};
    const std::string huge = dir.file("huge");
    KorrTest::WriteBytes(huge, "");
    ASSERT_EQ(truncate(huge.c_str(), off_t{1} << 40), 0);
    const std::pair<std::shared_ptr<KBrepFileService>, const char*> services[] = {
        {std::make_shared<KNativeBrepFileService>(), ".brep"},
        {std::make_shared<KStepFileService>(), ".stp"},
        {std::make_shared<KIgesFileService>(), ".igs"},
        {std::make_shared<KGltfFileService>(), ".glb"},
        {std::make_shared<KGltfFileService>(), ".gltf"}};
    for (const auto& [service, extension] : services) {
        const std::string name = dir.file(std::string("B\xc3\xa4ume \xf0\x9f\x98\x80") + extension);
        service->SaveFile(box, KStringUtil::a2w(name));
        EXPECT_GT(std::filesystem::file_size(name), 100u) << extension;
        if (dynamic_cast<KGltfFileService*>(service.get()))
            continue; // it loads no shapes
        EXPECT_EQ(KorrTest::SolidAndFaceUses(service->LoadFile(KStringUtil::a2w(name))), std::make_pair(1, 6))
            << extension;
        EXPECT_FALSE(service->LoadFile(KorrTest::Wide(huge))) << extension;
        EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::FileTooLarge) << extension;
    }
    // The BRep service saves and loads as the file functions do.
    KorrTest::ReportRecorder recorder;
    KNativeBrepFileService service;
    service.SaveFile({box.front(), KFeatureTools::Translate(box.front(), KMath::Vector3(2, 0, 0))},
                     KorrTest::Wide(dir.file("two.brep")));
    EXPECT_EQ(KorrTest::SolidAndFaceUses(service.LoadFile(KorrTest::Wide(dir.file("two.brep")))),
              std::make_pair(2, 12));
    service.SaveFile(box, KorrTest::Wide(dir.file("missing/box.brep")));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{"Failed to save file!"});
}
