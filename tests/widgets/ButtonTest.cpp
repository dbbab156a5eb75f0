#include "WidgetFixture.h"

#include "widgets/WidgetFactory.h"

#include "core/ControlType.h"
#include "widgets/EmergButton.h"
#include "widgets/Vorn1Button.h"

#include <QFontMetrics>

using namespace tavlora;

namespace {

class ButtonTest : public WidgetFixture {
protected:
    Vorn1Button* ButtonOf(ControlRecord& r) { return dynamic_cast<Vorn1Button*>(r.widget.get()); }
    EmergButton* ImageButtonOf(ControlRecord& r) { return dynamic_cast<EmergButton*>(r.widget.get()); }

    // Rows holding black caption ink inside a rectangle.
    static int InkRows(const QImage& img, const QRect& area)
    {
        int top = -1, bottom = -1;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(img.pixel(x, y)) < 60) {
                    if (top < 0)
                        top = y;
                    bottom = y;
                    break;
                }
        return top < 0 ? 0 : bottom - top + 1;
    }
};

} // namespace

TEST_F(ButtonTest, CaptionFontFitsTheReferenceTextToTheWidth)
{
    ControlRecord& wide = Add(TypeButton, 0, 0, 100, 40);
    wide.text = "HH";
    ControlRecord& narrow = Add(TypeButton, 150, 0, 170, 40);
    narrow.text = "HH";
    Rebuild();
    EXPECT_EQ(ButtonOf(wide)->CaptionHeight(), 16);
    const int small = ButtonOf(narrow)->CaptionHeight();
    EXPECT_LT(small, 16);
    EXPECT_GE(small, 1);
    // A 16-pixel character cell is Arial at 14 pixels per em.
    EXPECT_EQ(QFontMetrics(ButtonOf(wide)->CaptionFont()).height(), 16);
    EXPECT_EQ(ButtonOf(wide)->CaptionFont().pixelSize(), 14);
    EXPECT_TRUE(ButtonOf(wide)->CaptionFont().bold());

    // The drawn caption: a bold capital at 14 px is about 10 rows of ink; smaller when narrow.
    const QImage out = Render();
    const int wideRows = InkRows(out, QRect(6, 4, 88, 32));
    EXPECT_NEAR(wideRows, 10, 1);
    const int narrowRows = InkRows(out, QRect(150 + 6, 4, 8, 32));
    EXPECT_LT(narrowRows, wideRows);
}

TEST_F(ButtonTest, ShadedFaceAndFocusLineBuffers)
{
    ControlRecord& rec = Add(TypeButton, 0, 0, 30, 20);
    ControlRecord& tiny = Add(TypeButton, 50, 0, 53, 3);
    Rebuild();
    Vorn1Button* b = ButtonOf(rec);
    EXPECT_EQ(b->HorizontalLine().Width(), 21);
    EXPECT_EQ(b->VerticalLine().Height(), 12);
    EXPECT_EQ(ButtonOf(tiny)->HorizontalLine().Width(), 1);
    EXPECT_EQ(ButtonOf(tiny)->VerticalLine().Height(), 1);

    // Palette from shadow (index 0) to highlight (255), blended 5 % towards RGB 25.
    EXPECT_EQ(b->Face().PaletteEntry(0), qRgb(153, 153, 153));
    EXPECT_EQ(b->Face().PaletteEntry(128), qRgb(229, 229, 229));
    EXPECT_EQ(b->Face().PaletteEntry(255), qRgb(243, 243, 243));
    EXPECT_EQ(b->HorizontalLine().PaletteEntry(255), qRgb(255, 255, 255));
    // Pressed face: 10 % towards the highlight.
    EXPECT_EQ(b->PressedFace().PaletteEntry(255), qRgb(244, 244, 244));

    // Face indices: g + U x (w - x) / w + j x U / h + (r / Q - g) with g = 8, U = 119,
    // r / Q in 0 ... 16; memory row 0 is the bottom row.
    const int topLeft = b->Face().Row(19)[0];
    EXPECT_GE(topLeft, 119 + 19 * 119 / 20);
    EXPECT_LE(topLeft, 119 + 19 * 119 / 20 + 16);
    const int bottomRight = b->Face().Row(0)[29];
    EXPECT_LE(bottomRight, 119 / 30 + 16);
    int sum = 0;
    for (int x = 0; x < 30; ++x)
        sum += b->Face().Row(10)[x] - (119 * (30 - x) / 30 + 10 * 119 / 20);
    EXPECT_NEAR(sum, 30 * 8, 60); // the grain averages 8

    // Light at the top left, dark at the bottom right, inside the raised edge.
    const QImage out = Render();
    EXPECT_GT(qGray(out.pixel(3, 3)), qGray(out.pixel(26, 16)) + 15);
    EXPECT_EQ(At(out, 0, 0), QColor(227, 227, 227));
    EXPECT_EQ(At(out, 29, 19), QColor(105, 105, 105));
    // What is painted is the button's own face; pressed, one pixel down and right.
    for (const QPoint at : {QPoint(6, 5), QPoint(12, 9), QPoint(20, 14)})
        EXPECT_EQ(out.pixel(at), b->Face().ToImage().pixel(at));
    b->MousePress(QPoint(5, 5), Qt::NoModifier, 1);
    const QImage down = Render();
    for (const QPoint at : {QPoint(6, 5), QPoint(12, 9), QPoint(20, 14)})
        EXPECT_EQ(down.pixel(at + QPoint(1, 1)), b->PressedFace().ToImage().pixel(at));
    b->MouseRelease(QPoint(5, 5));

    // Rebuilding a face of the same size gives the same grain.
    QImage again = b->Face().ToImage();
    ButtonOf(rec)->SetShade(1, 8, 10, 5, qRgb(25, 25, 25));
    EXPECT_EQ(again, b->Face().ToImage());
}

TEST_F(ButtonTest, ScreenJumpRules)
{
    ControlRecord& jump = Add(TypeButton, 0, 0, 50, 20);
    jump.function = 32;
    jump.parameter = 7;
    ControlRecord& far = Add(TypeButton, 0, 30, 50, 50);
    far.function = 32;
    far.parameter = 100;
    ControlRecord& other = Add(TypeButton, 0, 60, 50, 80);
    other.function = 31;
    other.parameter = 7;
    ControlRecord& image = Add(TypeImageButton, 0, 90, 50, 110);
    image.function = 32;
    image.parameter = 4;
    image.image = "Face.png";
    Rebuild();

    EXPECT_FALSE(ButtonOf(jump)->IsEnabled()); // enabled by its first paint
    Render();
    EXPECT_TRUE(ButtonOf(jump)->IsEnabled());
    EXPECT_TRUE(ImageButtonOf(image)->IsEnabled());

    EXPECT_EQ(ButtonOf(jump)->MousePress(QPoint(5, 5), Qt::ShiftModifier, 1), -1);
    EXPECT_EQ(ButtonOf(far)->MousePress(QPoint(5, 5), Qt::NoModifier, 1), -1);
    EXPECT_EQ(ButtonOf(other)->MousePress(QPoint(5, 5), Qt::NoModifier, 1), -1);
    EXPECT_EQ(ButtonOf(jump)->MousePress(QPoint(5, 5), Qt::NoModifier, 1), 7);
    EXPECT_EQ(ButtonOf(jump)->MousePress(QPoint(5, 5), Qt::NoModifier, 7), -1); // already there
    EXPECT_EQ(ImageButtonOf(image)->MousePress(QPoint(5, 5), Qt::NoModifier, 7), 4);
    far.parameter = -3; // a negative code names no screen
    WidgetFactory::Sync(far, ctx_, true);
    EXPECT_EQ(ButtonOf(far)->MousePress(QPoint(5, 5), Qt::NoModifier, 1), -1);
}

TEST_F(ButtonTest, PressedLooks)
{
    WriteBitmap("Face.png", Solid(30, 30, QColor(200, 100, 0)));
    QImage framed = Solid(30, 30, QColor(200, 100, 0));
    for (int i = 0; i < 30; ++i) {
        framed.setPixelColor(i, 0, Qt::black);
        framed.setPixelColor(0, i, Qt::black);
    }
    WriteBitmap("Framed.png", framed);
    ControlRecord& text = Add(TypeButton, 0, 0, 60, 30);
    ControlRecord& pic = Add(TypeImageButton, 100, 0, 130, 30);
    pic.image = "Framed.png";
    ControlRecord& frame = Add(TypeImageButton, 200, 0, 230, 30);
    frame.image = "None";
    Rebuild();
    ButtonOf(text)->MousePress(QPoint(1, 1), Qt::NoModifier, 1);
    ImageButtonOf(pic)->MousePress(QPoint(1, 1), Qt::NoModifier, 1);
    ImageButtonOf(frame)->MousePress(QPoint(1, 1), Qt::NoModifier, 1);
    QImage out = Render();
    EXPECT_EQ(At(out, 0, 0), QColor(160, 160, 160));   // sunken edge
    EXPECT_EQ(At(out, 59, 29), QColor(255, 255, 255));
    EXPECT_EQ(At(out, 100, 5), QColor(Qt::black));    // picture edge stays
    EXPECT_EQ(At(out, 103, 10), QColor(Qt::black));   // picture again, shrunk by 3
    EXPECT_EQ(At(out, 200 + 3, 10), QColor(0, 0, 255)); // frame drawn again inside
    ButtonOf(text)->MouseRelease(QPoint());
    ImageButtonOf(pic)->MouseRelease(QPoint());
    ImageButtonOf(frame)->MouseRelease(QPoint());
    out = Render();
    EXPECT_EQ(At(out, 0, 0), QColor(227, 227, 227));
    EXPECT_EQ(At(out, 103, 10), QColor(200, 100, 0));
    EXPECT_EQ(At(out, 203, 10), QColor(240, 240, 240));
}

TEST_F(ButtonTest, ImageButtonCopiesFunctionOnlyWithAnImageName)
{
    ControlRecord& empty = Add(TypeImageButton, 0, 0, 20, 20);
    empty.image = "";
    empty.function = 32;
    empty.parameter = 5;
    ControlRecord& named = Add(TypeImageButton, 30, 0, 50, 20);
    named.image = "Absent.png";
    named.function = 32;
    named.parameter = 5;
    ControlRecord& text = Add(TypeButton, 60, 0, 80, 20);
    text.text = "Cycle Start";
    text.function = 12;
    text.parameter = 99;
    Rebuild();
    EXPECT_EQ(ImageButtonOf(empty)->Function(), -1);
    EXPECT_EQ(ImageButtonOf(named)->Function(), 32);
    EXPECT_EQ(ImageButtonOf(named)->Parameter(), 5);
    EXPECT_EQ(ButtonOf(text)->Text(), "Cycle Start");
    EXPECT_EQ(ButtonOf(text)->Function(), 12);
    EXPECT_EQ(ButtonOf(text)->Parameter(), 99);
}
