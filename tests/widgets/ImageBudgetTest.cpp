#include "WidgetFixture.h"

#include "core/ControlType.h"
#include "core/ScreenVisibility.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/WidgetContext.h"
#include "settings/SettingsProfile.h"
#include "widgets/ImageLru.h"
#include "widgets/LED.h"
#include "widgets/Picture.h"
#include "widgets/WidgetFactory.h"
#include "widgets/ToolPath.h"
#include "widgets/Vorn3Image.h"

#include <QDateTime>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>

#include <map>

using namespace tavlora;

namespace {

class ImageBudgetTest : public WidgetFixture {
protected:
    // A picture whose every pixel differs from its neighbours.
    static QImage Pattern(int w, int h, int seed, QImage::Format format = QImage::Format_RGB32)
    {
        QImage img(w, h, format);
        for (int y = 0; y < h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < w; ++x)
                line[x] = qRgba((x * 7 + seed * 31) & 0xFF, (y * 5 + seed) & 0xFF, (x ^ y) & 0xFF,
                                format == QImage::Format_ARGB32 ? ((x + y) % 3 ? 255 : 128) : 255);
        }
        return img;
    }
};

QImage Gray(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(w % 256, h % 256, 7));
    return img;
}

} // namespace

TEST(ImageLru, EvictsLeastRecentlyUsedToStayWithinTheBudget)
{
    // Each 8x8 RGB32 picture is 256 bytes.
    ImageLru lru(1024);
    for (const char* k : {"a", "b", "c", "d"})
        ASSERT_TRUE(lru.Insert(k, Gray(8, 8)));
    EXPECT_EQ(lru.Bytes(), 1024);
    EXPECT_FALSE(lru.Find("a").isNull()); // a becomes the most recent
    lru.Insert("e", Gray(8, 8));           // evicts b, the least recent
    EXPECT_TRUE(lru.Contains("a"));
    EXPECT_FALSE(lru.Contains("b"));
    EXPECT_EQ(lru.Evictions(), 1);

    EXPECT_FALSE(lru.Insert("huge", Gray(32, 32))); // larger than the whole budget
    EXPECT_EQ(lru.Count(), 4);
    lru.Insert("a", Gray(16, 8)); // replacing counts the new size only
    EXPECT_EQ(lru.Bytes(), 1024);
    EXPECT_EQ(lru.Count(), 3);
    lru.SetBudget(300);
    EXPECT_EQ(lru.Count(), 0); // a (512) was not the least recent, but nothing else fits with it
    EXPECT_EQ(lru.Bytes(), 0);
}

TEST(ImageLru, RandomUseNeverExceedsTheBudgetAndKeepsTheRecent)
{
    QRandomGenerator rng(1234);
    for (int round = 0; round < 20; ++round) {
        const qint64 budget = 512 + rng.bounded(8192);
        ImageLru lru(budget);
        std::map<QByteArray, QSize> truth;
        QByteArray last;
        for (int i = 0; i < 400; ++i) {
            const QByteArray key = QByteArray::number(rng.bounded(30));
            if (rng.bounded(3) == 0) {
                const QImage img = lru.Find(key);
                if (!img.isNull()) {
                    EXPECT_EQ(img.size(), truth[key]);
                    last = key;
                }
            } else {
                const QSize size(1 + rng.bounded(24), 1 + rng.bounded(24));
                truth[key] = size;
                if (lru.Insert(key, Gray(size.width(), size.height()))) {
                    last = key;
                } else {
                    EXPECT_GT(4LL * size.width() * size.height(), budget);
                    if (key == last)
                        last.clear(); // replaced by nothing
                }
            }
            ASSERT_LE(lru.Bytes(), budget);
            if (!last.isEmpty()) {
                EXPECT_TRUE(lru.Contains(last)); // the most recent always stays
            }
        }
    }
}

