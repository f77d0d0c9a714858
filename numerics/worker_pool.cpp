// The worker pool; see worker_pool.h.
//
// One job at a time: the caller publishes it under the mutex and wakes the workers, every thread then
// claims task indices from an atomic counter, and the caller waits until every worker that joined the
// job has left it. The job lives on the caller's stack, so it is withdrawn (under the mutex) before
// the caller returns; a worker that wakes late finds no job and sleeps again.
#include "worker_pool.h"

#include <atomic>
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

struct WorkerPool::Job {
    void (*call)(void*, int);
    void* object;
    int count;
    std::atomic<int> next{0};
    int users = 0;  // workers inside the job (guarded by the pool's mutex)

    void Work() {
        for (int i = next.fetch_add(1, std::memory_order_relaxed); i < count;
             i = next.fetch_add(1, std::memory_order_relaxed))
            call(object, i);
    }
};

struct WorkerPool::State {
    std::mutex mutex;
    std::condition_variable_any wake;  // a job was published (or the pool is closing)
    std::condition_variable left;      // a worker left the job
    std::uint64_t generation = 0;      // counts the jobs published
    Job* job = nullptr;
    std::mutex busy;  // held by the thread whose job the workers serve
    std::vector<std::jthread> workers;
};

WorkerPool::WorkerPool(int threads) : threads_(threads < 1 ? 1 : threads), state_(new State) {
    state_->workers.reserve(static_cast<std::size_t>(threads_ - 1));
    for (int i = 1; i < threads_; ++i)
        state_->workers.emplace_back([this](std::stop_token stop) { WorkerLoop(stop); });
}

WorkerPool::~WorkerPool() {
    for (auto& worker : state_->workers) worker.request_stop();
    state_->workers.clear();  // joins
    delete state_;
}

bool WorkerPool::OnWorker() noexcept { return t_onWorker; }

void WorkerPool::WorkerLoop(std::stop_token stop) {
    t_onWorker = true;
    State& s = *state_;
    std::uint64_t seen = 0;
    std::unique_lock lock(s.mutex);
    for (;;) {
        if (!s.wake.wait(lock, stop, [&] { return s.generation != seen; })) return;  // closing
        seen = s.generation;
        Job* job = s.job;
        if (job == nullptr) continue;  // withdrawn before this worker woke
        ++job->users;
        lock.unlock();
        job->Work();
        lock.lock();
        if (--job->users == 0) s.left.notify_one();
    }
}

void WorkerPool::Run(int count, void (*call)(void*, int), void* object) {
    if (count <= 0) return;
    State& s = *state_;
    std::unique_lock busy(s.busy, std::defer_lock);
    if (count == 1 || s.workers.empty() || t_onWorker || t_callingThreadOnly || !busy.try_lock()) {
        for (int i = 0; i < count; ++i) call(object, i);
        return;
    }
    Job job{call, object, count};
    {
        const std::lock_guard lock(s.mutex);
        s.job = &job;
        ++s.generation;
    }
    s.wake.notify_all();
    job.Work();
    std::unique_lock lock(s.mutex);
    s.left.wait(lock, [&] { return job.users == 0; });  // every claimed task has returned
    s.job = nullptr;
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
