#include "support/Checks.h"

using namespace KorrCore;

namespace {

// Loads BRep files and counts how often it really reads one.
struct CountingService : KBrepFileService {
    explicit CountingService(const std::wstring& name) { SetName(name); }
    ShapePtr OnLoadFile(const std::wstring& path) override { return ++reads, KBrepTools::ReadBrepFile(path, nullptr); }
    int reads = 0;
};

} // namespace

TEST(KBrepFileService, RegistryKeepsTheFirstOfEachNameInUtf16OrderServicesLoadEachPathOnceUnlessAHostDropsTheCache)
{
    KBrepFileServiceManager& manager = TSingleton<KBrepFileServiceManager>::Instance();
    const auto service = std::make_shared<CountingService>(L"\uFF01");
    // U+10000 is the surrogate pair D800 DC00 in UTF-16, so it precedes U+FF01.
    EXPECT_TRUE(manager.AddObject(service) && manager.AddObject(std::make_shared<CountingService>(L"\U00010000")));
    EXPECT_FALSE(manager.AddObject(std::make_shared<CountingService>(L"\uFF01")) || manager.AddObject(nullptr));
    EXPECT_TRUE(manager.begin()->first == L"\U00010000" && manager.GetObject(L"\uFF01") == service);
    manager.RemoveObject(L"\U00010000");
    EXPECT_EQ(manager.size(), 1);
    manager.Clear();
    // Each exact path is read once, failures included; a copy starts with the cache as it is.
    KorrTest::TempDir dir;
    const std::wstring path = KorrTest::Wide(dir.file("box.brep")), other = KorrTest::Wide(dir.file("BOX.brep"));
    ASSERT_TRUE(KBrepTools::SaveBrepFile(KBrepTools::MakeSphere({0, 0, 0}, 1), path, nullptr));
    const ShapePtr first = service->LoadFile(path);
    std::filesystem::remove(dir.file("box.brep"));
    EXPECT_TRUE(first && service->LoadFile(path) == first && !service->LoadFile(other) && !service->LoadFile(other));
    CountingService copy(*service);
    EXPECT_TRUE(copy.LoadFile(path) == first && copy.reads == 2);
    KorrTest::ReportRecorder recorder;
    service->SaveFile(ShapeList{}, path);
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{"Not implemented!"});
    // A host's own service, on the path whose file is gone: it drops cached loads or reads past the cache.
    CountingService host(L"counting");
    // A file created after a failed load: the failure stays cached until forgotten.
    EXPECT_FALSE(host.LoadFile(path));
    ASSERT_TRUE(KBrepTools::SaveBrepFile(KBrepTools::MakeSphere({0, 0, 0}, 1), path, nullptr));
    EXPECT_FALSE(host.LoadFile(path));
    EXPECT_TRUE(host.LoadFileUncached(path));
    EXPECT_FALSE(host.LoadFile(path));
    host.Forget(path);
    const ShapePtr sphere = host.LoadFile(path);
    ASSERT_TRUE(sphere);
    EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::Ok);

    // A file changed on disk: the old shape comes back until the cache is cleared.
    ASSERT_TRUE(KBrepTools::SaveBrepFile(KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {1, 2, 3}), path, nullptr));
    EXPECT_EQ(host.LoadFile(path), sphere);
    EXPECT_EQ(KorrTest::FacesOf(host.LoadFileUncached(path)).size(), 6u);
    EXPECT_EQ(host.LoadFile(path), sphere);
    host.ClearCache();
    EXPECT_EQ(KorrTest::FacesOf(host.LoadFile(path)).size(), 6u);
    EXPECT_EQ(KorrTest::FacesOf(sphere).size(), 1u);
    EXPECT_EQ(host.reads, 5);
}
