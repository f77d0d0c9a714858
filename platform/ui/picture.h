// Pictures for picture boxes: loaded from image files (JPEG and whatever Qt's image plugins read) or
// made in code; a file that cannot be read gives an error message, never a crash.
#pragma once

#include <QImage>
#include <string>

namespace tessary {

class Picture {
  public:
    Picture() = default;
    explicit Picture(QImage image) : m_image(std::move(image)) {}

    bool isNull() const { return m_image.isNull(); }
    int widthPx() const { return m_image.width(); }
    int heightPx() const { return m_image.height(); }
    const QImage& image() const { return m_image; }

  private:
    QImage m_image;
};

struct PictureLoad {
    Picture picture;
    std::string error;  // empty when the picture was read
    bool ok() const { return error.empty(); }
};

// Reads an image file; on failure the message names the file and the reason.
PictureLoad loadPicture(const std::string& path);

// A picture of widthPx x heightPx holding text written from bottom to top, centred, in the font of
// the given name and size (points at twipsPerPixel) and colour, on the background colour.
Picture verticalTextPicture(const std::string& text, int widthPx, int heightPx, const std::string& fontName,
                            double fontSize, unsigned foreRgb, unsigned backRgb, int twipsPerPixel = 15);

}  // namespace tessary
