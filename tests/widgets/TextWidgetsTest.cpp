#include "WidgetFixture.h"

#include "core/ControlType.h"
#include "widgets/CGodeList.h"
#include "widgets/Labels.h"
#include "widgets/MDI.h"
#include "widgets/ShapedText.h"
#include "widgets/ToolPath.h"
#include "widgets/WidgetText.h"

#include <QPainter>

using namespace tavlora;

namespace {

class TextWidgetsTest : public WidgetFixture {
protected:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 200;
    static constexpr QColor kOutside = QColor(0, 128, 0);

    // A G-code list painted alone on a canvas taller than the widget, without clipping.
    QImage PaintList(int count, int canvasHeight = kHeight)
    {
        ControlRecord& rec = Add(TypeGCodeList, 0, 0, kWidth, kHeight);
        rec.parameter = count;
        Rebuild();
        QImage canvas = Solid(kWidth, canvasHeight, kOutside);
        QPainter p(&canvas);
        dynamic_cast<DesignWidget*>(rec.widget.get())->Paint(p);
        return canvas;
    }

    // The sample line alone, drawn as the list draws it in a band.
    static QImage Expected(int index, int bandTop, int lineHeight, int fontBand, QColor back, int canvasHeight)
    {
        QImage canvas = Solid(kWidth, canvasHeight, back);
        QPainter p(&canvas);
        p.setFont(WidgetText::BandFont(fontBand));
        p.setPen(Qt::black);
        p.drawText(QRect(0, bandTop, kWidth, lineHeight), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromLatin1(CGodeList::kSampleLines[index]));
        return canvas;
    }

    // Rows [top, bottom) of two images are equal.
    static bool SameRows(const QImage& a, const QImage& b, int top, int bottom)
    {
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    return false;
        return true;
    }
};

} // namespace

TEST_F(TextWidgetsTest, TenLinesOnTwoHundredPixels)
{
    const QImage list = PaintList(10);
    const QColor yellow(255, 255, 128);
    // Band of line 5 is white (y 100 ... 119) at the right end, where no text reaches.
    EXPECT_EQ(At(list, kWidth - 1, 99), yellow);
    EXPECT_EQ(At(list, kWidth - 1, 100), QColor(Qt::white));
    EXPECT_EQ(At(list, kWidth - 1, 119), QColor(Qt::white));
    EXPECT_EQ(At(list, kWidth - 1, 120), yellow);
    // Every band holds its sample line: 0, then 1 ... 9.
    for (int k = 0; k < 10; ++k) {
        const QColor back = k == 5 ? QColor(Qt::white) : yellow;
        const QImage expected = Expected(CGodeList::SampleIndexForBand(k), 20 * k, 20, 20, back, kHeight);
        EXPECT_TRUE(SameRows(list, expected, 20 * k, 20 * k + 20)) << "band " << k;
    }
}

TEST_F(TextWidgetsTest, ThreeLinesOnTwoHundredPixels)
{
    const int canvas = 300;
    const QImage list = PaintList(3, canvas);
    const QColor yellow(255, 255, 128);
    EXPECT_EQ(At(list, kWidth - 1, 65), yellow);
    EXPECT_EQ(At(list, kWidth - 1, 66), QColor(Qt::white));
    EXPECT_EQ(At(list, kWidth - 1, 131), QColor(Qt::white));
    EXPECT_EQ(At(list, kWidth - 1, 132), yellow);
    // Lines at 0, 66 and 132 with a 66-pixel font band, and a fourth at 198,
    // "G2X67.7 Y53.5 Z-1.2 I13.0 J23.4", which the widget's own clip cuts at 200.
    EXPECT_EQ(CGodeList::SampleIndexForBand(3), 3);
    const int tops[4] = {0, 66, 132, 198};
    for (int k = 0; k < 4; ++k) {
        const QColor back = k == 1 ? QColor(Qt::white) : yellow;
        QImage expected = Expected(CGodeList::SampleIndexForBand(k), tops[k], 66, 66, back, canvas);
        if (k == 3) {
            // Outside the widget there is no background fill; compare the glyphs only.
            QImage glyphs = Expected(3, 198, 66, 66, kOutside, canvas);
            EXPECT_TRUE(SameRows(list, glyphs, 200, 264));
            EXPECT_GT(CountNot(list, QRect(0, 200, kWidth, 64), kOutside), 100);
            continue;
        }
        EXPECT_TRUE(SameRows(list, expected, tops[k], tops[k] + 66)) << "band " << k;
    }
}

TEST_F(TextWidgetsTest, HostileLineCountsNeverHangOrDivideByZero)
{
    ControlRecord& zero = Add(TypeGCodeList, 0, 0, 50, 50);
    zero.parameter = 0;
    ControlRecord& negative = Add(TypeGCodeList, 60, 0, 110, 50);
    negative.parameter = -7;
    ControlRecord& many = Add(TypeGCodeList, 120, 0, 170, 50);
    many.parameter = 1000000;
    ControlRecord& tall = Add(TypeGCodeList, 0, 60, 50, 2000000000);
    tall.parameter = 80;
    Rebuild();
    EXPECT_EQ(zero.parameter, 10); // creation replaces 0
    EXPECT_EQ(dynamic_cast<CGodeList*>(negative.widget.get())->LineCount(), -7);
    EXPECT_EQ(dynamic_cast<CGodeList*>(many.widget.get())->LineCount(), 80);
    dynamic_cast<CGodeList*>(zero.widget.get())->SetLineCount(0); // the edit path passes 0 through
    const QImage out = Render(QSize(200, 200));
    // Counts below 1 show one line, which is then the current (white) line.
    EXPECT_EQ(At(out, 49, 0), QColor(Qt::white));
    EXPECT_EQ(At(out, 109, 49), QColor(Qt::white));
    // 80 lines on 50 pixels: bands of 1 pixel, band 40 white.
    EXPECT_EQ(At(out, 169, 40), QColor(Qt::white));
}

