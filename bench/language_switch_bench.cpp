// The language switch from "936" to "950" as button 1433 runs it, on a large product
// folder: 2,000 converted text files (50 MB of GBK text, the data-dictionary SQL file
// among them) and a 100,000-entry full resource list that becomes the translation file.
// Each run starts from a fresh copy of the folder.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "foundation/text_conversion.h"
#include "platform/mfc/message_box.h"
#include "platform/mfc/resource_module.h"
#include "resources/tarnwell_resources.h"
#include "tests/support/dialog_responders.h"
#include "tests/support/utf16_file.h"
#include "workbench/language_selection.h"
#include "workbench/tarnwell_dlg.h"

namespace {

using tw_test::Utf16LeFile;

namespace fs = std::filesystem;

constexpr int kConvertedFiles = 2000;
constexpr size_t kConvertedBytes = 50u << 20;
constexpr int kResourceEntries = 100000;

// Folders of the conversion and the extension each one converts.
constexpr std::pair<const char*, const char*> kFolders[] = {
    {"config", ".ini"},
    {"config/ui", ".ini"},
    {"config/ui/check", ".ini"},
    {"config/ui/check2", ".ini"},
    {"configset", ".ini"},
    {"shell", ".bat"},
    {"sql", ".sql"},
};

// Text like a host product's: GBK level-1 Chinese characters with ASCII words between.
std::string GbkText(std::mt19937& random, int characters) {
    std::uniform_int_distribution<int> lead(0xB0, 0xD6), trail(0xA1, 0xFE);
    std::string text;
    for (int n = characters; n > 0; --n) {
        if (n % 7 == 0) {
            text += " Open ";
        } else {
            text.push_back(static_cast<char>(lead(random)));
            text.push_back(static_cast<char>(trail(random)));
        }
    }
    return text;
}

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Settings lines "key=text" of 20 to 80 bytes, to the given size.
std::string SettingsFile(std::mt19937& random, size_t bytes) {
    std::uniform_int_distribution<int> length(8, 36);
    std::string text = "[section]\r\n";
    for (int key = 0; text.size() < bytes; ++key) {
        text += "key" + std::to_string(key) + "=" + GbkText(random, length(random)) + "\r\n";
    }
    return text;
}

void WriteProduct(const fs::path& root) {
    std::mt19937 random(950);
    Write(root / "config/static.ini",
          "[translate]\r\nsystem-language-code=936\r\nlanguages=936:A;950:B\r\n"
          "[dialog]\r\nenable-tooltip=1\r\n");
    Write(root / "drovak.conf", "[BASE]\r\ntargetlang=zh\r\n");
    const size_t perFile = kConvertedBytes / kConvertedFiles;
    Write(root / "data/data.sql", SettingsFile(random, perFile));
    for (int i = 1; i < kConvertedFiles; ++i) {
        const auto& [folder, extension] = kFolders[static_cast<size_t>(i) % std::size(kFolders)];
        Write(root / folder / ("file" + std::to_string(i) + extension),
              SettingsFile(random, perFile));
    }

    std::uniform_int_distribution<int> length(2, 20);
    std::u16string all = u"[str]\r\n";
    for (int key = 0; key < kResourceEntries; ++key) {
        const std::string digits = std::to_string(1000000000 + key);
        const std::u16string text =
            MultiByteToWString(GbkText(random, length(random)).c_str(), 936);
        all += std::u16string(digits.begin(), digits.end()) + u"=" + text + u"\r\n";
    }
    Write(root / "config/res.todo.all", Utf16LeFile(all));
    Write(root / "config/res.todo.txt", Utf16LeFile(u"[str]\r\n1000000000=x\r\n"));
    Write(root / "config/res.txt", Utf16LeFile(u"[str]\r\n1000000000=x\r\n"));
    Write(root / "data/data.ini", Utf16LeFile(u"[str]\r\nx=y\r\n"));
}

void BM_Switch936To950(benchmark::State& state) {
    std::string pattern = (fs::temp_directory_path() / "tarnwell-switch-XXXXXX").string();
    const fs::path base = ::mkdtemp(pattern.data());
    const fs::path original = base / "original";
    const fs::path work = base / "work";
    WriteProduct(original);
    AfxSetResourceHandle(TarnwellResources());
    ScriptedResponder responder;
    ScopedDialogResponder scoped(responder);

    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(work);
        fs::copy(original, work, fs::copy_options::recursive);
        fs::current_path(work);
        auto dialog = std::make_unique<CTarnwellDlg>();
        dialog->Create();
        SelectLanguageByCode(*dialog, u"950");
        responder.messageBoxes.clear();
        state.ResumeTiming();

        dialog->OnApplyLanguage();

        state.PauseTiming();
        if (responder.messageBoxes.size() != 1 ||
            responder.messageBoxes[0].text != u"操作成功，请重新启动软件！") {
            state.SkipWithError("the switch did not succeed");
        }
        dialog.reset();
        fs::current_path(base);
        state.ResumeTiming();
    }
    fs::remove_all(base);
}
BENCHMARK(BM_Switch936To950)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