TEST_F(ImageBudgetTest, RenderingIsTheSameUnderAnyBudgetAndStaysWithinIt)
{
    // Pictures, image buttons, skinned DROs, custom LEDs and tool paths share
    // the budget; what is drawn must not depend on what was evicted.
    for (int i = 0; i < 12; ++i)
        WriteBitmap(QStringLiteral("P%1.%2").arg(i).arg(i % 3 == 0 ? "bmp" : i % 3 == 1 ? "png" : "jpg"),
                    Pattern(60 + i * 7, 40 + i * 5, i));
    WriteBitmap(QStringLiteral("Alpha.png"), Pattern(33, 21, 3, QImage::Format_ARGB32));
    WriteStandardLeds();
    for (int i = 0; i < 36; ++i) {
        const int x = (i % 6) * 66, y = (i / 6) * 50;
        const int kind = i % 6;
        const int type = kind == 0 ? TypeImageButton : kind == 1 ? TypeDro : kind == 2 ? TypeLed
                       : kind == 3 ? TypeToolPath : TypeImage;
        ControlRecord& r = Add(type, x, y, x + 20 + (i * 13) % 45, y + 10 + (i * 7) % 38);
        r.image = QStringLiteral("P%1.%2").arg(i % 12).arg(i % 12 % 3 == 0 ? "bmp" : i % 12 % 3 == 1 ? "png" : "jpg").toStdString();
        if (type == TypeDro)
            r.format = "SD%+.4f";
        if (i == 35)
            r.image = "Alpha.png";
    }
    Rebuild();
    const QImage reference = Render(QSize(400, 300));

    for (qint64 budget : {qint64(0), qint64(4096), qint64(20000), qint64(60000), qint64(300000)}) {
        SCOPED_TRACE(budget);
        Rebuild();
        ctx_.Images().SetBudget(budget);
        for (int pass = 0; pass < 3; ++pass) {
            EXPECT_EQ(Render(QSize(400, 300)), reference) << "pass " << pass;
            EXPECT_LE(ctx_.Images().HeldBytes(), budget);
        }
        // The looks kept between paints have a budget of their own.
        ctx_.SetLookBudget(budget);
        ScreenVisibility::Refresh(set_, 1, true);
        for (int pass = 0; pass < 2; ++pass) {
            QImage shown(400, 300, QImage::Format_RGB32);
            QPainter p(&shown);
            ScreenRenderer::Paint(p, set_, ctx_, shown.size());
            p.end();
            EXPECT_EQ(shown, reference) << "pass " << pass;
            EXPECT_LE(ctx_.LookBytes(), budget);
        }
        EXPECT_EQ(ctx_.LookBytes() > 0, budget > 0);
        ScreenVisibility::Refresh(set_, 2, true);
        EXPECT_EQ(ctx_.LookBytes(), 0); // hidden widgets keep none
    }
    EXPECT_TRUE(reported_.isEmpty());
}

TEST_F(ImageBudgetTest, LargePicturesAreOpenedFromTheirHeaderAndDecodedAtTheDrawnSize)
{
    // Above the whole-decode threshold: 2400 x 2000 = 4.8 megapixels.
    const QSize big(2400, 2000);
    ASSERT_GT(qint64(big.width()) * big.height(), ImageCache::kWholePixels);
    const QImage pattern = Pattern(big.width(), big.height(), 5);
    const QString png = WriteBitmap("Large.png", pattern);
    QImage keyed = pattern;
    for (int y = 0; y < keyed.height(); y += 3)
        for (int x = 0; x < keyed.width(); x += 2)
            keyed.setPixel(x, y, Vorn3Image::kBmpKeyColour);
    WriteBitmap("Large.bmp", keyed);
    QImage flat(big, QImage::Format_RGB32);
    flat.fill(QColor(30, 140, 200));
    WriteBitmap("Large.jpg", flat);

    // "Original Size" needs no decode.
    ControlRecord& original = Add(TypeImage, 0, 0, 10, 10);
    Rebuild();
    original.image = "Large.png";
    EXPECT_EQ(WidgetFactory::NaturalSize(original, ctx_), QSize(2400, 2000));
    EXPECT_EQ(ctx_.Images().DecodeCount(), 0);

    ControlRecord& small = Add(TypeImage, 10, 10, 110, 90);
    small.image = "Large.png";
    ControlRecord& bmp = Add(TypeImage, 120, 10, 220, 90);
    bmp.image = "Large.bmp";
    ControlRecord& jpg = Add(TypeImage, 230, 10, 330, 90);
    jpg.image = "Large.jpg";
    set_.controls.erase(set_.controls.begin());
    Rebuild();
    const QImage out = Render(QSize(400, 120));

    // PNG: the same pixels as nearest-pixel resampling of the whole picture.
    const QImage expected = Vorn3Image::ResampleNearest(pattern, 100, 80);
    EXPECT_EQ(out.copy(10, 10, 100, 80).convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32));
    // BMP: keyed after the nearest-pixel scaling, exactly as keying first would.
    const QImage keyedSmall = Vorn3Image::ResampleNearest(keyed, 100, 80);
    int keyedPixels = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool isKey = (keyedSmall.pixel(x, y) & 0xFFFFFF) == 0xFEFEFE;
            keyedPixels += isKey;
            EXPECT_EQ(out.pixel(120 + x, 10 + y), isKey ? qRgb(240, 240, 240) : keyedSmall.pixel(x, y));
        }
    EXPECT_GT(keyedPixels, 0);
    // JPEG: decoded at the drawn size by the decoder.
    const QColor c = At(out, 280, 50);
    EXPECT_NEAR(c.red(), 30, 6);
    EXPECT_NEAR(c.green(), 140, 6);
    EXPECT_NEAR(c.blue(), 200, 6);

    // Whole pictures of that size are never kept: only the 100 x 80 copies.
    EXPECT_LT(ctx_.Images().HeldBytes(), 1 << 20);
    EXPECT_TRUE(reported_.isEmpty());
}

