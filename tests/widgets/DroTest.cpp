#include "WidgetFixture.h"

#include "widgets/WidgetFactory.h"

#include "core/ControlType.h"
#include "widgets/DRO.h"
#include "core/DroFormat.h"

#include <chrono>

using namespace tavlora;

namespace {

class DroTest : public WidgetFixture {
protected:
    DRO* DroOf(ControlRecord& r) { return dynamic_cast<DRO*>(r.widget.get()); }
    ControlRecord& Skinned(const char* format, int w, int h)
    {
        WriteBitmap("Skin/Face.png", Solid(16, 16, Qt::blue));
        ControlRecord& rec = Add(TypeDro, 0, 0, w, h);
        rec.format = format;
        rec.label = "Skinned";
        rec.image = "Skin/Face.png";
        return rec;
    }
    const QColor back = QColor(160, 255, 160);
    const QColor blue = QColor(0, 0, 255);
};

} // namespace

TEST_F(DroTest, DefaultDroShowsTheSampleValueRightAndTopWithABumpEdge)
{
    Add(TypeDro, 0, 0, 200, 40);
    Rebuild();
    EXPECT_EQ(DroOf(set_.At(0))->DisplayText(), "+0.0000");
    const QImage out = Render();
    // Bump edge on the right and bottom only.
    EXPECT_EQ(At(out, 199, 10), QColor(105, 105, 105));
    EXPECT_EQ(At(out, 198, 10), QColor(227, 227, 227));
    EXPECT_EQ(At(out, 100, 39), QColor(105, 105, 105));
    EXPECT_EQ(At(out, 0, 10), back);
    EXPECT_EQ(At(out, 100, 0), back);
    // Dark digits end close to the right edge; the left part stays empty.
    int left = 200, right = -1, top = 40;
    for (int y = 0; y < 38; ++y)
        for (int x = 0; x < 198; ++x)
            if (qGreen(out.pixel(x, y)) < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
            }
    EXPECT_GT(right, 190);
    EXPECT_GT(left, 60);
    // Top-aligned with a font of 0.93 x 40 = 37 pixels: digits start about 7 pixels down.
    EXPECT_NEAR(top, (0.905 - 0.716) * 37, 3);
}

TEST_F(DroTest, SkinFormatSplitsTheWidgetIntoPictureAndDigitBand)
{
    ControlRecord& rec = Skinned("SD%+.4f", 100, 200);
    Rebuild();
    DRO* dro = DroOf(rec);
    ASSERT_TRUE(dro->ImageLoaded());
    const DRO::Layout layout = DRO::LayoutFor("SD%+.4f", QSize(100, 200), true);
    EXPECT_EQ(layout.text, QRect(0, 141, 90, 59));
    EXPECT_EQ(layout.image, QRect(0, 0, 90, 141));
    EXPECT_EQ(layout.paintFormat, "%+.4f");
    EXPECT_EQ(DRO::LayoutFor("SD%+.4f", QSize(100, 200), false).text.height(), 65);

    const QImage out = Render();
    EXPECT_EQ(At(out, 0, 0), blue);
    EXPECT_EQ(At(out, 89, 140), blue);
    EXPECT_EQ(At(out, 90, 50), back); // the 10-pixel strip at the right
    EXPECT_EQ(At(out, 45, 141), back);
    EXPECT_EQ(At(out, 45, 145), back); // above the digits' tops
    int ink = 0;
    for (int y = 141; y < 198; ++y)
        for (int x = 0; x < 90; ++x)
            ink += qGreen(out.pixel(x, y)) < 100;
    EXPECT_GT(ink, 100);
}

TEST_F(DroTest, SkinWithoutDigitsAndTextOnTop)
{
    ControlRecord& noDigits = Skinned("ST%+.4f", 100, 200);
    ControlRecord& onTop = Add(TypeDro, 200, 0, 300, 200);
    onTop.format = "SDT%+.3f";
    onTop.label = "Skinned";
    onTop.image = "Skin/Face.png";
    Rebuild();
    const QImage out = Render();
    EXPECT_EQ(At(out, 45, 199), blue); // the picture covers everything but the strip
    EXPECT_EQ(At(out, 95, 100), back);
    const DRO::Layout top = DRO::LayoutFor("SDT%+.3f", QSize(100, 200), true);
    EXPECT_EQ(top.text, QRect(0, 0, 90, 58));
    EXPECT_EQ(top.image, QRect(0, 58, 90, 142));
    EXPECT_EQ(At(out, 200 + 45, 199), blue);
    EXPECT_EQ(At(out, 200 + 45, 57), back);
    EXPECT_EQ(DroOf(onTop)->DisplayText(), "+0.000");
    (void)noDigits;
}

