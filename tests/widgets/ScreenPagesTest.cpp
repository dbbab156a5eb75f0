#include "WidgetFixture.h"

#include "PdfPages.h"

#include "core/ControlType.h"
#include "widgets/ScreenPages.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>

#include <cstdlib>
#include <vector>

using namespace tavlora;
using tavlora::test::PdfPages;

namespace {

const QColor kBack(0, 128, 128);
const QSize kScreen(400, 300);

// A set whose screens are told apart by colour: a red picture on the
// persistent layer, green on screen 3, blue on the TAB screen 50.
class ScreenPagesTest : public WidgetFixture {
protected:
    void SetUp() override
    {
        WriteBitmap("Red.png", Solid(8, 8, Qt::red));
        WriteBitmap("Green.png", Solid(8, 8, Qt::green));
        WriteBitmap("Blue.png", Solid(8, 8, Qt::blue));
        Add(TypeImage, 10, 10, 110, 110, 0).image = "Red.png";
        Add(TypeImage, 150, 100, 250, 200, 3).image = "Green.png";
        Add(TypeImage, 280, 180, 380, 280, 50).image = "Blue.png";
        // Small enough that a kept look at the page's scale would be a picture.
        Add(TypeLabel, 150, 10, 190, 24, 3).label = "Feed";
        set_.colours.Set(ColourSet::ScreenBack, MakeColourRef(kBack.red(), kBack.green(), kBack.blue()));
        Rebuild();
    }

    QString WritePdf(const std::vector<int>& screens, const QString& name = QStringLiteral("pages.pdf"))
    {
        const QByteArray pdf = ScreenPages(set_, ctx_, kScreen, "sample.set").Pdf(screens, "sample.set");
        const QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(pdf);
        return path;
    }

    std::vector<bool> Visibility() const
    {
        std::vector<bool> v;
        for (const auto& rec : set_.controls)
            v.push_back(rec->widget && rec->widget->IsVisible());
        return v;
    }
};

} // namespace

TEST(ScreenPages, UsedScreensAreTheScreensHoldingControls)
{
    const struct {
        std::vector<int> screens; // of the controls, in list order
        std::vector<int> used;
    } cases[] = {
        {{}, {1}},
        {{1}, {1}},
        {{0}, {0}},
        {{3, 0, 3, 50}, {0, 3, 50}},
        {{99, 2, 2}, {2, 99}},
        {{7}, {7}},
    };
    for (const auto& c : cases) {
        ScreenSet set;
        for (int screen : c.screens) {
            auto rec = std::make_unique<ControlRecord>();
            rec->type = TypeLabel;
            rec->screen = screen;
            set.Append(std::move(rec));
        }
        EXPECT_EQ(ScreenPages::UsedScreens(set), c.used);
        EXPECT_EQ(ScreenPages::Screens(set, PrintScope::UsedScreens, 5), c.used);
        EXPECT_EQ(ScreenPages::Screens(set, PrintScope::CurrentScreen, 5), std::vector<int>{5});
    }
}

