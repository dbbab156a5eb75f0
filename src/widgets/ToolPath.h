#pragma once

#include "DesignWidget.h"

#include <QImage>

namespace tavlora {

// The tool-path display: a built-in sample picture stretched over the widget.
class ToolPath : public DesignWidget {
public:
    static constexpr int kPictureWidth = 486;
    static constexpr int kPictureHeight = 483;

    ToolPath(ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled);

    // The sample picture: blue zig-zag passes fanning out from the lower-left
    // corner inside an olive square outline on white (drawn once).
    static const QImage& SamplePicture();
    // Stretch that keeps thin dark lines: each target pixel is the AND of the
    // source pixels it covers (growing repeats pixels).
    static QImage StretchAnd(const QImage& source, int width, int height);

    // The sample picture stretched to a size (computed once per size).
    static QImage ScaledPicture(QSize size);

    void Paint(QPainter& p) override;

protected:
    void Resized() override;

private:
    QImage scaled_; // stretched to the current size, made at the first paint after a resize
};

} // namespace tavlora
