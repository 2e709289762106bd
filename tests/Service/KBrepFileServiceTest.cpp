#include <KorrGeomCore/KorrGeomCore.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"
#include "support/TempDir.h"

using namespace KorrCore;
using KorrTest::ReportRecorder;

namespace {

// Loads BRep files and counts how often it really reads one.
class CountingService : public KBrepFileService {
public:
    explicit CountingService(const std::wstring& name = L"brep") { SetName(name); }
    ShapePtr OnLoadFile(const std::wstring& path) override
    {
        ++reads;
        return KBrepTools::ReadBrepFile(path, nullptr);
    }
    int reads = 0;
};

std::shared_ptr<KBrepFileService> Service(const std::wstring& name) { return std::make_shared<CountingService>(name); }

std::vector<std::wstring> Names(const KBrepFileServiceManager& manager)
{
    std::vector<std::wstring> names;
    for (const auto& [name, service] : manager)
        names.push_back(name);
    return names;
}

// The registry lives for the whole process: every test leaves it empty.
class Registry : public ::testing::Test {
protected:
    void TearDown() override { KBrepFileServiceManager::Instance().Clear(); }
    KBrepFileServiceManager& manager = KBrepFileServiceManager::Instance();
};

// A box saved into a temporary directory, for services to load.
struct SavedBox {
    KorrTest::TempDir dir;
    std::wstring path = KorrTest::Wide(dir.file("box.brep"));
    SavedBox()
    {
        KBrepTools::SaveBrepFile(
            KBrepTools::MakeBox(KMath::Vector3::ZERO, KMath::Vector3::UNIT_Z, KMath::Vector3(1, 2, 3)), path, nullptr);
    }
};

} // namespace

TEST_F(Registry, IsOneObjectKeepingTheFirstRegistrationInNameOrder)
{
    EXPECT_EQ(&TSingleton<KBrepFileServiceManager>::Instance(), &manager);
    EXPECT_EQ(manager.size(), 0);
    const auto first = Service(L"A");
    EXPECT_TRUE(manager.AddObject(Service(L"B")));
    EXPECT_TRUE(manager.AddObject(first));
    EXPECT_FALSE(manager.AddObject(Service(L"A")));
    EXPECT_FALSE(manager.AddObject(nullptr));
    EXPECT_EQ(manager.size(), 2);
    EXPECT_EQ(Names(manager), (std::vector<std::wstring>{L"A", L"B"}));
    EXPECT_EQ(manager.GetObject(L"A"), first);
    EXPECT_EQ(manager.GetObject(L"a"), nullptr); // names are case-sensitive

    // Renaming does not move a registered service.
    first->SetName(L"Z");
    EXPECT_EQ(manager.GetObject(L"A"), first);
    EXPECT_EQ(manager.GetObject(L"Z"), nullptr);

    manager.RemoveObject(L"missing");
    EXPECT_EQ(manager.size(), 2);
    manager.RemoveObject(L"A");
    EXPECT_EQ(Names(manager), (std::vector<std::wstring>{L"B"}));
}

TEST_F(Registry, OrdersNamesByUtf16CodeUnits)
{
    // U+10000 is the surrogate pair D800 DC00 in UTF-16, so it precedes U+FF01.
    manager.AddObject(Service(L"\uFF01"));
    manager.AddObject(Service(L"\U00010000"));
    manager.AddObject(Service(L"a"));
    EXPECT_EQ(Names(manager), (std::vector<std::wstring>{L"a", L"\U00010000", L"\uFF01"}));
}

TEST(FileService, LoadsEachExactPathOnceFailuresIncluded)
{
    SavedBox box;
    CountingService service;
    const ShapePtr first = service.LoadFile(box.path);
    ASSERT_TRUE(KorrTest::HasKind(first, TopoSolid));
    std::remove(box.dir.file("box.brep").c_str());
    EXPECT_EQ(service.LoadFile(box.path), first); // from the cache: the file is gone
    EXPECT_EQ(service.reads, 1);

    // Another spelling of a path is another entry.
    std::wstring upper = box.path;
    upper.replace(upper.size() - 4, 4, L"BREP");
    EXPECT_FALSE(service.LoadFile(upper));
    EXPECT_FALSE(service.LoadFile(upper));
    EXPECT_EQ(service.reads, 2);
}

TEST(FileService, ACopyAnswersFromItsOwnCopyOfTheCache)
{
    SavedBox box;
    CountingService original;
    const ShapePtr loaded = original.LoadFile(box.path);
    ASSERT_TRUE(loaded);

    CountingService copy(original);
    std::remove(box.dir.file("box.brep").c_str());
    EXPECT_EQ(copy.LoadFile(box.path), loaded);
    EXPECT_EQ(copy.reads, 1); // the count it was copied with: no read of its own

    copy.LoadFile(L"/elsewhere.brep");
    EXPECT_EQ(copy.reads, 2);
    original.LoadFile(L"/elsewhere.brep");
    EXPECT_EQ(original.reads, 2); // not in the original's cache
}

TEST(FileService, TheBaseServiceCannotSave)
{
    CountingService service;
    ReportRecorder recorder;
    service.SaveFile(ShapeList{}, L"/tmp/never.brep");
    ASSERT_EQ(recorder.messages(), std::vector<std::string>{"Not implemented!"});
    EXPECT_EQ(recorder.reports()[0].file, "Service/KBrepFileService");
}
