// Loading the embedded skin (inflate, pictures, description, records) against a bare zlib
// inflate of the same stored bytes. The goal is a load at most 1.3 times the bare inflate.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <algorithm>
#include <map>
#include <vector>
#include <string>

#include "base/Component.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/Streams.h"
#include "skin/data/ZlibStreams.h"

namespace {

using namespace tolvar;

// The package the build embeds: built from resources/skin as skinpack builds it.
const std::string& StoredBytes() {
    static const std::string bytes = [] {
        TskCompressedStoredSkin skin;
        skin.BuildFromDescription(std::string(TOLVAR_SKIN_DIR) + "/skin.ini");
        return skin.WriteCompressedData();
    }();
    return bytes;
}

size_t InflatedSize() {
    static const size_t size = [] {
        TBytesStream source(StoredBytes());
        TMemoryStream target;
        DecompressStream(target, source);
        return target.Bytes().size();
    }();
    return size;
}

void BM_BareInflate(benchmark::State& state) {
    const std::string& in = StoredBytes();
    std::string out(InflatedSize(), '\0');
    for (auto _ : state) {
        uLongf size = uLongf(out.size());
        if (uncompress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(in.data()),
                       uLong(in.size())) != Z_OK)
            state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(InflatedSize()));
}
BENCHMARK(BM_BareInflate)->Unit(benchmark::kMillisecond);

void BM_LoadEmbeddedSkin(benchmark::State& state) {
    TComponent window;
    auto* stored = Own<TskCompressedStoredSkin>(&window);
    stored->ReadCompressedData(StoredBytes());
    auto* data = Own<TskSkinData>(&window);
    for (auto _ : state) {
        data->LoadFromCompressedStoredSkin(stored);
        if (data->Empty() || data->FindControlIndex("gauge") < 0) state.SkipWithError("skin not loaded");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(InflatedSize()));
}
BENCHMARK(BM_LoadEmbeddedSkin)->Unit(benchmark::kMillisecond);

// The console report, and the ratio of the two at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (!r.error_occurred && r.run_type == Run::RT_Iteration)
                times_[r.run_name.function_name].push_back(r.GetAdjustedCPUTime());
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        // CPU time, the median over repetitions: other work on the machine does not count.
        const double inflate = Median(times_["BM_BareInflate"]), load = Median(times_["BM_LoadEmbeddedSkin"]);
        if (inflate > 0 && load > 0)
            std::printf("stored %zu bytes, inflated %zu bytes; load / bare inflate = %.2f (goal: at most 1.30)\n",
                        StoredBytes().size(), InflatedSize(), load / inflate);
    }

private:
    static double Median(std::vector<double> v) {
        if (v.empty()) return 0;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }
    std::map<std::string, std::vector<double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