TEST_F(TextWidgetsTest, LabelIsTransparentAndSizedFromItsHeight)
{
    ControlRecord& rec = Add(TypeLabel, 10, 10, 210, 50);
    rec.label = "HHHH";
    set_.colours.Set(ColourSet::Label, MakeColourRef(200, 0, 0));
    set_.colours.Set(ColourSet::ScreenBack, MakeColourRef(0, 0, 90));
    Rebuild();
    const QImage out = Render();
    // Background of the screen inside the label away from the glyphs.
    EXPECT_EQ(At(out, 205, 12), QColor(0, 0, 90));
    // Capital H: rows covered by the glyph tops in the label colour; height about
    // 0.72 x the font's pixel size (0.93 x 40 = 37 pixels).
    int top = -1, bottom = -1;
    for (int y = 10; y < 50; ++y) {
        bool ink = false;
        for (int x = 10; x < 20; ++x)
            ink = ink || At(out, x, y) == QColor(200, 0, 0);
        if (ink) {
            if (top < 0)
                top = y;
            bottom = y;
        }
    }
    ASSERT_GE(top, 0);
    EXPECT_NEAR(bottom - top + 1, 0.716 * 37, 2.5);
    EXPECT_NEAR(top - 10, (0.905 - 0.716) * 37, 2.5);
}

TEST_F(TextWidgetsTest, MdiShowsTheSampleBlockCentredAtTheTop)
{
    EXPECT_STREQ(MDI::kSampleBlock, "G2 X2.34 Y7.86 Z5.65 I4.56 J5.65 ");
    Add(TypeMdi, 0, 0, 400, 20);
    Rebuild();
    const QImage out = Render(QSize(400, 100));
    int left = 400, right = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 400; ++x)
            if (qRed(out.pixel(x, y)) < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, 0);
    // Centred: the trailing blank shifts the ink a few pixels left of the middle.
    EXPECT_NEAR((left + right) / 2.0, 200, 8);
    EXPECT_EQ(At(out, 0, 0), QColor(176, 176, 255));
}

TEST_F(TextWidgetsTest, ToolPathSamplePictureStretchesOverTheWidget)
{
    const QImage& sample = ToolPath::SamplePicture();
    EXPECT_EQ(sample.size(), QSize(486, 483));
    Add(TypeToolPath, 0, 0, 120, 100);
    Rebuild();
    const QImage out = Render();
    int blue = 0, olive = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 120; ++x) {
            const QColor c = At(out, x, y);
            if (c.blue() > 100 && c.red() < 60 && c.green() < 60)
                ++blue;
            if (c.red() > 90 && c.green() > 90 && c.blue() < 40)
                ++olive;
        }
    EXPECT_GT(blue, 200);  // thin passes survive the shrinking
    EXPECT_GT(olive, 300); // the square outline too
    EXPECT_EQ(At(out, 120, 50), QColor(240, 240, 240));
}

// Kept lines draw what drawText draws, the first time and from the cache,
// unscaled and zoomed, fitting or clipped.
TEST_F(TextWidgetsTest, ShapedTextDrawsAsDrawTextDoes)
{
    const struct {
        int band;
        QRect rect;
        int flags;
        const char* text;
    } rows[] = {
        {20, {3, 4, 200, 30}, Qt::AlignLeft | Qt::AlignTop, "N0010 G01 X1.2500 Y-0.5"},
        {20, {3, 4, 200, 30}, Qt::AlignRight | Qt::AlignTop, "-12.3456"},
        {13, {10, 10, 120, 25}, Qt::AlignCenter | Qt::TextSingleLine, "Cycle Start"},
        {13, {10, 10, 121, 26}, Qt::AlignCenter | Qt::TextSingleLine, "  spaced caption  "},
        {40, {0, 0, 90, 30}, Qt::AlignRight | Qt::AlignTop, "+0123.4567"},        // clipped
        {30, {5, 5, 60, 60}, Qt::AlignCenter | Qt::TextSingleLine, "Feed Hold Now"}, // clipped
        {16, {2, 2, 250, 40}, Qt::AlignHCenter | Qt::AlignTop, "Caf\u00e9 \u00e4\u00f6\u00fc"},
    };
    for (const qreal zoom : {1.0, 1.5}) {
        for (const auto& row : rows) {
            const QString text = QString::fromUtf8(row.text);
            QImage images[3];
            for (int i = 0; i < 3; ++i) {
                images[i] = Solid(kWidth, 80, Qt::white);
                QPainter p(&images[i]);
                p.scale(zoom, zoom);
                p.setFont(WidgetText::BandFont(row.band));
                p.setPen(Qt::darkBlue);
                if (i == 0)
                    p.drawText(row.rect, row.flags, text);
                else
                    ShapedText::Draw(p, row.rect, row.flags, text);
            }
            EXPECT_EQ(images[1], images[0]) << row.text << " at " << zoom;
            EXPECT_EQ(images[2], images[0]) << row.text << " at " << zoom << ", kept";
        }
    }
}
