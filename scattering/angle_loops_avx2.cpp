// AVX2 build of the angle loops (compiled with -mavx2 -mno-fma, see CMakeLists.txt); called only where
// CpuHasAvx2 holds. See angle_loops.h.
#include "angle_loops.h"

#include "angle_loops_body.h"

namespace tessary::angle_loops {

#if defined(__AVX2__)
using Wide = double __attribute__((vector_size(32)));
#else
using Wide = Pair;  // a compiler or processor without AVX2: the baseline loops again
#endif

void MieAngleSumsAvx2(const OrderTerms& t, double* tables, int begin, int end, const Segments& segments) {
    MieAngleSumsOf<Wide>(t, tables, begin, end, segments);
}

void DebyeSumBlockAvx2(const double* mu, int N, const double* piA, const double* piB, const double* fn,
                       const Complex* an2, const Complex* bn2, DebyeBlockSums& out) {
    DebyeSumBlockOf(mu, N, piA, piB, fn, an2, bn2, out);
}

}  // namespace tessary::angle_loops
