#include "WidgetFixture.h"

#include "core/ControlType.h"
#include "core/ScreenVisibility.h"
#include "widgets/EmergButton.h"
#include "widgets/Picture.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/WidgetFactory.h"

#include <QFile>

#include <unistd.h>

using namespace tavlora;

namespace {

class PictureTest : public WidgetFixture {
protected:
    // 20 x 20 red picture with a 10 x 10 key-coloured square in its middle.
    QImage KeyedSquare()
    {
        QImage img = Solid(20, 20, Qt::red);
        for (int y = 5; y < 15; ++y)
            for (int x = 5; x < 15; ++x)
                img.setPixelColor(x, y, QColor(254, 254, 254));
        return img;
    }
    Picture* PictureOf(ControlRecord& r) { return dynamic_cast<Picture*>(r.widget.get()); }
};

} // namespace

TEST_F(PictureTest, BmpKeyingShowsTheScreenInPictureButNotInEmergButton)
{
    WriteBitmap("Key.bmp", KeyedSquare());
    ControlRecord& pic = Add(TypeImage, 10, 10, 30, 30);
    pic.image = "Key.bmp";
    ControlRecord& button = Add(TypeImageButton, 50, 10, 70, 30);
    button.image = "\\Key.bmp";
    Rebuild();
    const QImage out = Render();
    const QColor back(240, 240, 240); // default screen background
    EXPECT_EQ(At(out, 10 + 2, 10 + 2), QColor(Qt::red));
    EXPECT_EQ(At(out, 10 + 10, 10 + 10), back);             // keyed: background shows
    EXPECT_EQ(At(out, 50 + 10, 10 + 10), QColor(254, 254, 254)); // image button never keys
    EXPECT_EQ(At(out, 50 + 2, 10 + 2), QColor(Qt::red));
}

TEST_F(PictureTest, PicturesGoToTheBottomAndPngToTheTopAfterItsLoad)
{
    WriteBitmap("Key.bmp", KeyedSquare());
    WriteBitmap("Sub/Top.png", Solid(8, 8, Qt::blue));
    WriteBitmap("Back.bmp", Solid(8, 8, Qt::green));
    Add(TypeMdi, 0, 0, 100, 40);
    ControlRecord& png = Add(TypeImage, 0, 0, 40, 40);
    png.image = "/Sub/Top.png";
    ControlRecord& back = Add(TypeImage, 60, 0, 100, 40);
    back.image = "Back.bmp";
    Rebuild();
    const QImage out = Render();
    EXPECT_EQ(At(out, 20, 20), QColor(Qt::blue));          // PNG above the earlier MDI line
    EXPECT_EQ(At(out, 95, 35), QColor(176, 176, 255));     // BMP picture below it
    ScreenVisibility::Refresh(set_, 1, true);
    EXPECT_EQ(ScreenRenderer::WidgetAt(set_, QPoint(20, 20)), png.widget.get());
    EXPECT_EQ(ScreenRenderer::WidgetAt(set_, QPoint(95, 35)), set_.At(0).widget.get());
    EXPECT_EQ(ScreenRenderer::WidgetAt(set_, QPoint(200, 200)), nullptr);
}

TEST_F(PictureTest, KeyingSurvivesAResize)
{
    WriteBitmap("Key.bmp", KeyedSquare());
    ControlRecord& bmp = Add(TypeImage, 100, 0, 120, 20);
    bmp.image = "Key.bmp";
    Rebuild();
    bmp.rect = Rect{100, 0, 140, 40};
    WidgetFactory::Sync(bmp, ctx_, false);
    const QImage moved = Render();
    EXPECT_EQ(At(moved, 100 + 20, 20), QColor(240, 240, 240));
    EXPECT_EQ(At(moved, 100 + 3, 3), QColor(Qt::red));
}

