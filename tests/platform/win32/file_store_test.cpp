// The store as its writers see it: the profile functions, CopyFileW, a "wb" stream and
// the store itself, on the file they replace: its mode, owner and links, the user's
// rights, two writers at once, kills, and a full disk.
#include "platform/win32/file_store.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include "platform/win32/crt_file.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/file_ops.h"
#include "platform/win32/native_path.h"
#include "platform/win32/profile.h"
#include "tests/support/killed_child.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using tw_test::Names;
using tw_test::ReadBytes;
using tw_test::WriteBytes;

struct Writer {
    const char* name;
    // Gives the file (a native path relative to the current folder) new bytes; true when
    // the writer reports them stored.
    std::function<bool(const std::string&)> write;
};

std::u16string Wide(const std::string& native) {
    return win32::NativePathToWide(native);
}

bool WriteStream(const std::string& native) {
    crt::FILE* file = crt::_wfopen(Wide(native).c_str(), u"wb");
    if (file == nullptr) {
        return false;
    }
    crt::fwrite("stream", 1, 6, file);
    return crt::fclose(file) == 0;
}

// The copy's source takes the mode and owner of the file it is copied over, so that
// every writer should leave them as they were.
bool Copy(const std::string& native) {
    struct stat target {};
    const bool exists = ::stat(native.c_str(), &target) == 0;
    const std::string source = native + ".source";
    WriteBytes(source, "copied");
    if (exists) {
        fs::permissions(source, static_cast<fs::perms>(target.st_mode & 07777));
    }
    const bool copied = CopyFileW(Wide(source).c_str(), Wide(native).c_str(), FALSE) != FALSE;
    fs::remove(source);
    return copied;
}

const Writer kWriters[] = {
    {"profile write",
     [](const std::string& native) {
         return WritePrivateProfileStringW(u"s", u"k", u"new", Wide(native).c_str()) != FALSE;
     }},
    {"CopyFileW", Copy},
    {"wb stream", WriteStream},
    {"StoreFile",
     [](const std::string& native) {
         return win32::StoreFile(native, {"stored"}) == win32::StoreResult::kStored;
     }},
};

