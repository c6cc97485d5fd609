#pragma once

#include "core/diagram/color.h"
#include "core/diagram/emfwriter.h"
#include "core/diagram/picture.h"
#include "core/util/result.h"

#include <QRectF>

#include <string>

class QFont;
class QColor;
class QImage;
class QPainter;
class QPalette;

namespace quorel {

// Plays a recorded Picture onto any QPainter (screen, printer, image, PDF), stretched into a
// target rectangle. System colours are resolved through the table given at construction, so
// the same picture follows whichever colour scheme draws it.
class PicturePlayer
{
public:
    explicit PicturePlayer(const SystemColorTable &colors)
        : m_colors(colors)
    { }

    // Draws the S x S picture scaled into `target`; an empty picture draws nothing. The
    // painter's state is restored afterwards.
    void play(const Picture &picture, QPainter &painter, const QRectF &target) const;

private:
    SystemColorTable m_colors;
};

// The system colour numbers 0..30 taken from a Qt palette (window, text, button face, ...);
// colours Qt has no role for keep the classic values.
[[nodiscard]] SystemColorTable systemColorsFromPalette(const QPalette &palette);

// The largest side of a bitmap rendering (400 MB of pixels); the size commands stop at 4000.
inline constexpr int maxImageSide = 10000;

// The picture as an S x S image (transparent where nothing is drawn); a null image when the
// picture is empty, larger than maxImageSide or too large to allocate.
[[nodiscard]] QImage renderToImage(const Picture &picture, const SystemColorTable &colors);

// The font of a Picture as Qt draws it: the face, whole pixels at 96 dpi, bold, italic,
// underline.
[[nodiscard]] QFont toQFont(const Font &font);

// A colour as the screen shows it, system colours resolved through the table.
[[nodiscard]] QColor toQColor(Color color, const SystemColorTable &colors);

// Character advances measured with Qt's fonts, for the enhanced metafile's text records.
// Needs a QGuiApplication.
[[nodiscard]] TextMeasure qtTextMeasure();

// PNG of S x S pixels; PDF with one page of S x S pixels at 96 dpi.
[[nodiscard]] Status writePng(const Picture &picture, const SystemColorTable &colors,
                              const std::string &path);
[[nodiscard]] Status writePdf(const Picture &picture, const SystemColorTable &colors,
                              const std::string &path);

} // namespace quorel
