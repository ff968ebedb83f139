// Popup costs: ordering a folder listing, and building a large popup with and without icons.
#include <benchmark/benchmark.h>

#include <random>

#include "core/app_state.h"
#include "core/text.h"
#include "platform/fake/fake_environment.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_folders.h"
#include "platform/fake/fake_icons.h"
#include "platform/fake/fake_menus.h"
#include "popup/folder_listing.h"
#include "popup/popup_menu.h"

namespace {

using namespace vorlix;

// File names like a download folder's: mixed case, shared prefixes, some equal apart from case.
std::vector<std::u16string> folderNames(std::size_t count) {
    std::mt19937 random(42);
    const char16_t* stems[] = {u"Report", u"report", u"IMG_", u"invoice", u"Setup", u"notes", u"Draft", u"a"};
    const char16_t* extensions[] = {u".txt", u".pdf", u".JPG", u".exe", u".docx"};
    std::vector<std::u16string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(std::u16string(stems[random() % 8]) + toDecimal(random() % (count / 2 + 1)) +
                        extensions[random() % 5]);
    }
    return names;
}

void BM_SortFolderNames(benchmark::State& state) {
    const auto names = folderNames(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto copy = names;
        sortFolderNames(copy);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SortFolderNames)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The walk-back insertion that gives the same order in quadratic time, for comparison.
void BM_OrderedInsertionReference(benchmark::State& state) {
    const auto names = folderNames(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::vector<std::u16string> list;
        std::vector<std::u16string> keys;
        for (const auto& n : names) {
            std::u16string key = lowerCase(n);
            std::size_t at = keys.size();
            while (at > 0 && keys[at - 1] > key) --at;
            keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(at), key);
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), n);
        }
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OrderedInsertionReference)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ListFolder(benchmark::State& state) {
    resetAppState();
    fake::resetEnvironment();
    fake::resetFolders();
    fake::putFolderNames(u"D:\\Big", folderNames(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state) {
        listFolder(u"D:\\Big\\", u"*.*");
        benchmark::DoNotOptimize(app.folderItems.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListFolder)->Arg(100000)->Unit(benchmark::kMillisecond);

// 5,000 entries: items from 20 programs, a submenu every 50 entries, separators, remarks.
void setUpLargeMenu(bool withIcons) {
    resetAppState();
    fake::resetEnvironment();
    fake::resetFiles();
    fake::resetMenus();
    fake::resetIcons();
    app.keywordList = u"configuration;vorlix;files;rem;cancel;submenu";
    app.programPath = u"C:\\Tools\\Vorlix.exe";
    app.options = CheckOnly | (withIcons ? ShowIcons : 0u);
    for (int p = 0; p < 20; ++p) fake::icons().shellNames.insert(u"C:\\Apps\\app" + toDecimal(p) + u".exe");
    for (int i = 0; i < 5000; ++i) {
        std::u16string n = toDecimal(i);
        if (i % 50 == 0) app.entries.push_back({u"Group" + n + u"/", u"submenu", 0});
        else if (i % 50 < 25) app.entries.push_back({u"Group" + toDecimal(i - i % 50) + u"/Item " + n,
                                                      u"C:\\Apps\\app" + toDecimal(i % 20) + u".exe", 0});
        else if (i % 17 == 0) app.entries.push_back({u"-", u"", 0});
        else if (i % 19 == 0) app.entries.push_back({u"Note " + n, u"rem", 0});
        else app.entries.push_back({u"Item " + n, u"C:\\Apps\\app" + toDecimal(i % 20) + u".exe;-x;C:\\Work", 0});
    }
    app.lineNumber = static_cast<std::int64_t>(app.entries.size());
}

void BM_BuildPopup(benchmark::State& state) {
    const bool withIcons = state.range(0) != 0;
    setUpLargeMenu(withIcons);
    for (auto _ : state) buildPopupMenu();
    state.SetLabel(withIcons ? "with icons" : "without icons");
    state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_BuildPopup)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