unsigned ModeOf(const std::string& native) {
    struct stat status {};
    return ::lstat(native.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

class Umask {
  public:
    explicit Umask(mode_t mask) : previous_(::umask(mask)) {}
    ~Umask() { ::umask(previous_); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

  private:
    mode_t previous_;
};

TEST(FileStore, EveryWriterKeepsTheModeAndWritesThroughALink) {
    const Umask mask(022);
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        tw_test::TempFolder folder;
        WriteBytes("shared/file.ini", "old\r\n");
        fs::permissions("shared/file.ini", static_cast<fs::perms>(0664));
        ASSERT_TRUE(writer.write("shared/file.ini"));
        EXPECT_EQ(ModeOf("shared/file.ini"), 0664u);
        EXPECT_NE(ReadBytes("shared/file.ini"), "old\r\n");

        // A link (relative, through a second link) is written through and stays a link.
        WriteBytes("real/target.ini", "old\r\n");
        fs::permissions("real/target.ini", static_cast<fs::perms>(0640));
        fs::create_symlink("../real/target.ini", "shared/hop.ini");
        fs::create_symlink("hop.ini", "shared/link.ini");
        ASSERT_TRUE(writer.write("shared/link.ini"));
        EXPECT_TRUE(fs::is_symlink("shared/link.ini"));
        EXPECT_TRUE(fs::is_symlink("shared/hop.ini"));
        EXPECT_NE(ReadBytes("real/target.ini"), "old\r\n");
        EXPECT_EQ(ModeOf("real/target.ini"), 0640u);
        EXPECT_EQ(Names("shared"), (std::set<std::string>{"file.ini", "hop.ini", "link.ini"}));
        EXPECT_EQ(Names("real"), std::set<std::string>{"target.ini"});

        // A new file takes 0666 less the umask.
        ASSERT_TRUE(writer.write("shared/new.ini"));
        EXPECT_EQ(ModeOf("shared/new.ini"), 0644u);
    }
}

// _waccess(path, 2) says beforehand whether the store will take the write.
TEST(FileStore, AccessForWritingAnswersWhatTheStoreDoes) {
    struct Case {
        const char* name;
        std::function<void()> prepare;  // in a folder holding "f/file" and "f/other"
        const char* path;
        bool writable;
    };
    const Case cases[] = {
        {"a file", [] {}, "f/file", true},
        {"a read-only file", [] { tw_test::MakeReadOnly("f/file"); }, "f/file", false},
        {"a new file", [] {}, "f/new", true},
        {"a file in a read-only folder", [] { tw_test::MakeReadOnly("f"); }, "f/file", true},
        {"a new file in a read-only folder", [] { tw_test::MakeReadOnly("f"); }, "f/new", false},
        {"a new file in a missing folder", [] {}, "g/new", false},
        {"a link to a read-only file",
         [] {
             tw_test::MakeReadOnly("f/other");
             fs::create_symlink("other", "f/link");
         },
         "f/link", false},
        {"a dangling link", [] { fs::create_symlink("gone", "f/link"); }, "f/link", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder folder;
        WriteBytes("f/file", "old");
        WriteBytes("f/other", "old");
        c.prepare();
        EXPECT_EQ(crt::_waccess(Wide(c.path).c_str(), 2) == 0, c.writable);
        EXPECT_EQ(win32::StoreFile(c.path, {"new"}) != win32::StoreResult::kRefused, c.writable);
    }
}

// Run as root: a file of another user keeps its owner.
TEST(FileStore, EveryWriterKeepsTheOwner) {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || nobody == nullptr) {
        GTEST_SKIP() << "needs root to give a file away";
    }
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        tw_test::TempFolder folder;
        WriteBytes("file.ini", "old\r\n");
        ASSERT_EQ(::chown("file.ini", nobody->pw_uid, nobody->pw_gid), 0);
        ASSERT_TRUE(writer.write("file.ini"));
        struct stat status {};
        ASSERT_EQ(::stat("file.ini", &status), 0);
        EXPECT_EQ(status.st_uid, nobody->pw_uid);
        EXPECT_EQ(status.st_gid, nobody->pw_gid);
    }
}

// Runs the check as the user nobody in a child process; its failures come back as the
// names of the writers and checks that went wrong, one per line.
std::string AsNobody(const std::function<std::string()>& check) {
    int pipe[2];
    if (::pipe(pipe) != 0) {
        return "no pipe";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        const passwd* nobody = ::getpwnam("nobody");
        std::string failures = "cannot become nobody";
        if (::setgroups(0, nullptr) == 0 && ::setgid(nobody->pw_gid) == 0 &&
            ::setuid(nobody->pw_uid) == 0) {
            failures = check();
        }
        const ssize_t written = ::write(pipe[1], failures.data(), failures.size());
        ::_exit(written == static_cast<ssize_t>(failures.size()) ? 0 : 1);
    }
    ::close(pipe[1]);
    std::string failures;
    char chunk[256];
    for (ssize_t n; (n = ::read(pipe[0], chunk, sizeof chunk)) > 0;) {
        failures.append(chunk, static_cast<size_t>(n));
    }
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);
    return failures;
}

// Root bypasses the rights on Linux; an ordinary user may not replace a root-owned 0644
// file in a folder of the user's own, and _waccess says so before anything is written.
TEST(FileStore, AFileTheUserMayNotWriteIsRefused) {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || nobody == nullptr) {
        GTEST_SKIP() << "needs root to drop to nobody";
    }
    tw_test::TempFolder folder;
    fs::permissions(folder.path(), static_cast<fs::perms>(0711));
    fs::create_directory("user");
    ASSERT_EQ(::chown("user", nobody->pw_uid, nobody->pw_gid), 0);
    WriteBytes("user/root.ini", "root's\r\n");
    fs::permissions("user/root.ini", static_cast<fs::perms>(0644));
    const std::string failures = AsNobody([] {
        std::string found;
        const auto expect = [&](bool ok, const std::string& what) {
            found += ok ? "" : what + "\n";
        };
        expect(crt::_waccess(u"user\\root.ini", 2) == -1, "_waccess of root's file");
        expect(crt::_waccess(u"user\\new.ini", 2) == 0, "_waccess of a new file");
        for (const Writer& writer : kWriters) {
            expect(!writer.write("user/root.ini"), std::string(writer.name) + " replaced it");
        }
        expect(kWriters[0].write("user/new.ini"), "a new file of the user's own");
        return found;
    });
    EXPECT_EQ(failures, "");
    EXPECT_EQ(ReadBytes("user/root.ini"), "root's\r\n");
    struct stat status {};
    ASSERT_EQ(::stat("user/root.ini", &status), 0);
    EXPECT_EQ(status.st_uid, 0u);
    EXPECT_EQ(Names("user"), (std::set<std::string>{"new.ini", "root.ini"}));
}

