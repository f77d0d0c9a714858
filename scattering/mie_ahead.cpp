// MieAhead: see mie_ahead.h.
#include "mie_ahead.h"

#include <system_error>
#include <utility>

#include "numerics/worker_pool.h"

namespace tessary {

namespace {

bool SameInput(const MieInput& a, const MieInput& b) {
    return a.x == b.x && a.m.re == b.m.re && a.m.im == b.m.im && a.NANG == b.NANG && a.first == b.first &&
           a.last == b.last && a.graph == b.graph && a.angleIndex == b.angleIndex && a.mnuSize == b.mnuSize;
}

}  // namespace

void MieAhead::Compute(Batch& batch) {
    const auto stop = [this](int, int) { return stop_.load(std::memory_order_relaxed); };
    SharedPool().ForEach(static_cast<int>(batch.inputs.size()), [&](int i) {
        // The whole series on this thread: no thread of the batch waits on the pool it serves.
        const CallingThreadOnly serial;
        MieSeries(batch.inputs[static_cast<std::size_t>(i)], batch.results[static_cast<std::size_t>(i)], stop);
    });
}

void MieAhead::Start(std::vector<MieInput> inputs) {
    if (running_.joinable()) running_.join();
    // The finished batch is taken from next (unless Take moved it already); the dropped one lends its
    // memory to the new batch.
    if (!next_.inputs.empty()) std::swap(ready_, next_);
    next_.inputs = std::move(inputs);
    if (next_.results.size() < next_.inputs.size()) next_.results.resize(next_.inputs.size());
    next_.taken.assign(next_.inputs.size(), 0);
    try {
        running_ = std::jthread([this] { Compute(next_); });
    } catch (const std::system_error&) {  // no thread to be had: compute it here
        Compute(next_);
    }
}

MieResult* MieAhead::Take(const MieInput& in) {
    const auto find = [&](const Batch& batch) {
        for (std::size_t i = 0; i < batch.inputs.size(); ++i)
            if (batch.taken[i] == 0 && SameInput(batch.inputs[i], in)) return i;
        return batch.inputs.size();
    };
    std::size_t i = find(ready_);
    if (i == ready_.inputs.size()) {  // the batch under way, once done, becomes the one taken from
        i = find(next_);
        if (i == next_.inputs.size()) return nullptr;
        if (running_.joinable()) running_.join();
        std::swap(ready_, next_);
        next_.inputs.clear();
    }
    ready_.taken[i] = 1;
    return ready_.results[i].status == MieStatus::Done ? &ready_.results[i] : nullptr;
}

void MieAhead::Clear() {
    stop_.store(true, std::memory_order_relaxed);
    if (running_.joinable()) running_.join();
    stop_.store(false, std::memory_order_relaxed);
    ready_ = Batch();
    next_ = Batch();
}

}  // namespace tessary
