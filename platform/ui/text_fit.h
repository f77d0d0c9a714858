// Whether a text shows whole in a control as the control draws it: in its font (the Symbol letters
// and "&" accelerators as shown), inside the room the platform's style leaves for text. Used to keep
// window designs laid out in twips for narrower fonts readable on this desktop.
#pragma once

#include <string>
#include <vector>

namespace tessary {

class Control;
class Form;

struct TextRoom {
    int needed = 0;     // pixels the text takes (a label: the widest wrapped line)
    int available = 0;  // pixels of room for it
    bool fits = false;  // needed <= available (a label: its wrapped lines also fit its height)
};

// The text in the control: a command button, text box or list (one line, edit field or drop-down
// text), a check or option button (beside its indicator), a frame (its title on the border) or a
// label (wrapped at blanks within its width and height). Other controls always fit.
TextRoom textRoom(const Control& control, const std::string& text);

// Every control of a window, frames' members included, in no particular order.
std::vector<Control*> controlsOf(const Form& form);

// A short description of a control for reports: its kind, position and size in pixels.
std::string describeControl(const Control& control);

}  // namespace tessary
