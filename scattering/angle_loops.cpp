// Baseline (SSE2) build of the angle loops and the choice between the builds; see angle_loops.h.
#include "angle_loops.h"

#include "angle_loops_body.h"

namespace tessary::angle_loops {

void MieAngleSumsBaseline(const OrderTerms& t, double* tables, int begin, int end, const Segments& segments) {
    MieAngleSumsOf<Pair>(t, tables, begin, end, segments);
}

void DebyeSumBlockBaseline(const double* mu, int N, const double* piA, const double* piB, const double* fn,
                           const Complex* an2, const Complex* bn2, DebyeBlockSums& out) {
    DebyeSumBlockOf(mu, N, piA, piB, fn, an2, bn2, out);
}

bool CpuHasAvx2() {
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_cpu_supports("avx2");  // also checks that the system saves the AVX registers
#else
    return false;
#endif
}

MieAngleSums ChooseMieAngleSums(bool baseline) {
    return !baseline && CpuHasAvx2() ? MieAngleSumsAvx2 : MieAngleSumsBaseline;
}

DebyeSumBlock ChooseDebyeSumBlock(bool baseline) {
    return !baseline && CpuHasAvx2() ? DebyeSumBlockAvx2 : DebyeSumBlockBaseline;
}

}  // namespace tessary::angle_loops
