// The upper halves of the processor's 256-bit vector registers, cleared between foreign code and the
// kernels.
//
// The kernels are built for the baseline instruction set (SSE2) and use only the lower 128 bits of the
// vector registers. Library code that uses 256-bit AVX registers and returns without clearing their
// upper halves (Qt's image fill does) leaves the processor in a state in which every SSE instruction
// waits on those stale upper bits: on current processors the series then run up to 1.7 times slower,
// until something clears them. Callers clear them after such code and before a kernel; the values
// computed never change, only the time they take.
#pragma once

namespace tessary {

// Executes VZEROUPPER where the processor has AVX; nothing elsewhere, and nothing in a build for AVX
// (whose compiler clears the upper halves itself and may keep 256-bit values live across the call).
inline void ClearUpperVectorState() {
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__)) && \
    !defined(__AVX__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) asm volatile("vzeroupper" ::: "memory");
#endif
}

}  // namespace tessary
