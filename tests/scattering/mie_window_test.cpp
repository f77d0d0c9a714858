// The Mie series over a window of angle indices: inside the window the whole grid's bits, outside 0,
// and nothing left behind by the window of an earlier call.
#include <gtest/gtest.h>

#include "scattering/mie.h"

namespace tessary {
namespace {

TEST(MieWindow, WindowGivesTheWholeGridsBitsAndZerosElsewhere) {
    MieInput in{.x = 88, .m = {1.33, 0.01}, .NANG = 46, .first = 1, .last = 91};
    MieResult whole, r;
    MieSeries(in, whole);
    for (const auto& [first, last] : {std::pair{90, 90}, {1, 1}, {20, 70}, {46, 46}, {90, 90}}) {
        in.first = first;
        in.last = last;
        MieSeries(in, r);
        for (std::size_t j = 1; j <= 91; ++j) {
            const bool inside = static_cast<int>(j) >= first && static_cast<int>(j) <= last;
            EXPECT_EQ(r.S1re[j], inside ? whole.S1re[j] : 0.0) << first << " " << j;
            EXPECT_EQ(r.S2im[j], inside ? whole.S2im[j] : 0.0) << first << " " << j;
        }
        EXPECT_EQ(r.g, whole.g);
        EXPECT_EQ(r.Qext, first == 1 ? whole.Qext : 0.0);  // Qext comes from S1 at 0 degrees
    }
}

}  // namespace
}  // namespace tessary
