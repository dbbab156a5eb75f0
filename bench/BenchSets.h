#pragma once
// Screen sets, pictures and the application object the benchmarks share.
#ifdef TAVLORA_BENCH_WIDGETS

#include "core/ScreenSet.h"
#include "core/ScreenSetFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>

#ifdef TAVLORA_BENCH_GUI
#include <QApplication>
#else
#include <QGuiApplication>
#endif

#include <memory>
#include <string>

namespace tavlora::bench {

inline constexpr int kScreenControls = 2000;
inline constexpr int kLoadControls = 10000;
inline constexpr int kPictures = 200;
inline const QSize kScreen(1024, 768);

// The application lives until the process ends (the fixtures kept in
// statics refer to it); settings go to a test location, never the user's.
inline void EnsureApplication()
{
    static QGuiApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QStandardPaths::setTestModeEnabled(true);
        static int argc = 1;
        static char name[] = "tavlora_bench";
        static char* argv[] = {name, nullptr};
#ifdef TAVLORA_BENCH_GUI
        return static_cast<QGuiApplication*>(new QApplication(argc, argv));
#else
        return new QGuiApplication(argc, argv);
#endif
    }();
    (void)app;
}

// A Vorn3 folder with the LED pictures and kPictures distinct pictures
// (PNG, BMP and JPEG, 96 x 64) below Bitmaps/Bench.
inline const QTemporaryDir& VornFolder()
{
    static QTemporaryDir dir;
    static bool made = [] {
        QDir(dir.path()).mkpath(QStringLiteral("Bitmaps/Bench"));
        for (const char* led : {"LegacyGreen.bmp", "LegacyRed.bmp", "LegacyYellow.bmp", "LegacyRedGreen.bmp"}) {
            QImage img(40, 20, QImage::Format_RGB32);
            img.fill(QColor(0, 180, 0));
            img.save(dir.filePath(QString::fromLatin1(led)));
        }
        for (int i = 0; i < kPictures; ++i) {
            QImage img(96, 64, QImage::Format_RGB32);
            img.fill(QColor::fromHsv(i * 359 / kPictures, 200, 220));
            QPainter p(&img);
            p.setPen(Qt::black);
            p.drawEllipse(8, 8, 80, 48);
            p.drawText(QRect(0, 0, 96, 64), Qt::AlignCenter, QString::number(i));
            p.end();
            const char* ext = i % 4 == 0 ? "bmp" : i % 4 == 1 ? "jpg" : "png";
            img.save(dir.filePath(QStringLiteral("Bitmaps/Bench/P%1.%2").arg(i).arg(QLatin1String(ext))));
        }
        return true;
    }();
    (void)made;
    return dir;
}

inline std::string PictureName(int i)
{
    const char* ext = i % 4 == 0 ? "bmp" : i % 4 == 1 ? "jpg" : "png";
    return "Bench\\P" + std::to_string(i) + "." + ext;
}

// Mixed controls: DROs, labels, buttons, LEDs, pictures, image buttons, and a
// few MDI lines, G-code lists and tool paths, spread over the screen.
inline void Fill(ScreenSet& set, int count, int screens)
{
    for (int i = 0; i < count; ++i) {
        auto r = std::make_unique<ControlRecord>();
        const int x = (i * 37) % 960;
        const int y = (i * 53) % 720;
        int w = 40 + (i * 13) % 110;
        int h = 16 + (i * 7) % 40;
        switch (i % 20) {
        case 0: case 1: case 2: case 3:
            r->type = 1;
            if (i % 40 == 0) {
                r->label = "Skinned";
                r->format = "SD%+.4f";
                r->image = PictureName(i % kPictures);
            }
            break;
        case 4: case 5: case 6: case 7: case 8:
            r->type = 7;
            r->label = "Label " + std::to_string(i);
            break;
        case 9: case 10: case 11: case 12:
            r->type = 4;
            r->text = "Button " + std::to_string(i);
            break;
        case 13: case 14:
            r->type = 6;
            r->ledColour = i % 3;
            w = h = 20;
            break;
        case 15: case 16:
            r->type = 3;
            r->image = PictureName((i * 7) % kPictures);
            break;
        case 17:
            r->type = 8;
            r->image = PictureName((i * 11) % kPictures);
            break;
        case 18:
            r->type = i % 3 == 0 ? 9 : 10;
            w = 200;
            h = 120;
            break;
        default:
            r->type = i % 2 ? 11 : 7;
            break;
        }
        r->screen = screens > 1 ? 1 + i % screens : 1;
        r->rect = Rect{x, y, x + w, y + h};
        set.Append(std::move(r));
    }
}

// Writes Fill(count, screens) as bench.set in dir; returns its path.
inline QString WriteFilledSet(const QTemporaryDir& dir, int count, int screens)
{
    ScreenSet set;
    Fill(set, count, screens);
    const QString path = dir.filePath(QStringLiteral("bench.set"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    const std::string bytes = ScreenSetFile::Write(set).bytes;
    file.write(bytes.data(), qint64(bytes.size()));
    return path;
}

} // namespace tavlora::bench

#endif // TAVLORA_BENCH_WIDGETS
