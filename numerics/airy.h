// The Airy function Ai(x) and its derivative Ai'(x) of one real argument, by Chebyshev expansions over
// five ranges of x summed with Clenshaw's recurrence, with exponential or trigonometric factors for
// large |x|. [1] D. E. Amos, S. L. Daniel, M. K. Weston, SLATEC routine DJAIRY (coefficient tables in
// airy_tables.h); [2] Abramowitz & Stegun (1964), 10.4.59-10.4.62 for the large-|x| forms.
#pragma once

namespace tessary {

enum class AiryStatus {
    Ok,
    NotFiniteArgument,  // refused: x is NaN or infinite
    OutOfRange,         // x below about -2e205: the phase 2|x|^1.5/3 passes the double range
};

// ai = Ai(x), dai = Ai'(x); both 0 unless status is Ok.
struct AiryResult {
    double ai = 0.0;
    double dai = 0.0;
    AiryStatus status = AiryStatus::Ok;
};

// Ai(x) and Ai'(x) for any finite x. Accuracy, with c = 2|x|^1.5/3: error <= 1e-14 + 5e-16 c, relative
// to the value for x >= 0 and, for x < 0 where Ai oscillates, relative to the envelope |x|^(-1/4)/sqrt(pi)
// (|x|^(1/4)/sqrt(pi) for Ai'; |x| taken as at least 1). The c term is the conditioning: c carries a
// rounding error of about c eps, and the values depend on it through exp(-c) or cos(c). Checked against
// mpmath in tests/numerics/airy_test.cpp. Above x ~ 104 exp(-c) leaves the normal double range and both
// values fade through subnormals to 0, which is returned with status Ok.
AiryResult AiryCalc(double x);

}  // namespace tessary
