// Speed of the analysis: one name with cached data and with data read anew, and the command
// line's batch mode over 100,000 names.
#include <benchmark/benchmark.h>

#include <random>
#include <sstream>

#include "cli/cli.h"
#include "names/char_data.h"
#include "names/main_form.h"
#include "platform/data_folder.h"
#include "platform/text.h"

namespace {

std::filesystem::path dataFolder() { return muwu::findDataFolder(muwu::programFolder()); }

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

void BM_AnalysisCached(benchmark::State& state) { analyseNames(state, muwu::Caching::on); }
void BM_AnalysisReadAnew(benchmark::State& state) { analyseNames(state, muwu::Caching::off); }

std::string makeNames(std::size_t count) {
    muwu::CharacterData data(dataFolder());
    std::u16string pool;
    for (int k = 1; k <= 20; ++k) pool += data.strokePool(k);
    std::mt19937 rng(42);
    std::string text;
    for (std::size_t n = 0; n < count; ++n) {
        std::u16string name;
        const std::size_t length = 2 + rng() % 3;
        for (std::size_t c = 0; c < length; ++c) name += pool[rng() % pool.size()];
        text += muwu::toUtf8(name) + "\n";
    }
    return text;
}

void BM_CliBatchJson(benchmark::State& state) {
    const std::size_t count = static_cast<std::size_t>(state.range(0));
    const std::string input = makeNames(count);
    for (auto _ : state) {
        std::istringstream in(input);
        std::ostringstream out, err;
        muwu::cli::run({"analyze", "--batch", "--json"}, in, out, err, {muwu::programFolder()});
        benchmark::DoNotOptimize(out.str().size());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
}

}  // namespace

BENCHMARK(BM_AnalysisCached);
BENCHMARK(BM_AnalysisReadAnew)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CliBatchJson)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
