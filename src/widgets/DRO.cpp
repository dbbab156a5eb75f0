#include "DRO.h"

#include "EdgePainter.h"
#include "ShapedText.h"
#include "WidgetColours.h"
#include "WidgetContext.h"
#include "WidgetText.h"

#include "core/ScreenSet.h"

#include "core/ControlRecord.h"

#include <QPainter>

#include <algorithm>
#include <bit>

namespace tavlora {

DRO::DRO(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled)
    : DesignWidget(record, ctx, controlId, disabled)
{
}

DRO::~DRO()
{
    if (counting_)
        Context().StopSampleCounter();
}

void DRO::Configure(const ControlRecord& rec)
{
    SetFormat(rec.format);
    if (rec.label == "Skinned")
        SetImage(rec.image);
}

void DRO::SetFormat(const std::string& format)
{
    format_ = format;
    paintFormat_ = DroFormat(LayoutFor(format_, QSize(), false).paintFormat);
    Update();
}

void DRO::SetImage(const std::string& name)
{
    imagePath_ = ResolvePicture(name, ImagePath::Keywords::Dro);
    if (!Context().IsPresent(imagePath_)) {
        imageLoaded_ = false;
        return;
    }
    keyed_ = IsBmpPath(imagePath_);
    imageLoaded_ = ReloadScaled(image_, imagePath_, keyed_);
    if (!counting_) {
        counting_ = true;
        countedTick_ = Context().SampleTicks();
        Context().StartSampleCounter();
    }
    Update();
}

void DRO::Resized()
{
    if (imageLoaded_)
        imageLoaded_ = ReloadScaled(image_, imagePath_, keyed_);
}

void DRO::SetShownValue(std::optional<double> value)
{
    if (value == shownValue_)
        return;
    shownValue_ = value;
    Update();
}

double DRO::Value() const
{
    if (shownValue_)
        return *shownValue_;
    if (!counting_)
        return 0.0;
    // The value grows by 0.1 at every tick since the counter started.
    for (; countedTick_ < Context().SampleTicks(); ++countedTick_)
        value_ += 0.1;
    return value_;
}

std::string DRO::DisplayText() const
{
    return paintFormat_.Apply(Value());
}

DRO::Layout DRO::LayoutFor(const std::string& format, QSize client, bool imageLoaded)
{
    Layout out;
    DroFormat::Skin skin = DroFormat::ParseSkin(format);
    out.skin = skin.skin;
    out.drawDigits = skin.drawDigits;
    out.paintFormat = std::move(skin.paintFormat);
    const bool textOnTop = skin.textOnTop;

    // Edges as left/top inclusive, right/bottom exclusive.
    const int left = 0;
    int top = 0;
    int right = client.width();
    int bottom = client.height();
    if (imageLoaded)
        right -= kSkinMargin;
    auto box = [](int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r - 1, b - 1)); };
    if (out.skin) {
        int bandTop = top;
        int bandBottom = bottom;
        double l = out.drawDigits ? std::min(0.65 * (right - left), double(bottom - top)) : 0.0;
        l = std::max(l, 0.0);
        if (textOnTop)
            bottom = int(top + l);
        else
            top = int(bottom - l);
        if (textOnTop)
            bandTop += bottom - top;
        else
            bandBottom -= bottom - top;
        out.image = box(left, bandTop, right, bandBottom);
    } else {
        out.image = QRect(QPoint(0, 0), client);
    }
    out.text = box(left, top, right, bottom);
    return out;
}

void DRO::Paint(QPainter& p)
{
    const ColourSet& colours = Context().set.colours;
    const QSize client = ClientSize();
    const QRect whole(QPoint(0, 0), client);
    const QColor back = WidgetColours::Of(colours, ColourSet::DROBack);
    p.fillRect(whole, back);
    EdgePainter::Draw(p, whole, EdgePainter::Bump, EdgePainter::Right | EdgePainter::Bottom);

    const Layout layout = LayoutFor(format_, client, imageLoaded_);
    if (layout.skin)
        p.fillRect(layout.text, back);

    if ((!layout.skin || layout.drawDigits) && layout.text.height() > 0 && layout.text.width() > 0) {
        p.setFont(WidgetText::BandFont(layout.text.height()));
        p.setPen(WidgetColours::Of(colours, ColourSet::DRONumers));
        ShapedText::Draw(p, layout.text, Qt::AlignRight | Qt::AlignTop,
                   WidgetText::FromBytes(DisplayText()));
    }

    if (imageLoaded_) {
        if (layout.skin)
            image_.DrawStretched(p, layout.image);
        else
            image_.Draw(p, 0, 0);
    }
}


DesignWidget::LookKey DRO::CurrentLookKey() const
{
    const ColourSet& c = Context().set.colours;
    quint64 value = counting_ ? quint64(Context().SampleTicks()) : 0;
    if (shownValue_)
        value = std::bit_cast<quint64>(*shownValue_);
    return {(quint64(c.Get(ColourSet::DROBack)) << 32) | c.Get(ColourSet::DRONumers), value};
}

} // namespace tavlora
