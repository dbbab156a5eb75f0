#pragma once

#include <QDialog>
#include <QSize>

class QButtonGroup;
class QDoubleSpinBox;

namespace tavlora {

// "Desired Screen Size": the target screen of the set being designed.
class ScreenSize : public QDialog {
    Q_OBJECT
public:
    enum Option { Size1024x768 = 0, Size800x600, Size640x480, Custom };

    // The custom boxes start at the given size (the desktop's).
    explicit ScreenSize(QSize desktop, QWidget* parent = nullptr);

    int Choice() const;
    void SetChoice(int choice);
    // The chosen size; the custom values are truncated toward zero.
    QSize Result() const;

    QDoubleSpinBox* WidthBox() const { return width_; }
    QDoubleSpinBox* HeightBox() const { return height_; }

private:
    void UpdateEnabled();

    QButtonGroup* group_ = nullptr;
    QDoubleSpinBox* width_ = nullptr;
    QDoubleSpinBox* height_ = nullptr;
};

} // namespace tavlora
