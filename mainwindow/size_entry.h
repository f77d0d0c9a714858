// The entry the main window reads its size box in (radius, diameter or size parameter x), kept to one the graph
// type and the wavelength count offer.
#pragma once

namespace tessary {

class Form1;

// A diameter or size parameter ticked where its item or the whole size menu is hidden (by the graph type, or
// the size parameter by several wavelengths, whose wavelength box is hidden) gives way to the radius, as a fresh
// window shows the type and count, so that the box is never read as what no menu or label shows; the size
// parameter a type's preset sets stays.
void KeepOfferedSizeEntry(Form1& f);

}  // namespace tessary