TEST_F(ImageBudgetTest, ProfileKeySetsTheBudget)
{
    QTemporaryDir dir;
    struct Case {
        const char* value;
        qint64 bytes;
    };
    const Case cases[] = {
        {nullptr, ImageCache::kDefaultBudgetBytes},
        {"64", 64LL << 20},
        {"4096", 4096LL << 20},
        {"0", ImageCache::kDefaultBudgetBytes},
        {"-5", ImageCache::kDefaultBudgetBytes},
        {"lots", ImageCache::kDefaultBudgetBytes},
    };
    for (const Case& c : cases) {
        SettingsProfile profile(dir.filePath(QStringLiteral("p.xml")));
        profile.SetSaveOnDestroy(false);
        if (c.value)
            profile.WriteString(WidgetContext::kBudgetSection, WidgetContext::kBudgetKey, QString::fromLatin1(c.value));
        EXPECT_EQ(WidgetContext::PictureBudget(profile), c.bytes) << (c.value ? c.value : "unset");
        SettingsProfile::SetGlobal(&profile);
        ctx_.BeginLoad();
        EXPECT_EQ(ctx_.Images().Budget(), c.bytes);
        SettingsProfile::SetGlobal(nullptr);
    }
}

// Each output pixel is the AND of the source pixels it covers, shrinking and growing.
TEST(ToolPathStretch, MatchesThePixelByPixelAnd)
{
    QImage src(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            src.setPixel(x, y, 0xFF000000u | (uint(x * 7919 + y * 104729) * 2654435761u >> 8));
    for (const QSize size : {QSize(5, 3), QSize(36, 22), QSize(37, 23), QSize(80, 9), QSize(11, 61)}) {
        const QImage out = ToolPath::StretchAnd(src, size.width(), size.height());
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const int x0 = x * src.width() / size.width(), y0 = y * src.height() / size.height();
                const int x1 = std::max(x0 + 1, (x + 1) * src.width() / size.width());
                const int y1 = std::max(y0 + 1, (y + 1) * src.height() / size.height());
                QRgb acc = 0xFFFFFFFFu;
                for (int sy = y0; sy < y1; ++sy)
                    for (int sx = x0; sx < x1; ++sx)
                        acc &= src.pixel(sx, sy);
                ASSERT_EQ(out.pixel(x, y), acc) << size.width() << "x" << size.height() << " at " << x << "," << y;
            }
    }
    for (const QSize size : {QSize(1, 1), QSize(97, 41), QSize(486, 483), QSize(700, 1100), QSize(333, 12)})
        EXPECT_EQ(ToolPath::StretchSample(size.width(), size.height()),
                  ToolPath::StretchAnd(ToolPath::SamplePicture(), size.width(), size.height()))
            << size.width() << "x" << size.height();
}

TEST_F(ImageBudgetTest, ToolPathCopiesShareTheBudget)
{
    for (int i = 0; i < 40; ++i)
        Add(TypeToolPath, 0, 0, 50 + i * 9, 40 + i * 7);
    Rebuild();
    ctx_.Images().SetBudget(200000);
    for (auto& rec : set_.controls) {
        auto* tool = static_cast<ToolPath*>(rec->widget.get());
        tool->SetVisible(true);
        QImage canvas(tool->ClientSize(), QImage::Format_RGB32);
        QPainter p(&canvas);
        tool->Paint(p);
        p.end();
        ASSERT_LE(ctx_.Images().HeldBytes(), 200000);
        EXPECT_EQ(canvas.pixel(1, 1), ToolPath::StretchAnd(ToolPath::SamplePicture(), canvas.width(), canvas.height()).pixel(1, 1));
    }
}

// Many widgets resized at once check each file once; a change after that is
// seen by the next batch.
TEST_F(ImageBudgetTest, ABatchChecksEachFileOnce)
{
    const QString path = WriteBitmap("Changing.png", Gray(8, 8));
    ImageCache cache;
    ImageCache::Source source;
    ASSERT_TRUE(cache.Open(path, Vorn3Image::FormatPng, source, nullptr));
    const auto rewrite = [&](int w) {
        WriteBitmap("Changing.png", Gray(w, 8));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60 * w), QFileDevice::FileModificationTime));
    };
    cache.SetTrusted(true);
    rewrite(9);
    ASSERT_TRUE(cache.Open(path, Vorn3Image::FormatPng, source, nullptr));
    EXPECT_EQ(source.natural, QSize(9, 8));
    rewrite(10);
    ASSERT_TRUE(cache.Open(path, Vorn3Image::FormatPng, source, nullptr));
    EXPECT_EQ(source.natural, QSize(9, 8));
    cache.SetTrusted(false);
    ASSERT_TRUE(cache.Open(path, Vorn3Image::FormatPng, source, nullptr));
    EXPECT_EQ(source.natural, QSize(10, 8));
}
