#pragma once

#include <QImage>
#include <QSize>

namespace tavlora {

// The shaded faces of text buttons, ready to draw. A face depends on the
// button's size alone, so buttons of one size share it. Safe from the threads
// that make looks side by side; least recently used first out.
class ButtonFaces {
public:
    static constexpr qint64 kBudgetBytes = 8LL << 20;

    // Null when the size has no face (empty, or too large for one).
    static QImage Face(QSize size, bool pressed);
};

} // namespace tavlora
