#include "GuideOverlay.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <vector>

namespace tavlora {

namespace {

const QColor kGuideColour(230, 0, 170);
const QColor kLabelText(255, 255, 255);
constexpr int kTick = 3; // half the length of a gap's end ticks

} // namespace

void GuideOverlay::Paint(QPainter& p, const ViewScale& scale, const SmartGuides::Shown& shown)
{
    if (shown.Empty() || !p.device())
        return;
    const int width = p.device()->width();
    const int height = p.device()->height();
    using Axis = SmartGuides::Axis;

    // Rules and gap bars are filled rectangles, all in one call.
    std::vector<QRect> bars;
    for (const SmartGuides::Line& l : shown.lines) {
        if (l.axis == Axis::X)
            bars.emplace_back(scale.ToScreenX(l.pos), 0, 1, height);
        else
            bars.emplace_back(0, scale.ToScreenY(l.pos), width, 1);
    }
    struct Label {
        QPoint at;
        QString text;
    };
    std::vector<Label> labels;
    for (const SmartGuides::Gap& g : shown.gaps) {
        const QString text = QString::number(g.Size());
        if (g.axis == Axis::X) {
            const int from = scale.ToScreenX(g.from), to = scale.ToScreenX(g.to);
            const int y = scale.ToScreenY(g.across);
            bars.emplace_back(from, y, std::max(1, to - from), 1);
            bars.emplace_back(from, y - kTick, 1, 2 * kTick + 1);
            bars.emplace_back(to - 1, y - kTick, 1, 2 * kTick + 1);
            labels.push_back({QPoint((from + to) / 2, y - kTick - 1), text});
        } else {
            const int from = scale.ToScreenY(g.from), to = scale.ToScreenY(g.to);
            const int x = scale.ToScreenX(g.across);
            bars.emplace_back(x, from, 1, std::max(1, to - from));
            bars.emplace_back(x - kTick, from, 2 * kTick + 1, 1);
            bars.emplace_back(x - kTick, to - 1, 2 * kTick + 1, 1);
            labels.push_back({QPoint(x + kTick + 2, (from + to) / 2), text});
        }
    }

    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kGuideColour);
    p.drawRects(bars.data(), int(bars.size()));
    // Sizes on small tags: above a horizontal gap, right of a vertical one.
    const QFontMetrics metrics = p.fontMetrics();
    for (size_t i = 0; i < labels.size(); ++i) {
        const Label& l = labels[i];
        QRect box = metrics.boundingRect(l.text).adjusted(-3, -1, 3, 1);
        if (shown.gaps[i].axis == Axis::X) {
            box.moveBottom(l.at.y());
            box.moveLeft(l.at.x() - box.width() / 2);
        } else {
            box.moveLeft(l.at.x());
            box.moveTop(l.at.y() - box.height() / 2);
        }
        p.setBrush(kGuideColour);
        p.drawRoundedRect(box, 2, 2);
        p.setPen(kLabelText);
        p.drawText(box, Qt::AlignCenter, l.text);
        p.setPen(Qt::NoPen);
    }
    p.restore();
}

} // namespace tavlora
