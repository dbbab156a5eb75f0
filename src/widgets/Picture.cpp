#include "Picture.h"

#include "WidgetContext.h"

#include "core/ControlRecord.h"

#include <QPainter>

namespace tavlora {

Picture::Picture(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled)
    : DesignWidget(record, ctx, controlId, disabled)
{
}

void Picture::SetImage(const std::string& name)
{
    imagePath_ = ResolvePicture(name, ImagePath::Keywords::Picture);
    if (!Context().IsPresent(imagePath_)) {
        imageLoaded_ = false;
        return;
    }
    if (!image_.Load(imagePath_, &Context().Images())) {
        imageLoaded_ = false;
        Update();
        return;
    }
    keyed_ = IsBmpPath(imagePath_);
    if (keyed_) {
        image_.SetKeyIndex(Vorn3Image::kBmpKeyIndex);
        image_.SetKeyColour(Vorn3Image::kBmpKeyColour);
    }
    const QSize s = ClientSize();
    image_.Resample(s.width(), s.height());
    imageLoaded_ = true;
    Update();
}

void Picture::Configure(const ControlRecord& rec)
{
    if (CurrentLook().placeholder) {
        // The older-image placeholder: the offline picture's name, never loaded.
        imagePath_ = ResolvePicture("Missing", ImagePath::Keywords::Picture);
        imageLoaded_ = false;
    } else if (!rec.image.empty()) {
        SetImage(rec.image);
    }
}

void Picture::Resized()
{
    if (imageLoaded_)
        imageLoaded_ = ReloadScaled(image_, imagePath_, keyed_);
}

void Picture::Paint(QPainter& p)
{
    if (!Context().showImages || !imageLoaded_)
        return;
    image_.Draw(p, 0, 0);
}

} // namespace tavlora
