#include <csignal>
#include <sys/file.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include "Internal/Platform/FileReplace.h"
#include "support/Checks.h"

using namespace KorrCore;
using KorrTest::Wide;

// Everything but a regular file stays as it was, and the save says why. The
// device is made here, never one of the machine's: a save replacing it would
// otherwise replace the system's.
TEST(FileReplace, WhatIsNotARegularFileIsNeverReplacedAndAKilledSavesTemporaryAloneIsRemoved)
{
    const struct {
        const char* kind;
        mode_t type;
        const char* link;
        const char* detail;
    } cases[] = {{"pipe", S_IFIFO, nullptr, ""},
                 {"socket", S_IFSOCK, nullptr, ""},
                 {"folder", S_IFDIR, nullptr, ""},
                 {"device", S_IFCHR, nullptr, ""},
                 {"link into a missing folder", S_IFLNK, "missing/box", "No such file or directory"},
                 {"link loop", S_IFLNK, "target", "Too many levels of symbolic links"}};
    for (const auto& [kind, type, link, detail] : cases) {
        KorrTest::TempDir dir;
        const std::string target = dir.file("target");
        const int made = link              ? symlink(link, target.c_str())
                         : type == S_IFDIR ? mkdir(target.c_str(), 0700)
                                           : mknod(target.c_str(), type | 0600, makedev(0, 0));
        if (made != 0 && errno == EPERM)
            continue; // a process without the right to make device nodes
        struct stat before {};
        struct stat after {};
        ASSERT_EQ(lstat(target.c_str(), &before), 0) << kind;
        EXPECT_FALSE(KBrepTools::SaveBrepFile(KBrepTools::MakeSphere({0, 0, 0}, 1), Wide(target), nullptr)) << kind;
        EXPECT_EQ(KLastOutcome().Code, KOutcomeCode::WriteFailed) << kind;
        EXPECT_NE(KLastOutcome().Message.find(target), std::string::npos) << kind;
        EXPECT_EQ(KLastOutcome().Detail, detail) << kind;
        ASSERT_EQ(lstat(target.c_str(), &after), 0) << kind;
        EXPECT_EQ(after.st_ino, before.st_ino) << kind;
        EXPECT_EQ(dir.entryCount(), 1u) << kind;
    }
    // The killed save's temporary goes; one of another user, and one a living
    // process holds (as one in another process namespace would), stay.
    KorrTest::TempDir dir;
    const std::string target = dir.file("box.brep");
    const pid_t child = fork();
    if (child == 0) {
        ReplaceFile(target, [](const std::string&) { return raise(SIGKILL) == 0; });
        _exit(0);
    }
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    ASSERT_EQ(dir.entryCount(), 1u);
    const std::string foreign = dir.file(".korrgeom-" + std::to_string(child) + "-1000000.tmp");
    const std::string held = dir.file(".korrgeom-" + std::to_string(child) + "-1000001.tmp");
    KorrTest::WriteBytes(foreign, "");
    KorrTest::WriteBytes(held, "");
    const bool chowned = chown(foreign.c_str(), 65534, 65534) == 0;
    const int holder = open(held.c_str(), O_RDONLY);
    ASSERT_EQ(flock(holder, LOCK_EX), 0);
    ASSERT_TRUE(KBrepTools::SaveBrepFile(KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {1, 2, 3}), Wide(target), nullptr));
    close(holder);
    EXPECT_EQ(dir.entryCount(), chowned ? 3u : 2u);
    EXPECT_EQ(std::filesystem::exists(foreign), chowned);
    EXPECT_TRUE(std::filesystem::exists(held));
    EXPECT_TRUE(KorrTest::Is(KBrepTools::ReadBrepFile(Wide(target), nullptr), TopoSolid, 6, {0, 0, 0}, {1, 2, 3}));
}
