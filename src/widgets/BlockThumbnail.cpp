#include "BlockThumbnail.h"

#include "ScreenRenderer.h"
#include "WidgetContext.h"
#include "WidgetFactory.h"

#include "core/ControlType.h"
#include "core/ScreenSet.h"

#include <QPainter>

#include <algorithm>
#include <climits>

namespace tavlora {

QImage BlockThumbnail::Draw(const std::vector<std::unique_ptr<ControlRecord>>& records, const ColourSet& colours,
                            const std::string& vornFolder, bool showImages, QSize box)
{
    if (records.empty() || box.isEmpty())
        return {};
    long long left = LLONG_MAX, top = LLONG_MAX, right = LLONG_MIN, bottom = LLONG_MIN;
    for (const auto& rec : records) {
        left = std::min<long long>(left, rec->rect.left);
        top = std::min<long long>(top, rec->rect.top);
        right = std::max<long long>(right, rec->rect.right);
        bottom = std::max<long long>(bottom, rec->rect.bottom);
    }
    const long long width = right - left;
    const long long height = bottom - top;
    // A block wider or taller than a screen could be is not drawn.
    constexpr long long kMaxExtent = 1 << 16;
    if (width <= 0 || height <= 0 || width > kMaxExtent || height > kMaxExtent)
        return {};

    // Declared before the context, which destroys the widgets of its records.
    ScreenSet set;
    set.colours = colours;
    for (const auto& rec : records) {
        auto copy = std::make_unique<ControlRecord>(*rec);
        copy->rect = {int32_t(rec->rect.left - left), int32_t(rec->rect.top - top), int32_t(rec->rect.right - left),
                      int32_t(rec->rect.bottom - top)};
        copy->screen = 1;
        set.Append(std::move(copy));
    }
    WidgetContext ctx(set);
    ctx.vornFolder = vornFolder;
    ctx.showImages = showImages;
    ctx.BeginLoad();
    WidgetFactory::AssignLooks(set, ctx);
    for (auto& rec : set.controls)
        ApplyCreationRules(*rec);

    const double scale = std::min({1.0, double(box.width()) / double(width), double(box.height()) / double(height)});
    const QSize size(std::max(1, int(double(width) * scale)), std::max(1, int(double(height) * scale)));
    const QImage drawn = ScreenRenderer::Thumbnail(set, ctx, 1, QSize(int(width), int(height)), size);
    if (drawn.isNull())
        return {};
    QImage image(box, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.drawImage(QPoint((box.width() - size.width()) / 2, (box.height() - size.height()) / 2), drawn);
    return image;
}

} // namespace tavlora
