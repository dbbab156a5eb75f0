#pragma once

#include "DesignWidget.h"

#include <QImage>

namespace tavlora {

// The tool-path display: a built-in sample picture stretched over the widget.
// Stretched copies are held by the picture cache of the context, under its
// budget, and shared by tool paths of the same size.
class ToolPath : public DesignWidget {
public:
    static constexpr int kPictureWidth = 486;
    static constexpr int kPictureHeight = 483;

    ToolPath(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled);

    // The sample picture: blue zig-zag passes fanning out from the lower-left
    // corner inside an olive square outline on white (drawn once).
    static const QImage& SamplePicture();
    // Stretch that keeps thin dark lines: each target pixel is the AND of the
    // source pixels it covers (growing repeats pixels).
    static QImage StretchAnd(const QImage& source, int width, int height);
    // StretchAnd of the sample picture, from its pixels that are not white
    // (white changes no AND), in time that follows the target's size.
    static QImage StretchSample(int width, int height);

    // The sample picture stretched to a size (made once per size while the
    // cache keeps it).
    QImage ScaledPicture(QSize size) const;

    void Paint(QPainter& p) override;

protected:
    // The look is made beside the others: the stretched copy comes from the
    // picture cache's thread-safe Product.
    bool CachesLook() const override { return true; }
    bool LookIsOpaque() const override { return true; }
};

} // namespace tavlora
