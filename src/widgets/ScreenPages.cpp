#include "ScreenPages.h"

#include "ScreenRenderer.h"
#include "ScreenWidgets.h"
#include "WidgetContext.h"

#include "core/ScreenSet.h"
#include "core/ScreenVisibility.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace tavlora {

namespace {

constexpr double kFooterPoints = 9;
constexpr double kMarginMm = 10;

QFont FooterFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(kFooterPoints);
    return font;
}

} // namespace

ScreenPages::ScreenPages(const ScreenSet& set, WidgetContext& ctx, QSize screenSize, const QString& fileName)
    : set_(set), ctx_(ctx), screenSize_(screenSize), fileName_(fileName)
{
}

std::vector<int> ScreenPages::UsedScreens(const ScreenSet& set)
{
    std::vector<int> used = ScreenVisibility::UsedScreens(set);
    if (used.empty())
        used.push_back(1);
    return used;
}

std::vector<int> ScreenPages::Screens(const ScreenSet& set, PrintScope scope, int currentScreen)
{
    if (scope == PrintScope::CurrentScreen)
        return {currentScreen};
    return UsedScreens(set);
}

QString ScreenPages::ScreenName(int screen)
{
    if (screen == ScreenVisibility::kPersistentScreen)
        return QStringLiteral("Persistent Controls");
    if (screen == ScreenVisibility::kTabScreen)
        return QStringLiteral("TAB Screen");
    return QStringLiteral("Screen %1").arg(screen);
}

QRect ScreenPages::FitRect(QSize screenSize, const QRect& area)
{
    if (screenSize.isEmpty() || area.isEmpty())
        return {};
    const double scale = std::min(double(area.width()) / screenSize.width(),
                                  double(area.height()) / screenSize.height());
    const int w = std::clamp(int(std::lround(screenSize.width() * scale)), 1, area.width());
    const int h = std::clamp(int(std::lround(screenSize.height() * scale)), 1, area.height());
    return QRect(area.left() + (area.width() - w) / 2, area.top() + (area.height() - h) / 2, w, h);
}

QPageLayout::Orientation ScreenPages::OrientationFor(QSize screenSize)
{
    return screenSize.width() > screenSize.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QPageLayout ScreenPages::PdfLayout(QSize screenSize)
{
    return QPageLayout(QPageSize(QPageSize::A4), OrientationFor(screenSize),
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

void ScreenPages::PaintPage(QPainter& p, const QRect& page, int screen) const
{
    const QFont font = FooterFont();
    p.setFont(font);
    const QFontMetricsF metrics(p.font(), p.device());
    const int footer = int(std::ceil(metrics.height() * 2));
    const QRect area(page.left(), page.top(), page.width(), std::max(0, page.height() - footer));
    const QRect fit = FitRect(screenSize_, area);

    if (!fit.isEmpty()) {
        const ScreenWidgets widgets(set_, ctx_, screen, true);
        p.save();
        p.translate(fit.topLeft());
        const double scale = std::min(double(fit.width()) / screenSize_.width(),
                                      double(fit.height()) / screenSize_.height());
        p.scale(scale, scale);
        p.setClipRect(QRect(QPoint(0, 0), screenSize_));
        ScreenRenderer::Paint(p, set_, ctx_, screenSize_);
        p.restore();
        p.save();
        p.setPen(QPen(Qt::darkGray, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(fit));
        p.restore();
    }

    const QRect footerRect(page.left(), page.bottom() - footer + 1, page.width(), footer);
    p.setPen(Qt::black);
    p.drawText(footerRect, Qt::AlignLeft | Qt::AlignBottom, ScreenName(screen));
    p.drawText(footerRect, Qt::AlignRight | Qt::AlignBottom, fileName_);
}

bool ScreenPages::Paint(QPagedPaintDevice& device, const std::vector<int>& screens) const
{
    if (screens.empty())
        return false;
    QPainter p;
    bool ok = p.begin(&device);
    if (ok) {
        const QRect page(0, 0, device.width(), device.height());
        for (size_t i = 0; i < screens.size() && ok; ++i) {
            if (i > 0)
                ok = device.newPage();
            if (ok)
                PaintPage(p, page, screens[i]);
        }
        ok = p.end() && ok;
    }
    return ok;
}

QByteArray ScreenPages::Pdf(const std::vector<int>& screens, const QString& title) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    bool ok = false;
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Tavlora"));
        writer.setTitle(title);
        writer.setPageLayout(PdfLayout(screenSize_));
        ok = Paint(writer, screens);
    }
    buffer.close();
    return ok ? bytes : QByteArray();
}

} // namespace tavlora
