#pragma once

#include "DesignWidget.h"
#include "Vorn3Image.h"

namespace tavlora {

// An image control: one picture from the Bitmaps folder scaled to the widget.
// BMP pictures let the screen show through RGB (254,254,254). An older-image
// record read from a file shows the placeholder "Missing": it names no picture
// (no extension, so nothing could load), so it is neither opened nor reported
// missing. Paints only while pictures are shown.
class Picture : public DesignWidget {
public:
    Picture(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled);

    void Configure(const ControlRecord& record) override;
    void SetImage(const std::string& name);

    bool ImageLoaded() const { return imageLoaded_; }
    const QString& ImagePathName() const { return imagePath_; }
    const Vorn3Image& Image() const { return image_; }

    void Paint(QPainter& p) override;

protected:
    void Resized() override;

private:
    Vorn3Image image_;
    bool imageLoaded_ = false;
    bool keyed_ = false;
    QString imagePath_;
};

} // namespace tavlora
