#include "WidgetFixture.h"

#include "widgets/Vorn3Image.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

using namespace tavlora;

namespace {

class Vorn3ImageTest : public WidgetFixture {};

// A 24-bit BMP header announcing a size, without any pixel data.
QByteArray BmpHeaderOnly(int width, int height)
{
    QByteArray b(54, '\0');
    auto put32 = [&b](int at, quint32 v) { qToLittleEndian(v, b.data() + at); };
    auto put16 = [&b](int at, quint16 v) { qToLittleEndian(v, b.data() + at); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 54 + 3u * width * height);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    put16(26, 1);
    put16(28, 24);
    return b;
}

quint32 Crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray PngChunk(const char* type, const QByteArray& body)
{
    QByteArray chunk = QByteArray(type) + body;
    QByteArray len(4, '\0');
    qToBigEndian(quint32(body.size()), len.data());
    QByteArray crc(4, '\0');
    qToBigEndian(Crc32(chunk), crc.data());
    return len + chunk + crc;
}

// A PNG signature, an IHDR announcing a size and an empty IDAT.
QByteArray PngHeaderOnly(int width, int height)
{
    QByteArray body(13, '\0');
    qToBigEndian(quint32(width), body.data());
    qToBigEndian(quint32(height), body.data() + 4);
    body[8] = 8; // bit depth
    body[9] = 2; // truecolour
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", body) + PngChunk("IDAT", QByteArray());
}

// One distinct colour per column.
QImage Columns(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            img.setPixel(x, y, qRgb(x, 255 - x, y));
    return img;
}

} // namespace

TEST_F(Vorn3ImageTest, FormatCodesFollowTheExtension)
{
    EXPECT_EQ(Vorn3Image::FormatCodeFor("a\\b\\Pic.BMP"), Vorn3Image::FormatBmp);
    EXPECT_EQ(Vorn3Image::FormatCodeFor("/x/photo.JPEG"), Vorn3Image::FormatJpeg);
    EXPECT_EQ(Vorn3Image::FormatCodeFor("/x/photo.jpg"), Vorn3Image::FormatJpeg);
    EXPECT_EQ(Vorn3Image::FormatCodeFor("x.gif"), Vorn3Image::FormatGif);
    EXPECT_EQ(Vorn3Image::FormatCodeFor("x.png"), Vorn3Image::FormatPng);
    EXPECT_EQ(Vorn3Image::FormatCodeFor("x.ico"), Vorn3Image::FormatIco);
    EXPECT_EQ(Vorn3Image::FormatCodeFor("x.tga"), Vorn3Image::FormatTga);
    EXPECT_EQ(Vorn3Image::FormatCodeFor("x.pcx"), Vorn3Image::FormatPcx);
    EXPECT_EQ(Vorn3Image::FormatCodeFor("x.wbmp"), Vorn3Image::FormatWbmp);
    EXPECT_EQ(Vorn3Image::FormatCodeFor("x.emf"), Vorn3Image::FormatWmf);
    EXPECT_EQ(Vorn3Image::FormatCodeFor("x.tif"), Vorn3Image::FormatUnknown);
    // The extension is what follows the last dot, even in a folder name.
    EXPECT_EQ(Vorn3Image::ExtensionOf("/a.b/name"), QStringLiteral("b/name"));
}

TEST_F(Vorn3ImageTest, LoadsCapitalJpegAndKeepsTheNaturalSize)
{
    const QString path = WriteBitmap("Photo.JPEG", Solid(120, 80, Qt::red));
    Vorn3Image img;
    ASSERT_TRUE(img.Load(path, &ctx_.Images()));
    EXPECT_EQ(img.Width(), 120);
    EXPECT_EQ(img.Height(), 80);
    EXPECT_FALSE(img.HasKeyColour()); // only BMP gets the key colour
    EXPECT_TRUE(reported_.isEmpty());
}

