#pragma once

#include "core/Finding.h"
#include "core/ScreenSet.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPair>
#include <QString>

#include <map>
#include <string>
#include <vector>

namespace tavlora {

// Checks that the text of DROs, buttons and labels fits its control at the
// font the widget draws it with (the widgets' own font helpers measure it).
// Needs a QGuiApplication. Keeps font metrics between runs.
class TextFitCheck {
public:
    // How a text sits in its control.
    struct Fit {
        bool applies = false; // the control shows text that can be measured
        QString text;
        QString font;         // "33 px Arial", for messages
        double needed = 0;    // widest line, in pixels
        int available = 0;    // width the widget gives it
        int lines = 1;
        int visibleLines = 1;
        int textHeight = 0;   // character cell height (buttons)
        int height = 0;       // height the widget gives it
        bool Fits() const
        {
            return !applies || (needed <= available && visibleLines >= lines && textHeight <= height);
        }
    };

    Fit Measure(const ControlRecord& record);

    // Findings for every DRO, button and label whose text does not fit (not sorted).
    std::vector<Finding> Run(const ScreenSet& set);

private:
    const QFontMetricsF& BandMetrics(int bandHeight);
    const QFontMetricsF& CaptionMetrics(int captionHeight);
    int CaptionHeight(int clientWidth);
    // Width of a text at a font, remembered: sets repeat their captions.
    double Advance(const QFontMetricsF& metrics, int fontKey, const QString& text);

    std::map<int, QFontMetricsF> band_;
    std::map<int, QFontMetricsF> caption_;
    std::map<int, int> captionHeights_;
    QHash<QPair<int, QString>, double> advances_;
};

} // namespace tavlora
