// Speed of the analysis: one name through the form with cached data and with data read anew, the
// analysis from stroke counts, the command line's batch mode over 1,000,000 names, and the search
// for the best given names of a surname.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <random>
#include <sstream>

#include "cli/cli.h"
#include "names/analysis.h"
#include "names/char_data.h"
#include "names/main_form.h"
#include "naming/name_search.h"
#include "platform/data_folder.h"
#include "platform/text.h"

namespace {

std::filesystem::path dataFolder() {
    return muwu::findDataFolder(muwu::programFolder());
}

void analyseNames(benchmark::State& state, muwu::Caching caching) {
    muwu::CharacterData data(dataFolder(), caching);
    muwu::MainForm form(data);
    form.load();
    const std::u16string names[] = {u"张三丰", u"欧阳修"};
    std::size_t i = 0;
    for (auto _ : state) {
        form.setText3(names[i++ & 1]);
        benchmark::DoNotOptimize(form.评分);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_AnalysisCached(benchmark::State& state) {
    analyseNames(state, muwu::Caching::on);
}
void BM_AnalysisReadAnew(benchmark::State& state) {
    analyseNames(state, muwu::Caching::off);
}

void pureAnalyses(benchmark::State& state, muwu::CharacterData& data) {
    const std::u16string names[] = {u"张三丰", u"欧阳修"};
    std::size_t i = 0;
    for (auto _ : state) {
        muwu::Analysis a = muwu::analyseName(data, names[i++ & 1], {});
        benchmark::DoNotOptimize(a);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_PureAnalysis(benchmark::State& state) {
    muwu::CharacterData data(dataFolder());
    pureAnalyses(state, data);
}

// The same inside one open batch, as analyze --batch runs it: no check of the data per name.
void BM_PureAnalysisInBatch(benchmark::State& state) {
    muwu::CharacterData data(dataFolder());
    muwu::CharacterData::Batch batch(data);
    pureAnalyses(state, data);
}

// Names of 2 to 4 everyday characters (GB2312 level 1), one a line.
std::string makeNames(std::size_t count) {
    muwu::CharacterData data(dataFolder());
    std::u16string pool;
    for (const muwu::PoolCharacter& c : muwu::searchPool(data, muwu::PoolKind::tables))
        pool += c.c;
    std::mt19937 rng(42);
    std::string text;
    for (std::size_t n = 0; n < count; ++n) {
        std::u16string name;
        const std::size_t length = 2 + rng() % 3;
        for (std::size_t c = 0; c < length; ++c)
            name += pool[rng() % pool.size()];
        text += muwu::toUtf8(name) + "\n";
    }
    return text;
}

// Output goes to a pipe or file in real use; collecting 30 MB in memory would measure the
// allocator.
struct Discard : std::streambuf {
    std::size_t bytes = 0;
    std::streamsize xsputn(const char*, std::streamsize n) override {
        bytes += static_cast<std::size_t>(n);
        return n;
    }
    int_type overflow(int_type c) override {
        ++bytes;
        return c;
    }
};

void BM_CliBatchJson(benchmark::State& state) {
    const std::size_t count = static_cast<std::size_t>(state.range(0));
    const std::string input = makeNames(count);
    // Through a file descriptor, as standard input reaches the program.
    char path[] = "/tmp/muwu-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0 || write(fd, input.data(), input.size()) != static_cast<ssize_t>(input.size())) {
        state.SkipWithError("cannot write the names");
        return;
    }
    for (auto _ : state) {
        lseek(fd, 0, SEEK_SET);
        std::istringstream unused;
        Discard sink;
        std::ostream out(&sink);
        std::ostringstream err;
        muwu::cli::run({"analyze", "--batch", "--json"}, unused, out, err,
                       {muwu::programFolder(), fd});
        benchmark::DoNotOptimize(sink.bytes);
    }
    close(fd);
    unlink(path);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
}

// The top 50 two-character given names of a surname over every pair of the name table's first
// tier, the character pool built once as the search window keeps it.
void BM_SearchTop50(benchmark::State& state) {
    muwu::CharacterData data(dataFolder());
    const auto pool = muwu::searchPool(data, muwu::PoolKind::tables);
    const std::u16string surnames[] = {u"王", u"欧阳", u"张", u"诸葛", u"龚", u"李"};
    muwu::SearchOptions o;
    o.surname = surnames[state.range(0)];
    std::size_t total = 0;
    for (auto _ : state) {
        const muwu::SearchResult r = muwu::searchNames(data, pool, o);
        total = r.total;
        benchmark::DoNotOptimize(r);
    }
    state.counters["names_covered"] = static_cast<double>(total);
}

// The top 50 with wider choices: for a girl; both tiers; every listed character; a company
// (trade-name table, then every listed character); wanting two elements and a 吉 三才 (the
// tables, then every listed character).
void BM_SearchTop50Wider(benchmark::State& state) {
    muwu::CharacterData data(dataFolder());
    const auto tables = muwu::searchPool(data, muwu::PoolKind::tables);
    const auto every = muwu::searchPool(data, muwu::PoolKind::allListed);
    muwu::SearchOptions o;
    o.surname = u"李";
    const std::vector<muwu::PoolCharacter>* pool = &tables;
    switch (state.range(0)) {
        case 0:
            o.gender = muwu::Gender::female;
            break;
        case 1:
            o.allTiers = true;
            break;
        case 2:
            pool = &every;
            break;
        case 3:
        case 4:
            o.company = true;
            o.surname.clear();
            o.suffix = u"科技";
            pool = state.range(0) == 3 ? &tables : &every;
            break;
        case 5:
        case 6:
            o.supply = u"金水";
            o.sancaiAtLeast = muwu::SancaiClass::luck;
            pool = state.range(0) == 5 ? &tables : &every;
            break;
        default:
            break;
    }
    std::size_t total = 0;
    for (auto _ : state) {
        const muwu::SearchResult r = muwu::searchNames(data, *pool, o);
        total = r.total;
        benchmark::DoNotOptimize(r);
    }
    state.counters["names_covered"] = static_cast<double>(total);
}

// The same with the pool built inside, as one run of muwu-cli search does.
void BM_SearchTop50WithPool(benchmark::State& state) {
    muwu::CharacterData data(dataFolder());
    muwu::SearchOptions o;
    o.surname = u"王";
    for (auto _ : state) {
        const auto pool = muwu::searchPool(data, muwu::PoolKind::tables);
        benchmark::DoNotOptimize(muwu::searchNames(data, pool, o));
    }
}

}  // namespace

BENCHMARK(BM_PureAnalysis);
BENCHMARK(BM_PureAnalysisInBatch);
BENCHMARK(BM_SearchTop50)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchTop50Wider)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchTop50WithPool)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisCached);
BENCHMARK(BM_AnalysisReadAnew)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CliBatchJson)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
