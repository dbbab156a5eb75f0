#pragma once

#include <QRectF>
#include <QString>

class QPainter;

namespace tavlora {

// Draws one line of text in a rectangle exactly as QPainter::drawText does,
// but keeps the shaped line, so a look made again at another size does not
// shape its text again. Each thread keeps its own lines (fonts are per
// thread); text that needs more than one plain left-to-right line is handed
// to drawText.
class ShapedText {
public:
    static void Draw(QPainter& p, const QRectF& r, int flags, const QString& text);
};

} // namespace tavlora
