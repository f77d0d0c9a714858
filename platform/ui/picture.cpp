// Reading pictures through Qt's image plugins, and pictures made from text.
#include "platform/ui/picture.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include "platform/ui/fonts.h"

namespace tessary {

PictureLoad loadPicture(const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return {Picture(), "The picture file " + path + " was not found."};
    QImageReader reader(file);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return {Picture(), "The picture file " + path + " could not be read (" +
                               reader.errorString().toStdString() + ")."};
    return {Picture(image.convertToFormat(QImage::Format_RGB32)), {}};
}

Picture verticalTextPicture(const std::string& text, int widthPx, int heightPx, const std::string& fontName,
                            double fontSize, unsigned foreRgb, unsigned backRgb, int twipsPerPixel) {
    if (widthPx <= 0 || heightPx <= 0) return {};
    QImage image(widthPx, heightPx, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(backRgb & 0xFFFFFFu));
    QPainter painter(&image);
    painter.setFont(toQFont(FontSpec{fontName, fontSize, false}, twipsPerPixel));
    painter.setPen(QColor::fromRgb(foreRgb & 0xFFFFFFu));
    painter.translate(0, heightPx);
    painter.rotate(-90.0);
    painter.drawText(QRect(0, 0, heightPx, widthPx), Qt::AlignCenter, displayText(text, fontName));
    painter.end();
    return Picture(std::move(image));
}

}  // namespace tessary
