// The back buffer and the drawing commands of windows and picture boxes.
#include "platform/ui/canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "numerics/vector_state.h"
#include "platform/ui/raster.h"

namespace tessary {

namespace {

// Logical value to pixel: round half up, saturated to the rasteriser's range.
std::int64_t saturatedPixel(double v) {
    const auto limit = static_cast<double>(raster::kPixelLimit);
    const double clamped = std::clamp(std::floor(v + 0.5), -limit, limit);
    return static_cast<std::int64_t>(clamped);
}

raster::Pen penOf(OleColor colour, int mode) { return raster::Pen{toRgb32(colour), mode}; }

}  // namespace

Canvas::Canvas(double unitsPerPixelX, double unitsPerPixelY)
    : m_unitX(unitsPerPixelX > 0 ? 1.0 / unitsPerPixelX : 1.0),
      m_unitY(unitsPerPixelY > 0 ? 1.0 / unitsPerPixelY : 1.0) {}

void Canvas::setBackColor(OleColor c) {
    m_backColor = c;
    if (m_pristine && !m_buffer.isNull()) {
        fillWhole(m_buffer);
        showChanged(m_buffer.rect());
    }
}

void Canvas::setScaleLeft(double v) {
    if (std::isfinite(v)) m_scaleLeft = v;
}

void Canvas::setScaleTop(double v) {
    if (std::isfinite(v)) m_scaleTop = v;
}

double Canvas::scaleWidth() const { return m_client.width() / m_unitX; }

double Canvas::scaleHeight() const { return m_client.height() / m_unitY; }

void Canvas::setScaleWidth(double v) {
    // A zero, NaN or infinite width would make the unit meaningless; it is ignored.
    if (std::isfinite(v) && v != 0.0 && m_client.width() > 0) m_unitX = m_client.width() / v;
}

void Canvas::setScaleHeight(double v) {
    if (std::isfinite(v) && v != 0.0 && m_client.height() > 0) m_unitY = m_client.height() / v;
}

void Canvas::setClientSize(QSize size) {
    m_client = size.expandedTo(QSize(0, 0));
    if (!m_buffer.isNull()) ensureBuffer();
}

bool Canvas::toPixels(double x, double y, std::int64_t& px, std::int64_t& py) const {
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    px = saturatedPixel((x - m_scaleLeft) * m_unitX);
    py = saturatedPixel((y - m_scaleTop) * m_unitY);
    return true;
}

QPoint Canvas::toPixel(double x, double y) const {
    std::int64_t px = 0, py = 0;
    if (!toPixels(x, y, px, py)) return {};
    return QPoint(static_cast<int>(px), static_cast<int>(py));
}

bool Canvas::samePixelRow(double y1, double y2) const {
    if (!std::isfinite(y1) || !std::isfinite(y2)) return false;
    return saturatedPixel((y1 - m_scaleTop) * m_unitY) == saturatedPixel((y2 - m_scaleTop) * m_unitY);
}

void Canvas::fillBackground(QImage& image) const {
    image.fill(QColor::fromRgb(toRgb32(m_backColor)));
    ClearUpperVectorState();  // Qt's fill leaves them set: the next calculation would run slowly
    if (m_background != nullptr && !m_background->isNull()) {
        QPainter painter(&image);
        painter.drawImage(QPoint(0, 0), *m_background);
    }
}

void Canvas::ensureBuffer() {
    const QSize wanted = m_client.expandedTo(m_minBuffer).expandedTo(QSize(1, 1));
    if (!m_buffer.isNull() && m_buffer.width() >= wanted.width() && m_buffer.height() >= wanted.height())
        return;
    QImage grown(wanted.expandedTo(m_buffer.size()), QImage::Format_RGB32);
    const bool sameBackground = m_backgroundPlain && m_plainColour == m_backColor;
    const QRect drawn = sameBackground ? m_drawn : m_buffer.rect();  // the old pixels not background
    fillWhole(grown);
    if (!m_buffer.isNull()) {
        QPainter painter(&grown);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), m_buffer);
        m_drawn = drawn;
    }
    m_buffer = std::move(grown);
}

void Canvas::fillWhole(QImage& image) {
    fillBackground(image);
    m_drawn = QRect();
    m_backgroundPlain = m_background == nullptr || m_background->isNull();
    m_plainColour = m_backColor;
}

void Canvas::resetBuffer() {
    if (m_buffer.isNull()) {
        ensureBuffer();
    } else if (m_backgroundPlain && m_plainColour == m_backColor && m_background == nullptr) {
        // Only what was drawn since the last fill differs from the back colour: a graph's frame and
        // curves are a small part of a screen-sized buffer.
        const QRect area = m_drawn.intersected(m_buffer.rect());
        if (!area.isEmpty()) {
            const QRgb colour = toRgb32(m_backColor);
            for (int y = area.top(); y <= area.bottom(); ++y) {
                QRgb* row = reinterpret_cast<QRgb*>(m_buffer.scanLine(y));
                std::fill(row + area.left(), row + area.right() + 1, colour);
            }
        }
        m_drawn = QRect();
        ensureBuffer();
    } else {
        fillWhole(m_buffer);
        ensureBuffer();
    }
    m_pristine = true;
    showChanged(m_buffer.rect());
}

