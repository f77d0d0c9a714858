// MieAhead: see mie_ahead.h.
#include "mie_ahead.h"

#include "numerics/worker_pool.h"

namespace tessary {

namespace {

bool SameInput(const MieInput& a, const MieInput& b) {
    return a.x == b.x && a.m.re == b.m.re && a.m.im == b.m.im && a.NANG == b.NANG && a.first == b.first &&
           a.last == b.last && a.graph == b.graph && a.angleIndex == b.angleIndex && a.mnuSize == b.mnuSize;
}

}  // namespace

void MieAhead::Compute(std::span<const MieInput> inputs) {
    count_ = inputs.size();
    inputs_.assign(inputs.begin(), inputs.end());
    if (results_.size() < count_) results_.resize(count_);
    taken_.assign(count_, 0);
    SharedPool().ForEach(static_cast<int>(count_), [this](int i) {
        // The whole series on this thread: the calling thread must not wait on the pool it is serving.
        const CallingThreadOnly serial;
        MieSeries(inputs_[static_cast<std::size_t>(i)], results_[static_cast<std::size_t>(i)]);
    });
}

MieResult* MieAhead::Take(const MieInput& in) {
    for (std::size_t i = 0; i < count_; ++i) {
        if (taken_[i] != 0 || !SameInput(inputs_[i], in)) continue;
        taken_[i] = 1;
        return results_[i].status == MieStatus::Done ? &results_[i] : nullptr;
    }
    return nullptr;
}

}  // namespace tessary
