// Temporary stand-in for the geometric-optics procedure, so that this branch links until it arrives.
#include "mainwindow/form1.h"

namespace tessary {

void Form1::GO(double&, std::int32_t&, ComplexTable&, ComplexTable&, double&, double&, double&, double&,
               std::int32_t&, std::int32_t&) {}

}  // namespace tessary
