// The translation list on a large product: a pending file of 100,000 lines and a
// translation file of 50,000 entries (Chinese texts of about 20 characters). Measures a
// reload of the pending view, one filter keystroke that keeps about 1,000 rows, one
// confirm with 5 matching rows, and the resident memory with the lists loaded.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "platform/mfc/resource_module.h"
#include "resources/resource.h"
#include "resources/tarnwell_resources.h"
#include "tests/support/utf16_file.h"
#include "tests/support/widget_access.h"
#include "workbench/tarnwell_dlg.h"
#include "workbench/translation_files.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPendingLines = 100000;
constexpr int kTranslated = 50000;

std::u16string Key(int n) {
    return FormatResourceKey(static_cast<std::uint32_t>(n));
}

// About 20 common Chinese characters; "筛选" stands in every hundredth text (all of them
// untranslated), so that filtering on it keeps about 1,000 rows.
std::u16string ChineseText(std::mt19937& random, int n) {
    std::uniform_int_distribution<int> unit(0x4E00, 0x7000);
    std::u16string text;
    for (int i = 0; i < 20; ++i) {
        text.push_back(static_cast<char16_t>(unit(random)));
    }
    if (n % 100 == 1) {
        text += u"筛选";
    }
    return text;
}

void WriteUtf16(const fs::path& path, const std::u16string& text) {
    std::ofstream(path, std::ios::binary) << tw_test::Utf16LeFile(text);
}

// A product folder entered as the current directory; pending keys from 1, of which
// the even ones are translated. Five pending lines share one text, for the confirm.
fs::path MakeProduct() {
    std::string pattern = (fs::temp_directory_path() / "tarnwell-list-XXXXXX").string();
    const fs::path folder = ::mkdtemp(pattern.data());
    fs::create_directories(folder / "config");
    std::mt19937 random(2104);
    std::u16string pending = u"[str]\r\n";
    std::u16string translations = u"[str]\r\n";
    for (int n = 1; n <= kPendingLines; ++n) {
        const std::u16string text = n % 20000 == 1 ? u"共同的文字" : ChineseText(random, n);
        pending += Key(n) + u"=" + text + u"\r\n";
        if (n % 2 == 0 && n / 2 <= kTranslated) {
            translations += Key(n) + u"=Translation of " + text + u"\r\n";
        }
    }
    WriteUtf16(folder / "config/res.todo.txt", pending);
    WriteUtf16(folder / "config/res.txt", translations);
    std::ofstream(folder / "config/static.ini") << "[translate]\r\nsystem-language-code=936\r\n";
    fs::current_path(folder);
    return folder;
}

struct Product {
    Product() : folder(MakeProduct()) {
        AfxSetResourceHandle(TarnwellResources());
        dialog.Create();
    }
    ~Product() {
        dialog.DestroyWindow();
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(folder);
    }
    fs::path folder;
    CTarnwellDlg dialog;
};

// Made on first use, destroyed with the application object.
std::unique_ptr<Product> theProduct;

Product& TheProduct() {
    if (theProduct == nullptr) {
        theProduct = std::make_unique<Product>();
        qAddPostRoutine([] { theProduct.reset(); });
    }
    return *theProduct;
}

void BM_ReloadPendingView(benchmark::State& state) {
    Product& product = TheProduct();
    product.dialog.m_filter.clear();
    for (auto _ : state) {
        product.dialog.ReloadList();
    }
    state.counters["rows"] = product.dialog.m_list.GetItemCount();
}

void BM_FilterKeystroke(benchmark::State& state) {
    Product& product = TheProduct();
    QWidget* filter = WidgetOfControl(product.dialog.m_hWnd, IDC_FILTER);
    for (auto _ : state) {
        state.PauseTiming();
        product.dialog.GetDlgItem(IDC_FILTER)->SetWindowText(u"筛");
        QTest::keyClick(filter, Qt::Key_End);
        state.ResumeTiming();
        QTest::sendKeyEvent(QTest::Click, filter, Qt::Key_unknown, QString("选"), Qt::NoModifier);
    }
    state.counters["rows"] = product.dialog.m_list.GetItemCount();
    product.dialog.GetDlgItem(IDC_FILTER)->SetWindowText(u"");
}

void BM_ConfirmFiveMatches(benchmark::State& state) {
    Product& product = TheProduct();
    QWidget* edit = WidgetOfControl(product.dialog.m_hWnd, IDC_TRANSLATION);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        product.dialog.m_current = product.dialog.m_pendingEntries.front();
        const std::u16string typed = u"Common text " + Key(++round);
        product.dialog.GetDlgItem(IDC_TRANSLATION)->SetWindowText(typed.c_str());
        state.ResumeTiming();
        QTest::keyClick(edit, Qt::Key_Return);
    }
}

void BM_ResidentMemory(benchmark::State& state) {
    TheProduct();
    for (auto _ : state) {
    }
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            state.counters["rss_MB"] = std::stod(line.substr(6)) / 1024.0;
        }
    }
}

BENCHMARK(BM_ReloadPendingView)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ConfirmFiveMatches)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ResidentMemory)->Iterations(1);

}  // namespace
