#include "EmergButton.h"

#include "WidgetContext.h"

#include "core/ControlRecord.h"

#include <QPainter>

namespace tavlora {

EmergButton::EmergButton(const ControlRecord& record, WidgetContext& ctx, int controlId,
                         bool disabled)
    : DesignWidget(record, ctx, controlId, disabled)
{
}

void EmergButton::Configure(const ControlRecord& rec)
{
    if (rec.image.empty())
        return;
    SetImage(rec.image);
    SetFunction(rec.function);
    SetParameter(rec.parameter);
}

void EmergButton::SetImage(const std::string& name)
{
    const QString path = ResolvePicture(name, ImagePath::Keywords::EmergButton);
    if (path.isEmpty() || !Context().IsPresent(path)) {
        imageLoaded_ = false;
        Update();
        return;
    }
    imagePath_ = path;
    if (!image_.Load(imagePath_, &Context().Images())) {
        imageLoaded_ = false;
        Update();
        return;
    }
    scaledSize_ = ClientSize();
    image_.Resample(scaledSize_.width(), scaledSize_.height());
    imageLoaded_ = true;
    Update();
}

void EmergButton::Resized()
{
    if (imageLoaded_) {
        imageLoaded_ = ReloadScaled(image_, imagePath_, false);
        scaledSize_ = ClientSize();
    }
}

void EmergButton::PaintFrame(QPainter& p, const QRect& r) const
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QColor blue(0, 0, 255);
    const QColor green(0, 255, 0);
    p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), blue);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), blue);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), green);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), green);
}

void EmergButton::Paint(QPainter& p)
{
    const QSize size = ClientSize();
    if (size != scaledSize_) {
        if (imageLoaded_)
            image_.Resample(size.width(), size.height());
        scaledSize_ = size;
    }
    const QRect client(QPoint(0, 0), size);
    const QRect inset = client.adjusted(kPressInset, kPressInset, -kPressInset, -kPressInset);
    if (imageLoaded_) {
        image_.Draw(p, 0, 0);
        if (pressed_)
            image_.DrawStretched(p, inset);
    } else {
        PaintFrame(p, client);
        if (pressed_)
            PaintFrame(p, inset);
    }
}

int EmergButton::MousePress(QPoint, Qt::KeyboardModifiers mods, int currentScreen)
{
    pressed_ = true;
    Update();
    return JumpTarget(function_, parameter_, mods, currentScreen);
}

void EmergButton::MouseRelease(QPoint)
{
    pressed_ = false;
    Update();
}

} // namespace tavlora
