// The worker pool; see worker_pool.h.
//
// One job at a time: the caller fills a job slot, cuts the tasks into runs (one run of all tasks, or
// one run per thread for ForEachInShares) and publishes the job with a new generation. Every thread
// claims the tasks of its own run first (compare-and-swap on the run's counter), then those left in
// the others; the caller waits until every task has returned. Workers spin for a short while after a
// job before they sleep on a condition variable, and the caller spins before it sleeps on the count
// of tasks left: a kernel publishes its jobs (bands of orders) in quick succession, and waking a
// thread costs more than a short band.
#include "worker_pool.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace tessary {
namespace {

constexpr int kMaxThreads = 1024;

thread_local bool t_onWorker = false;
thread_local bool t_callingThreadOnly = false;

}  // namespace

std::optional<int> ParseThreadCount(const char* text, std::string* warning) {
    if (text == nullptr) return std::nullopt;
    int value = 0;
    bool valid = *text != '\0';
    for (const char* c = text; valid && *c != '\0'; ++c) {
        valid = *c >= '0' && *c <= '9';
        if (valid) value = value * 10 + (*c - '0');
        valid = valid && value <= kMaxThreads;
    }
    if (valid && value >= 1) return value;
    if (warning != nullptr)
        *warning = "TESSARY_THREADS=\"" + std::string(text) +
                   "\" is not a whole number from 1 to 1024 and is ignored";
    return std::nullopt;
}

// A job's function, object, task count and number of runs. Two slots, by the parity of the
// generation: a thread late from job g may still read slot g % 2, and that slot is filled again only
// for job g + 2, when every run has long been tagged with a later generation, so that its claims fail.
struct WorkerPool::Job {
    std::atomic<void (*)(void*, int)> call{nullptr};
    std::atomic<void*> object{nullptr};
    std::atomic<int> count{0};
    std::atomic<int> runs{1};  // the first `runs` run counters share the tasks, the others are empty
};

// The claim counter of a run of tasks (the one run of a ForEach, or a thread's share):
// generation << 32 | next task. A line of its own, so that threads claiming from their own runs do not
// disturb one another.
struct alignas(64) WorkerPool::RunCounter {
    std::atomic<std::uint64_t> next{0};
};

struct WorkerPool::State {
    explicit State(int threads) : runs(static_cast<std::size_t>(threads)) {}

    std::atomic<std::uint32_t> generation{0};  // of the job last published
    Job slots[2];
    std::vector<RunCounter> runs;  // one per thread: the calling thread, then the workers
    // Tasks of the current job that have not returned: on a line apart from the generation and the
    // slots, which the workers read while they wait.
    alignas(64) std::atomic<int> pending{0};
    std::atomic<int> sleepers{0};  // workers asleep (or falling asleep) on `wake`
    std::mutex mutex;              // guards only the sleep on `wake`
    std::condition_variable_any wake;
    std::mutex busy;  // held by the thread whose job the workers serve
    std::vector<std::jthread> workers;
};

namespace {

// Waking a sleeping thread takes tens of microseconds, so both sides spin for a while before they
// sleep: a kernel publishes its next band of work a few microseconds after the last block of the
// band before (which a worker that finished early waits for too, up to a block's time). No longer,
// since a spinning thread takes the time of a core from other programs.
constexpr auto kSpin = std::chrono::microseconds(200);

inline void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Spins until done() or `time` has passed; whether done() came true.
template <class Done>
bool SpinUntil(std::chrono::microseconds time, Done done) {
    const auto end = std::chrono::steady_clock::now() + time;
    for (int i = 1;; ++i) {
        if (done()) return true;
        if (i % 64 == 0 && std::chrono::steady_clock::now() > end) return false;
        CpuRelax();
    }
}

// Run r of `runs` runs over `count` tasks: tasks [RunBegin(r), RunBegin(r + 1)); empty from r = runs on.
int RunBegin(int r, int runs, int count) {
    return r >= runs ? count : static_cast<int>(static_cast<long long>(r) * count / runs);
}

}  // namespace

// Claims and runs tasks of job `generation`: first those of the thread's own run, then those left in
// the other runs, until every task is claimed or a later job has replaced this one.
void WorkerPool::Work(State& s, std::uint32_t generation, int self) {
    const Job& job = s.slots[generation % 2];
    const int threads = static_cast<int>(s.runs.size());
    const int count = job.count.load(std::memory_order_relaxed);
    const int runs = job.runs.load(std::memory_order_relaxed);
    for (int k = 0; k < threads; ++k) {
        const int r = (self + k) % threads, end = RunBegin(r + 1, runs, count);
        std::atomic<std::uint64_t>& next = s.runs[static_cast<std::size_t>(r)].next;
        std::uint64_t run = next.load(std::memory_order_acquire);
        while (static_cast<std::uint32_t>(run >> 32) == generation) {
            const int i = static_cast<int>(run & 0xffffffffu);
            if (i >= end) break;
            if (!next.compare_exchange_weak(run, run + 1, std::memory_order_acquire)) continue;
            job.call.load(std::memory_order_relaxed)(job.object.load(std::memory_order_relaxed), i);
            if (s.pending.fetch_sub(1, std::memory_order_release) == 1) s.pending.notify_one();
            run = next.load(std::memory_order_acquire);
        }
    }
}

