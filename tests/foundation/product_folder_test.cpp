#include "foundation/product_folder.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/win32/native_path.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(ProductFolderAbsent, NothingChangesWithoutAceDll) {
    if (!GetModulePathByName(u"ACE.dll").empty()) {
        GTEST_SKIP() << "ACE.dll already loaded in this process";
    }
    tw_test::TempFolder folder;
    EXPECT_EQ(GetProductFolder(), u"");
    RestoreWorkingFolder();
    EXPECT_EQ(fs::current_path(), folder.path());
}

// The test's own ACE.dll, built into a folder of its own (TW_ACE_DLL).
class ProductFolder : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        handle_ = ::dlopen(TW_ACE_DLL, RTLD_NOW);
        ASSERT_NE(handle_, nullptr) << ::dlerror();
    }
    static void TearDownTestSuite() { ::dlclose(handle_); }

    static fs::path DllFolder() { return fs::canonical(fs::path(TW_ACE_DLL).parent_path()); }

    static inline void* handle_ = nullptr;
};

TEST_F(ProductFolder, FoundThroughTheLoadedAceDll) {
    const std::u16string want = win32::NativePathToWide(DllFolder().string());
    EXPECT_EQ(GetProductFolder(), want);
    EXPECT_EQ(GetModulePathByName(u"ace.DLL"), want + u"\\ACE.dll");
    EXPECT_EQ(GetModulePathByName(u"ACE.dll"), want + u"\\ACE.dll");
    EXPECT_EQ(GetModulePathByName(u"NotLoaded.dll"), u"");
}

TEST_F(ProductFolder, RestoreWorkingFolderEntersIt) {
    tw_test::TempFolder elsewhere;
    RestoreWorkingFolder();
    EXPECT_EQ(fs::current_path(), DllFolder());
}

TEST(BackupPath, AppendsBak) {
    EXPECT_EQ(MakeBackupPath(u".\\config\\loading.bmp"), u".\\config\\loading.bmp.bak");
}

}  // namespace
