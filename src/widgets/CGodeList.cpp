#include "CGodeList.h"

#include "ShapedText.h"
#include "WidgetColours.h"
#include "WidgetContext.h"
#include "WidgetText.h"

#include "core/ScreenSet.h"

#include "core/ControlRecord.h"
#include "core/ControlTypes.h"

#include <QPainter>

#include <algorithm>
#include <climits>

namespace tavlora {

const char* const CGodeList::kSampleLines[kSampleCount] = {
    "G17",
    "F1200",
    "G1X23.4 Y23.5 Z1.2 ",
    "G2X67.7 Y53.5 Z-1.2 I13.0 J23.4",
    "G1X3.4 Y6.5 Z2 ",
    "G3X2.4 Y .5 I6.7 J3.4 ",
    "M3 ",
    "M98 P1001 Q3",
    "M30",
    "O1001",
    "G1X.4 Y.5 Z-2.2 ",
};

CGodeList::CGodeList(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled)
    : DesignWidget(record, ctx, controlId, disabled)
{
}

void CGodeList::Configure(const ControlRecord& rec)
{
    SetLineCount(rec.parameter == 0 ? ControlTypes::kDefaultLineCount : rec.parameter);
}

void CGodeList::SetLineCount(int n)
{
    lineCount_ = std::min(n, kMaxLines);
    Update();
}

int CGodeList::LineHeight(int clientHeight) const
{
    return std::max(1, clientHeight / EffectiveCount());
}

int CGodeList::SampleIndexForBand(long long band)
{
    return band <= 0 ? 0 : int((band - 1) % 10) + 1;
}

void CGodeList::SetCurrentLine(std::optional<int> line)
{
    if (line == currentLine_)
        return;
    currentLine_ = line;
    Update();
}

int CGodeList::ProgramLineForBand(long long band, long long currentBand, int current)
{
    const long long line = current + (band - currentBand);
    return line >= 0 && line < kSampleCount ? int(line) : -1;
}

QPair<int, int> CGodeList::CurrentBand(int clientHeight) const
{
    const long long l = LineHeight(clientHeight);
    const long long half = EffectiveCount() / 2;
    const auto clampInt = [](long long v) { return int(std::min<long long>(v, INT_MAX)); };
    return {clampInt(l * half), clampInt(l * (half + 1))};
}

void CGodeList::Paint(QPainter& p)
{
    const QSize size = ClientSize();
    const QRect r(QPoint(0, 0), size);
    const ColourSet& colours = Context().set.colours;
    p.fillRect(r, WidgetColours::Of(colours, ColourSet::GCodeBack));
    if (size.isEmpty())
        return;

    const int n = EffectiveCount();
    const int l = LineHeight(size.height());
    const auto band = CurrentBand(size.height());
    p.fillRect(QRect(QPoint(0, band.first), QPoint(size.width() - 1, band.second - 1)),
               QColor(255, 255, 255));

    const int bandFont = size.height() / n;
    if (bandFont <= 0)
        return;
    p.setFont(WidgetText::BandFont(bandFont));
    p.setPen(WidgetColours::Of(colours, ColourSet::GCodeTextScreenBack));

    // Only the bands inside the painter's clip are drawn.
    QRect visible = r;
    if (p.hasClipping())
        visible &= p.clipBoundingRect().toAlignedRect();
    const long long first = std::max(0, visible.top()) / l;
    const long long last = std::min<long long>(size.height() - 1, visible.bottom()) / l;
    const long long currentBand = n / 2;
    for (long long k = first; k <= last; ++k) {
        const int y = int(k * l);
        const int height = int(std::min<long long>(l, static_cast<long long>(INT_MAX) - y));
        const int line = currentLine_ ? ProgramLineForBand(k, currentBand, *currentLine_) : SampleIndexForBand(k);
        if (line >= 0)
            ShapedText::Draw(p, QRect(0, y, size.width(), height), Qt::AlignLeft | Qt::AlignTop,
                       QString::fromLatin1(kSampleLines[line]));
    }
}


DesignWidget::LookKey CGodeList::CurrentLookKey() const
{
    const ColourSet& c = Context().set.colours;
    return {(quint64(c.Get(ColourSet::GCodeBack)) << 32) | c.Get(ColourSet::GCodeTextScreenBack), 0};
}

} // namespace tavlora
