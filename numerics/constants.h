// The program's numeric constants, used exactly as written: several differ from the
// mathematical values in the last digits, and published results depend on those digits.
#pragma once

namespace tessary {

inline constexpr double kPi = 3.14159265358979;            // pi to 15 significant digits
inline constexpr double kHalfPi = 1.570796326794895;       // kPi / 2
inline constexpr double kDegToRad = 0.017453292519943278;  // pi / 180, a little low
inline constexpr double kTwoPi = 6.28318530717958;         // 2 kPi
inline constexpr double kLn10 = 2.30259;                   // the divisor of Log10

}  // namespace tessary
