// A see-through label stays see-through when its colours or font change later: what is drawn under
// it keeps showing, on screen as well as in the label's own flag.
#include <QImage>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/form.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

constexpr OleColor kRed = rgb(255, 0, 0);
constexpr OleColor kGreen = rgb(0, 255, 0);
constexpr std::uint32_t kRedPx = 0xFF0000u;
constexpr std::uint32_t kGreenPx = 0x00FF00u;

class LabelOpacityTest : public test::UiTest {
  protected:
    LabelOpacityTest() {
        form.setWidth(15360);  // 15 twips per pixel
        form.setHeight(11520);
        form.load();
        form.boxFilled(0, 0, 3000, 3000, kRed);  // the drawing the label lies over
        label.move(1500, 1500, 750, 750);
        label.setBackColor(kGreen);
    }
    // The colour on screen in the middle of the label.
    std::uint32_t underLabel() {
        form.show();
        const QImage shot = form.surface()->grab().toImage();
        form.hide();
        return shot.pixel(125, 125) & 0xFFFFFFu;
    }

    Form form;
    Label label{form, "Tessary"};
};

TEST_F(LabelOpacityTest, LaterChangesKeepTheLabelSeeThrough) {
    const std::vector<std::pair<std::string, std::function<void(Label&)>>> changes{
        {"fore colour", [](Label& l) { l.setForeColor(rgb(200, 200, 200)); }},
        {"back colour", [](Label& l) { l.setBackColor(kGreen); }},
        {"font size", [](Label& l) { l.setFontSize(16); }},
        {"caption", [](Label& l) { l.setCaption("logo"); }},
    };
    label.setOpaque(false);
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        change(label);
        EXPECT_FALSE(label.opaque());
        EXPECT_FALSE(label.widget()->autoFillBackground());
        EXPECT_EQ(underLabel(), kRedPx);
    }
}

TEST_F(LabelOpacityTest, OpaqueLabelPaintsItsBackColourAgain) {
    label.setOpaque(false);
    label.setOpaque(true);
    label.setForeColor(rgb(200, 200, 200));
    EXPECT_TRUE(label.opaque());
    EXPECT_TRUE(label.widget()->autoFillBackground());
    EXPECT_EQ(underLabel(), kGreenPx);
}

}  // namespace
}  // namespace tessary
