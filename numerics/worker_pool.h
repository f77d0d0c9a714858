// A small pool of worker threads, kept for the life of the program, that the kernels use to spread
// independent blocks of work (runs of angles) over the cores.
//
// Results never depend on the thread count: a kernel cuts its work into blocks whose sums never cross
// a block, so whichever thread runs a block it performs the same operations in the same order.
// Progress and stop callbacks stay with the calling thread; only the blocks run on the workers.
// The number of threads is that of the hardware, or the whole number 1..1024 in the environment
// variable TESSARY_THREADS (1 runs everything on the calling thread).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>

namespace tessary {

// The thread count a TESSARY_THREADS text asks for: a whole number from 1 to 1024 written with
// digits only. Otherwise nothing, and `warning` (when given) receives the one-line text to report.
// A null text (variable not set) gives nothing and no warning.
std::optional<int> ParseThreadCount(const char* text, std::string* warning = nullptr);

class WorkerPool {
  public:
    // A pool of `threads` threads in all: the calling thread and threads - 1 workers.
    explicit WorkerPool(int threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Threads that share the work of one ForEach, the calling thread included.
    int Threads() const noexcept { return threads_; }

    // Threads that would share a ForEach called now on this thread: 1 on a worker or under
    // CallingThreadOnly, else Threads(). (The tasks also stay on the calling thread while another
    // thread's ForEach holds the workers: only slower.) Kernels cut their work by it.
    int ThreadsHere() const noexcept;

    // Calls task(i) once for every i in 0..count - 1 and returns when all have returned. The tasks run
    // on the workers and on the calling thread, in no fixed order; each must touch memory of its own
    // and must not throw. Everything runs on the calling thread, in order, when the pool has one
    // thread, when the caller is itself a worker of a pool (no nested waiting) or while another
    // thread's ForEach holds the workers.
    // Each thread takes the next task not yet taken.
    template <class Task>
    void ForEach(int count, Task&& task) {
        Run(count, Caller<Task>, Object(task), false);
    }

    // As ForEach, but the tasks are first cut into one contiguous share per thread, the same share
    // for the same thread in every call with the same count, and a thread takes from the others'
    // shares only once its own is done. For jobs that come back to the same data (a kernel's bands of
    // orders over the same blocks of angles): a block then stays in the cache of the thread that
    // summed it before. A thread that joins late delays its share, so one-off jobs of a few long
    // tasks are better served by ForEach.
    template <class Task>
    void ForEachInShares(int count, Task&& task) {
        Run(count, Caller<Task>, Object(task), true);
    }

    // As ForEach, but the calling thread first runs meanwhile() while the workers start on the tasks,
    // then joins them in the tasks left. For a caller that prepares the next job while this one runs:
    // meanwhile() must touch nothing the tasks touch; a ForEach inside it runs on the calling thread.
    template <class Task, class Meanwhile>
    void ForEachMeanwhile(int count, Task&& task, Meanwhile&& meanwhile) {
        Run(count, Caller<Task>, Object(task), false, CallMeanwhile<Meanwhile>, Object(meanwhile));
    }

    // True on a worker thread of any pool.
    static bool OnWorker() noexcept;

  private:
    struct Job;
    struct RunCounter;
    struct State;
    template <class Task>
    static void Caller(void* object, int i) {
        (*static_cast<std::remove_reference_t<Task>*>(object))(i);
    }
    template <class Meanwhile>
    static void CallMeanwhile(void* object) {
        (*static_cast<std::remove_reference_t<Meanwhile>*>(object))();
    }
    template <class Task>
    static void* Object(Task& task) {
        return const_cast<void*>(static_cast<const void*>(&task));
    }
    void Run(int count, void (*call)(void*, int), void* object, bool shares,
             void (*meanwhile)(void*) = nullptr, void* meanwhileObject = nullptr);
    static void Work(State& s, std::uint32_t generation, int self);
    void WorkerLoop(std::stop_token stop, int self);

    int threads_;
    State* state_;
};

// While one lives, every ForEach called on its thread runs all its tasks on that thread, as with
// TESSARY_THREADS=1; the benchmarks use it to compare one thread with the pool in one run.
class CallingThreadOnly {
  public:
    CallingThreadOnly() noexcept;
    ~CallingThreadOnly();
    CallingThreadOnly(const CallingThreadOnly&) = delete;
    CallingThreadOnly& operator=(const CallingThreadOnly&) = delete;

  private:
    bool saved_;
};

// The program's pool, made on first use with the thread count of TESSARY_THREADS or of the
// hardware. An unusable TESSARY_THREADS is reported once on standard error and ignored.
WorkerPool& SharedPool();

}  // namespace tessary