// Each of two processes writes 400 keys of its own into one file; every write reported
// stored is there afterwards.
TEST(FileStore, TwoWritersOfOneFileLoseNothing) {
    tw_test::TempFolder folder;
    constexpr int kKeys = 400;
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            int failed = 0;
            for (int i = 0; i < kKeys; ++i) {
                const std::u16string key = Wide(std::to_string(w) + "-" + std::to_string(i));
                failed +=
                    WritePrivateProfileStringW(u"s", key.c_str(), u"v", u"shared.ini") ? 0 : 1;
            }
            ::_exit(failed == 0 ? 0 : 1);
        }
    }
    for (const pid_t writer : writers) {
        int status = 0;
        ::waitpid(writer, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a write was refused";
    }
    int missing = 0;
    for (int w = 0; w < 2; ++w) {
        for (int i = 0; i < kKeys; ++i) {
            const std::u16string key = Wide(std::to_string(w) + "-" + std::to_string(i));
            char16_t value[4];
            missing +=
                GetPrivateProfileStringW(u"s", key.c_str(), u"", value, 4, u"shared.ini") == 1 ? 0
                                                                                               : 1;
        }
    }
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(Names("."), std::set<std::string>{"shared.ini"});
}

// Writers killed at random moments: the file holds one of the two contents whole, and a
// temporary left behind is whole too, under the one fixed name.
TEST(FileStore, KilledWritersLeaveNoTornFileAndNoPartialTemporary) {
    tw_test::TempFolder folder;
    const std::string a(1 << 20, 'a');
    const std::string b(1 << 20, 'b');
    ASSERT_EQ(win32::StoreFile("f", {a}), win32::StoreResult::kStored);
    EXPECT_EQ(tw_test::CheckKilledWriters(
                  "f", a, b, [&](int i) { win32::StoreFile("f", {i % 2 == 0 ? a : b}); }),
              "");
    ASSERT_EQ(win32::StoreFile("f", {"done"}), win32::StoreResult::kStored);
    EXPECT_EQ(Names("."), std::set<std::string>{"f"});
}

// A small file system of its own in the test's folder; nothing when it cannot be mounted
// (not root, no mount rights).
class SmallDisk {
  public:
    explicit SmallDisk(const char* options) {
        fs::create_directory("disk");
        mounted_ = ::geteuid() == 0 && ::mount("tmpfs", "disk", "tmpfs", 0, options) == 0;
    }
    ~SmallDisk() {
        if (mounted_) {
            ::umount2("disk", MNT_DETACH);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }

  private:
    bool mounted_ = false;
};

// A full disk and a disk without free inodes: the write is reported failed and the file
// keeps its old bytes; nothing is left beside it.
TEST(FileStore, AFullDiskOrNoFreeInodesKeepTheOldBytes) {
    struct Case {
        const char* name;
        const char* options;
    };
    const Case cases[] = {
        {"full disk", "size=64k,nr_inodes=64"},
        {"no free inodes", "size=4m,nr_inodes=2"},  // the root folder and the file
    };
    const std::string large(256 * 1024, 'x');
    const std::u16string value(200 * 1024, u'v');
    const Writer writers[] = {
        {"profile write",
         [&](const std::string& native) {
             return WritePrivateProfileStringW(u"s", u"k", value.c_str(), Wide(native).c_str()) !=
                    FALSE;
         }},
        {"wb stream",
         [&](const std::string& native) {
             crt::FILE* file = crt::_wfopen(Wide(native).c_str(), u"wb");
             crt::fwrite(large.data(), 1, large.size(), file);
             return crt::fclose(file) == 0;
         }},
        {"StoreFile",
         [&](const std::string& native) {
             return win32::StoreFile(native, {large}) == win32::StoreResult::kStored;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder folder;
        const SmallDisk disk(c.options);
        if (!disk.mounted()) {
            GTEST_SKIP() << "needs root to mount a small file system";
        }
        WriteBytes("disk/file.ini", "[s]\r\nk=old\r\n");
        for (const Writer& writer : writers) {
            SCOPED_TRACE(writer.name);
            EXPECT_FALSE(writer.write("disk/file.ini"));
            EXPECT_EQ(ReadBytes("disk/file.ini"), "[s]\r\nk=old\r\n");
            EXPECT_EQ(Names("disk"), std::set<std::string>{"file.ini"});
        }
    }
}

}  // namespace
