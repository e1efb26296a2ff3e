// SPDX-License-Identifier: GPL-3.0-or-later
// The automatic choice of the main bars: the lightest five for each worked
// example, and for 1,000 random designs around them.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "studies/bar_proposal.h"
#include "files/design_file.h"

using namespace haltrix;

namespace {

DesignInputs exampleDesign(const char* name) {
    DesignInputs record;
    if (const auto error =
            readDesignFile(std::string(HALTRIX_SOURCE_DIR "/examples/") + name, record)) {
        std::fprintf(stderr, "%s\n", error->message().c_str());
        std::exit(1);
    }
    return record;
}

const std::vector<DesignInputs>& randomDesigns() {
    static const std::vector<DesignInputs> designs = [] {
        std::mt19937 random(1000);
        std::uniform_real_distribution<double> spread(0.5, 2.0);
        const DesignInputs bases[] = {exampleDesign("bracket-gravitational.tvx"),
                                      exampleDesign("bracket-si.tvx")};
        std::vector<DesignInputs> list;
        for (int i = 0; i < 1000; ++i) {
            DesignInputs r = bases[i % 2];
            for (double* field : {&r.H1, &r.H2, &r.l, &r.b, &r.a, &r.P, &r.t, &r.c})
                *field *= spread(random);
            list.push_back(r);
        }
        return list;
    }();
    return designs;
}

void BM_ProposeExample(benchmark::State& state) {
    const DesignInputs design =
        exampleDesign(state.range(0) == 1 ? "bracket-gravitational.tvx" : "bracket-si.tvx");
    for (auto _ : state)
        benchmark::DoNotOptimize(proposeBars(design, {}, 5));
}
BENCHMARK(BM_ProposeExample)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// All 1,000 designs per iteration: the figure divided by 1,000 is the time
// of one design.
void BM_ProposeRandom(benchmark::State& state) {
    const std::vector<DesignInputs>& designs = randomDesigns();
    for (auto _ : state) {
        for (const DesignInputs& design : designs)
            benchmark::DoNotOptimize(proposeBars(design, {}, 5));
    }
}
BENCHMARK(BM_ProposeRandom)->Unit(benchmark::kMillisecond);

} // namespace
