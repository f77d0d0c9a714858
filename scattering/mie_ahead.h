// Plane-wave Mie series computed ahead of their use, several at once on the worker pool, and handed
// out later to the caller that asks for exactly the same input. A Lee diagram computes the rows to
// come this way while its window keeps every row's progress, sums and painting in row order.
//
// Each series runs whole on one thread (its own angle blocks in order), so a result is the same to
// the bit as MieSeries gives for that input on any thread count.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "scattering/mie.h"

namespace tessary {

class MieAhead {
  public:
    // Computes the series of every input, spread over the shared pool, and holds the results in place
    // of earlier ones. Blocks until all are done.
    void Compute(std::span<const MieInput> inputs);

    // The held, completed result of an input equal to `in` in every field, or null. The caller may
    // swap it out; it is not handed out again.
    MieResult* Take(const MieInput& in);

    // Forgets the held results (their memory is kept for the next Compute).
    void Clear() { count_ = 0; }
    std::size_t Held() const { return count_; }

  private:
    std::vector<MieInput> inputs_;
    std::vector<MieResult> results_;
    std::vector<char> taken_;
    std::size_t count_ = 0;
};

}  // namespace tessary