TEST_F(Vorn3ImageTest, BmpGetsKeyColourButKeyingStaysOff)
{
    const QString path = WriteBitmap("Key.bmp", Solid(4, 4, QColor(254, 254, 254)));
    Vorn3Image img;
    ASSERT_TRUE(img.Load(path));
    EXPECT_TRUE(img.HasKeyColour());
    EXPECT_EQ(img.KeyColour() & 0xFFFFFF, 0xFEFEFEu);
    EXPECT_EQ(img.KeyIndex(), -1);

    QImage canvas = Solid(8, 4, Qt::blue);
    QPainter p(&canvas);
    img.Draw(p, 0, 0);
    img.SetKeyIndex(Vorn3Image::kBmpKeyIndex);
    img.Draw(p, 4, 0);
    p.end();
    EXPECT_EQ(At(canvas, 1, 1), QColor(254, 254, 254)); // drawn before keying
    EXPECT_EQ(At(canvas, 5, 1), QColor(Qt::blue));       // keyed out afterwards
}

TEST_F(Vorn3ImageTest, PathsWithoutExtensionFailSilently)
{
    WriteBitmap("NoExt.png", Solid(2, 2, Qt::red));
    QFile::rename(dir_.filePath("Bitmaps/NoExt.png"), dir_.filePath("Bitmaps/NoExt"));
    Vorn3Image img;
    EXPECT_FALSE(img.Load(dir_.filePath("Bitmaps/NoExt"), &ctx_.Images()));
    EXPECT_FALSE(img.Load(dir_.filePath("Bitmaps/Trailing."), &ctx_.Images()));
    EXPECT_TRUE(reported_.isEmpty());
    EXPECT_TRUE(img.IsEmpty());
}

TEST_F(Vorn3ImageTest, UndecodableFileIsReportedOncePerLoad)
{
    const QString path = WriteRawBitmap("Broken.png", QByteArray("not a picture at all"));
    Vorn3Image a, b;
    EXPECT_FALSE(a.Load(path, &ctx_.Images()));
    EXPECT_FALSE(b.Load(path, &ctx_.Images()));
    EXPECT_FALSE(a.LastError().isEmpty());
    ASSERT_EQ(reported_.size(), 1);
    EXPECT_TRUE(reported_[0].startsWith(path));

    ctx_.BeginLoad();
    EXPECT_FALSE(a.Load(path, &ctx_.Images()));
    EXPECT_EQ(reported_.size(), 2);
}

