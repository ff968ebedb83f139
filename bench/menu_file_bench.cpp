// Reading a 100,000-line menu file (read, decode, split, check, complete headers) against the floor for
// the same bytes: the same read and a plain split into one string per line.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "menufile/file_stamp.h"
#include "menufile/reader.h"
#include "menufile/writer.h"
#include "platform/fake/fake_files.h"
#include "platform/files.h"

namespace {

constexpr int MenuLines = 100000;
const std::u16string BenchMenuPath = u"C:\\Bench\\Vorlix.lst";

// A menu shaped like real ones: top-level items, submenus without header lines, separators, remarks,
// parameters and non-ASCII labels, in UTF-8 without a mark so that the content scan runs too.
std::string makeMenu() {
    std::string menu;
    menu.reserve(static_cast<std::size_t>(MenuLines) * 64);
    for (int i = 0; i < MenuLines; ++i) {
        const std::string n = std::to_string(i);
        switch (i % 8) {
        case 0: menu += "Editor " + n + " = C:\\Program Files\\Editor\\editor.exe;%file%;C:\\Work;max\r\n"; break;
        case 1: menu += "Tools " + std::to_string(i / 64) + "/Calc " + n + "=calc.exe\r\n"; break;
        case 2: menu += "Tools " + std::to_string(i / 64) + "/K\xC3\xA4se " + n + "=notepad.exe;a\x7F" "b\r\n"; break;
        case 3: menu += "-=\r\n"; break;
        case 4: menu += "Web " + n + "=https://example.org/page" + n + "\r\n"; break;
        case 5: menu += "Note " + n + "=rem Checked on 2021-02-07\r\n"; break;
        case 6: menu += "Docs/Folder " + n + "=files;*.txt;%HOME%\\Documents\r\n"; break;
        default: menu += "  Explorer " + n + "  =  explorer.exe;/e,;C:\\Data;;shell32.dll,3  \r\n"; break;
        }
    }
    return menu;
}

void putBenchMenu() {
    static const std::string menu = makeMenu();
    if (!fake::findFile(BenchMenuPath)) fake::putFile(BenchMenuPath, menu);
    vorlix::app.menuFilePath = BenchMenuPath;
}

void BM_PlainLineSplit(benchmark::State& state) {
    putBenchMenu();
    for (auto _ : state) {
        std::string bytes;
        platform::readFileExclusive(BenchMenuPath, bytes);
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string::npos) end = bytes.size();
            lines.emplace_back(bytes, start, end - start);
            start = end + 1;
        }
        benchmark::DoNotOptimize(lines.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * MenuLines);
}
BENCHMARK(BM_PlainLineSplit)->Unit(benchmark::kMillisecond);

void BM_LoadMenuFile(benchmark::State& state) {
    putBenchMenu();
    for (auto _ : state) {
        bool ok = vorlix::loadMenuFile();
        vorlix::completeSubmenuHeaders();
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(vorlix::app.entries.data());
        benchmark::ClobberMemory();
    }
    if (vorlix::app.lineNumber != MenuLines) state.SkipWithError("the bench menu did not read completely");
    state.SetItemsProcessed(state.iterations() * MenuLines);
}
BENCHMARK(BM_LoadMenuFile)->Unit(benchmark::kMillisecond);

// The stamp that every read of the menu takes, the popup's included: its share of BM_LoadMenuFile.
void BM_StampMenuFile(benchmark::State& state) {
    putBenchMenu();
    const std::string& bytes = fake::findFile(BenchMenuPath)->bytes;
    for (auto _ : state) benchmark::DoNotOptimize(vorlix::stampOf(bytes));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_StampMenuFile)->Unit(benchmark::kMillisecond);

// Apply on the same menu: whether another program changed the file since, then the write itself
// (the check of every line, the text, its encoding, the safe replace).
void BM_ApplyMenuFile(benchmark::State& state) {
    putBenchMenu();
    vorlix::loadMenuFile();
    vorlix::completeSubmenuHeaders();
    for (auto _ : state) {
        const bool changed = vorlix::menuFileChangedOnDisk();
        const vorlix::SaveResult saved = vorlix::saveMenuFile();
        if (changed || saved != vorlix::SaveResult::Saved) state.SkipWithError("the bench menu did not save");
    }
    state.SetItemsProcessed(state.iterations() * MenuLines);
}
BENCHMARK(BM_ApplyMenuFile)->Unit(benchmark::kMillisecond);

} // namespace