TEST_F(PictureTest, OriginalSizeMakesTheControlThePictureSize)
{
    WriteBitmap("Big.jpg", Solid(120, 80, Qt::green));
    ControlRecord& rec = Add(TypeImage, 30, 40, 50, 50);
    ControlRecord& button = Add(TypeImageButton, 200, 40, 210, 45);
    Rebuild();
    rec.image = button.image = "Big.jpg";
    // "Original Size" is an edit that takes the natural size; the widget follows the record.
    ASSERT_EQ(WidgetFactory::NaturalSize(rec, ctx_), QSize(120, 80));
    ASSERT_EQ(WidgetFactory::NaturalSize(button, ctx_), QSize(120, 80));
    rec.rect = {30, 40, 150, 120};
    WidgetFactory::Sync(rec, ctx_, true);
    EXPECT_EQ(PictureOf(rec)->Geometry(), QRect(30, 40, 120, 80));
    EXPECT_EQ(PictureOf(rec)->Image().Picture().size(), QSize(120, 80));
    button.image = "None.png";
    EXPECT_EQ(WidgetFactory::NaturalSize(button, ctx_), std::nullopt); // no picture at all
}

TEST_F(PictureTest, KeywordsAndTheOfflinePlaceholder)
{
    WriteBitmap("MillBitmaps/offline.jpg", Solid(10, 10, Qt::darkCyan));
    ControlRecord& picNone = Add(TypeImage, 0, 0, 20, 20);
    picNone.image = "None.png";
    ControlRecord& buttonNone = Add(TypeImageButton, 30, 0, 50, 20);
    buttonNone.image = "None.png";
    ControlRecord& buttonMissing = Add(TypeImageButton, 60, 0, 80, 20);
    buttonMissing.image = "Missing.png";
    Rebuild();
    auto* b1 = dynamic_cast<EmergButton*>(buttonNone.widget.get());
    auto* b2 = dynamic_cast<EmergButton*>(buttonMissing.widget.get());
    EXPECT_TRUE(PictureOf(picNone)->ImageLoaded());
    EXPECT_TRUE(PictureOf(picNone)->ImagePathName().endsWith("Bitmaps/MillBitmaps/offline.jpg"));
    EXPECT_FALSE(b1->ImageLoaded());
    EXPECT_TRUE(b2->ImageLoaded());

    // The image button without picture draws its blue/green frame; the inside stays the screen.
    const QImage out = Render();
    EXPECT_EQ(At(out, 30, 0), QColor(0, 0, 255));
    EXPECT_EQ(At(out, 30, 10), QColor(0, 0, 255));
    EXPECT_EQ(At(out, 49, 10), QColor(0, 255, 0));
    EXPECT_EQ(At(out, 40, 19), QColor(0, 255, 0));
    EXPECT_EQ(At(out, 40, 10), QColor(240, 240, 240));
    const QColor offline = At(out, 70, 10); // JPEG: close to the colour written
    EXPECT_NEAR(offline.red(), 0, 8);
    EXPECT_NEAR(offline.green(), 128, 8);
    EXPECT_NEAR(offline.blue(), 128, 8);
}

