#pragma once

#include "core/PrintScope.h"

#include <QByteArray>
#include <QPageLayout>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace tavlora {

class ScreenSet;
class WidgetContext;

// Paints screens of a set onto a paged device (a PDF writer, a printer): one
// screen per page as the machine shows it (its controls and the persistent
// ones, none on the TAB screen), scaled to fit the page with its aspect ratio
// kept, above a footer naming the screen and the file. The widgets'
// visibility is switched per page and restored afterwards.
class ScreenPages {
public:
    ScreenPages(const ScreenSet& set, WidgetContext& ctx, QSize screenSize, const QString& fileName);

    // Screens holding controls, the persistent layer 0 first, then ascending;
    // screen 1 when there are none.
    static std::vector<int> UsedScreens(const ScreenSet& set);
    // The current screen alone, or every used screen.
    static std::vector<int> Screens(const ScreenSet& set, PrintScope scope, int currentScreen);
    // "Persistent Controls" (0), "TAB Screen" (50), "Screen N".
    static QString ScreenName(int screen);
    // Largest rectangle of the screen's aspect ratio centred in `area`.
    static QRect FitRect(QSize screenSize, const QRect& area);
    // Landscape for a screen wider than tall.
    static QPageLayout::Orientation OrientationFor(QSize screenSize);
    // A4 in that orientation with 10 mm margins: the layout of the PDF pages.
    static QPageLayout PdfLayout(QSize screenSize);

    // One page per screen, in the order given. False when the device cannot
    // be painted on or refuses a new page.
    bool Paint(QPagedPaintDevice& device, const std::vector<int>& screens) const;
    // The pages as a PDF document in the default layout; empty on failure.
    QByteArray Pdf(const std::vector<int>& screens, const QString& title) const;

private:
    void PaintPage(QPainter& p, const QRect& page, int screen) const;

    const ScreenSet& set_;
    WidgetContext& ctx_;
    QSize screenSize_;
    QString fileName_;
};

} // namespace tavlora
