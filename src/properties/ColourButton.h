#pragma once

#include <QColor>
#include <QPushButton>

namespace tavlora {

// A colour button of the colour dialog: a small palette picture, the label and
// a swatch of the colour it holds. Clicking it only emits clicked(); whoever
// owns it asks for the new colour.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    explicit ColourButton(const QString& label, QWidget* parent = nullptr);

    QColor Colour() const { return colour_; }
    void SetColour(const QColor& colour);

    // Where the swatch is painted, in widget coordinates.
    QRect SwatchRect() const;

    // The palette picture, `size` pixels square at the given pixel ratio.
    static QPixmap PalettePicture(int size, qreal devicePixelRatio);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_ = Qt::black;
};

} // namespace tavlora
