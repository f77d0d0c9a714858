// MieAhead: see mie_ahead.h.
#include "mie_ahead.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <system_error>
#include <utility>

#include "numerics/vector_state.h"
#include "numerics/worker_pool.h"

namespace tessary {

namespace {

bool SameInput(const MieInput& a, const MieInput& b) {
    return a.x == b.x && a.m.re == b.m.re && a.m.im == b.m.im && a.NANG == b.NANG && a.first == b.first &&
           a.last == b.last && a.graph == b.graph && a.angleIndex == b.angleIndex && a.mnuSize == b.mnuSize;
}

// Everything of a result but its amplitudes and workspace.
void CopyCountsAndSums(const MieResult& from, MieResult& to) {
    to.status = from.status;
    to.refusal = from.refusal;
    to.message = from.message;
    to.title = from.title;
    to.NANG = from.NANG;
    to.Qext = from.Qext;
    to.Qsca = from.Qsca;
    to.Qback = from.Qback;
    to.g = from.g;
    to.nStop = from.nStop;
    to.nMax = from.nMax;
    to.termCount = from.termCount;
    to.recurrenceStart = from.recurrenceStart;
    to.ordersDone = from.ordersDone;
    to.intensityPerp = from.intensityPerp;
    to.intensityPara = from.intensityPara;
    to.intensityUnpol = from.intensityUnpol;
}

// The outputs of a series that a caller reads, from the workspace it ran in into `kept`: the
// amplitudes over the window only (indices work.ampFirst..ampLast, stored from 0), the counts, sums
// and status. A kept result never runs a series, so it holds no angle tables (about 0.9 MB each).
void KeepOutputs(const MieResult& from, MieResult& kept) {
    const MieWorkspace& w = from.work;
    const std::ptrdiff_t first = w.ampFirst, end = w.ampFirst <= w.ampLast ? w.ampLast + 1 : w.ampFirst;
    const std::vector<double>* made[] = {&from.S1re, &from.S1im, &from.S2re, &from.S2im};
    std::vector<double>* held[] = {&kept.S1re, &kept.S1im, &kept.S2re, &kept.S2im};
    for (int k = 0; k < 4; ++k) held[k]->assign(made[k]->begin() + first, made[k]->begin() + end);
    kept.work.ampFirst = w.ampFirst;
    kept.work.ampLast = w.ampLast;
    CopyCountsAndSums(from, kept);
}

}  // namespace

void MieAhead::Restore(const MieResult& kept, MieResult& r) {
    const auto size = 2 * static_cast<std::size_t>(kept.NANG);
    const std::vector<double>* held[] = {&kept.S1re, &kept.S1im, &kept.S2re, &kept.S2im};
    std::vector<double>* into[] = {&r.S1re, &r.S1im, &r.S2re, &r.S2im};
    for (int k = 0; k < 4; ++k) {
        std::vector<double>& v = *into[k];
        if (v.size() != size)
            v.assign(size, 0.0);
        else if (r.work.ampFirst <= r.work.ampLast)  // the previous call's window
            std::fill(v.begin() + r.work.ampFirst, v.begin() + r.work.ampLast + 1, 0.0);
        std::copy(held[k]->begin(), held[k]->end(), v.begin() + kept.work.ampFirst);
    }
    r.work.ampFirst = kept.work.ampFirst;
    r.work.ampLast = kept.work.ampLast;
    CopyCountsAndSums(kept, r);
}

void MieAhead::Compute(Batch& batch) {
    const auto stop = [this](int, int) { return stop_.load(std::memory_order_relaxed); };
    const int count = static_cast<int>(batch.inputs.size());
    // One workspace per share, kept from batch to batch; share s takes inputs s, s + shares, ... (the
    // inputs of a sweep grow in cost, so every share gets some of each).
    const int shares = std::max(1, std::min(count, SharedPool().Threads()));
    if (scratch_.size() < static_cast<std::size_t>(shares)) scratch_.resize(static_cast<std::size_t>(shares));
    SharedPool().ForEach(shares, [&](int share) {
        // The whole series on this thread: no thread of the batch waits on the pool it serves.
        const CallingThreadOnly serial;
        MieResult& work = scratch_[static_cast<std::size_t>(share)];
        for (int i = share; i < count; i += shares) {
            if (stop_.load(std::memory_order_relaxed)) return;
            const auto at = static_cast<std::size_t>(i);
            MieInput in = batch.inputs[at];
            in.ordersPerCallback = 16;  // the stop test only
            ClearUpperVectorState();    // the copies before may leave them set: the series would run slowly
            MieSeries(in, work, stop);
            KeepOutputs(work, batch.results[at]);
            batch.done[at] = 1;
        }
    });
}

bool MieAhead::WaitForRunning() {
    if (!running_.joinable()) return false;
    bool stopped = false;
    if (waitHook_) {
        std::unique_lock lock(finishing_);
        while (
            !finishedChanged_.wait_for(lock, std::chrono::milliseconds(30), [this] { return finished_; })) {
            lock.unlock();
            if (waitHook_()) {
                stopped = true;
                stop_.store(true, std::memory_order_relaxed);
            }
            lock.lock();
        }
    }
    running_.join();
    stop_.store(false, std::memory_order_relaxed);
    return stopped;
}

void MieAhead::Start(std::vector<MieInput> inputs) {
    if (WaitForRunning()) return;  // the run is ending: nothing more ahead
    // The finished batch is taken from next (unless Take moved it already); the dropped one lends its
    // memory to the new batch.
    if (!next_.inputs.empty()) std::swap(ready_, next_);
    next_.inputs = std::move(inputs);
    if (next_.results.size() < next_.inputs.size()) next_.results.resize(next_.inputs.size());
    next_.taken.assign(next_.inputs.size(), 0);
    next_.done.assign(next_.inputs.size(), 0);
    finished_ = false;  // no thread runs: nothing else reads it now
    try {
        running_ = std::jthread([this] {
            Compute(next_);
            {
                const std::lock_guard lock(finishing_);
                finished_ = true;
            }
            finishedChanged_.notify_all();
        });
    } catch (const std::system_error&) {  // no thread to be had: compute it here
        Compute(next_);
    }
}

const MieResult* MieAhead::Take(const MieInput& in) {
    const auto find = [&](const Batch& batch) {
        for (std::size_t i = 0; i < batch.inputs.size(); ++i)
            if (batch.taken[i] == 0 && SameInput(batch.inputs[i], in)) return i;
        return batch.inputs.size();
    };
    std::size_t i = find(ready_);
    if (i == ready_.inputs.size()) {  // the batch under way, once done, becomes the one taken from
        i = find(next_);
        if (i == next_.inputs.size()) return nullptr;
        WaitForRunning();
        std::swap(ready_, next_);
        next_.inputs.clear();
    }
    ready_.taken[i] = 1;
    return ready_.done[i] != 0 && ready_.results[i].status == MieStatus::Done ? &ready_.results[i] : nullptr;
}

void MieAhead::Clear() {
    stop_.store(true, std::memory_order_relaxed);
    if (running_.joinable()) running_.join();
    stop_.store(false, std::memory_order_relaxed);
    // The results keep their memory for the next run; none is handed out again.
    ready_.inputs.clear();
    next_.inputs.clear();
}

bool WorthComputingAhead(const std::vector<MieInput>& inputs) {
    // Orders (about x + 4 x^(1/3)) times the angles of the window and a share per order that does not
    // depend on them: about 5 ns a unit for one angle, 1 ns with many. 1e6 units are a few ms.
    constexpr double kEnough = 1e6;
    double units = 0.0;
    for (const MieInput& in : inputs) {
        if (!(in.x > 0) || !std::isfinite(in.x)) continue;
        const double angles = std::max(0, in.last - in.first + 1);
        units += (in.x + 4.0 * std::cbrt(in.x) + 2.0) * (angles + 10.0);
        if (units >= kEnough) return true;
    }
    return false;
}

MieAheadPlan::MieAheadPlan(MieAhead& ahead, std::vector<MieInput> inputs, int perBatch)
    : ahead_(ahead), inputs_(std::move(inputs)), perBatch_(std::max(perBatch, 1)) {
    ahead_.Clear();
}

void MieAheadPlan::StartBatch(int b) {
    const std::size_t from = static_cast<std::size_t>(b) * static_cast<std::size_t>(perBatch_);
    if (from >= inputs_.size()) return;
    const std::size_t to = std::min(inputs_.size(), from + static_cast<std::size_t>(perBatch_));
    ahead_.Start(std::vector<MieInput>(inputs_.begin() + static_cast<std::ptrdiff_t>(from),
                                       inputs_.begin() + static_cast<std::ptrdiff_t>(to)));
    started_ = b;
}

void MieAheadPlan::Reach(int k) {
    if (k < 0 || k % perBatch_ != 0) return;
    // The batch of k (started before, or now) and the one after it, which computes while the caller
    // takes the results of this one.
    const int b = k / perBatch_;
    for (int next = std::max(started_ + 1, b); next <= b + 1; ++next) StartBatch(next);
}

}  // namespace tessary
