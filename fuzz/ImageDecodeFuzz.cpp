// Pictures from arbitrary bytes (the first byte picks the format, the next two
// the size drawn) through the image cache as the widgets use it, and decoded
// whole as the picture check does: a failure is a message, never a crash or a
// picture beyond the pixel limit.
#include "widgets/ImageCache.h"
#include "widgets/Vorn3Image.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace tavlora;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_image_decode";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const kExtensions[] = {"bmp", "png", "jpg", "gif", "ico", "tga", "pcx", "wbmp"};
    static QTemporaryDir dir;
    if (size < 3)
        return 0;
    const QString path = dir.filePath(QStringLiteral("p.") + QLatin1String(kExtensions[data[0] % 8]));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data + 3), qint64(size - 3)) < 0)
        std::abort();
    file.close();
    ImageCache cache;
    Vorn3Image image;
    if (image.Load(path, &cache)) {
        image.Resample(1 + data[1] % 64, 1 + data[2] % 64);
        image.Crop(data[1] % 8, data[2] % 8, 60, 60);
        image.SetKeyIndex(Vorn3Image::kBmpKeyIndex);
        QImage canvas(64, 64, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&canvas);
        image.Draw(painter, 0, 0);
        image.DrawStretched(painter, QRect(0, 0, 40, 30));
    } else if (image.LastError().isEmpty()) {
        std::abort();
    }
    QString error;
    const QImage whole = Vorn3Image::Decode(path, Vorn3Image::FormatCodeFor(path), &error);
    if (whole.isNull() ? error.isEmpty() : qint64(whole.width()) * whole.height() > ImageCache::kMaxPixels)
        std::abort();
    return 0;
}
