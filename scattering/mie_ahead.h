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
    // computing `inputs` in the background. The batch taken from before is dropped.
    void Start(std::vector<MieInput> inputs);

    // The completed result of an input equal to `in` in every field, or null. An input of the batch
    // under way waits for that batch, which then becomes the one taken from. The caller may swap the
    // result out; it is not handed out again.
    MieResult* Take(const MieInput& in);

    // True while any batch is held or under way.
    bool Held() const { return !ready_.inputs.empty() || running_.joinable(); }

    // Stops the batch under way at its next series order, waits for it, and frees every result.
    void Clear();

  private:
    struct Batch {
        std::vector<MieInput> inputs;
        std::vector<MieResult> results;
        std::vector<char> taken;
    };
    void Compute(Batch& batch);

    Batch ready_;            // computed; results are taken from here
    Batch next_;             // being computed by running_
    std::jthread running_;   // the background thread of next_
    std::atomic<bool> stop_{false};
};

}  // namespace tessary
