// The Mie series over a window of angle indices: the amplitudes inside the window are bit for bit
// those of the whole grid, the ones outside are 0, and a window of an earlier call leaves nothing
// behind in the next.
#include <gtest/gtest.h>

#include "scattering/mie.h"

namespace tessary {
namespace {

TEST(MieWindow, WindowGivesTheWholeGridsBitsAndZerosElsewhere) {
    MieInput full;
    full.x = 88;
    full.m = {1.33, 0.01};
    full.NANG = 46;
    full.first = 1;
    full.last = 91;
    MieResult whole;
    MieSeries(full, whole);
    struct Window {
        int first, last;
    };
    MieResult r;
    for (const Window w : {Window{90, 90}, Window{1, 1}, Window{20, 70}, Window{46, 46}, Window{90, 90}}) {
        MieInput in = full;
        in.first = w.first;
        in.last = w.last;
        MieSeries(in, r);
        ASSERT_EQ(r.status, MieStatus::Done);
        for (int j = 1; j <= 91; ++j) {
            const bool inside = j >= w.first && j <= w.last;
            const auto k = static_cast<std::size_t>(j);
            EXPECT_EQ(r.S1re[k], inside ? whole.S1re[k] : 0.0) << w.first << " " << j;
            EXPECT_EQ(r.S2im[k], inside ? whole.S2im[k] : 0.0) << w.first << " " << j;
        }
        EXPECT_EQ(r.Qsca, whole.Qsca);
        EXPECT_EQ(r.g, whole.g);
        if (w.first == 1) {
            EXPECT_EQ(r.Qext, whole.Qext);  // from S1 at 0 degrees
        }
    }
}

}  // namespace
}  // namespace tessary
