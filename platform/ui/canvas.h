// Persistent drawing surface of a window or picture box: a back-buffer image that every drawing
// command paints into and that the widget only copies on screen, so nothing is lost when the window
// is covered and only cls erases. Commands take logical coordinates (the surface's scale: twips on a
// window unless the scale is set, pixels on a picture box); logical units become pixels here only.
// A command with a NaN or infinite coordinate is dropped (and counted); huge coordinates saturate.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/text/conversions.h"
#include "platform/ui/colour.h"
#include "platform/ui/fonts.h"

class QPainter;
class QRect;
class QWidget;

namespace tessary {

namespace raster {
struct PixelPoint;
}

namespace draw {
inline constexpr int kCopyPen = 13;     // DrawMode: the pen's colour
inline constexpr int kInvert = 6;       // DrawMode: NOT destination (drawing twice restores)
inline constexpr int kXorPen = 7;       // DrawMode: destination XOR pen
inline constexpr int kSolid = 0;        // DrawStyle and FillStyle
inline constexpr int kDash = 1;         // DrawStyle
inline constexpr int kDot = 2;          // DrawStyle
inline constexpr int kTransparent = 1;  // FillStyle
}  // namespace draw

// One drawing command as the recording log keeps it, in logical units.
struct DrawOp {
    enum class Kind { Cls, Line, Box, FilledBox, Circle, Point, Text };
    Kind kind = Kind::Line;
    double x1 = 0, y1 = 0;  // line/box: first corner; circle/point/text: position
    double x2 = 0, y2 = 0;  // line/box: second corner; circle: x2 is the radius
    OleColor colour = 0;    // the pen (or text) colour used
    OleColor fillColour = 0;
    int fillStyle = draw::kTransparent;
    int drawStyle = draw::kSolid;
    int drawWidth = 1;
    int drawMode = draw::kCopyPen;
    FontSpec font;
    std::string text;
    bool operator==(const DrawOp&) const = default;
};

class Canvas {
  public:
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Drawing state.
    OleColor foreColor() const { return m_foreColor; }
    void setForeColor(OleColor c) { m_foreColor = c; }
    // Back colour: what cls clears to. Changing it keeps the drawing (it repaints only a surface
    // on which nothing has been drawn since the last clear).
    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor c);
    OleColor fillColor() const { return m_fillColor; }
    void setFillColor(OleColor c) { m_fillColor = c; }
    int fillStyle() const { return m_fillStyle; }
    void setFillStyle(int style) { m_fillStyle = style; }
    int drawStyle() const { return m_drawStyle; }
    void setDrawStyle(int style) { m_drawStyle = style; }
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int width) { m_drawWidth = width < 1 ? 1 : width; }
    int drawMode() const { return m_drawMode; }
    void setDrawMode(int mode) { m_drawMode = mode; }
    double currentX() const { return m_currentX; }
    void setCurrentX(double x) { m_currentX = x; }
    double currentY() const { return m_currentY; }
    void setCurrentY(double y) { m_currentY = y; }
    const std::string& fontName() const { return m_font.name; }
    void setFontName(std::string name) { m_font.name = std::move(name); }
    double fontSize() const { return m_font.size; }
    void setFontSize(double size) { m_font.size = size; }
    bool fontBold() const { return m_font.bold; }
    void setFontBold(bool bold) { m_font.bold = bold; }
    const FontSpec& font() const { return m_font; }
    void setFont(const FontSpec& font) { m_font = font; }

    // Scale. Setting ScaleWidth (ScaleHeight) makes the current inner width (height) that many units;
    // the unit keeps its size when the surface is resized later, so ScaleWidth then reads differently.
    double scaleLeft() const { return m_scaleLeft; }
    void setScaleLeft(double v);
    double scaleTop() const { return m_scaleTop; }
    void setScaleTop(double v);
    double scaleWidth() const;
    void setScaleWidth(double v);
    double scaleHeight() const;
    void setScaleHeight(double v);

    // Commands. The colour argument replaces the fore colour for this command only.
    void cls();  // clears to the back colour (a picture box: to its picture) and sets CurrentX/Y to 0
    void line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, m_foreColor); }
    void line(double x1, double y1, double x2, double y2, OleColor colour);
    // Line -(x2, y2): from (CurrentX, CurrentY).
    void lineTo(double x2, double y2) { line(m_currentX, m_currentY, x2, y2, m_foreColor); }
    void lineTo(double x2, double y2, OleColor colour) { line(m_currentX, m_currentY, x2, y2, colour); }
    // Line ..., B: the outline; with FillStyle solid the inside is filled with FillColor.
    void box(double x1, double y1, double x2, double y2) { box(x1, y1, x2, y2, m_foreColor); }
    void box(double x1, double y1, double x2, double y2, OleColor colour);
    // Line ..., BF: the whole box in the colour.
    void boxFilled(double x1, double y1, double x2, double y2) { boxFilled(x1, y1, x2, y2, m_foreColor); }
    void boxFilled(double x1, double y1, double x2, double y2, OleColor colour);
    // Circle (x, y), r: r in horizontal units; with FillStyle solid a disc filled with FillColor.
    void circle(double x, double y, double r) { circle(x, y, r, m_foreColor); }
    void circle(double x, double y, double r, OleColor colour);
    // PSet (x, y): one point (DrawWidth square); in invert mode it inverts the point.
    void pset(double x, double y) { pset(x, y, m_foreColor); }
    void pset(double x, double y, OleColor colour);

    // The print statement. Items: texts and numbers (a number prints as Str followed by one blank,
    // " 5 ", "-.25 "). The text starts at (CurrentX, CurrentY) as its top left corner in the fore
    // colour and current font. print leaves CurrentY and moves CurrentX past the text (a statement
    // ending in ";"); printLine then moves CurrentX to ScaleLeft and CurrentY one text height down.
    template <class... Items>
    void print(const Items&... items) {
        std::string text;
        (appendItem(text, items), ...);
        printText(text, false);
    }
    template <class... Items>
    void printLine(const Items&... items) {
        std::string text;
        (appendItem(text, items), ...);
        printText(text, true);
    }
    // Width and height of a text in the current font, in logical units.
    double textWidth(std::string_view text) const;
    double textHeight(std::string_view text = "Ag") const;

    // Test seams. The log keeps every drawn command while recording is on.
    void setRecording(bool on) { m_recording = on; }
    bool recording() const { return m_recording; }
    const std::vector<DrawOp>& drawLog() const { return m_log; }
    void clearDrawLog() { m_log.clear(); }
    // Commands dropped because a coordinate was NaN or infinite.
    int droppedCommands() const { return m_dropped; }
    // Everything drawn, to be put back whole by restoreDrawing (a command that ends having drawn nothing of
    // its own leaves the drawing it found).
    struct Drawing {
        QImage buffer;
        QRect drawn;
        bool pristine = true, backgroundPlain = false;
        OleColor plainColour = 0;
    };
    Drawing drawing() const { return {m_buffer, m_drawn, m_pristine, m_backgroundPlain, m_plainColour}; }
    void restoreDrawing(const Drawing& d);
    // The back buffer (created on first use) and one of its pixels as 0xRRGGBB (0 outside).
    const QImage& image();
    std::uint32_t pixel(int px, int py);
    // The pixel a logical point falls on (saturated; NaN maps to (0, 0)).
    QPoint toPixel(double x, double y) const;
    // Whether the logical heights y1 and y2 (both finite) fall on the same pixel row.
    bool samePixelRow(double y1, double y2) const;
    // The logical point of a pixel's top left corner.
    double fromPixelX(double px) const { return px / m_unitX + m_scaleLeft; }
    double fromPixelY(double py) const { return py / m_unitY + m_scaleTop; }
    // Pixels per logical unit.
    double pixelsPerUnitX() const { return m_unitX; }
    double pixelsPerUnitY() const { return m_unitY; }
    // Size of the drawable inner area in pixels.
    QSize clientSize() const { return m_client; }

  protected:
    // Logical units per pixel of the default scale (twips per pixel, or 1 for a pixel scale).
    Canvas(double unitsPerPixelX, double unitsPerPixelY);
    ~Canvas() = default;

    // Set by the owner: the widget that shows the buffer, the inner size, the smallest buffer size,
    // the twips per pixel that font sizes use, and an image that cls restores under the back colour.
    void attachSurface(QWidget* surface) { m_surface = surface; }
    void setClientSize(QSize size);
    void setMinimumBufferSize(QSize size) { m_minBuffer = size; }
    void setFontTwipsPerPixel(int tpp) { m_fontTpp = tpp > 0 ? tpp : 15; }
    void setBackgroundImage(const QImage* image) { m_background = image; }
    // Starts over from the back colour and background image (drawings dropped).
    void resetBuffer();
    // Copies the exposed part of the buffer; offset is where buffer pixel (0, 0) lies in the widget.
    void paintBuffer(QPainter& painter, const QRect& exposed, QPoint offset);

  private:
    template <class T>
    static void appendItem(std::string& text, const T& item) {
        if constexpr (std::is_same_v<T, double> || std::is_same_v<T, float> || WholeNumber<T>)
            text += PrintText(item);
        else
            text += std::string_view(item);
    }
    void printText(const std::string& text, bool endLine);

    bool toPixels(double x, double y, std::int64_t& px, std::int64_t& py) const;
    void ensureBuffer();
    void fillBackground(QImage& image) const;
    // Fills the image with the background; nothing on it is drawn since.
    void fillWhole(QImage& image);
    // Pixels drawn: part of what the next clear fills, and shown.
    void touched(const QRect& dirty);
    void showChanged(const QRect& dirty);
    void record(DrawOp op);
    // The two ends of a line or box in pixels, with the buffer ready; false (the command counted as
    // dropped) when an end is NaN or infinite.
    bool segmentToPixels(double x1, double y1, double x2, double y2, raster::PixelPoint& a,
                         raster::PixelPoint& b);
    // After a line or box: the drawing is no longer pristine, the current position is its end, the log
    // gets the command.
    void segmentDrawn(DrawOp::Kind kind, OleColor colour, double x1, double y1, double x2, double y2);
    DrawOp baseOp(DrawOp::Kind kind, OleColor colour) const;
    // The Qt font of the current font and its metrics, kept for the last few fonts used (a Lee diagram
    // switches between two fonts on every row).
    struct FontCache {
        FontSpec asked;
        int tpp;
        QFont font;
        QFontMetricsF metrics;
    };
    const FontCache& currentFont() const;

    QWidget* m_surface = nullptr;
    // An update of the surface is asked for and not yet painted: the next drawings need not ask again
    // (a Lee diagram draws hundreds of thousands of cells).
    bool m_updatePending = false;
    QImage m_buffer;
    QSize m_client{0, 0};
    QSize m_minBuffer{0, 0};
    const QImage* m_background = nullptr;
    int m_fontTpp = 15;
    static constexpr std::size_t kFontsKept = 4;
    mutable std::vector<FontCache> m_fontCache;  // the most recent first
    bool m_pristine = true;
    // Since the buffer was last filled whole: the bounds of every pixel drawn, and whether it was
    // filled with the plain colour m_plainColour (no background image).
    QRect m_drawn;
    bool m_backgroundPlain = false;
    OleColor m_plainColour = 0;

    double m_unitX;  // pixels per unit
    double m_unitY;
    double m_scaleLeft = 0.0;
    double m_scaleTop = 0.0;

    OleColor m_foreColor = kButtonText;
    OleColor m_backColor = kButtonFace;
    OleColor m_fillColor = 0;
    int m_fillStyle = draw::kTransparent;
    int m_drawStyle = draw::kSolid;
    int m_drawWidth = 1;
    int m_drawMode = draw::kCopyPen;
    double m_currentX = 0.0;
    double m_currentY = 0.0;
    FontSpec m_font;

    // The last line drawn: a line that starts on its end pixel with the same style and width goes on
    // with its dash pattern, so a curve of many short segments is dashed along its whole length.
    struct LineChain {
        bool valid = false;
        std::int64_t endX = 0, endY = 0;  // pixels
        int style = 0;
        int width = 1;
        std::int64_t patternPos = 0;
    };
    LineChain m_chain;

    bool m_recording = false;
    std::vector<DrawOp> m_log;
    int m_dropped = 0;
};

}  // namespace tessary