WorkerPool::WorkerPool(int threads) : threads_(threads < 1 ? 1 : threads), state_(new State(threads_)) {
    state_->workers.reserve(static_cast<std::size_t>(threads_ - 1));
    for (int i = 1; i < threads_; ++i)
        state_->workers.emplace_back([this, i](std::stop_token stop) { WorkerLoop(stop, i); });
}

WorkerPool::~WorkerPool() {
    for (auto& worker : state_->workers) worker.request_stop();
    state_->workers.clear();  // joins
    delete state_;
}

bool WorkerPool::OnWorker() noexcept { return t_onWorker; }

int WorkerPool::ThreadsHere() const noexcept { return t_onWorker || t_callingThreadOnly ? 1 : threads_; }

void WorkerPool::WorkerLoop(std::stop_token stop, int self) {
    t_onWorker = true;
    State& s = *state_;
    std::uint32_t seen = 0;
    const auto published = [&] { return s.generation.load() != seen; };
    for (;;) {
        if (!SpinUntil(kSpin, published)) {
            // Asleep: the count of sleepers goes up before the generation is read again, and the
            // caller reads the count after it published the generation, so one sees the other.
            std::unique_lock lock(s.mutex);
            s.sleepers.fetch_add(1);
            const bool woken = s.wake.wait(lock, stop, published);
            s.sleepers.fetch_sub(1);
            if (!woken) return;  // closing
        }
        seen = s.generation.load(std::memory_order_acquire);
        Work(s, seen, self);
    }
}

void WorkerPool::Run(int count, void (*call)(void*, int), void* object, bool shares, void (*meanwhile)(void*),
                     void* meanwhileObject) {
    const auto runMeanwhile = [&] {
        if (meanwhile == nullptr) return;
        const CallingThreadOnly nested;
        meanwhile(meanwhileObject);
    };
    State& s = *state_;
    std::unique_lock busy(s.busy, std::defer_lock);
    if (count <= 1 || s.workers.empty() || t_onWorker || t_callingThreadOnly || !busy.try_lock()) {
        runMeanwhile();
        for (int i = 0; i < count; ++i) call(object, i);
        return;
    }
    // Every task of the previous job has returned, so every run of it is used up: no claim of it
    // succeeds any more, and the slot of the job before it may be filled with this job's.
    const std::uint32_t generation = s.generation.load(std::memory_order_relaxed) + 1;
    Job& job = s.slots[generation % 2];
    job.call.store(call, std::memory_order_relaxed);
    job.object.store(object, std::memory_order_relaxed);
    job.count.store(count, std::memory_order_relaxed);
    const int runs = shares ? threads_ : 1;
    job.runs.store(runs, std::memory_order_relaxed);
    s.pending.store(count, std::memory_order_relaxed);
    for (int r = 0; r < threads_; ++r)
        s.runs[static_cast<std::size_t>(r)].next.store(
            std::uint64_t{generation} << 32 | static_cast<std::uint32_t>(RunBegin(r, runs, count)),
            std::memory_order_relaxed);
    s.generation.store(generation);  // publishes the slot and the runs
    if (s.sleepers.load() > 0) {
        { const std::lock_guard lock(s.mutex); }  // a worker between its test and its sleep gets there
        s.wake.notify_all();
    }
    runMeanwhile();
    {
        const CallingThreadOnly nested;  // a task that asks the pool again runs its tasks itself
        Work(s, generation, 0);
    }
    const auto done = [&] { return s.pending.load(std::memory_order_acquire) == 0; };
    if (SpinUntil(kSpin, done)) return;
    for (int left; (left = s.pending.load(std::memory_order_acquire)) != 0;)
        s.pending.wait(left, std::memory_order_acquire);
}

CallingThreadOnly::CallingThreadOnly() noexcept : saved_(t_callingThreadOnly) { t_callingThreadOnly = true; }

CallingThreadOnly::~CallingThreadOnly() { t_callingThreadOnly = saved_; }

WorkerPool& SharedPool() {
    static WorkerPool pool([] {
        std::string warning;
        const std::optional<int> asked = ParseThreadCount(std::getenv("TESSARY_THREADS"), &warning);
        if (!warning.empty()) std::fprintf(stderr, "%s\n", warning.c_str());
        if (asked) return *asked;
        const unsigned hardware = std::thread::hardware_concurrency();
        return hardware == 0 ? 1 : static_cast<int>(hardware > kMaxThreads ? kMaxThreads : hardware);
    }());
    return pool;
}

}  // namespace tessary