TEST_F(Vorn3ImageTest, HugeHeadersGiveTheirSizeAndFailOnceWhenDrawn)
{
    // Headers only: where the decoder accepts the header, the size is taken
    // from it without decoding, and the decode at the first paint fails (too
    // large, or no pixel data). Either way the failure is reported once per
    // file, nothing is drawn and nothing huge is allocated.
    struct Case {
        const char* name;
        QByteArray bytes;
        QSize natural;      // invalid: the header itself is refused at load
        const char* reason; // part of the reported text, or empty for any
    };
    const Case cases[] = {
        {"Huge.bmp", BmpHeaderOnly(30000, 30000), QSize(), ""},
        {"Big.bmp", BmpHeaderOnly(9000, 9000), QSize(9000, 9000), "more than 64 megapixels"},
        {"Huge.png", PngHeaderOnly(30000, 30000), QSize(30000, 30000), "too large"},
        {"Cut.png", PngHeaderOnly(100, 100), QSize(), ""},
        {"Wide.png", PngHeaderOnly(100000, 50), QSize(100000, 50), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reported_.clear();
        ctx_.BeginLoad();
        const QString path = WriteRawBitmap(QString::fromLatin1(c.name), c.bytes);
        Vorn3Image a, b;
        if (!c.natural.isValid()) {
            EXPECT_FALSE(a.Load(path, &ctx_.Images()));
            EXPECT_FALSE(b.Load(path, &ctx_.Images()));
            EXPECT_FALSE(a.LastError().isEmpty());
            EXPECT_TRUE(a.IsEmpty());
            EXPECT_EQ(reported_.size(), 1);
            continue;
        }
        ASSERT_TRUE(a.Load(path, &ctx_.Images()));
        ASSERT_TRUE(b.Load(path, &ctx_.Images()));
        EXPECT_EQ(QSize(int(a.Width()), int(a.Height())), c.natural);
        EXPECT_EQ(ctx_.Images().DecodeCount(), 0);
        a.Resample(50, 40);
        b.Resample(20, 10);
        QImage canvas = Solid(60, 50, Qt::blue);
        QPainter p(&canvas);
        a.Draw(p, 0, 0);
        b.Draw(p, 0, 0);
        b.DrawStretched(p, QRect(0, 0, 30, 30));
        p.end();
        EXPECT_EQ(CountNot(canvas, canvas.rect(), Qt::blue), 0);
        ASSERT_EQ(reported_.size(), 1);
        EXPECT_TRUE(reported_[0].contains(QLatin1String(c.reason))) << reported_[0].toStdString();
    }
}

TEST_F(Vorn3ImageTest, NearestResamplingUsesSinglePrecisionRatios)
{
    // 5 -> 3 columns: 0, 1.67, 3.33 -> source columns 0, 1, 3.
    QImage down = Vorn3Image::ResampleNearest(Columns(5, 1), 3, 1);
    EXPECT_EQ(qRed(down.pixel(0, 0)), 0);
    EXPECT_EQ(qRed(down.pixel(1, 0)), 1);
    EXPECT_EQ(qRed(down.pixel(2, 0)), 3);

    // 3 -> 7: every source column repeated, the first two three times.
    QImage up = Vorn3Image::ResampleNearest(Columns(3, 1), 7, 1);
    const int expected[7] = {0, 0, 0, 1, 1, 2, 2};
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(qRed(up.pixel(x, 0)), expected[x]) << x;

    // 2 -> 82: float(2/82) * 41 truncates to 0, where exact arithmetic gives 1.
    QImage wide = Vorn3Image::ResampleNearest(Columns(2, 1), 82, 1);
    EXPECT_EQ(qRed(wide.pixel(41, 0)), 0);
    EXPECT_EQ(qRed(wide.pixel(42, 0)), 1);

    // Rows follow the same rule.
    QImage tall = Vorn3Image::ResampleNearest(Columns(1, 5), 1, 3);
    EXPECT_EQ(qBlue(tall.pixel(0, 2)), 3);
}

TEST_F(Vorn3ImageTest, ResampleCropAndDegenerateSizes)
{
    Vorn3Image img;
    ASSERT_TRUE(img.Load(WriteBitmap("One.png", Solid(1, 1, Qt::green))));
    img.Resample(0, 0);
    img.Resample(300, 2);
    EXPECT_EQ(img.Picture().size(), QSize(300, 2));
    img.Crop(10, 0, 5, 2); // inverted: empty
    EXPECT_TRUE(img.IsEmpty());

    ASSERT_TRUE(img.Load(WriteBitmap("Cols.png", Columns(10, 4))));
    img.Crop(2, 1, 6, 3);
    EXPECT_EQ(img.Picture().size(), QSize(4, 2));
    EXPECT_EQ(qRed(img.Picture().pixel(0, 0)), 2);

    // A huge target is not resampled in memory; drawing stretches instead.
    img.Resample(100000, 100000);
    EXPECT_EQ(img.Picture().size(), QSize(4, 2));
    EXPECT_EQ(img.DrawSize(), QSize(100000, 100000));
    QImage canvas = Solid(8, 8, Qt::black);
    QPainter p(&canvas);
    img.Draw(p, 0, 0);
    p.end();
    EXPECT_EQ(qRed(canvas.pixel(0, 0)), 2);
}

TEST_F(Vorn3ImageTest, PaletteKeyUsesTheColourOfIndex254)
{
    QImage indexed(4, 1, QImage::Format_Indexed8);
    QList<QRgb> table(256, qRgb(10, 10, 10));
    table[254] = qRgb(1, 2, 3);
    table[7] = qRgb(200, 0, 0);
    indexed.setColorTable(table);
    indexed.setPixel(0, 0, 254);
    indexed.setPixel(1, 0, 7);
    indexed.setPixel(2, 0, 254);
    indexed.setPixel(3, 0, 7);
    const QString path = WriteBitmap("Pal.bmp", indexed);

    Vorn3Image img;
    ASSERT_TRUE(img.Load(path));
    ASSERT_EQ(img.Picture().format(), QImage::Format_Indexed8);
    img.SetKeyIndex(Vorn3Image::kBmpKeyIndex);
    QImage canvas = Solid(4, 1, Qt::white);
    QPainter p(&canvas);
    img.Draw(p, 0, 0);
    p.end();
    EXPECT_EQ(At(canvas, 0, 0), QColor(Qt::white));
    EXPECT_EQ(At(canvas, 1, 0), QColor(200, 0, 0));
    EXPECT_EQ(At(canvas, 2, 0), QColor(Qt::white));
}
