// The list control alone, as a reload of the translation list uses it: 50,000 rows
// replaced (DeleteAllItems, then InsertItem, SetItemData and three SetItemText per row,
// key, a Chinese text of 21 characters and an empty translation), with and without the
// view catching up (the events that follow until the list is shown); one row selected
// by code; and the memory that the rows take.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/dialog.h"
#include "platform/mfc/list_ctrl.h"
#include "platform/mfc/resource_module.h"

namespace {

constexpr int kRows = 50000;
constexpr UINT kDialogId = 1;
constexpr int kListId = 10;

const ControlTemplate kControls[] = {
    {kListId, ControlClass::ListView,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_ALIGNLEFT, nullptr, 6, 6,
     409, 219},
};

const DialogTemplate kDialog{
    kDialogId, WS_POPUP | WS_CAPTION | DS_SETFONT, 0, u"list", u"MS Shell Dlg", 9, 421, 231,
    kControls};

const ResourceModule kModule{
    std::span<const DialogTemplate>(&kDialog, 1), {}, VersionResource{u"", u"", u"", u"", u""}};

class ListDialog : public CDialog {
  public:
    ListDialog() : CDialog(kDialogId) {}
    CListCtrl list;

  protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, kListId, list); }
};

struct Row {
    std::u16string key;
    std::u16string text;
    std::u16string translation;
};

std::vector<Row> MakeRows() {
    std::vector<Row> rows;
    rows.reserve(kRows);
    for (int n = 0; n < kRows; ++n) {
        std::u16string key = u"0000000000";
        for (int i = 9, v = n; v > 0; --i, v /= 10) {
            key[static_cast<std::size_t>(i)] = static_cast<char16_t>(u'0' + v % 10);
        }
        std::u16string text;
        for (int i = 0; i < 20; ++i) {
            text.push_back(static_cast<char16_t>(0x4E00 + (n * 31 + i * 7) % 0x2000));
        }
        rows.push_back({key, text + u"\n", u""});
    }
    return rows;
}

struct Fixture {
    Fixture() : rows(MakeRows()) {
        AfxSetResourceHandle(&kModule);
        dialog.Create();
        list.InsertColumn(0, u"标志", LVCFMT_LEFT, 100);
        list.InsertColumn(1, u"翻译前", LVCFMT_LEFT, 300);
        list.InsertColumn(2, u"翻译后", LVCFMT_LEFT, 300);
        QApplication::processEvents();
    }
    ~Fixture() { dialog.DestroyWindow(); }

    // What FillResourceList does with the list.
    void Fill() {
        list.DeleteAllItems();
        int index = list.GetItemCount();
        for (const Row& row : rows) {
            list.InsertItem(index, u"");
            list.SetItemData(index, reinterpret_cast<DWORD_PTR>(&row));
            list.SetItemText(index, 0, row.key.c_str());
            list.SetItemText(index, 1, row.text.c_str());
            list.SetItemText(index, 2, row.translation.c_str());
            ++index;
        }
    }

    std::vector<Row> rows;
    ListDialog dialog;
    CListCtrl& list = dialog.list;
};

std::unique_ptr<Fixture> theFixture;

Fixture& TheFixture() {
    if (theFixture == nullptr) {
        theFixture = std::make_unique<Fixture>();
        qAddPostRoutine([] { theFixture.reset(); });
    }
    return *theFixture;
}

void BM_FillRows(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    for (auto _ : state) {
        fixture.Fill();
    }
    QApplication::processEvents();
    state.counters["rows"] = fixture.list.GetItemCount();
}

void BM_FillRowsAndShow(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    for (auto _ : state) {
        fixture.Fill();
        QApplication::processEvents();
    }
    state.counters["rows"] = fixture.list.GetItemCount();
}

void BM_SelectRowByCode(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    fixture.Fill();
    QApplication::processEvents();
    constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
    int row = 0;
    for (auto _ : state) {
        row = (row + 997) % kRows;
        fixture.list.SetSelectionMark(row);
        fixture.list.EnsureVisible(row, FALSE);
        fixture.list.SetItemState(row, kBoth, kBoth);
        QApplication::processEvents();
    }
}

double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}

void BM_RowMemory(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    fixture.list.DeleteAllItems();
    QApplication::processEvents();
    const double before = ResidentMegabytes();
    fixture.Fill();
    QApplication::processEvents();
    for (auto _ : state) {
    }
    state.counters["rows_MB"] = ResidentMegabytes() - before;
}

BENCHMARK(BM_RowMemory)->Iterations(1);
BENCHMARK(BM_FillRows)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_FillRowsAndShow)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SelectRowByCode)->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace
