#include "WidgetFixture.h"

#include "core/ControlType.h"
#include "core/ScreenVisibility.h"
#include "widgets/DesignWidget.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/WidgetColours.h"

#include <QPainter>

#include <chrono>
#include <random>

using namespace tavlora;

namespace {

class ScreenRendererTest : public WidgetFixture {
protected:
    const QColor mdi = QColor(176, 176, 255);
    const QColor screen = QColor(240, 240, 240);
};

} // namespace

TEST_F(ScreenRendererTest, ScreenAndPersistentLayerExceptOnTheTabScreen)
{
    Add(TypeMdi, 0, 0, 20, 20, 0);   // persistent
    Add(TypeMdi, 30, 0, 50, 20, 2);  // screen 2
    Add(TypeMdi, 60, 0, 80, 20, 50); // TAB screen
    Rebuild();
    QImage one = Render(QSize(100, 40), 1);
    EXPECT_EQ(At(one, 19, 19), mdi);
    EXPECT_EQ(At(one, 49, 19), screen);
    QImage two = Render(QSize(100, 40), 2);
    EXPECT_EQ(At(two, 19, 19), mdi);
    EXPECT_EQ(At(two, 49, 19), mdi);
    QImage tab = Render(QSize(100, 40), 50);
    EXPECT_EQ(At(tab, 19, 19), screen);
    EXPECT_EQ(At(tab, 79, 19), mdi);
    // Render leaves the widgets as they were.
    EXPECT_FALSE(set_.At(0).widget->IsVisible());
}

TEST_F(ScreenRendererTest, ClipLimitsPaintingAndDesignCoordinatesFollowThePainter)
{
    set_.colours.Set(ColourSet::ScreenBack, MakeColourRef(10, 20, 30));
    Add(TypeMdi, 0, 0, 40, 40);
    Rebuild();
    for (auto& r : set_.controls)
        r->widget->SetVisible(true);
    QImage img = Solid(100, 100, Qt::red);
    QPainter p(&img);
    p.translate(10, 10); // e.g. a scrolled or offset view
    ScreenRenderer::Paint(p, set_, ctx_, QSize(60, 60), QRect(0, 0, 20, 60));
    p.end();
    EXPECT_EQ(At(img, 9, 9), QColor(Qt::red));
    EXPECT_EQ(At(img, 10, 49), mdi);          // design (0, 39)
    EXPECT_EQ(At(img, 29, 60), QColor(10, 20, 30));
    EXPECT_EQ(At(img, 31, 30), QColor(Qt::red)); // outside the clip
    EXPECT_EQ(At(img, 10, 70), QColor(Qt::red)); // outside the design size
}

TEST_F(ScreenRendererTest, EveryTypeSurvivesDegenerateAndEnormousRectangles)
{
    WriteStandardLeds();
    WriteBitmap("Big.png", Solid(64, 64, Qt::blue));
    WriteBitmap("One.bmp", Solid(1, 1, QColor(254, 254, 254)));
    const Rect rects[] = {{0, 0, 0, 0}, {5, 5, 4, 4}, {0, 0, 1, 1}, {0, 0, 2147483647, 2147483647},
                          {-5, -5, 100000, 3}, {10, 10, 30, 30}};
    for (int type = 1; type <= 11; ++type)
        for (const Rect& r : rects) {
            ControlRecord& rec = Add(type, r.left, r.top, r.right, r.bottom);
            rec.image = type == TypeLed ? "One.bmp" : "Big.png";
            rec.label = "Skinned";
            rec.parameter = 80;
        }
    const auto start = std::chrono::steady_clock::now();
    Rebuild();
    const QImage out = Render(QSize(300, 200));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_FALSE(out.isNull());
    for (const auto& rec : set_.controls)
        EXPECT_EQ(rec->widget != nullptr, rec->type != TypeObsolete) << rec->type;
}

TEST_F(ScreenRendererTest, RandomHostileRecordsRenderOnEveryScreen)
{
    WriteStandardLeds();
    WriteBitmap("A.bmp", Solid(3, 7, QColor(254, 254, 254)));
    WriteBitmap("B.png", Solid(1, 1, Qt::red));
    WriteRawBitmap("C.jpg", QByteArray("\xff\xd8\xff garbage"));
    std::mt19937 rng(20261208);
    auto pick = [&rng](std::initializer_list<int> v) { return *(v.begin() + rng() % v.size()); };
    const char* strings[] = {"", "None", "Missing", "A.bmp", "/B.png", "\\C.jpg", "%n%n%s", "S", "SDT%",
                             "SD%+.99f", "Skinned", "\xff\x81\x8d", "..", "A.bmp.None", "Sub\\..\\A.bmp"};
    auto text = [&] { return std::string(strings[rng() % std::size(strings)]); };
    for (int i = 0; i < 400; ++i) {
        const int l = pick({0, 5, -3, 1000, 2147483600, -2147483647, int(rng() % 400)});
        const int t = pick({0, 7, -9, 500, 2147483000, int(rng() % 300)});
        // Any 32-bit values, as a file may hold them: sums wrap around.
        auto wrap = [](long long v) { return int32_t(uint32_t(uint64_t(v))); };
        ControlRecord& r = Add(int(rng() % 16) - 2, l, t, wrap(l + 0LL + pick({0, 1, 3, -5, 40, 200, 2147483647})),
                               wrap(t + 0LL + pick({0, 1, 3, -5, 30, 120, 2147483647})), pick({0, 1, 2, 50, -1}));
        r.image = text();
        r.label = rng() % 3 ? text() : "Skinned";
        r.format = text();
        r.text = text();
        r.parameter = pick({0, -1, 1, 80, 81, 2147483647, -2147483647 - 1});
        r.function = pick({-1, 32, 33});
        r.ledColour = pick({0, 1, 2, 3, -7});
    }
    const auto start = std::chrono::steady_clock::now();
    Rebuild();
    for (int screen : {1, 2, 50, 0, -1})
        EXPECT_FALSE(Render(QSize(320, 240), screen).isNull());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(ScreenRendererTest, WidgetsCoveredByOpaqueOnesAreSkippedWithoutChangingThePicture)
{
    std::mt19937 rng(8122026);
    const int types[] = {TypeMdi, TypeButton, TypeDro, TypeLabel, TypeLed, TypeGCodeList, TypeImageButton};
    for (int i = 0; i < 900; ++i) {
        const int l = int(rng() % 300) - 10, t = int(rng() % 220) - 10;
        ControlRecord& r = Add(types[rng() % std::size(types)], l, t, l + 1 + int(rng() % 90), t + 1 + int(rng() % 40));
        r.text = r.label = "T" + std::to_string(i);
    }
    Rebuild();
    ScreenVisibility::Refresh(set_, 1, true);
    std::vector<DesignWidget*> order = ScreenRenderer::PaintOrder(set_);
    const QColor back = WidgetColours::Of(set_.colours, ColourSet::ScreenBack);
    for (double scale : {1.0, 2.0, 1.5}) {
        SCOPED_TRACE(scale);
        QImage culled(QSize(320, 240) * scale, QImage::Format_RGB32), whole(culled.size(), QImage::Format_RGB32);
        QPainter p(&culled);
        p.scale(scale, scale);
        std::vector<DesignWidget*> kept = order;
        const std::vector<QRect> shown = ScreenRenderer::DropCovered(p, kept);
        EXPECT_EQ(kept.size() < order.size(), scale != 1.5); // whole device pixels only
        culled.fill(back);
        ScreenRenderer::PaintWidgets(p, kept, QRect(), false, shown);
        p.end();
        whole.fill(back);
        QPainter q(&whole);
        q.scale(scale, scale);
        ScreenRenderer::PaintWidgets(q, order, QRect(), false);
        q.end();
        EXPECT_EQ(culled, whole);
        if (scale != 1.0)
            continue;
        // Looks, made side by side on canvases kept between looks of every
        // size while the widgets below are drawn, draw the same picture as
        // painting each widget directly.
        QImage looked(culled.size(), QImage::Format_RGB32);
        QPainter l(&looked);
        ScreenRenderer::Paint(l, set_, ctx_, QSize(320, 240));
        l.end();
        // Transparent looks are composited once more: rounding may move a channel by a step.
        int worst = 0;
        for (int y = 0; y < looked.height(); ++y)
            for (int x = 0; x < looked.width(); ++x) {
                const QRgb a = looked.pixel(x, y), b = whole.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b))});
            }
        EXPECT_LE(worst, 2);
    }
}
