// The worker pool and the threaded angle sums: the thread-count setting, the pool itself, and the
// same bits from the plane-wave Mie, Gaussian-beam Mie, Debye and Gaussian-beam Debye series with
// TESSARY_THREADS = 1, 2, 3 and 8. The pool is made once per program, so each thread count runs in a
// child process of this test program, which writes its results for the parent to compare.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "numerics/worker_pool.h"
#include "scattering/debye.h"
#include "scattering/debye_gaussian.h"
#include "scattering/mie.h"
#include "scattering/mie_gaussian.h"
#include "scattering/ray_orders.h"
#include "tests/support/child_run.h"

namespace tessary {
namespace {

// ---- Thread-count setting and the pool -------------------------------------------------------------

struct CountCase {
    const char* text;
    int threads;  // 0: ignored with a warning
};

TEST(WorkerPool, ThreadCountTextIsAWholeNumberFromOneTo1024) {
    // clang-format off
    const CountCase cases[] = {{"1", 1},   {"8", 8},   {"1024", 1024}, {"0", 0},    {"1025", 0}, {"-2", 0},
                               {"+2", 0},  {" 2", 0},  {"2.0", 0},     {"2e1", 0},  {"", 0},     {"two", 0},
                               {"99999999999999999999", 0}};
    // clang-format on
    for (const CountCase& c : cases) {
        std::string warning;
        const std::optional<int> n = ParseThreadCount(c.text, &warning);
        EXPECT_EQ(n.value_or(0), c.threads) << c.text;
        if (c.threads == 0)
            EXPECT_EQ(warning, "TESSARY_THREADS=\"" + std::string(c.text) +
                                   "\" is not a whole number from 1 to 1024 and is ignored");
        else
            EXPECT_TRUE(warning.empty()) << c.text;
    }
    std::string warning;
    EXPECT_FALSE(ParseThreadCount(nullptr, &warning));
    EXPECT_TRUE(warning.empty());
}

TEST(WorkerPool, EveryTaskRunsOnceAndNestedWorkStaysOnItsWorker) {
    WorkerPool pool(4);
    EXPECT_EQ(pool.Threads(), 4);
    for (int round = 0; round < 50; ++round) {
        std::vector<int> runs(97, 0);
        std::atomic<int> inline_{0};
        pool.ForEach(97, [&](int i) {
            ++runs[static_cast<std::size_t>(i)];
            // A nested ForEach on a worker runs in order on that worker, without waiting for the pool.
            if (WorkerPool::OnWorker()) {
                int last = -1;
                bool ordered = true;
                pool.ForEach(3, [&](int k) {
                    ordered = ordered && k == last + 1;
                    last = k;
                });
                if (ordered && last == 2) ++inline_;
            }
        });
        for (int r : runs) ASSERT_EQ(r, 1);
        EXPECT_LE(inline_.load(), 97);
    }
    EXPECT_FALSE(WorkerPool::OnWorker());
}

// ForEachMeanwhile: the calling thread runs meanwhile() once, seeing one thread (its own ForEach stays
// on it), and every task runs once, for no task, one, and more tasks than threads, on pools of one
// thread and of four.
TEST(WorkerPool, MeanwhileRunsOnceOnTheCallingThreadBesideEveryTask) {
    const struct { int threads, count; } cases[] = {{1, 0}, {1, 5}, {4, 0}, {4, 1}, {4, 2}, {4, 97}};
    for (const auto& c : cases) {
        WorkerPool pool(c.threads);
        for (int round = 0; round < 20; ++round) {
            std::vector<std::atomic<int>> runs(static_cast<std::size_t>(c.count));
            int meanwhile = 0, threadsSeen = 0, nestedInOrder = 0;
            const std::thread::id caller = std::this_thread::get_id();
            pool.ForEachMeanwhile(
                c.count, [&](int i) { runs[static_cast<std::size_t>(i)].fetch_add(1); },
                [&] {
                    meanwhile += std::this_thread::get_id() == caller ? 1 : 100;
                    threadsSeen = pool.ThreadsHere();
                    pool.ForEach(3, [&](int k) { nestedInOrder += k == nestedInOrder ? 1 : 100; });
                });
            EXPECT_EQ(meanwhile, 1) << c.threads << " " << c.count;
            EXPECT_EQ(threadsSeen, 1) << c.threads << " " << c.count;
            EXPECT_EQ(nestedInOrder, 3) << c.threads << " " << c.count;
            for (auto& r : runs) ASSERT_EQ(r.load(), 1) << c.threads << " " << c.count;
        }
    }
}

// Jobs back to back, with fewer tasks than threads (empty shares), as many, and more, shared out or
// not: a thread late from one job never takes a task of the next.
TEST(WorkerPool, JobsInQuickSuccessionRunEachTaskOnce) {
    WorkerPool pool(5);
    std::vector<std::atomic<int>> runs(23);
    for (int job = 0; job < 3000; ++job) {
        const int count = 2 + job % 22;
        auto task = [&](int i) { runs[static_cast<std::size_t>(i)].fetch_add(job + 1); };
        if (job % 3 == 0)
            pool.ForEach(count, task);
        else
            pool.ForEachInShares(count, task);
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(runs[static_cast<std::size_t>(i)].exchange(0), job + 1) << job;
    }
    // Inside a job every task sees one thread, the caller's too: a task asking the pool again (here,
    // on any thread) runs its tasks itself.
    std::atomic<int> wrong{0}, nested{0};
    pool.ForEach(64, [&](int) {
        wrong += pool.ThreadsHere() != 1;
        pool.ForEach(3, [&](int) { ++nested; });
    });
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(nested.load(), 64 * 3);
    EXPECT_EQ(pool.ThreadsHere(), 5);
    const CallingThreadOnly one;
    EXPECT_EQ(pool.ThreadsHere(), 1);
}

// ---- The kernels, with the thread count of the environment ---------------------------------------

// Grids whose point counts are no multiple of any block (256 angles, 8 and 64 lanes).
constexpr int kNang = 701;

void Put(std::ostream& out, const std::vector<double>& v) {
    out.write(reinterpret_cast<const char*>(v.data()),
              static_cast<std::streamsize>(v.size() * sizeof(double)));
}
void Put(std::ostream& out, double v) { out.write(reinterpret_cast<const char*>(&v), sizeof v); }

template <class R>
void PutAmplitudes(std::ostream& out, const R& r) {
    for (const auto* v : {&r.S1re, &r.S1im, &r.S2re, &r.S2im}) Put(out, *v);
}

RaySelection Orders(int last) {
    RaySelection rays;
    for (int p = 0; p <= last; ++p) rays.rayflag[static_cast<std::size_t>(p)] = 1;
    rays.rayCount = last + 1;
    rays.rayPMax = 50;
    return rays;
}

// Every threaded kernel, also converging and stopped runs, written as raw doubles.
void WriteKernelResults(std::ostream& out) {
    Put(out, SharedPool().Threads());
    MieInput mie;
    mie.m = {1.33, 0.01};
    mie.NANG = kNang;
    mie.first = 1;
    mie.last = 2 * kNang - 1;
    // x = 300: a small run, on the calling thread whatever the pool; x = 6000: bands on the pool.
    for (const auto& [x, graph] : {std::pair{300.0, MieGraph::Normal},
                                   {300.0, MieGraph::Convergence},
                                   {6000.0, MieGraph::Normal},
                                   {6000.0, MieGraph::Convergence}}) {
        mie.x = x;
        mie.graph = graph;
        mie.angleIndex = 777;
        MieResult r;
        MieSeries(mie, r);
        EXPECT_EQ(r.status, MieStatus::Done) << r.message;
        PutAmplitudes(out, r);
        for (double v : {r.Qext, r.Qsca, r.Qback, r.g}) Put(out, v);
        Put(out, r.intensityPerp);
        Put(out, r.intensityUnpol);
        MieSeries(mie, r, [](int n, int) { return n == 130; });
        EXPECT_EQ(r.status, MieStatus::Stopped);
        PutAmplitudes(out, r);
        for (double v : {r.Qsca, r.g, static_cast<double>(r.ordersDone)}) Put(out, v);
    }

    // A long run: more than 3072 orders, so bands of more than 128 orders.
    mie.x = 1e4;
    mie.m = {1.5, 0.001};
    mie.graph = MieGraph::Normal;
    MieResult longRun;
    MieSeries(mie, longRun);
    EXPECT_EQ(longRun.status, MieStatus::Done) << longRun.message;
    PutAmplitudes(out, longRun);
    for (double v : {longRun.Qext, longRun.Qsca, longRun.Qback, longRun.g}) Put(out, v);

    MieGaussianInput beam;
    beam.x = 80.0;
    beam.m = {1.33, 0.0};
    beam.NANG = 301;
    beam.first = 5;
    beam.last = 2 * 301 - 9;
    beam.wavelength = 0.65;
    beam.beam = {2.0f, 1.0f, 1.0f, 5.0f, 30.0};
    MieGaussianResult g;
    MieGaussianSeries(beam, g);
    EXPECT_EQ(g.status, MieStatus::Done) << g.message;
    PutAmplitudes(out, g);
    MieGaussianSeries(
        beam, g, [](BeamStage stage, int done, int) { return stage == BeamStage::Angles && done == 333; });
    EXPECT_EQ(g.status, MieStatus::Stopped);
    PutAmplitudes(out, g);
    Put(out, g.pointsDone);

    DebyeInput debye;
    debye.x = 200.0;
    debye.m = {1.33, 0.001};
    debye.NANG = kNang;
    debye.first = 3;
    debye.last = 2 * kNang - 2;
    debye.rayListText = "-5";
    for (const DebyeGraph graph : {DebyeGraph::Normal, DebyeGraph::Convergence}) {
        debye.graph = graph;
        DebyeResult r;
        DebyePlaneWave(debye, Orders(5), r);
        EXPECT_EQ(r.status, DebyeStatus::Done) << r.message;
        PutAmplitudes(out, r);
        Put(out, r.intensityPara);
        int calls = 0;
        DebyePlaneWave(debye, Orders(5), r, [&](double done, double) { return done > 0.0 && ++calls == 7; });
        EXPECT_EQ(r.status, DebyeStatus::Stopped);
        PutAmplitudes(out, r);
        Put(out, r.stepsDone);
    }

    DebyeGaussianInput debyeBeam;
    debyeBeam.x = 60.0;
    debyeBeam.m = {1.5, 0.01};
    debyeBeam.NANG = 251;
    debyeBeam.first = 1;
    debyeBeam.last = 2 * 251 - 1;
    debyeBeam.wavelength = 0.65;
    debyeBeam.beam = {2.0f, 1.0f, 1.0f, 5.0f, 30.0};
    debyeBeam.rayListText = "Multiple";
    debyeBeam.mnuMultBeams = true;
    DebyeGaussianResult d;
    DebyeGaussianSeries(debyeBeam, Orders(3), d);
    EXPECT_EQ(d.status, DebyeStatus::Done) << d.message;
    PutAmplitudes(out, d);
}

// Run by the parent in a child process: writes the results where TESSARY_RESULTS_FILE says.
TEST(ThreadedKernels, WriteResultsForTheParent) {
    const char* path = std::getenv("TESSARY_RESULTS_FILE");
    if (path == nullptr) GTEST_SKIP() << "runs as a child of ThreadedKernels.SameBitsForAnyThreadCount";
    std::ofstream out(path, std::ios::binary);
    WriteKernelResults(out);
}

// Runs the child with TESSARY_THREADS = `threads`; its results and its standard error.
std::string RunChild(const std::string& threads, std::string* errors = nullptr) {
    return test::RunSelfWithThreads("ThreadedKernels.WriteResultsForTheParent", threads, errors);
}

double ThreadsOf(const std::string& results) {
    double threads = 0.0;
    if (results.size() >= sizeof threads) std::memcpy(&threads, results.data(), sizeof threads);
    return threads;
}

TEST(ThreadedKernels, SameBitsForAnyThreadCount) {
    const std::string one = RunChild("1");
    ASSERT_GT(one.size(), 400000u);
    EXPECT_EQ(ThreadsOf(one), 1.0);
    for (const int threads : {2, 3, 8}) {
        const std::string many = RunChild(std::to_string(threads));
        EXPECT_EQ(ThreadsOf(many), threads);
        ASSERT_EQ(many.size(), one.size()) << threads;
        EXPECT_TRUE(many.compare(sizeof(double), std::string::npos, one, sizeof(double), std::string::npos) ==
                    0)
            << threads << " threads differ from one";
    }
}

TEST(ThreadedKernels, UnusableThreadCountIsReportedOnceAndIgnored) {
    std::string errors;
    const std::string results = RunChild("lots", &errors);
    EXPECT_GE(ThreadsOf(results), 1.0);
    EXPECT_NE(errors.find("TESSARY_THREADS=\"lots\" is not a whole number from 1 to 1024 and is ignored\n"),
              std::string::npos)
        << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

// ---- Stops during threaded runs -------------------------------------------------------------------

// A water drop (m = 1.33) of size parameter x over the whole angle grid.
MieInput WaterDropInput(double x, int nang = kNang) {
    MieInput in;
    in.x = x;
    in.m = {1.33, 0.0};
    in.NANG = nang;
    in.first = 1;
    in.last = 2 * nang - 1;
    return in;
}

// A run on the pool ends at the end of the band of 128 orders the stop falls in; a small run (below
// 3e6 angle-order terms) stays on the calling thread and ends at the order itself.
TEST(ThreadedKernels, MieStopEndsAtTheEndOfItsBandOfOrders) {
    const struct {
        double x;
        int nang, ordersDone;
    } cases[] = {{2900.0, 1801, 256}, {300.0, kNang, 130}};  // 2977 x 1801 and 347 x 701 terms
    for (const auto& c : cases) {
        MieInput in = WaterDropInput(c.x, c.nang);
        in.graph = MieGraph::Convergence;
        in.angleIndex = 1000;
        MieResult conv;
        MieSeries(in, conv);
        in.graph = MieGraph::Normal;
        MieResult r;
        int calls = 0;
        MieSeries(in, r, [&](int n, int) {
            ++calls;
            return n == 130;
        });
        EXPECT_EQ(r.status, MieStatus::Stopped) << c.x;
        EXPECT_EQ(calls, 130) << c.x;  // no callback after the stop
        EXPECT_EQ(r.ordersDone, c.ordersDone) << c.x;
        const double s1 = std::hypot(r.S1re[1000], r.S1im[1000]);
        EXPECT_NEAR(s1 * s1, conv.intensityPerp[c.ordersDone], 1e-14 * conv.intensityPerp[c.ordersDone])
            << c.x;
    }
}

// A run of more than 3072 orders sums about 24 bands of a multiple of 128 orders: at x = 1e4, m = 1.33
// (10106 orders) bands of 512, so a stop after order 300 ends after order 512 (bands of 128: 384).
TEST(ThreadedKernels, MieStopInALongRunEndsAtTheEndOfItsLongerBand) {
    MieInput in = WaterDropInput(1e4);
    MieResult r;
    MieSeries(in, r, [](int n, int terms) {
        EXPECT_EQ(terms, 10106);
        return n == 300;
    });
    EXPECT_EQ(r.status, MieStatus::Stopped);
    EXPECT_EQ(r.ordersDone, 512);
}

// The blocks of angles run ahead of a band's report into the bands after it; a stop reported after a
// band still leaves that band's sums: the bits of a run on one thread, and no convergence intensity
// after ordersDone. x = 1e4, m = 1.33, convergence graph: round(1.1 * 10106) = 11117 orders in bands
// of 512.
TEST(ThreadedKernels, MieStopWhileBlocksRunAheadLeavesTheSumsOfItsBand) {
    struct Case {
        int stopAt, ordersDone;
    };
    for (const Case c : {Case{1, 512}, Case{300, 512}, Case{2000, 2048}, Case{9000, 9216}}) {
        MieInput in = WaterDropInput(1e4);
        in.graph = MieGraph::Convergence;
        in.angleIndex = 1000;
        const auto stop = [&](int n, int) { return n == c.stopAt; };
        MieResult one, pool;
        {
            const CallingThreadOnly only;
            MieSeries(in, one, stop);
        }
        MieSeries(in, pool, stop);
        EXPECT_EQ(pool.status, MieStatus::Stopped) << c.stopAt;
        EXPECT_EQ(pool.ordersDone, c.ordersDone);
        EXPECT_EQ(one.ordersDone, c.ordersDone);
        EXPECT_TRUE(pool.S1re == one.S1re && pool.S1im == one.S1im && pool.S2re == one.S2re &&
                    pool.S2im == one.S2im)
            << c.stopAt;
        EXPECT_EQ(pool.Qsca, one.Qsca);
        EXPECT_EQ(pool.g, one.g);
        EXPECT_TRUE(pool.intensityPerp == one.intensityPerp && pool.intensityUnpol == one.intensityUnpol)
            << c.stopAt;
        ASSERT_EQ(pool.intensityPara.size(), 11118u);
        EXPECT_GT(pool.intensityPara[c.ordersDone], 0.0);
        EXPECT_TRUE(std::all_of(pool.intensityPara.begin() + c.ordersDone + 1, pool.intensityPara.end(),
                                [](double v) { return v == 0.0; }))
            << c.stopAt;
    }
}

}  // namespace
}  // namespace tessary