TEST_F(PictureTest, ReadOnlyPicturesShowAbsentOnesAreListedNotReported)
{
    if (RanAsNobody())
        return;
    const QString path = WriteBitmap("Locked.png", Solid(4, 4, Qt::red));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString closed = WriteBitmap("Closed.png", Solid(4, 4, Qt::red));
    QFile::setPermissions(closed, QFile::WriteOwner);
    ControlRecord& locked = Add(TypeImage, 0, 0, 10, 10);
    locked.image = "Locked.png";
    ControlRecord& shut = Add(TypeImage, 0, 0, 10, 10);
    shut.image = "Closed.png";
    ControlRecord& gone = Add(TypeImage, 0, 0, 10, 10);
    gone.image = "Sub\\Gone.bmp";
    ControlRecord& again = Add(TypeImageButton, 0, 0, 10, 10);
    again.image = "Sub\\Gone.bmp";
    ControlRecord& escape = Add(TypeImage, 0, 0, 10, 10);
    escape.image = "..\\..\\Locked.png";
    Add(TypeOlderImage, 0, 0, 10, 10);
    Rebuild();
    EXPECT_TRUE(reported_.isEmpty());
    EXPECT_TRUE(PictureOf(locked)->ImageLoaded());
    EXPECT_FALSE(PictureOf(shut)->ImageLoaded());
    EXPECT_FALSE(PictureOf(gone)->ImageLoaded());
    EXPECT_FALSE(PictureOf(escape)->ImageLoaded());
    const QStringList missing = ctx_.MissingImages();
    ASSERT_EQ(missing.size(), 3) << missing.join(", ").toStdString();
    EXPECT_EQ(ctx_.MissingReason(closed), PresenceTest::Result::NotReadable);
    EXPECT_EQ(ctx_.MissingReason(dir_.filePath("Bitmaps/Sub/Gone.bmp")), PresenceTest::Result::NotFound);
    EXPECT_EQ(ctx_.MissingReason(missing.back()), PresenceTest::Result::OutsideFolder);
}

TEST_F(PictureTest, CaseInsensitivePathsOnCaseSensitiveFileSystems)
{
    WriteBitmap("Mill/Spindle.BMP", Solid(6, 6, Qt::magenta));
    ControlRecord& rec = Add(TypeImage, 0, 0, 6, 6);
    rec.image = "mill\\spindle.bmp";
    Rebuild();
    EXPECT_TRUE(PictureOf(rec)->ImageLoaded());
}

TEST_F(PictureTest, EachPictureFileIsDecodedOnceAndReportedOnce)
{
    WriteBitmap("Shared.png", Solid(16, 16, Qt::yellow));
    WriteRawBitmap("Bad.gif", QByteArray("GIF89a but broken"));
    for (int i = 0; i < 20; ++i) {
        ControlRecord& r = Add(TypeImage, i * 5, 0, i * 5 + 4 + i, 10);
        r.image = i % 2 ? "Shared.png" : "Bad.gif";
    }
    Rebuild();
    EXPECT_EQ(ctx_.Images().DecodeCount(), 2);
    EXPECT_EQ(reported_.size(), 1);
    // Every widget still has its own scaled copy.
    EXPECT_EQ(PictureOf(set_.At(19))->Image().Picture().size(), QSize(23, 10));
    EXPECT_EQ(PictureOf(set_.At(1))->Image().Picture().size(), QSize(5, 10));

    // A new load reports again.
    Rebuild();
    EXPECT_EQ(reported_.size(), 2);
}

TEST_F(PictureTest, RemoveBitmapsHidesOnlyPictures)
{
    WriteBitmap("P.png", Solid(10, 10, Qt::blue));
    ControlRecord& pic = Add(TypeImage, 0, 0, 10, 10);
    pic.image = "P.png";
    Add(TypeMdi, 20, 0, 40, 10);
    Rebuild();
    ctx_.showImages = false;
    const QImage out = Render();
    EXPECT_EQ(At(out, 5, 5), QColor(240, 240, 240));
    EXPECT_EQ(At(out, 39, 1), QColor(176, 176, 255));
}

TEST_F(PictureTest, OlderImageTypeShowsNothingAndBecomesType3)
{
    // Even an existing "Missing" file has no extension, so nothing loads.
    Solid(4, 4, Qt::red).save(dir_.filePath("Bitmaps/Missing"), "PNG");
    ControlRecord& rec = Add(TypeOlderImage, 0, 0, 10, 10);
    rec.image = "Whatever.png";
    Rebuild();
    EXPECT_EQ(rec.type, TypeImage);
    EXPECT_FALSE(PictureOf(rec)->ImageLoaded());
    EXPECT_TRUE(reported_.isEmpty());
    EXPECT_EQ(CountNot(Render(), QRect(0, 0, 10, 10), QColor(240, 240, 240)), 0);
}
