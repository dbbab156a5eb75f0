#include "WidgetFixture.h"

#include "core/ControlType.h"
#include "widgets/LED.h"
#include "widgets/WidgetFactory.h"

using namespace tavlora;

namespace {

class LedTest : public WidgetFixture {
protected:
    LED* LedOf(ControlRecord& r) { return dynamic_cast<LED*>(r.widget.get()); }
};

} // namespace

TEST_F(LedTest, NewLedShowsTheLitHalfOfTheGreenPicture)
{
    WriteStandardLeds(40, 20);
    ControlRecord& rec = Add(TypeLed, 10, 10, 30, 30);
    Rebuild();
    EXPECT_EQ(LedOf(rec)->ColourCode(), LED::kGreen);
    const QImage out = Render();
    // The lit (left) half, 20 x 20, stretched over the whole 20 x 20 widget.
    EXPECT_EQ(CountNot(out, QRect(10, 10, 20, 20), QColor(0, 200, 0)), 0);
    EXPECT_EQ(At(out, 30, 30), QColor(240, 240, 240));
}

TEST_F(LedTest, ColourFieldsChooseTheStandardPicture)
{
    WriteStandardLeds();
    ControlRecord& red = Add(TypeLed, 0, 0, 10, 10);
    red.ledColour = 1;
    ControlRecord& yellow = Add(TypeLed, 20, 0, 30, 10);
    yellow.ledColour = 2;
    ControlRecord& redGreen = Add(TypeLed, 40, 0, 50, 10);
    redGreen.ledColour = 3; // no colour code for 3: creation's green stays
    Rebuild();
    EXPECT_EQ(LedOf(red)->ColourCode(), LED::kRed);
    EXPECT_EQ(LedOf(yellow)->ColourCode(), LED::kYellow);
    EXPECT_EQ(LedOf(redGreen)->ColourCode(), LED::kGreen);
    const QImage out = Render();
    EXPECT_EQ(At(out, 5, 5), QColor(200, 0, 0));
    EXPECT_EQ(At(out, 25, 5), QColor(230, 230, 0));
    EXPECT_EQ(At(out, 45, 5), QColor(0, 200, 0));
}

TEST_F(LedTest, OddWidthGivesFloorHalvesAndDropsTheLastColumn)
{
    WriteStandardLeds();
    // 31 columns: 0-14 lit (blue), 15-29 other (white), 30 never shown (red).
    QImage img = Solid(31, 4, Qt::white);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 15; ++x)
            img.setPixelColor(x, y, QColor(0, 0, 255));
        img.setPixelColor(30, y, Qt::red);
    }
    WriteBitmap("Custom/Two.bmp", img);
    ControlRecord& rec = Add(TypeLed, 0, 0, 45, 8);
    rec.image = "Custom/Two.bmp";
    Rebuild();
    LED* led = LedOf(rec);
    ASSERT_TRUE(led->CustomLoaded());
    EXPECT_EQ(led->LitImage().Picture().size(), QSize(45, 8));
    EXPECT_EQ(led->OtherImage().Picture().size(), QSize(45, 8));
    // Halves were 15 wide before stretching: no red anywhere, lit is all blue.
    const QImage other = led->OtherImage().Picture().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(CountNot(other, other.rect(), Qt::white), 0);
    const QImage out = Render();
    EXPECT_EQ(CountNot(out, QRect(0, 0, 45, 8), QColor(0, 0, 255)), 0);
}

TEST_F(LedTest, CustomPictureWinsOverLaterColourCodes)
{
    WriteStandardLeds();
    WriteBitmap("Mine.png", Solid(10, 5, Qt::magenta));
    ControlRecord& none = Add(TypeLed, 0, 0, 10, 10);
    none.image = "None";
    ControlRecord& mine = Add(TypeLed, 20, 0, 30, 10);
    mine.image = "Mine.png";
    mine.ledColour = 1;
    Rebuild();
    EXPECT_FALSE(LedOf(none)->CustomLoaded());
    EXPECT_TRUE(LedOf(mine)->CustomLoaded());
    LedOf(mine)->SetColourCode(LED::kYellow);
    EXPECT_EQ(LedOf(mine)->ColourCode(), LED::kYellow);
    const QImage out = Render();
    EXPECT_EQ(At(out, 5, 5), QColor(0, 200, 0));
    EXPECT_EQ(At(out, 25, 5), QColor(Qt::magenta));
}

TEST_F(LedTest, ResizeReReadsThePictureAndMissingStandardFilesAreReportedOnce)
{
    // No standard pictures in the Vorn3 folder: loads fail, once per file.
    Add(TypeLed, 0, 0, 10, 10);
    Add(TypeLed, 20, 0, 30, 10);
    Rebuild();
    EXPECT_EQ(reported_.size(), 1);
    EXPECT_EQ(CountNot(Render(), QRect(0, 0, 30, 10), QColor(240, 240, 240)), 0);

    // The file appears; a resize picks it up.
    WriteStandardLeds();
    ControlRecord& rec = set_.At(0);
    rec.rect = Rect{0, 0, 12, 12};
    WidgetFactory::Sync(rec, ctx_, false);
    EXPECT_EQ(LedOf(rec)->LitImage().Picture().size(), QSize(12, 12));
    EXPECT_EQ(At(Render(), 6, 6), QColor(0, 200, 0));
}

TEST_F(LedTest, DegeneratePicturesAndSizes)
{
    WriteStandardLeds();
    WriteBitmap("Dot.png", Solid(1, 1, Qt::red));
    ControlRecord& dot = Add(TypeLed, 0, 0, 10, 10);
    dot.image = "Dot.png";
    ControlRecord& flat = Add(TypeLed, 20, 0, 20, 0);
    Rebuild();
    EXPECT_TRUE(LedOf(dot)->LitImage().IsEmpty()); // a 1-pixel picture has no halves
    EXPECT_EQ(CountNot(Render(), QRect(0, 0, 10, 10), QColor(240, 240, 240)), 0);
    (void)flat;
}