void Canvas::restoreDrawing(const Drawing& d) {
    m_buffer = d.buffer;
    m_drawn = d.drawn;
    m_pristine = d.pristine;
    m_backgroundPlain = d.backgroundPlain;
    m_plainColour = d.plainColour;
    if (!m_buffer.isNull()) {
        ensureBuffer();  // the window may have grown since
        showChanged(m_buffer.rect());
    }
}

const QImage& Canvas::image() {
    ensureBuffer();
    return m_buffer;
}

std::uint32_t Canvas::pixel(int px, int py) {
    ensureBuffer();
    if (px < 0 || py < 0 || px >= m_buffer.width() || py >= m_buffer.height()) return 0;
    return m_buffer.pixel(px, py) & 0xFFFFFFu;
}

void Canvas::touched(const QRect& dirty) {
    m_drawn |= dirty;
    showChanged(dirty);
}

void Canvas::showChanged(const QRect& dirty) {
    if (m_updatePending || m_surface == nullptr || dirty.isEmpty()) return;
    // Qt drops the update of a hidden surface or one not updating; the next paint shows everything.
    if (!m_surface->isVisible() || !m_surface->updatesEnabled()) return;
    m_surface->update();
    m_updatePending = true;
}

void Canvas::paintBuffer(QPainter& painter, const QRect& exposed, QPoint offset) {
    m_updatePending = false;
    const QRect bufferArea = m_buffer.isNull() ? QRect() : m_buffer.rect().translated(offset);
    if (!bufferArea.contains(exposed)) painter.fillRect(exposed, toQColor(m_backColor));  // beyond the buffer
    const QRect shown = exposed.intersected(bufferArea);
    if (!shown.isEmpty()) painter.drawImage(shown.topLeft(), m_buffer, shown.translated(-offset));
}

DrawOp Canvas::baseOp(DrawOp::Kind kind, OleColor colour) const {
    DrawOp op;
    op.kind = kind;
    op.colour = colour;
    op.fillColour = m_fillColor;
    op.fillStyle = m_fillStyle;
    op.drawStyle = m_drawStyle;
    op.drawWidth = m_drawWidth;
    op.drawMode = m_drawMode;
    op.font = m_font;
    return op;
}

void Canvas::record(DrawOp op) {
    if (m_recording) m_log.push_back(std::move(op));
}

void Canvas::cls() {
    resetBuffer();
    m_chain = {};
    m_currentX = 0.0;
    m_currentY = 0.0;
    record(baseOp(DrawOp::Kind::Cls, m_backColor));
}

bool Canvas::segmentToPixels(double x1, double y1, double x2, double y2, raster::PixelPoint& a,
                             raster::PixelPoint& b) {
    if (!toPixels(x1, y1, a.x, a.y) || !toPixels(x2, y2, b.x, b.y)) {
        ++m_dropped;
        return false;
    }
    ensureBuffer();
    return true;
}

void Canvas::segmentDrawn(DrawOp::Kind kind, OleColor colour, double x1, double y1, double x2, double y2) {
    m_pristine = false;
    m_currentX = x2;
    m_currentY = y2;
    if (!m_recording) return;  // a curve draws thousands of segments: no record made to be dropped
    DrawOp op = baseOp(kind, colour);
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2;
    record(std::move(op));
}

void Canvas::line(double x1, double y1, double x2, double y2, OleColor colour) {
    raster::PixelPoint a, b;
    if (!segmentToPixels(x1, y1, x2, y2, a, b)) return;
    const bool joins = m_chain.valid && a.x == m_chain.endX && a.y == m_chain.endY &&
                       m_chain.style == m_drawStyle && m_chain.width == m_drawWidth;
    const std::int64_t start = joins ? m_chain.patternPos : 0;
    touched(raster::line(m_buffer, a, b, m_drawWidth, m_drawStyle, penOf(colour, m_drawMode), start));
    // Every pattern period divides 24 pixels.
    const std::int64_t steps = std::max(std::llabs(b.x - a.x), std::llabs(b.y - a.y));
    m_chain = LineChain{true, b.x, b.y, m_drawStyle, m_drawWidth, (start + steps) % 24};
    segmentDrawn(DrawOp::Kind::Line, colour, x1, y1, x2, y2);
}

void Canvas::box(double x1, double y1, double x2, double y2, OleColor colour) {
    raster::PixelPoint a, b;
    if (!segmentToPixels(x1, y1, x2, y2, a, b)) return;
    if (m_fillStyle == draw::kSolid)
        touched(raster::rectInterior(m_buffer, a, b, m_drawWidth, penOf(m_fillColor, m_drawMode)));
    if (m_drawStyle != 5)
        touched(raster::rectOutline(m_buffer, a, b, m_drawWidth, penOf(colour, m_drawMode)));
    segmentDrawn(DrawOp::Kind::Box, colour, x1, y1, x2, y2);
}