TEST(ScreenPages, ScreenNames)
{
    const struct {
        int screen;
        const char* name;
    } cases[] = {
        {0, "Persistent Controls"}, {1, "Screen 1"}, {3, "Screen 3"}, {50, "TAB Screen"}, {99, "Screen 99"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScreenPages::ScreenName(c.screen), QString::fromLatin1(c.name)) << c.screen;
}

TEST(ScreenPages, FitKeepsTheAspectRatioAndCentres)
{
    const struct {
        QSize screen;
        QRect area;
        QRect fit;
    } cases[] = {
        {{1024, 768}, {0, 0, 1024, 768}, {0, 0, 1024, 768}},
        {{1024, 768}, {0, 0, 2048, 768}, {512, 0, 1024, 768}},  // wide page: bars left and right
        {{1024, 768}, {0, 0, 512, 1000}, {0, 308, 512, 384}},   // tall page: bars above and below
        {{800, 600}, {10, 20, 400, 600}, {10, 170, 400, 300}},
        {{1, 1000}, {0, 0, 100, 100}, {49, 0, 1, 100}},          // never narrower than a pixel
        {{0, 600}, {0, 0, 100, 100}, {}},
        {{800, 600}, {0, 0, 0, 100}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScreenPages::FitRect(c.screen, c.area), c.fit) << c.screen.width() << "x" << c.screen.height();
    EXPECT_EQ(ScreenPages::OrientationFor({1024, 768}), QPageLayout::Landscape);
    EXPECT_EQ(ScreenPages::OrientationFor({600, 800}), QPageLayout::Portrait);
}

TEST_F(ScreenPagesTest, OnePageForTheCurrentScreenOnePerUsedScreenForAll)
{
    const struct {
        PrintScope scope;
        int current;
        int pages;
    } cases[] = {
        {PrintScope::CurrentScreen, 3, 1},
        {PrintScope::CurrentScreen, 7, 1}, // an empty screen still prints
        {PrintScope::UsedScreens, 3, 3},   // 0, 3, 50
    };
    for (const auto& c : cases) {
        const QString path = WritePdf(ScreenPages::Screens(set_, c.scope, c.current));
        EXPECT_EQ(PdfPages::Count(PdfPages::Read(path)), c.pages);
    }
}

TEST_F(ScreenPagesTest, EachPageShowsItsScreenAsTheMachineDoes)
{
    if (!PdfPages::CanRasterize())
        GTEST_SKIP() << "pdftoppm is not installed";
    const auto pages = PdfPages::Rasterize(WritePdf({0, 3, 50, 7}));
    ASSERT_TRUE(pages);
    ASSERT_EQ(pages->size(), 4);
    const struct {
        bool red, green, blue;
    } expected[] = {
        {true, false, false}, // persistent layer alone
        {true, true, false},  // screen 3 with the persistent controls
        {false, false, true}, // TAB screen: no persistent controls
        {true, false, false}, // an empty screen shows the persistent ones
    };
    for (int i = 0; i < 4; ++i) {
        const QImage& page = (*pages)[i];
        SCOPED_TRACE(i);
        EXPECT_GT(PdfPages::CountNear(page, kBack), page.width() * page.height() / 4); // the screen fills the page
        EXPECT_EQ(PdfPages::CountNear(page, Qt::red) > 500, expected[i].red);
        EXPECT_EQ(PdfPages::CountNear(page, Qt::green) > 500, expected[i].green);
        EXPECT_EQ(PdfPages::CountNear(page, Qt::blue) > 500, expected[i].blue);
    }
}

TEST_F(ScreenPagesTest, TheScreenKeepsItsAspectRatioOnTheLandscapePage)
{
    if (!PdfPages::CanRasterize())
        GTEST_SKIP() << "pdftoppm is not installed";
    const auto pages = PdfPages::Rasterize(WritePdf({1}), 36);
    ASSERT_TRUE(pages && pages->size() == 1);
    const QImage& page = pages->front();
    EXPECT_GT(page.width(), page.height()); // A4 landscape for a wide screen
    QRect box;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (std::abs(c.red() - kBack.red()) + std::abs(c.green() - kBack.green())
                    + std::abs(c.blue() - kBack.blue()) < 40)
                box |= QRect(x, y, 1, 1);
        }
    }
    ASSERT_FALSE(box.isEmpty());
    EXPECT_NEAR(double(box.width()) / box.height(), 4.0 / 3.0, 0.03);
    EXPECT_GT(box.height(), page.height() * 3 / 4); // fills the page but for margins and footer
}

TEST_F(ScreenPagesTest, TextStaysTextAndFootersNameTheScreenAndTheFile)
{
    const auto text = PdfPages::Text(WritePdf({0, 3, 50}));
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    const QStringList pages = text->split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 3);
    EXPECT_TRUE(pages[0].contains("Persistent Controls"));
    EXPECT_TRUE(pages[1].contains("Screen 3"));
    EXPECT_TRUE(pages[1].contains("Feed")); // drawn as text, not as a picture of it
    EXPECT_TRUE(pages[2].contains("TAB Screen"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(pages[i].contains("sample.set")) << i;
}

TEST_F(ScreenPagesTest, WidgetsKeepTheirVisibility)
{
    // As the design view leaves them for screen 3 with one picture hidden.
    set_.controls[0]->widget->SetVisible(false);
    set_.controls[1]->widget->SetVisible(true);
    set_.controls[2]->widget->SetVisible(false);
    set_.controls[3]->widget->SetVisible(true);
    const std::vector<bool> before = Visibility();
    const QString path = WritePdf({0, 3, 50});
    EXPECT_EQ(PdfPages::Count(PdfPages::Read(path)), 3);
    EXPECT_EQ(Visibility(), before);
}

TEST_F(ScreenPagesTest, NoScreensNoDocument)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    QPdfWriter writer(&buffer);
    EXPECT_FALSE(ScreenPages(set_, ctx_, kScreen, "x.set").Paint(writer, {}));
    EXPECT_TRUE(ScreenPages(set_, ctx_, kScreen, "x.set").Pdf({}, "x").isEmpty());
}
