#include "tests/personalisation/panel_fixture.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <QTest>
#include <QWidget>
#include <stdexcept>

#include "foundation/product_folder.h"
#include "platform/mfc/resource_module.h"
#include "platform/win32/native_path.h"
#include "resources/tarnwell_resources.h"
#include "tests/support/dialog_responders.h"
#include "tests/support/temp_folder.h"
#include "tests/support/widget_access.h"

namespace fs = std::filesystem;

namespace tw_test {
namespace {

void AddWriteBits(const fs::path& folder) {
    std::error_code ignored;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored)) {
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
}

void EmptyFolder(const fs::path& folder, const fs::path& keep) {
    AddWriteBits(folder);
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != keep) {
            fs::remove_all(entry.path());
        }
    }
}

// A temporary root holding the product folder with a copy of the test's ACE.dll, loaded
// for the rest of the program, and the picture folder. Removed at exit.
class Folders {
  public:
    Folders() {
        std::string pattern = (fs::temp_directory_path() / "tarnwell-panel-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder");
        }
        root_ = pattern;
        product_ = root_ / u8"产品";
        pictures_ = root_ / u8"图片";
        fs::create_directories(product_);
        fs::create_directories(pictures_);
        fs::copy_file(TW_ACE_DLL, product_ / "ACE.dll");
        if (::dlopen((product_ / "ACE.dll").c_str(), RTLD_NOW) == nullptr) {
            throw std::runtime_error(::dlerror());
        }
    }
    ~Folders() {
        AddWriteBits(root_);
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    const fs::path& product() const { return product_; }
    const fs::path& pictures() const { return pictures_; }

  private:
    fs::path root_;
    fs::path product_;
    fs::path pictures_;
};

const Folders& TheFolders() {
    static const Folders folders;
    return folders;
}

}  // namespace

FileDialogAnswer WanderingResponder::AnswerFileDialog(const FileDialogRequest& request) {
    fs::current_path(TheFolders().pictures());
    return ScriptedResponder::AnswerFileDialog(request);
}

void PanelTest::SetUp() {
    previous_ = fs::current_path();
    AfxSetResourceHandle(TarnwellResources());
    installed_ = std::make_unique<ScopedDialogResponder>(responder);
    StartAfresh();
}

void PanelTest::StartAfresh() {
    dialog.reset();
    responder = WanderingResponder();
    EmptyFolder(ProductFolder(), "ACE.dll");
    EmptyFolder(PictureFolder(), {});
    fs::current_path(ProductFolder());
    fs::create_directory("config");
    ReopenDialog();
}

void PanelTest::ReopenDialog() {
    dialog.reset();
    dialog = std::make_unique<CTarnwellDlg>();
    ASSERT_TRUE(dialog->Create());
}

void PanelTest::TearDown() {
    dialog.reset();
    installed_.reset();
    AddWriteBits(ProductFolder());
    fs::current_path(previous_);
}

fs::path PanelTest::ProductFolder() {
    return fs::canonical(TheFolders().product());
}

fs::path PanelTest::PictureFolder() {
    return fs::canonical(TheFolders().pictures());
}

std::u16string PanelTest::ChosenPath(const std::string& name) {
    return win32::NativePathToWide((PictureFolder() / name).string());
}

void PanelTest::Click(int id) {
    QWidget* control = WidgetOfControl(dialog->m_hWnd, id);
    ASSERT_NE(control, nullptr) << id;
    ASSERT_TRUE(control->isVisible()) << id;
    QTest::mouseClick(control, Qt::LeftButton);
}

std::u16string PanelTest::ControlText(int id) {
    return GetDlgItemWString(id, dialog.get());
}

std::vector<std::u16string> PanelTest::Messages() const {
    std::vector<std::u16string> texts;
    for (const MessageBoxRequest& box : responder.messageBoxes) {
        texts.push_back(box.text);
    }
    return texts;
}

void PanelTest::MakeProductReadOnly() {
    for (const auto& entry : fs::recursive_directory_iterator(ProductFolder())) {
        if (entry.path().filename() != "ACE.dll") {
            MakeReadOnly(entry.path());
        }
    }
    MakeReadOnly(ProductFolder());
}

}  // namespace tw_test