void Canvas::boxFilled(double x1, double y1, double x2, double y2, OleColor colour) {
    raster::PixelPoint a, b;
    if (!segmentToPixels(x1, y1, x2, y2, a, b)) return;
    touched(raster::fillRect(m_buffer, a, b, penOf(colour, m_drawMode)));
    segmentDrawn(DrawOp::Kind::FilledBox, colour, x1, y1, x2, y2);
}

void Canvas::circle(double x, double y, double r, OleColor colour) {
    raster::PixelPoint c;
    if (!toPixels(x, y, c.x, c.y) || !std::isfinite(r)) {
        ++m_dropped;
        return;
    }
    ensureBuffer();
    // Radius in pixels of the horizontal scale, saturated like the coordinates.
    const double radius = std::min(std::fabs(r * m_unitX), static_cast<double>(raster::kPixelLimit >> 1));
    const double half = 0.5 * m_drawWidth;
    if (m_fillStyle == draw::kSolid && radius - half > 0.0)
        touched(raster::ring(m_buffer, c, 0.0, radius - half, penOf(m_fillColor, m_drawMode)));
    if (m_drawStyle != 5) {
        const raster::Pen pen = penOf(colour, m_drawMode);
        if (radius + half <= 1.0)
            touched(raster::point(m_buffer, c, 1, pen));  // a circle smaller than a pixel is its centre
        else
            touched(raster::ring(m_buffer, c, radius - half, radius + half, pen));
    }
    m_pristine = false;
    m_currentX = x;
    m_currentY = y;
    DrawOp op = baseOp(DrawOp::Kind::Circle, colour);
    op.x1 = x, op.y1 = y, op.x2 = r;
    record(std::move(op));
}

void Canvas::pset(double x, double y, OleColor colour) {
    raster::PixelPoint p;
    if (!toPixels(x, y, p.x, p.y)) {
        ++m_dropped;
        return;
    }
    ensureBuffer();
    touched(raster::point(m_buffer, p, m_drawWidth, penOf(colour, m_drawMode)));
    m_pristine = false;
    m_currentX = x;
    m_currentY = y;
    DrawOp op = baseOp(DrawOp::Kind::Point, colour);
    op.x1 = x, op.y1 = y;
    record(std::move(op));
}

const Canvas::FontCache& Canvas::currentFont() const {
    const auto same = [this](const FontCache& c) { return c.asked == m_font && c.tpp == m_fontTpp; };
    const auto found = std::find_if(m_fontCache.begin(), m_fontCache.end(), same);
    if (found != m_fontCache.end()) {
        std::rotate(m_fontCache.begin(), found, found + 1);  // the most recent first
        return m_fontCache.front();
    }
    if (m_fontCache.size() >= kFontsKept) m_fontCache.pop_back();
    const QFont font = toQFont(m_font, m_fontTpp);
    m_fontCache.insert(m_fontCache.begin(), FontCache{m_font, m_fontTpp, font, QFontMetricsF(font)});
    return m_fontCache.front();
}

double Canvas::textWidth(std::string_view text) const {
    return currentFont().metrics.horizontalAdvance(displayText(std::string(text), m_font.name)) /
           std::fabs(m_unitX);
}

double Canvas::textHeight(std::string_view) const {
    return currentFont().metrics.height() / std::fabs(m_unitY);
}

void Canvas::printText(const std::string& text, bool endLine) {
    std::int64_t px = 0, py = 0;
    if (!toPixels(m_currentX, m_currentY, px, py)) {
        ++m_dropped;
        return;
    }
    ensureBuffer();
    const double x = m_currentX, y = m_currentY;
    double advance = 0.0;  // the text's width in pixels, as textWidth measures it
    if (!text.empty()) {
        const FontCache& current = currentFont();
        const QFont& font = current.font;
        const QFontMetricsF& metrics = current.metrics;
        const QString shown = displayText(text, m_font.name);
        // Text is drawn in the fore colour whatever the draw mode; the background stays (transparent).
        QPainter painter(&m_buffer);
        painter.setFont(font);
        painter.setPen(toQColor(m_foreColor));
        const QPointF baseline(static_cast<double>(px), static_cast<double>(py) + metrics.ascent());
        painter.drawText(baseline, shown);
        painter.end();
        advance = metrics.horizontalAdvance(shown);
        const QRectF bounds(QPointF(static_cast<double>(px), static_cast<double>(py)),
                            QSizeF(advance + 1.0, metrics.height() + 1.0));
        // Glyphs may reach past their advance (italics, bearings): the margin keeps them inside.
        const int margin = static_cast<int>(std::ceil(metrics.height())) + 2;
        touched(bounds.toAlignedRect().adjusted(-margin, -2, margin, 2));
        m_pristine = false;
    }
    DrawOp op = baseOp(DrawOp::Kind::Text, m_foreColor);
    op.x1 = x, op.y1 = y;
    op.text = text;
    record(std::move(op));
    if (endLine) {
        m_currentX = m_scaleLeft;
        m_currentY = y + textHeight();
    } else {
        m_currentX = x + (text.empty() ? textWidth(text) : advance / std::fabs(m_unitX));
    }
}

}  // namespace tessary