TEST_F(DroTest, SampleCounterRunsOnlyOnceASkinFileWasPresent)
{
    ControlRecord& skinned = Skinned("%+.4f", 100, 30);
    ControlRecord& absent = Add(TypeDro, 0, 40, 100, 70);
    absent.label = "Skinned";
    absent.image = "Nowhere.png";
    WriteRawBitmap("Broken.jpg", QByteArray("no jpeg"));
    ControlRecord& broken = Add(TypeDro, 0, 80, 100, 110);
    broken.label = "Skinned";
    broken.image = "Broken.jpg";
    Rebuild();
    for (int i = 0; i < 3; ++i)
        ctx_.Tick();
    EXPECT_EQ(DroOf(skinned)->DisplayText(), "+0.3000");
    EXPECT_EQ(DroOf(absent)->DisplayText(), "+0.0000");
    EXPECT_EQ(DroOf(broken)->DisplayText(), "+0.3000"); // undecodable: plain DRO, counting
    EXPECT_FALSE(DroOf(broken)->ImageLoaded());
    EXPECT_EQ(reported_.size(), 1);
    // Resizing keeps the count.
    skinned.rect = Rect{0, 0, 120, 40};
    WidgetFactory::Sync(skinned, ctx_, false);
    ctx_.Tick();
    EXPECT_EQ(DroOf(skinned)->DisplayText(), "+0.4000");
}

TEST_F(DroTest, OnlyOneFloatingPointConversionIsApplied)
{
    EXPECT_EQ(DroFormat("%+.4f").Apply(1.5), "+1.5000");
    EXPECT_EQ(DroFormat("X:%08.2lf mm").Apply(-2.25), "X:-0002.25 mm");
    EXPECT_EQ(DroFormat("%e").Apply(0.0), "0.000000e+00");
    EXPECT_EQ(DroFormat("%G%%").Apply(0.5), "0.5%");
    EXPECT_EQ(DroFormat("100%%").Apply(1), "100%");
    EXPECT_EQ(DroFormat("SD").Apply(1), "SD");
    // Anything else is drawn as it stands.
    for (const char* hostile : {"%s", "%n", "%d%d", "%f%f", "%*f", "%.*f", "%Lf", "%hf", "%",
                                "%1000000f", "%.100000f", "%p", "%c", "%x", "%5$f"}) {
        const DroFormat f(hostile);
        EXPECT_FALSE(f.IsConversion()) << hostile;
        EXPECT_EQ(f.Apply(1.0), hostile) << hostile;
    }
    // Long output is bounded.
    EXPECT_LE(DroFormat("%99.99f").Apply(1e300).size(), DroFormat::kMaxOutput);
    const std::string huge(5000, 'x');
    EXPECT_EQ(DroFormat(huge + "%f").Apply(1).size(), DroFormat::kMaxOutput);
    EXPECT_EQ(DroFormat(std::string("%f\0%s", 5)).Apply(1), std::string("%f\0%s", 5));
}

TEST_F(DroTest, HostileFormatsAndSizesRenderWithoutHarm)
{
    const std::string huge(5000, '%');
    const char* formats[] = {"%s", "%n", "%d%d", "%99999999999f", "S", "SD%", "%.99f"};
    int left = 0;
    for (const char* f : formats) {
        ControlRecord& r = Add(TypeDro, left, 0, left + 60, 30);
        r.format = f;
        left += 70;
    }
    Add(TypeDro, 0, 40, 400, 80).format = huge;
    Add(TypeDro, 0, 100, 0, 100);                 // zero size
    Add(TypeDro, 10, 110, 5, 105);                // inverted
    Add(TypeDro, 0, 120, 2147483647, 2147483647); // enormous
    Rebuild();
    const auto start = std::chrono::steady_clock::now();
    const QImage out = Render(QSize(600, 300));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(out.isNull());
    EXPECT_EQ(set_.At(set_.Size() - 2).rect, (Rect{10, 110, 5, 105})); // taken back unchanged
}
