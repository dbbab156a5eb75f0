#include "TextFitCheck.h"

#include "DRO.h"
#include "Labels.h"
#include "Vorn1Button.h"
#include "WidgetText.h"

#include "core/CheckCode.h"
#include "core/ControlType.h"
#include "core/DroFormat.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace tavlora {

namespace {

// The client size of a widget at a record's rectangle (as the widgets clamp it).
QSize ClientOf(const Rect& r)
{
    auto extent = [](int32_t from, int32_t to) {
        const long long e = static_cast<long long>(to) - from;
        const long long room = static_cast<long long>(INT_MAX) - from;
        return int(std::clamp<long long>(e, 0, std::min<long long>(room, INT_MAX)));
    };
    return QSize(extent(r.left, r.right), extent(r.top, r.bottom));
}

std::string Px(double v)
{
    return std::to_string(int(std::ceil(v)));
}

} // namespace

const QFontMetricsF& TextFitCheck::BandMetrics(int bandHeight)
{
    const int px = WidgetText::BandPixelSize(bandHeight);
    auto it = band_.find(px);
    if (it == band_.end())
        it = band_.emplace(px, QFontMetricsF(WidgetText::BandFont(bandHeight))).first;
    return it->second;
}

const QFontMetricsF& TextFitCheck::CaptionMetrics(int captionHeight)
{
    auto it = caption_.find(captionHeight);
    if (it == caption_.end())
        it = caption_.emplace(captionHeight, QFontMetricsF(Vorn1Button::CaptionFontFor(captionHeight))).first;
    return it->second;
}

int TextFitCheck::CaptionHeight(int clientWidth)
{
    auto it = captionHeights_.find(clientWidth);
    if (it == captionHeights_.end())
        it = captionHeights_.emplace(clientWidth, Vorn1Button::FitCaptionHeight(clientWidth)).first;
    return it->second;
}

double TextFitCheck::Advance(const QFontMetricsF& metrics, int fontKey, const QString& text)
{
    constexpr qsizetype kMaxRemembered = 1 << 16;
    const QPair<int, QString> key(fontKey, text);
    if (const auto it = advances_.constFind(key); it != advances_.constEnd())
        return *it;
    if (advances_.size() >= kMaxRemembered)
        advances_.clear();
    const double width = metrics.horizontalAdvance(text);
    advances_.insert(key, width);
    return width;
}

TextFitCheck::Fit TextFitCheck::Measure(const ControlRecord& r)
{
    Fit fit;
    const QSize client = ClientOf(r.rect);
    if (client.isEmpty())
        return fit;
    switch (r.type) {
    case TypeDro: {
        // The digit band with the skin picture in place when the DRO is skinned.
        const DRO::Layout layout = DRO::LayoutFor(r.format, client, r.label == "Skinned");
        if ((layout.skin && !layout.drawDigits) || layout.text.isEmpty())
            return fit;
        fit.text = WidgetText::FromBytes(DroFormat(layout.paintFormat).Apply(0.0));
        fit.font = QString::number(WidgetText::BandPixelSize(layout.text.height())) + QStringLiteral(" px Arial");
        const int px = WidgetText::BandPixelSize(layout.text.height());
        fit.needed = Advance(BandMetrics(layout.text.height()), 2 * px, fit.text);
        fit.available = layout.text.width();
        break;
    }
    case TypeButton: {
        fit.text = WidgetText::FromBytes(r.text);
        if (fit.text.isEmpty())
            return fit;
        const int cell = CaptionHeight(client.width());
        fit.font = QString::number(cell) + QStringLiteral(" px bold Arial");
        fit.needed = Advance(CaptionMetrics(cell), 2 * cell + 1, fit.text); // bold captions: odd keys
        fit.available = std::max(0, Vorn1Button::CaptionBand(client).width());
        fit.textHeight = cell;
        fit.height = client.height();
        break;
    }
    case TypeLabel: {
        fit.text = Labels::DisplayText(r.label);
        if (fit.text.isEmpty())
            return fit;
        const QFontMetricsF& fm = BandMetrics(client.height());
        const int px = WidgetText::BandPixelSize(client.height());
        fit.font = QString::number(px) + QStringLiteral(" px Arial");
        const QStringList lines = fit.text.split(QLatin1Char('\n'));
        for (const QString& line : lines)
            fit.needed = std::max(fit.needed, Advance(fm, 2 * px, line));
        fit.available = client.width();
        fit.lines = int(lines.size());
        // Lines start one line spacing apart; those starting below the label are not seen.
        fit.visibleLines = std::max(1, int(std::ceil(client.height() / std::max(1.0, fm.lineSpacing()))));
        break;
    }
    default:
        return fit;
    }
    fit.applies = true;
    return fit;
}

std::vector<Finding> TextFitCheck::Run(const ScreenSet& set)
{
    std::vector<Finding> out;
    for (size_t i = 0; i < set.controls.size(); ++i) {
        const ControlRecord& r = *set.controls[i];
        if (r.type != TypeDro && r.type != TypeButton && r.type != TypeLabel)
            continue;
        const Fit fit = Measure(r);
        if (fit.Fits())
            continue;
        std::string what = r.type == TypeDro ? "the sample value" : r.type == TypeButton ? "caption" : "text";
        std::string shown = fit.text.toStdString();
        if (fit.lines > 1)
            shown = fit.text.section(QLatin1Char('\n'), 0, 0).toStdString() + "...";
        std::string message = what + " \"" + shown + "\" ";
        std::string font = fit.font.toStdString();
        if (fit.needed > fit.available)
            message += "needs " + Px(fit.needed) + " px at " + font + ", but " + std::to_string(fit.available)
                + " px are free";
        else if (fit.textHeight > fit.height)
            message += "is " + std::to_string(fit.textHeight) + " px high at " + font + ", but the button is "
                + std::to_string(fit.height) + " px high";
        else
            message += "has " + std::to_string(fit.lines) + " lines at " + font;
        if (fit.visibleLines < fit.lines)
            message += (fit.needed > fit.available ? "; only " : ", only ") + std::to_string(fit.visibleLines)
                + " of its " + std::to_string(fit.lines) + " lines can be seen";
        Finding f;
        f.severity = Finding::Severity::Warning;
        f.code = CheckCode::TextDoesNotFit;
        f.screen = r.screen;
        f.index = i;
        f.message = message;
        out.push_back(std::move(f));
    }
    return out;
}

} // namespace tavlora
