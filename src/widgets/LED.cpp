#include "LED.h"

#include "WidgetContext.h"

#include "core/ImagePath.h"

#include "core/ControlRecord.h"

#include <QPainter>

namespace tavlora {

LED::LED(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled)
    : DesignWidget(record, ctx, controlId, disabled)
{
}

const char* LED::StandardPicture(int code)
{
    switch (code) {
    case kRed: return "LegacyRed.bmp";
    case kGreen: return "LegacyGreen.bmp";
    case kRedGreen: return "LegacyRedGreen.bmp";
    case kYellow: return "LegacyYellow.bmp";
    default: return "";
    }
}

int LED::CodeForLedColour(int ledColour)
{
    switch (ledColour) {
    case 0: return kGreen;
    case 1: return kRed;
    case 2: return kYellow;
    default: return 0;
    }
}

void LED::Split()
{
    const int w = lit_.Size().width();
    const int h = lit_.Size().height();
    lit_.Crop(0, 0, w / 2, h);
    other_.Crop(w / 2, 0, 2 * (w / 2), h);
    const QSize s = ClientSize();
    lit_.Resample(s.width(), s.height());
    other_.Resample(s.width(), s.height());
}

void LED::SetColourCode(int code)
{
    colourCode_ = code;
    if (customLoaded_)
        return;
    const std::string file = StandardPicture(code);
    if (file.empty())
        return;
    const QString path = Context().PlatformPath(Context().vornFolder + "\\" + file);
    const bool litOk = lit_.Load(path, &Context().Images());
    const bool otherOk = other_.Load(path, &Context().Images());
    if (litOk && otherOk) {
        Split();
        Update();
    }
}

void LED::Configure(const ControlRecord& rec)
{
    SetCustomImage(rec.image);
    if (const int code = CodeForLedColour(rec.ledColour))
        SetColourCode(code);
}

void LED::SetCustomImage(const std::string& name)
{
    std::string normalised = ImagePath::Normalise(name);
    if (!ImagePath::ApplyKeywords(ImagePath::Keywords::LedCustom, normalised))
        return;
    customName_ = normalised;
    if (ImagePath::LeavesFolder(normalised)) {
        Context().NoteOutside(ImagePath::InBitmaps(Context().vornFolder, normalised));
        customLoaded_ = false;
        return;
    }
    const QString path = Context().PlatformPath(ImagePath::InBitmaps(Context().vornFolder, normalised));
    if (!Context().IsPresent(path)) {
        customLoaded_ = false;
        return;
    }
    if (!lit_.Load(path, &Context().Images())) {
        customLoaded_ = false;
    } else {
        lit_.Load(path, &Context().Images());
        other_.Load(path, &Context().Images());
        Split();
        customLoaded_ = true;
    }
    Update();
}

void LED::Resized()
{
    if (customLoaded_)
        SetCustomImage(customName_);
    else
        SetColourCode(colourCode_);
    Update();
}

void LED::SetLit(bool lit)
{
    if (lit == switchedOn_)
        return;
    switchedOn_ = lit;
    Update();
}

void LED::Paint(QPainter& p)
{
    const Vorn3Image& half = switchedOn_ ? lit_ : other_;
    if (!half.IsEmpty())
        half.Draw(p, 0, 0);
}

} // namespace tavlora
