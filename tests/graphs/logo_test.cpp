// The logo over the plot box: the frame gives it the colour of the scheme and it stays see-through,
// so the box's colour shows around its letters with one wavelength and with several.
#include <gtest/gtest.h>

#include "tests/graphs/frame_test_support.h"

namespace tessary {
namespace {

using test::FrameTest;

TEST_F(FrameTest, LogoTakesTheSchemeColourAndStaysSeeThrough) {
    struct Case {
        const char* name;
        int waveCount;
        OleColor colour;
    };
    for (const Case& c :
         {Case{"one wavelength", 1, rgb(200, 200, 200)}, Case{"several", 3, rgb(100, 100, 100)}}) {
        SCOPED_TRACE(c.name);
        form->calc.waveCount = c.waveCount;
        drawFrame();
        EXPECT_EQ(form->lblLogo.foreColor(), c.colour);
        EXPECT_FALSE(form->lblLogo.opaque());
        EXPECT_FALSE(form->lblLogo.widget()->autoFillBackground());
    }
}

}  // namespace
}  // namespace tessary
