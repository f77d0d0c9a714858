// Plane-wave Mie series computed ahead of their use, in the background on the worker pool, and handed
// out later to the caller that asks for exactly the same input. A Lee diagram computes the rows to
// come this way while its window sums, paints and reports the rows before them in row order.
//
// Inputs come in batches; one batch computes at a time (on a thread of its own that shares its series
// out over the pool), while the caller takes the results of the batch before it. Each series runs whole
// on one thread, so a result is the same to the bit as MieSeries gives for that input on any thread
// count.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "scattering/mie.h"

namespace tessary {

class MieAhead {
  public:
    MieAhead() = default;
    ~MieAhead() { Clear(); }
    MieAhead(const MieAhead&) = delete;
    MieAhead& operator=(const MieAhead&) = delete;

    // Waits for the batch under way, which becomes the one results are taken from, and starts
    // computing `inputs` in the background (not when the wait hook stopped that batch). The batch
    // taken from before is dropped.
    void Start(std::vector<MieInput> inputs);

    // The completed result of an input equal to `in` in every field, or null. An input of the batch
    // under way waits for that batch, which then becomes the one taken from. It is not handed out
    // again. Its amplitudes are held over the window only: Restore gives the series' own result.
    const MieResult* Take(const MieInput& in);
    // Into r, as the series would have left it in r (only r's previous window is cleared).
    static void Restore(const MieResult& kept, MieResult& r);

    // True while any batch is held or under way.
    bool Held() const { return !ready_.inputs.empty() || running_.joinable(); }

    // Called on the waiting thread about every 30 ms while it waits for the batch under way (the
    // window's events are pumped there); true stops that batch at its next series order.
    void SetWaitHook(std::function<bool()> hook) { waitHook_ = std::move(hook); }

    // Stops the batch under way at its next series order, waits for it, and drops every result.
    void Clear();

  private:
    struct Batch {
        std::vector<MieInput> inputs;
        std::vector<MieResult> results;
        std::vector<char> taken;
        std::vector<char> done;  // computed to its end or to its refusal (not stopped before it)
    };
    void Compute(Batch& batch);
    // Waits for the batch under way to end, calling the hook meanwhile; true when the hook stopped it.
    bool WaitForRunning();

    Batch ready_;                     // computed; results are taken from here
    Batch next_;                      // being computed by running_
    std::vector<MieResult> scratch_;  // the workspaces the series of a batch run in
    std::jthread running_;            // the background thread of next_
    std::atomic<bool> stop_{false};
    std::mutex finishing_;  // guards finished_, which running_ sets as it ends
    std::condition_variable finishedChanged_;
    bool finished_ = false;
    std::function<bool()> waitHook_;
};

// Whether the series of `inputs` are work enough to gain from running on the pool: a batch costs the
// start of a thread and a wait, which a few short series do not repay.
bool WorthComputingAhead(const std::vector<MieInput>& inputs);

// The series of a run whose inputs are all known before it starts (the steps of a sweep, the samples
// of a size distribution), kept computing ahead of the caller in batches of `perBatch`: when the
// caller reaches the first input of a batch, the batch after it starts. The caller computes as usual;
// the window's series takes each result from the MieAhead. The batches under way are stopped and
// dropped when the plan ends.
class MieAheadPlan {
  public:
    MieAheadPlan(MieAhead& ahead, std::vector<MieInput> inputs, int perBatch);
    ~MieAheadPlan() { ahead_.Clear(); }
    MieAheadPlan(const MieAheadPlan&) = delete;
    MieAheadPlan& operator=(const MieAheadPlan&) = delete;

    // Before the caller's input k (0-based) is computed.
    void Reach(int k);

  private:
    void StartBatch(int b);

    MieAhead& ahead_;
    std::vector<MieInput> inputs_;
    int perBatch_;
    int started_ = -1;  // the last batch started
};

}  // namespace tessary
