// make-vorn3-sample: writes the sample Vorn3 folder (function catalogs, the
// two-state LED pictures, the offline placeholder and the pictures used by the
// example screen sets) and the JSON sources of the example screen sets.
//
//   make-vorn3-sample --vorn3 DIR [--examples DIR]
//
// Everything is drawn here with QPainter; the output is deterministic (fixed
// random seeds, no time stamps). GIF and the 8-bit/24-bit BMPs are written by
// hand so that their exact layout (palette order, key colour) is under control.

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Basics

[[noreturn]] void die(const QString& message)
{
    std::fprintf(stderr, "make-vorn3-sample: %s\n", qPrintable(message));
    std::exit(1);
}

void check(bool ok, const QString& message)
{
    if (!ok)
        die(message);
}

// xorshift64*: small, portable and reproducible on every platform.
class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    uint32_t next()
    {
        s_ ^= s_ >> 12;
        s_ ^= s_ << 25;
        s_ ^= s_ >> 27;
        return uint32_t((s_ * 0x2545F4914F6CDD1Dull) >> 32);
    }
    double uniform() { return next() / 4294967296.0; }
    // Roughly normal, mean 0, deviation 1.
    double gauss()
    {
        double a = 0;
        for (int i = 0; i < 6; ++i)
            a += uniform();
        return (a - 3.0) * std::sqrt(2.0);
    }

private:
    uint64_t s_;
};

int clamp255(double v)
{
    return std::clamp(int(std::lround(v)), 0, 255);
}

QFont uiFont(int pixelSize, QFont::Weight weight = QFont::Normal)
{
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Largest font (up to maxPx) whose text fits into width.
QFont fitFont(const QString& text, int maxPx, double width, QFont::Weight weight)
{
    for (int px = maxPx; px > 6; --px) {
        const QFont f = uiFont(px, weight);
        if (QFontMetricsF(f).horizontalAdvance(text) <= width)
            return f;
    }
    return uiFont(6, weight);
}

QString g_root; // the Vorn3 folder being written
QStringList g_written;

QString outPath(const QString& relative)
{
    const QString path = g_root + QLatin1Char('/') + relative;
    check(QDir().mkpath(QFileInfo(path).absolutePath()), QStringLiteral("cannot create folder for %1").arg(path));
    g_written << relative;
    return path;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    check(f.open(QIODevice::WriteOnly | QIODevice::Truncate), QStringLiteral("cannot write %1").arg(path));
    check(f.write(bytes) == bytes.size(), QStringLiteral("short write on %1").arg(path));
}

void put16(QByteArray& b, uint32_t v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& b, uint32_t v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// Supersampled drawing: paint at `scale` times the size, then reduce with area
// averaging.
QImage downsample(const QImage& big, int w, int h)
{
    return big.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A canvas k times the final w x h size (filled unless fill is invalid), and a
// painter on it drawing in final-size units; downsample() gives the picture.
QImage supersampled(int w, int h, int k, QImage::Format format, const QColor& fill = QColor())
{
    QImage big(w * k, h * k, format);
    if (fill.isValid())
        big.fill(fill);
    return big;
}

void beginScaled(QPainter& p, QImage& big, int k)
{
    p.begin(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(k, k);
}

void addNoise(QImage& img, double amplitude, uint64_t seed)
{
    Rng rng(seed);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const double n = rng.gauss() * amplitude;
            const QRgb c = line[x];
            line[x] = qRgba(clamp255(qRed(c) + n), clamp255(qGreen(c) + n), clamp255(qBlue(c) + n), qAlpha(c));
        }
    }
}

// ---------------------------------------------------------------------------
// Hand-written file formats

// 24-bit uncompressed BMP, bottom-up rows padded to four bytes.
void writeBmp24(const QImage& source, const QString& path)
{
    const QImage img = source.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    const int stride = (w * 3 + 3) & ~3;
    QByteArray b;
    b.append("BM");
    put32(b, uint32_t(54 + stride * h));
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, uint32_t(w));
    put32(b, uint32_t(h));
    put16(b, 1);
    put16(b, 24);
    put32(b, 0);
    put32(b, uint32_t(stride * h));
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            b.append(char(qBlue(line[x])));
            b.append(char(qGreen(line[x])));
            b.append(char(qRed(line[x])));
        }
        for (int p = w * 3; p < stride; ++p)
            b.append('\0');
    }
    writeBytes(path, b);
}

struct Indexed {
    int w = 0, h = 0;
    std::vector<uint8_t> pixels;  // row-major, top row first
    std::array<QRgb, 256> palette{};
};

// 8-bit BMP with a full 256-entry palette, written in exactly the given order.
void writeBmp8(const Indexed& ix, const QString& path)
{
    const int stride = (ix.w + 3) & ~3;
    const uint32_t offset = 54 + 256 * 4;
    QByteArray b;
    b.append("BM");
    put32(b, offset + uint32_t(stride * ix.h));
    put32(b, 0);
    put32(b, offset);
    put32(b, 40);
    put32(b, uint32_t(ix.w));
    put32(b, uint32_t(ix.h));
    put16(b, 1);
    put16(b, 8);
    put32(b, 0);
    put32(b, uint32_t(stride * ix.h));
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 256);
    put32(b, 0);
    for (QRgb c : ix.palette) {
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        b.append('\0');
    }
    for (int y = ix.h - 1; y >= 0; --y) {
        for (int x = 0; x < ix.w; ++x)
            b.append(char(ix.pixels[size_t(y * ix.w + x)]));
        for (int p = ix.w; p < stride; ++p)
            b.append('\0');
    }
    writeBytes(path, b);
}

// Variable-width LZW as GIF uses it (LSB-first bit packing, clear and end codes).
QByteArray gifLzw(const std::vector<uint8_t>& pixels, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    QByteArray out;
    uint32_t bitBuffer = 0;
    int bitCount = 0;
    int codeSize = minCodeSize + 1;
    auto output = [&](int code) {
        bitBuffer |= uint32_t(code) << bitCount;
        bitCount += codeSize;
        while (bitCount >= 8) {
            out.append(char(bitBuffer & 0xFF));
            bitBuffer >>= 8;
            bitCount -= 8;
        }
    };
    std::map<uint32_t, int> dict;
    int nextCode = endCode + 1;
    output(clearCode);
    if (!pixels.empty()) {
        int prefix = pixels[0];
        for (size_t i = 1; i < pixels.size(); ++i) {
            const int k = pixels[i];
            const uint32_t key = (uint32_t(prefix) << 8) | uint32_t(k);
            const auto it = dict.find(key);
            if (it != dict.end()) {
                prefix = it->second;
                continue;
            }
            output(prefix);
            if (nextCode < 4096) {
                dict.emplace(key, nextCode++);
                if (nextCode > (1 << codeSize) && codeSize < 12)
                    ++codeSize;
            } else {
                output(clearCode);
                dict.clear();
                nextCode = endCode + 1;
                codeSize = minCodeSize + 1;
            }
            prefix = k;
        }
        output(prefix);
    }
    output(endCode);
    if (bitCount > 0)
        out.append(char(bitBuffer & 0xFF));
    return out;
}

// GIF89a, one frame, global 256-colour table, optional transparent index.
void writeGif(const Indexed& ix, int transparentIndex, const QString& path)
{
    QByteArray b;
    b.append("GIF89a");
    put16(b, uint32_t(ix.w));
    put16(b, uint32_t(ix.h));
    b.append(char(0xF7)); // global table, 8 bits of colour resolution, 256 entries
    b.append(char(transparentIndex >= 0 ? transparentIndex : 0));
    b.append('\0');
    for (QRgb c : ix.palette) {
        b.append(char(qRed(c)));
        b.append(char(qGreen(c)));
        b.append(char(qBlue(c)));
    }
    if (transparentIndex >= 0) {
        b.append(char(0x21));
        b.append(char(0xF9));
        b.append(char(4));
        b.append(char(0x05)); // restore to background, transparent colour given
        put16(b, 0);
        b.append(char(transparentIndex));
        b.append('\0');
    }
    b.append(char(0x2C));
    put16(b, 0);
    put16(b, 0);
    put16(b, uint32_t(ix.w));
    put16(b, uint32_t(ix.h));
    b.append('\0');
    b.append(char(8));
    const QByteArray data = gifLzw(ix.pixels, 8);
    for (qsizetype pos = 0; pos < data.size(); pos += 255) {
        const qsizetype n = std::min<qsizetype>(255, data.size() - pos);
        b.append(char(n));
        b.append(data.mid(pos, n));
    }
    b.append('\0');
    b.append(char(0x3B));
    writeBytes(path, b);
}

// Turns an ARGB picture into hard-edged opaque pixels (alpha >= 128) over a key.
// Keyed pictures must not blend their edges with the key colour, or a fringe of
// the key would show on the screen behind them.
QImage hardenAlpha(const QImage& argb, QRgb key)
{
    QImage src = argb.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            if (qAlpha(s[x]) < 128) {
                d[x] = key;
            } else {
                QRgb c = qRgb(qRed(s[x]), qGreen(s[x]), qBlue(s[x]));
                if (c == key) // keep drawn pixels distinct from the key
                    c = qRgb(qRed(c) - 1, qGreen(c) - 1, qBlue(c) - 1);
                d[x] = c;
            }
        }
    }
    return out;
}

// Popularity quantiser: the opaque pixels of `argb` (alpha >= 128) get the most
// used colours (5 bits per channel buckets) in indices 0 .. maxColours-1;
// transparent pixels get keyIndex, whose palette entry is keyColour.
Indexed quantize(const QImage& argb, int maxColours, int keyIndex, QRgb keyColour)
{
    const QImage src = argb.convertToFormat(QImage::Format_ARGB32);
    struct Bucket {
        double r = 0, g = 0, b = 0;
        int n = 0;
    };
    std::vector<Bucket> buckets(32768);
    auto bucketOf = [](QRgb c) { return (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | (qBlue(c) >> 3); };
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = src.pixel(x, y);
            if (qAlpha(c) < 128)
                continue;
            Bucket& bk = buckets[size_t(bucketOf(c))];
            bk.r += qRed(c);
            bk.g += qGreen(c);
            bk.b += qBlue(c);
            ++bk.n;
        }
    }
    std::vector<int> order;
    for (int i = 0; i < 32768; ++i)
        if (buckets[size_t(i)].n)
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return buckets[size_t(a)].n > buckets[size_t(b)].n; });
    if (int(order.size()) > maxColours)
        order.resize(size_t(maxColours));

    Indexed ix;
    ix.w = src.width();
    ix.h = src.height();
    ix.palette.fill(qRgb(0, 0, 0));
    const int used = int(order.size());
    for (int i = 0; i < used; ++i) {
        const Bucket& bk = buckets[size_t(order[size_t(i)])];
        QRgb c = qRgb(clamp255(bk.r / bk.n), clamp255(bk.g / bk.n), clamp255(bk.b / bk.n));
        if (c == keyColour)
            c = qRgb(qRed(c) - 1, qGreen(c) - 1, qBlue(c) - 1);
        ix.palette[size_t(i)] = c;
    }
    ix.palette[size_t(keyIndex)] = keyColour;
    ix.pixels.resize(size_t(ix.w * ix.h));
    for (int y = 0; y < ix.h; ++y) {
        for (int x = 0; x < ix.w; ++x) {
            const QRgb c = src.pixel(x, y);
            int best = keyIndex;
            if (qAlpha(c) >= 128) {
                int bestDist = INT32_MAX;
                for (int i = 0; i < used; ++i) {
                    const QRgb p = ix.palette[size_t(i)];
                    const int dr = qRed(p) - qRed(c), dg = qGreen(p) - qGreen(c), db = qBlue(p) - qBlue(c);
                    const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                    if (d < bestDist) {
                        bestDist = d;
                        best = i;
                    }
                }
            }
            ix.pixels[size_t(y * ix.w + x)] = uint8_t(best);
        }
    }
    return ix;
}

void savePng(const QImage& img, const QString& rel)
{
    const QString path = outPath(rel);
    check(img.save(path, "PNG"), QStringLiteral("cannot save %1").arg(path));
}

void saveJpeg(const QImage& img, const QString& rel, int quality = 90)
{
    const QString path = outPath(rel);
    check(img.convertToFormat(QImage::Format_RGB32).save(path, "JPG", quality),
          QStringLiteral("cannot save %1 (is the Qt JPEG plugin installed?)").arg(path));
}

// ---------------------------------------------------------------------------
// Function catalogs

const QStringList kDroCatalog = {
    "X Axis Position",                // 0
    "Y Axis Position",                // 1
    "Z Axis Position",                // 2
    "A Axis Position",                // 3
    "B Axis Position",                // 4
    "C Axis Position",                // 5
    "X Axis Machine Position",        // 6
    "Y Axis Machine Position",        // 7
    "Z Axis Machine Position",        // 8
    "Spindle Speed RPM",              // 9
    "Feed Rate Units/Min",            // 10
    "Feed Rate Override %",           // 11
    "OEM DRO Code",                   // 12
    "Spindle Speed Override %",       // 13
    "Commanded Spindle Speed",        // 14
    "Current Tool Number",            // 15
    "Tool Length Offset",             // 16
    "Tool Diameter",                  // 17
    "Current Line Number",            // 18
    "Elapsed Cycle Time",             // 19
    "X Work Offset",                  // 20
    "Y Work Offset",                  // 21
    "Z Work Offset",                  // 22
    "A Work Offset",                  // 23
    "Active Work Offset Number",      // 24
    "X Axis Distance To Go",          // 25
    "Y Axis Distance To Go",          // 26
    "Z Axis Distance To Go",          // 27
    "Jog Step Increment",             // 28
    "Jog Speed %",                    // 29
    "Spindle Load %",                 // 30
    "Rapid Override %",               // 31
    "Parts Counter",                  // 32
    "Parts Required",                 // 33
    "Estimated Run Time",             // 34
    "X Axis Scale Factor",            // 35
    "Y Axis Scale Factor",            // 36
    "Z Axis Scale Factor",            // 37
    "Rotation Angle",                 // 38
    "Safe Z Height",                  // 39
    "Probe X Position",               // 40
    "Probe Y Position",               // 41
    "Probe Z Position",               // 42
    "Tool Change X Position",         // 43
    "Tool Change Y Position",         // 44
    "Tool Change Z Position",         // 45
    "X Axis Backlash",                // 46
    "Y Axis Backlash",                // 47
    "Z Axis Backlash",                // 48
    "Dwell Time Remaining",           // 49
    "Lathe X Diameter",               // 50
    "Lathe Z Position",               // 51
    "Constant Surface Speed",         // 52
    "Tool Nose Radius",               // 53
    "Lathe Tool X Offset",            // 54
    "Lathe Tool Z Offset",            // 55
    "Thread Pitch",                   // 56
    "Spindle Gear Ratio",             // 57
    "Coolant Start Delay Seconds",    // 58
    "Maximum Spindle Speed",          // 59
    "Machine Hours Total",            // 60
    "Corner Blend Tolerance",         // 61
};

const QStringList kButtonCatalog = {
    "Cycle Start",                    // 0
    "Feed Hold",                      // 1
    "Stop",                           // 2
    "Reset",                          // 3
    "Rewind Program",                 // 4
    "Single Block Toggle",            // 5
    "Block Delete Toggle",            // 6
    "Optional Stop Toggle",           // 7
    "Emergency Stop",                 // 8
    "Go To Zero",                     // 9
    "Home All Axes",                  // 10
    "Zero X Axis",                    // 11
    "Zero Y Axis",                    // 12
    "Zero Z Axis",                    // 13
    "Zero A Axis",                    // 14
    "Home X Axis",                    // 15
    "Home Y Axis",                    // 16
    "Home Z Axis",                    // 17
    "Spindle On Clockwise",           // 18
    "Spindle On Counter-Clockwise",   // 19
    "Spindle Off",                    // 20
    "Flood Coolant Toggle",           // 21
    "Mist Coolant Toggle",            // 22
    "Load G-Code File",               // 23
    "Close G-Code File",              // 24
    "Edit G-Code File",               // 25
    "Recent Files",                   // 26
    "Feed Override Increase",         // 27
    "Feed Override Decrease",         // 28
    "Feed Override Reset",            // 29
    "Spindle Override Increase",      // 30
    "Spindle Override Decrease",      // 31
    "OEM Button Code",                // 32
    "Execute G-Code String",          // 33
    "Run VB Script",                  // 34
    "Spindle Override Reset",         // 35
    "Jog Mode Continuous",            // 36
    "Jog Mode Step",                  // 37
    "Cycle Jog Step Size",            // 38
    "Jog X Plus",                     // 39
    "Jog X Minus",                    // 40
    "Jog Y Plus",                     // 41
    "Jog Y Minus",                    // 42
    "Jog Z Plus",                     // 43
    "Jog Z Minus",                    // 44
    "Jog A Plus",                     // 45
    "Jog A Minus",                    // 46
    "Show Jog Panel",                 // 47
    "Machine Coordinates Toggle",     // 48
    "Inch / Metric Toggle",           // 49
    "Set Next Line",                  // 50
    "Run From Here",                  // 51
    "Regenerate Tool Path",           // 52
    "Display Mode Toggle",            // 53
    "Tool Path Zoom In",              // 54
    "Tool Path Zoom Out",             // 55
    "Tool Path Reset View",           // 56
    "Tool Path Top View",             // 57
    "Tool Path Iso View",             // 58
    "Touch Off Tool",                 // 59
    "Auto Tool Zero",                 // 60
    "Open Tool Table",                // 61
    "Open Fixture Table",             // 62
    "Select Work Offset G54",         // 63
    "Select Work Offset G55",         // 64
    "Select Work Offset G56",         // 65
    "Select Work Offset G57",         // 66
    "Select Work Offset G58",         // 67
    "Select Work Offset G59",         // 68
    "Clear Work Offsets",             // 69
    "Set Safe Z",                     // 70
    "Go To Safe Z",                   // 71
    "Go To Tool Change Position",     // 72
    "Probe Z Surface",                // 73
    "Probe X Edge",                   // 74
    "Probe Y Edge",                   // 75
    "Find Hole Centre",               // 76
    "Soft Limits Toggle",             // 77
    "Reference All Axes",             // 78
    "Override Limit Switches",        // 79
    "Reset Parts Counter",            // 80
    "Reset Cycle Timer",              // 81
    "MDI History Previous",           // 82
    "MDI History Next",               // 83
    "Execute MDI Line",               // 84
    "Clear MDI Line",                 // 85
    "Teach Mode Start",               // 86
    "Teach Mode Stop",                // 87
    "Verify Program",                 // 88
    "Simulate Program",               // 89
    "Print Screen",                   // 90
    "Show Help Page",                 // 91
    "Set Scale Factors",              // 92
    "Clear Scale Factors",            // 93
    "Set Rotation",                   // 94
    "Clear Rotation",                 // 95
    "Skip Dwell",                     // 96
    "Lathe Diameter Mode",            // 97
    "Lathe Radius Mode",              // 98
    "Lathe Front Tool Post",          // 99
    "Lathe Rear Tool Post",           // 100
    "Constant Surface Speed On",      // 101
    "Constant Surface Speed Off",     // 102
    "Threading Wizard",               // 103
    "Tool Nose Compensation Toggle",  // 104
    "Chuck Open",                     // 105
    "Chuck Close",                    // 106
    "Tailstock Advance",              // 107
    "Tailstock Retract",              // 108
    "Turret Index Next",              // 109
    "Turret Index Previous",          // 110
    "Feed Per Revolution Mode",       // 111
    "Feed Per Minute Mode",           // 112
    "Exit Program",                   // 113
    "Save Settings",                  // 114
    "Diagnostics Page",               // 115
    "Acknowledge Alarm",              // 116
    "Lubrication Pump Cycle",         // 117
    "Work Light Toggle",              // 118
    "Unlock Enclosure Door",          // 119
    "Spindle Warm-Up Cycle",          // 120
};

const QStringList kLedCatalog = {
    "Emergency Stop LED",             // 0
    "Machine Ready LED",              // 1
    "Program Running LED",            // 2
    "Feed Hold Active LED",           // 3
    "Single Block LED",               // 4
    "Block Delete LED",               // 5
    "Optional Stop LED",              // 6
    "Spindle Clockwise LED",          // 7
    "Spindle Counter-Clockwise LED",  // 8
    "Spindle At Speed LED",           // 9
    "Flood Coolant LED",              // 10
    "Mist Coolant LED",               // 11
    "X Home Switch LED",              // 12
    "Y Home Switch LED",              // 13
    "Z Home Switch LED",              // 14
    "A Home Switch LED",              // 15
    "X Axis Referenced LED",          // 16
    "Y Axis Referenced LED",          // 17
    "Z Axis Referenced LED",          // 18
    "A Axis Referenced LED",          // 19
    "X Plus Limit LED",               // 20
    "X Minus Limit LED",              // 21
    "Y Plus Limit LED",               // 22
    "Y Minus Limit LED",              // 23
    "Z Plus Limit LED",               // 24
    "Z Minus Limit LED",              // 25
    "Limit Override LED",             // 26
    "Soft Limits Enabled LED",        // 27
    "Jog Continuous LED",             // 28
    "Jog Step LED",                   // 29
    "Machine Coordinates LED",        // 30
    "Inch Mode LED",                  // 31
    "Metric Mode LED",                // 32
    "Dwell Active LED",               // 33
    "Tool Change Request LED",        // 34
    "Probe Contact LED",              // 35
    "Probing Active LED",             // 36
    "Work Offset G54 LED",            // 37
    "Work Offset G55 LED",            // 38
    "Work Offset G56 LED",            // 39
    "Work Offset G57 LED",            // 40
    "Work Offset G58 LED",            // 41
    "Work Offset G59 LED",            // 42
    "Tool Length Compensation LED",   // 43
    "Cutter Compensation LED",        // 44
    "Absolute Mode G90 LED",          // 45
    "Incremental Mode G91 LED",       // 46
    "Exact Stop G61 LED",             // 47
    "Constant Velocity G64 LED",      // 48
    "Plane XY G17 LED",               // 49
    "Plane XZ G18 LED",               // 50
    "Plane YZ G19 LED",               // 51
    "Input 1 Active LED",             // 52
    "Input 2 Active LED",             // 53
    "Input 3 Active LED",             // 54
    "Input 4 Active LED",             // 55
    "OEM LED Code",                   // 56
    "Output 1 Active LED",            // 57
    "Output 2 Active LED",            // 58
    "Output 3 Active LED",            // 59
    "Output 4 Active LED",            // 60
    "Charge Pump LED",                // 61
    "Lube Level Low LED",             // 62
    "Air Pressure Low LED",           // 63
    "Enclosure Door Open LED",        // 64
    "Spindle Fault LED",              // 65
    "Drive Fault LED",                // 66
    "Tool Path Loading LED",          // 67
    "File Loaded LED",                // 68
    "MDI Active LED",                 // 69
    "Teach Mode LED",                 // 70
    "Lathe Diameter Mode LED",        // 71
    "Lathe Radius Mode LED",          // 72
    "Constant Surface Speed LED",     // 73
    "Chuck Clamped LED",              // 74
    "Tailstock Forward LED",          // 75
    "Threading Active LED",           // 76
    "Feed Per Revolution LED",        // 77
    "Alarm Active LED",               // 78
    "Parts Count Reached LED",        // 79
};

void writeCatalog(const QString& name, const QStringList& lines)
{
    QByteArray b;
    for (const QString& l : lines) {
        b.append(l.toLatin1());
        b.append("\r\n");
    }
    writeBytes(outPath(name), b);
}

int indexIn(const QStringList& catalog, const char* name, const char* which)
{
    const int i = int(catalog.indexOf(QString::fromLatin1(name)));
    check(i >= 0, QStringLiteral("%1 catalog has no entry \"%2\"").arg(QLatin1String(which), QLatin1String(name)));
    return i;
}

int droFn(const char* name) { return indexIn(kDroCatalog, name, "DRO"); }
int buttonFn(const char* name) { return indexIn(kButtonCatalog, name, "button"); }
int ledFn(const char* name) { return indexIn(kLedCatalog, name, "LED"); }

void writeCatalogs()
{
    check(kDroCatalog.value(12) == "OEM DRO Code", "DRO OEM entry must be line 12");
    check(kButtonCatalog.value(32) == "OEM Button Code", "button OEM entry must be line 32");
    check(kButtonCatalog.value(33) == "Execute G-Code String", "G-code entry must be line 33");
    check(kButtonCatalog.value(34) == "Run VB Script", "script entry must be line 34");
    check(kLedCatalog.value(56) == "OEM LED Code", "LED OEM entry must be line 56");
    for (const QStringList* c : {&kDroCatalog, &kButtonCatalog, &kLedCatalog})
        check(QSet<QString>(c->begin(), c->end()).size() == c->size(), "catalog entries must be unique");
    writeCatalog(QStringLiteral("DROs.txt"), kDroCatalog);
    writeCatalog(QStringLiteral("Buttons.txt"), kButtonCatalog);
    writeCatalog(QStringLiteral("Leds.txt"), kLedCatalog);
}

// ---------------------------------------------------------------------------
// Two-state LED pictures

struct LampColours {
    QColor light, base, dark;
    bool lit = true;
};

const LampColours kLampRed{QColor(255, 190, 170), QColor(235, 35, 25), QColor(105, 0, 0), true};
const LampColours kLampGreen{QColor(205, 255, 190), QColor(40, 215, 45), QColor(0, 85, 10), true};
const LampColours kLampYellow{QColor(255, 255, 205), QColor(255, 210, 20), QColor(135, 90, 0), true};
const LampColours kLampBlue{QColor(200, 235, 255), QColor(30, 140, 255), QColor(0, 35, 120), true};
const LampColours kLampOff{QColor(150, 152, 155), QColor(82, 84, 88), QColor(30, 31, 33), false};
const QColor kLedPanel(62, 62, 62);

// One round lamp in a dark bezel, drawn on a square of side s.
void drawLamp(QPainter& p, const QRectF& box, const LampColours& c)
{
    const double s = box.width();
    const QPointF o = box.center();
    auto circle = [&](double r) { return QRectF(o.x() - r, o.y() - r, 2 * r, 2 * r); };
    p.setPen(Qt::NoPen);

    // Soft drop shadow under the bezel.
    QRadialGradient shadow(o + QPointF(0, s * 0.03), s * 0.5);
    shadow.setColorAt(0.80, QColor(0, 0, 0, 120));
    shadow.setColorAt(1.00, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(circle(s * 0.5));

    // Bezel: a metal ring lit from above, then a dark recessed inner ring.
    QLinearGradient ring(box.topLeft(), box.bottomLeft());
    ring.setColorAt(0.0, QColor(170, 172, 176));
    ring.setColorAt(0.5, QColor(70, 72, 76));
    ring.setColorAt(1.0, QColor(28, 28, 30));
    p.setBrush(ring);
    p.drawEllipse(circle(s * 0.46));
    QLinearGradient inner(box.topLeft(), box.bottomLeft());
    inner.setColorAt(0.0, QColor(12, 12, 13));
    inner.setColorAt(1.0, QColor(95, 96, 100));
    p.setBrush(inner);
    p.drawEllipse(circle(s * 0.40));

    // The lens: radial shading with its bright spot up and to the left.
    const double r = s * 0.355;
    QRadialGradient lens(o, r, o + QPointF(-r * 0.28, -r * 0.34));
    lens.setColorAt(0.00, c.light);
    lens.setColorAt(0.45, c.base);
    lens.setColorAt(0.92, c.dark);
    lens.setColorAt(1.00, c.dark.darker(140));
    p.setBrush(lens);
    p.drawEllipse(circle(r));

    // Light from the lens reflected in the lower rim.
    QRadialGradient rim(o + QPointF(0, r * 0.55), r * 0.7);
    QColor rimColour = c.lit ? c.light : QColor(170, 170, 170);
    rimColour.setAlpha(c.lit ? 120 : 45);
    rim.setColorAt(0.0, rimColour);
    rimColour.setAlpha(0);
    rim.setColorAt(1.0, rimColour);
    p.setBrush(rim);
    p.drawEllipse(circle(r));

    // Specular highlight: a soft white cap and a small hot spot.
    const QRectF cap(o.x() - r * 0.62, o.y() - r * 0.86, r * 1.24, r * 0.80);
    QLinearGradient capGrad(cap.topLeft(), cap.bottomLeft());
    capGrad.setColorAt(0.0, QColor(255, 255, 255, c.lit ? 215 : 150));
    capGrad.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(capGrad);
    p.drawEllipse(cap);
    QRadialGradient spot(o + QPointF(-r * 0.34, -r * 0.42), r * 0.22);
    spot.setColorAt(0.0, QColor(255, 255, 255, 235));
    spot.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(spot);
    p.drawEllipse(circle(r).translated(-r * 0.34, -r * 0.42).adjusted(r * 0.78, r * 0.78, -r * 0.78, -r * 0.78));
}

// A 64 x 32 two-state picture: the left half lit, the right half the other state.
QImage ledPicture(const LampColours& left, const LampColours& right)
{
    const int half = 32, scale = 8;
    QImage big(2 * half * scale, half * scale, QImage::Format_ARGB32_Premultiplied);
    big.fill(kLedPanel);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    drawLamp(p, QRectF(0, 0, half * scale, half * scale), left);
    drawLamp(p, QRectF(half * scale, 0, half * scale, half * scale), right);
    p.end();
    return downsample(big, 2 * half, half).convertToFormat(QImage::Format_RGB32);
}

void writeLedPictures()
{
    writeBmp24(ledPicture(kLampRed, kLampOff), outPath(QStringLiteral("LegacyRed.bmp")));
    writeBmp24(ledPicture(kLampGreen, kLampOff), outPath(QStringLiteral("LegacyGreen.bmp")));
    writeBmp24(ledPicture(kLampRed, kLampGreen), outPath(QStringLiteral("LegacyRedGreen.bmp")));
    writeBmp24(ledPicture(kLampYellow, kLampOff), outPath(QStringLiteral("LegacyYellow.bmp")));
    // A custom two-state picture for the examples (blue lamp for mist coolant).
    savePng(ledPicture(kLampBlue, kLampOff), QStringLiteral("Bitmaps/Mill/CoolantLed.png"));
}

// ---------------------------------------------------------------------------
// Offline placeholder

QImage offlinePicture()
{
    const int w = 200, h = 150, k = 3;
    QImage big = supersampled(w, h, k, QImage::Format_RGB32);
    QPainter p;
    beginScaled(p, big, k);
    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0, QColor(122, 125, 130));
    bg.setColorAt(1, QColor(72, 74, 78));
    p.fillRect(QRectF(0, 0, w, h), bg);
    // Faint scan lines, as on a video monitor without signal.
    p.setPen(QPen(QColor(0, 0, 0, 22), 1));
    for (int y = 1; y < h; y += 3)
        p.drawLine(QPointF(0, y + 0.5), QPointF(w, y + 0.5));
    p.setPen(QPen(QColor(40, 41, 44), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, w - 2, h - 2));
    p.setPen(QPen(QColor(160, 163, 168, 120), 1));
    p.drawRect(QRectF(3.5, 3.5, w - 7, h - 7));

    // Camera outline.
    const QColor ink(214, 216, 220);
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawRoundedRect(QRectF(62, 40, 76, 48), 8, 8);
    QPainterPath hump;
    hump.moveTo(84, 40);
    hump.lineTo(89, 31);
    hump.lineTo(111, 31);
    hump.lineTo(116, 40);
    p.drawPath(hump);
    p.drawEllipse(QPointF(100, 64), 15, 15);
    p.setPen(QPen(ink, 2));
    p.drawEllipse(QPointF(100, 64), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(127, 49), 3, 3);

    // Red strike-through with a dark outline.
    p.setPen(QPen(QColor(40, 10, 10), 10, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(58, 26), QPointF(142, 100));
    p.setPen(QPen(QColor(220, 40, 35), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(58, 26), QPointF(142, 100));

    // Caption.
    QFont f = uiFont(24, QFont::Bold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 140));
    p.drawText(QRectF(0, 107, w, 30).translated(1, 1), Qt::AlignCenter, QStringLiteral("OFFLINE"));
    p.setPen(QColor(236, 236, 238));
    p.drawText(QRectF(0, 107, w, 30), Qt::AlignCenter, QStringLiteral("OFFLINE"));
    p.end();
    QImage img = downsample(big, w, h);
    addNoise(img, 2.0, 11);
    return img;
}

// ---------------------------------------------------------------------------
// Image-button faces

enum class Icon { Play, Pause, Square, Reset };

QImage buttonFace(const QColor& base, Icon icon, const QString& caption, uint64_t seed)
{
    const int w = 120, h = 60, k = 4;
    QImage big = supersampled(w, h, k, QImage::Format_ARGB32_Premultiplied, QColor(34, 36, 40));
    QPainter p;
    beginScaled(p, big, k);

    // Mounting plate: a dark recess with a light lower lip.
    p.setPen(Qt::NoPen);
    QLinearGradient plate(0, 0, 0, h);
    plate.setColorAt(0, QColor(22, 23, 26));
    plate.setColorAt(1, QColor(58, 60, 66));
    p.setBrush(plate);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 10, 10);

    // Button rim and body.
    const QRectF rim(3, 3, w - 6, h - 6);
    p.setBrush(base.darker(330));
    p.drawRoundedRect(rim, 8, 8);
    const QRectF body = rim.adjusted(1.2, 1.2, -1.2, -1.2);
    QLinearGradient face(body.topLeft(), body.bottomLeft());
    face.setColorAt(0.00, base.lighter(150));
    face.setColorAt(0.48, base);
    face.setColorAt(1.00, base.darker(165));
    p.setBrush(face);
    p.drawRoundedRect(body, 7, 7);

    // Gloss on the upper half.
    const QRectF gloss(body.left() + 3, body.top() + 1.5, body.width() - 6, body.height() * 0.46);
    QLinearGradient glossGrad(gloss.topLeft(), gloss.bottomLeft());
    glossGrad.setColorAt(0, QColor(255, 255, 255, 120));
    glossGrad.setColorAt(1, QColor(255, 255, 255, 14));
    p.setBrush(glossGrad);
    p.drawRoundedRect(gloss, 6, 5);

    // Bevel: light top edge, dark bottom edge.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
    p.drawRoundedRect(body.adjusted(0.8, 0.8, -0.8, -0.8), 6.3, 6.3);
    QPainterPath lower;
    lower.moveTo(body.left() + 6, body.bottom() - 0.8);
    lower.lineTo(body.right() - 6, body.bottom() - 0.8);
    p.setPen(QPen(QColor(0, 0, 0, 110), 1.6));
    p.drawPath(lower);

    // Icon (upper part) and caption (lower part), white with a dark shadow.
    const double cx = w / 2.0, cy = 19.5;
    auto drawIcon = [&](const QColor& ink, const QPointF& off) {
        p.save();
        p.translate(off);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        switch (icon) {
        case Icon::Play: {
            QPainterPath t;
            t.moveTo(cx - 8, cy - 10);
            t.lineTo(cx + 11, cy);
            t.lineTo(cx - 8, cy + 10);
            t.closeSubpath();
            p.drawPath(t);
            break;
        }
        case Icon::Pause:
            p.drawRoundedRect(QRectF(cx - 9, cy - 10, 6.5, 20), 1.2, 1.2);
            p.drawRoundedRect(QRectF(cx + 2.5, cy - 10, 6.5, 20), 1.2, 1.2);
            break;
        case Icon::Square:
            p.drawRoundedRect(QRectF(cx - 9.5, cy - 9.5, 19, 19), 2, 2);
            break;
        case Icon::Reset: {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(ink, 3.4, Qt::SolidLine, Qt::FlatCap));
            const QRectF arc(cx - 9, cy - 9, 18, 18);
            p.drawArc(arc, 100 * 16, 280 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            // Arrow head at the start of the arc (100 degrees), pointing clockwise.
            const double a = 100 * M_PI / 180;
            const QPointF tip(cx + 9 * std::cos(a), cy - 9 * std::sin(a));
            QPainterPath head;
            head.moveTo(tip + QPointF(7.0, 0.6));
            head.lineTo(tip + QPointF(-1.2, -5.6));
            head.lineTo(tip + QPointF(-1.2, 6.4));
            head.closeSubpath();
            p.drawPath(head);
            break;
        }
        }
        p.restore();
    };
    drawIcon(QColor(0, 0, 0, 110), QPointF(0.8, 1.2));
    drawIcon(QColor(255, 255, 255), QPointF(0, 0));

    const QFont f = fitFont(caption, 14, w - 20, QFont::Bold);
    p.setFont(f);
    const QRectF textBox(4, 34, w - 8, 18);
    p.setPen(QColor(0, 0, 0, 140));
    p.drawText(textBox.translated(0.8, 1.0), Qt::AlignCenter, caption);
    p.setPen(QColor(255, 255, 255));
    p.drawText(textBox, Qt::AlignCenter, caption);
    p.end();

    QImage img = downsample(big, w, h).convertToFormat(QImage::Format_RGB32);
    addNoise(img, 1.2, seed);
    return img;
}

void writeButtonFaces()
{
    savePng(buttonFace(QColor(30, 150, 55), Icon::Play, QStringLiteral("CYCLE START"), 21),
            QStringLiteral("Bitmaps/Mill/CycleStart.png"));
    savePng(buttonFace(QColor(225, 145, 20), Icon::Pause, QStringLiteral("FEED HOLD"), 22),
            QStringLiteral("Bitmaps/Mill/FeedHold.png"));
    savePng(buttonFace(QColor(200, 30, 30), Icon::Square, QStringLiteral("STOP"), 23),
            QStringLiteral("Bitmaps/Mill/Stop.png"));
    savePng(buttonFace(QColor(70, 100, 140), Icon::Reset, QStringLiteral("RESET"), 24),
            QStringLiteral("Bitmaps/Mill/Reset.png"));
}

// ---------------------------------------------------------------------------
// Skinned-DRO faces: brushed-metal plates with an axis badge

QImage brushedMetal(int w, int h, double top, double bottom, uint64_t seed)
{
    Rng rng(seed);
    QImage img(w, h, QImage::Format_RGB32);
    std::vector<double> row(static_cast<size_t>(w)), tmp(static_cast<size_t>(w));
    const int radius = 14;
    for (int y = 0; y < h; ++y) {
        for (double& v : row)
            v = rng.gauss();
        for (int pass = 0; pass < 2; ++pass) {
            for (int x = 0; x < w; ++x) {
                double sum = 0;
                for (int d = -radius; d <= radius; ++d)
                    sum += row[size_t(std::clamp(x + d, 0, w - 1))];
                tmp[size_t(x)] = sum / (2 * radius + 1);
            }
            row.swap(tmp);
        }
        const double rowShift = rng.gauss() * 2.2;
        const double level = top + (bottom - top) * y / std::max(1, h - 1);
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            // A broad diagonal sheen across the plate.
            const double d = (x - 0.35 * w) - 1.4 * (y - 0.5 * h);
            const double sheen = 18.0 * std::exp(-d * d / (2.0 * 38.0 * 38.0));
            const double v = level + rowShift + row[size_t(x)] * 34.0 + sheen + rng.gauss() * 1.6;
            line[x] = qRgb(clamp255(v - 3), clamp255(v - 1), clamp255(v + 3));
        }
    }
    return img;
}

QImage droFace(const QString& letter, const QString& caption, const QColor& badge, uint64_t seed)
{
    const int w = 200, h = 60;
    QImage img = brushedMetal(w, h, 196, 150, seed);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Plate bevel.
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.drawLine(QPointF(0.5, 0.5), QPointF(w - 0.5, 0.5));
    p.drawLine(QPointF(0.5, 0.5), QPointF(0.5, h - 0.5));
    p.setPen(QPen(QColor(40, 40, 44, 200), 1));
    p.drawLine(QPointF(0.5, h - 0.5), QPointF(w - 0.5, h - 0.5));
    p.drawLine(QPointF(w - 0.5, 0.5), QPointF(w - 0.5, h - 0.5));
    p.setPen(QPen(QColor(90, 90, 96, 140), 1));
    p.drawLine(QPointF(1.5, h - 1.5), QPointF(w - 1.5, h - 1.5));
    p.drawLine(QPointF(w - 1.5, 1.5), QPointF(w - 1.5, h - 1.5));

    // Screws on the right-hand corners.
    for (const QPointF c : {QPointF(w - 9, 9), QPointF(w - 9, h - 9)}) {
        QRadialGradient g(c - QPointF(1, 1), 4.5);
        g.setColorAt(0, QColor(235, 235, 238));
        g.setColorAt(1, QColor(110, 110, 116));
        p.setPen(QPen(QColor(70, 70, 76), 0.8));
        p.setBrush(g);
        p.drawEllipse(c, 3.8, 3.8);
        p.setPen(QPen(QColor(60, 60, 66), 1.2));
        p.drawLine(c + QPointF(-2.6, 1.2), c + QPointF(2.6, -1.2));
    }

    // Axis badge: a dark enamel square with the letter.
    const QRectF b(8, 8, 44, 44);
    p.setPen(QPen(QColor(255, 255, 255, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(b.adjusted(-1, -1, 1, 1).translated(0, 0.6), 7, 7);
    QLinearGradient bg(b.topLeft(), b.bottomLeft());
    bg.setColorAt(0, badge.lighter(135));
    bg.setColorAt(1, badge.darker(160));
    p.setPen(QPen(QColor(20, 20, 24), 1));
    p.setBrush(bg);
    p.drawRoundedRect(b, 6, 6);
    p.setFont(uiFont(34, QFont::Bold));
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(b.translated(1, 1.5), Qt::AlignCenter, letter);
    p.setPen(QColor(250, 250, 250));
    p.drawText(b, Qt::AlignCenter, letter);

    // Engraved caption: dark letters with a light lower edge.
    QFont f = fitFont(caption, 20, w - 62 - 22, QFont::Bold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(f);
    const QRectF t(60, 0, w - 60 - 18, h);
    p.setPen(QColor(255, 255, 255, 170));
    p.drawText(t.translated(0, 1), Qt::AlignCenter, caption);
    p.setPen(QColor(52, 54, 60));
    p.drawText(t, Qt::AlignCenter, caption);
    p.end();
    return img;
}

void writeDroFaces()
{
    savePng(droFace("X", "X AXIS", QColor(170, 40, 40), 31), QStringLiteral("Bitmaps/Mill/DroFaceX.png"));
    savePng(droFace("Y", "Y AXIS", QColor(40, 130, 50), 32), QStringLiteral("Bitmaps/Mill/DroFaceY.png"));
    savePng(droFace("Z", "Z AXIS", QColor(40, 80, 170), 33), QStringLiteral("Bitmaps/Mill/DroFaceZ.png"));
    savePng(droFace("S", "SPINDLE", QColor(60, 62, 70), 34), QStringLiteral("Bitmaps/Mill/DroFaceS.png"));
}

// ---------------------------------------------------------------------------
// Logos (PNG with alpha)

QImage logo(const QString& product, const QColor& textColour, const QColor& accent)
{
    const int w = 220, h = 56, k = 4;
    QImage big(w * k, h * k, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(k, k);

    // Emblem: the end of a three-flute cutter in a ring.
    const QPointF c(28, 28);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(c + QPointF(0.8, 1.5), 25, 25);
    QRadialGradient disc(c, 25, c + QPointF(-8, -9));
    disc.setColorAt(0, QColor(60, 200, 215));
    disc.setColorAt(1, QColor(0, 88, 110));
    p.setBrush(disc);
    p.drawEllipse(c, 25, 25);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.6));
    p.drawEllipse(c, 21.5, 21.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 120.0 - 90.0);
        QPainterPath flute;
        flute.moveTo(0, 0);
        flute.cubicTo(6, -2, 14, -1, 18.5, 5);
        flute.cubicTo(12, 3, 6, 5, 2.5, 8);
        flute.closeSubpath();
        p.drawPath(flute);
        p.restore();
    }
    p.setBrush(accent);
    p.drawEllipse(c, 3.4, 3.4);

    // Word mark: "Tavlora" and the product name in the accent colour.
    const QFont bold = uiFont(30, QFont::Bold);
    const QFont light = uiFont(30, QFont::Normal);
    const double x0 = 60;
    const double wBold = QFontMetricsF(bold).horizontalAdvance(QStringLiteral("Tavlora "));
    const double wLight = QFontMetricsF(light).horizontalAdvance(product);
    const double fit = std::min(1.0, (w - x0 - 2) / (wBold + wLight));
    p.save();
    p.translate(x0, 33);
    p.scale(fit, fit);
    p.setFont(bold);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QPointF(1.0, 1.6), QStringLiteral("Tavlora"));
    p.setPen(textColour);
    p.drawText(QPointF(0, 0), QStringLiteral("Tavlora"));
    p.setFont(light);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QPointF(wBold + 1.0, 1.6), product);
    p.setPen(accent);
    p.drawText(QPointF(wBold, 0), product);
    p.restore();

    // Rule and tag line.
    QLinearGradient rule(x0, 0, w, 0);
    rule.setColorAt(0, accent);
    QColor fade = accent;
    fade.setAlpha(0);
    rule.setColorAt(1, fade);
    p.fillRect(QRectF(x0, 38, w - x0, 1.6), rule);
    QFont tag = uiFont(9, QFont::Bold);
    tag.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    p.setFont(tag);
    QColor tagColour = textColour;
    tagColour.setAlpha(200);
    p.setPen(tagColour);
    p.drawText(QPointF(x0, 51), QStringLiteral("CNC OPERATOR SCREENS"));
    p.end();
    return downsample(big, w, h);
}

void writeLogos()
{
    savePng(logo(QStringLiteral("Mill"), QColor(240, 242, 245), QColor(255, 150, 30)),
            QStringLiteral("Bitmaps/Mill/Logo.png"));
    savePng(logo(QStringLiteral("Turn"), QColor(36, 44, 56), QColor(230, 110, 0)),
            QStringLiteral("Bitmaps/Turn/Logo.png"));
}

// ---------------------------------------------------------------------------
// Keyed pictures: 24-bit BMP and 8-bit palette BMP on the key colour

const QRgb kKey = qRgb(254, 254, 254);

QImage spindleIcon()
{
    const int s = 72, k = 4;
    QImage big = supersampled(s, s, k, QImage::Format_ARGB32_Premultiplied, Qt::transparent);
    QPainter p;
    beginScaled(p, big, k);
    auto cylinder = [](double x0, double x1, const QColor& c) {
        QLinearGradient g(x0, 0, x1, 0);
        g.setColorAt(0.00, c.darker(210));
        g.setColorAt(0.32, c.lighter(150));
        g.setColorAt(0.55, c);
        g.setColorAt(1.00, c.darker(260));
        return g;
    };
    const QPen outline(QColor(28, 30, 34), 1.2);
    // Motor with cooling fins.
    p.setPen(outline);
    p.setBrush(cylinder(16, 56, QColor(60, 95, 150)));
    p.drawRoundedRect(QRectF(16, 3, 40, 30), 4, 4);
    p.setPen(QPen(QColor(20, 30, 50, 170), 1.4));
    for (double y = 8; y < 31; y += 4)
        p.drawLine(QPointF(18, y), QPointF(54, y));
    // Flange.
    p.setPen(outline);
    p.setBrush(cylinder(12, 60, QColor(150, 152, 158)));
    p.drawRoundedRect(QRectF(12, 33, 48, 6), 2, 2);
    // Spindle nose and collet nut.
    p.setBrush(cylinder(25, 47, QColor(185, 188, 194)));
    p.drawRect(QRectF(25, 39, 22, 8));
    p.setBrush(cylinder(23, 49, QColor(120, 122, 128)));
    QPainterPath nut;
    nut.moveTo(23, 47);
    nut.lineTo(49, 47);
    nut.lineTo(46, 55);
    nut.lineTo(26, 55);
    nut.closeSubpath();
    p.drawPath(nut);
    // End mill with helical flutes.
    p.setBrush(cylinder(32, 40, QColor(205, 208, 214)));
    p.drawRect(QRectF(32, 55, 8, 14));
    p.setPen(QPen(QColor(60, 62, 68), 1.1));
    for (double y = 55; y < 69; y += 3.5)
        p.drawLine(QPointF(32.5, y + 2.5), QPointF(39.5, y));
    p.setPen(outline);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(32, 55, 8, 14));
    p.end();
    return downsample(big, s, s);
}

QImage axesIcon()
{
    const int s = 72, k = 4;
    QImage big = supersampled(s, s, k, QImage::Format_ARGB32_Premultiplied, Qt::transparent);
    QPainter p;
    beginScaled(p, big, k);
    const QPointF o(20, 50);
    auto arrow = [&](const QPointF& tip, const QColor& c) {
        const QPointF d = tip - o;
        const double len = std::hypot(d.x(), d.y());
        const QPointF u = d / len, n(-u.y(), u.x());
        const QPointF base = tip - u * 10;
        p.setPen(QPen(c.darker(170), 6, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(o, base);
        p.setPen(QPen(c, 4, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(o, base);
        QPainterPath head;
        head.moveTo(tip);
        head.lineTo(base + n * 5.5);
        head.lineTo(base - n * 5.5);
        head.closeSubpath();
        p.setPen(QPen(c.darker(170), 1.2));
        p.setBrush(c);
        p.drawPath(head);
    };
    arrow(QPointF(47, 29), QColor(40, 170, 60));   // Y, into the picture
    arrow(QPointF(68, 50), QColor(220, 40, 35));   // X
    arrow(QPointF(20, 4), QColor(40, 90, 220));    // Z
    QRadialGradient ball(o, 6, o + QPointF(-2, -2));
    ball.setColorAt(0, QColor(230, 230, 232));
    ball.setColorAt(1, QColor(60, 60, 64));
    p.setPen(Qt::NoPen);
    p.setBrush(ball);
    p.drawEllipse(o, 5.5, 5.5);
    p.setFont(uiFont(13, QFont::Bold));
    p.setPen(QColor(200, 30, 30));
    p.drawText(QRectF(56, 55, 14, 15), Qt::AlignCenter, QStringLiteral("X"));
    p.setPen(QColor(30, 140, 50));
    p.drawText(QRectF(52, 14, 14, 15), Qt::AlignCenter, QStringLiteral("Y"));
    p.setPen(QColor(30, 70, 200));
    p.drawText(QRectF(27, 1, 14, 15), Qt::AlignCenter, QStringLiteral("Z"));
    p.end();
    return downsample(big, s, s);
}

void writeKeyedPictures()
{
    // 24-bit BMP: everything not drawn is RGB (254,254,254).
    const QImage spindle = hardenAlpha(spindleIcon(), kKey);
    const QString spindlePath = outPath(QStringLiteral("Bitmaps/Mill/Spindle.bmp"));
    writeBmp24(spindle, spindlePath);
    {
        QFile f(spindlePath);
        check(f.open(QIODevice::ReadOnly), "cannot reread Spindle.bmp");
        const QByteArray b = f.readAll();
        check(b.size() > 54 && b[28] == 24, "Spindle.bmp must be a 24-bit BMP");
        const QImage back(spindlePath);
        check(back.size() == spindle.size() && back.pixel(0, 0) == kKey, "Spindle.bmp does not read back");
    }

    // 8-bit BMP: palette index 254 is the key colour and fills the background.
    const Indexed axes = quantize(axesIcon(), 200, 254, kKey);
    const QString axesPath = outPath(QStringLiteral("Bitmaps/Mill/Axes.bmp"));
    writeBmp8(axes, axesPath);
    {
        QFile f(axesPath);
        check(f.open(QIODevice::ReadOnly), "cannot reread Axes.bmp");
        const QByteArray b = f.readAll();
        const auto u8 = [&](int i) { return uint8_t(b[i]); };
        check(b.size() > 54 + 1024 && u8(28) == 8, "Axes.bmp must be an 8-bit BMP");
        const int pal = 54 + 254 * 4;
        check(u8(pal) == 254 && u8(pal + 1) == 254 && u8(pal + 2) == 254, "Axes.bmp palette entry 254 must be the key");
        const uint32_t bits = u8(10) | u8(11) << 8 | u8(12) << 16 | uint32_t(u8(13)) << 24;
        check(u8(int(bits)) == 254, "Axes.bmp background must use palette index 254");
        const QImage back(axesPath);
        check(!back.isNull() && back.size() == QSize(axes.w, axes.h), "Axes.bmp does not read back");
        if (back.format() == QImage::Format_Indexed8)
            check(back.pixelIndex(0, 0) == 254 && back.color(254) == kKey, "Axes.bmp reads back with another palette");
        else
            check(back.pixel(0, 0) == kKey, "Axes.bmp reads back with another background");
    }
}

// ---------------------------------------------------------------------------
// GIF: a coolant drop with a transparent background

QImage coolantIcon()
{
    const int s = 64, k = 4;
    QImage big = supersampled(s, s, k, QImage::Format_ARGB32_Premultiplied, Qt::transparent);
    QPainter p;
    beginScaled(p, big, k);
    auto drop = [](const QPointF& top, double r) {
        QPainterPath d;
        const QPointF c = top + QPointF(0, 2.1 * r);
        d.moveTo(top);
        d.cubicTo(top + QPointF(r * 0.25, r * 0.7), c + QPointF(r, -r * 0.9), c + QPointF(r, 0));
        d.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 0, -180);
        d.cubicTo(c + QPointF(-r, -r * 0.9), top + QPointF(-r * 0.25, r * 0.7), top);
        d.closeSubpath();
        return d;
    };
    const QPainterPath big1 = drop(QPointF(30, 4), 17);
    QRadialGradient g(QPointF(30, 40), 20, QPointF(23, 30));
    g.setColorAt(0, QColor(150, 215, 255));
    g.setColorAt(0.55, QColor(30, 130, 230));
    g.setColorAt(1, QColor(10, 60, 150));
    p.setPen(QPen(QColor(8, 40, 100), 1.4));
    p.setBrush(g);
    p.drawPath(big1);
    // Highlight.
    p.setPen(QPen(QColor(255, 255, 255, 230), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(18, 28, 22, 22), 110 * 16, 60 * 16);
    // Two small droplets.
    for (const auto& [top, r] : {std::pair{QPointF(53, 30), 5.0}, std::pair{QPointF(50, 46), 3.6}}) {
        QRadialGradient sg(top + QPointF(0, 2.1 * r), r * 1.3, top + QPointF(-r * 0.4, r * 1.6));
        sg.setColorAt(0, QColor(150, 215, 255));
        sg.setColorAt(1, QColor(20, 100, 200));
        p.setPen(QPen(QColor(8, 40, 100), 1.0));
        p.setBrush(sg);
        p.drawPath(drop(top, r));
    }
    p.end();
    return downsample(big, s, s);
}

void writeGifPicture()
{
    const int transparent = 255;
    const Indexed ix = quantize(coolantIcon(), 250, transparent, qRgb(255, 255, 255));
    const QString path = outPath(QStringLiteral("Bitmaps/Mill/Coolant.gif"));
    writeGif(ix, transparent, path);
    QImageReader reader(path);
    check(reader.format() == "gif", "Coolant.gif is not recognised as GIF");
    const QImage back = reader.read().convertToFormat(QImage::Format_ARGB32);
    check(!back.isNull() && back.width() == ix.w && back.height() == ix.h,
          QStringLiteral("Coolant.gif does not read back: %1").arg(reader.errorString()));
    for (int y = 0; y < ix.h; ++y) {
        for (int x = 0; x < ix.w; ++x) {
            const int i = ix.pixels[size_t(y * ix.w + x)];
            const QRgb got = back.pixel(x, y);
            if (i == transparent)
                check(qAlpha(got) == 0, QStringLiteral("Coolant.gif pixel %1,%2 should be transparent").arg(x).arg(y));
            else
                check(got == (ix.palette[size_t(i)] | 0xFF000000u),
                      QStringLiteral("Coolant.gif pixel %1,%2 differs after reading back").arg(x).arg(y));
        }
    }
}

// ---------------------------------------------------------------------------
// Photo-like JPEGs

// A box seen slightly from above: front face plus a lighter top face.
void box(QPainter& p, const QRectF& front, double depth, const QColor& c)
{
    const QPointF off(depth * 0.55, -depth * 0.45);
    QPainterPath top;
    top.moveTo(front.topLeft());
    top.lineTo(front.topLeft() + off);
    top.lineTo(front.topRight() + off);
    top.lineTo(front.topRight());
    top.closeSubpath();
    QLinearGradient tg(front.topLeft() + off, front.topLeft());
    tg.setColorAt(0, c.lighter(150));
    tg.setColorAt(1, c.lighter(125));
    p.setBrush(tg);
    p.drawPath(top);
    QPainterPath side;
    side.moveTo(front.topRight());
    side.lineTo(front.topRight() + off);
    side.lineTo(front.bottomRight() + off);
    side.lineTo(front.bottomRight());
    side.closeSubpath();
    p.setBrush(c.darker(150));
    p.drawPath(side);
    QLinearGradient fg(front.topLeft(), front.bottomLeft());
    fg.setColorAt(0, c);
    fg.setColorAt(1, c.darker(135));
    p.setBrush(fg);
    p.drawRect(front);
}

QImage vicePhoto()
{
    const int w = 152, h = 114, k = 3;
    QImage big = supersampled(w, h, k, QImage::Format_RGB32);
    QPainter p;
    beginScaled(p, big, k);
    // Workshop background, dim and out of focus.
    QLinearGradient bg(0, 0, 0, 70);
    bg.setColorAt(0, QColor(48, 54, 60));
    bg.setColorAt(1, QColor(86, 92, 98));
    p.fillRect(QRectF(0, 0, w, 70), bg);
    // Machine table with T-slots.
    QLinearGradient table(0, 64, 0, h);
    table.setColorAt(0, QColor(112, 116, 120));
    table.setColorAt(1, QColor(70, 73, 76));
    p.fillRect(QRectF(0, 64, w, h - 64), table);
    for (double y : {74.0, 90.0, 108.0}) {
        p.fillRect(QRectF(0, y, w, 3 + (y - 70) * 0.05), QColor(34, 36, 38));
        p.fillRect(QRectF(0, y - 1, w, 1), QColor(150, 154, 158));
    }
    // Shadow of the vice.
    QRadialGradient sh(QPointF(76, 96), 70);
    sh.setColorAt(0, QColor(0, 0, 0, 140));
    sh.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sh);
    p.drawEllipse(QPointF(78, 97), 70, 12);

    p.setPen(QPen(QColor(20, 24, 30, 160), 0.6));
    const QColor paint(48, 96, 140);
    const QColor steel(178, 182, 188);
    box(p, QRectF(10, 70, 118, 24), 14, paint);        // base
    box(p, QRectF(14, 36, 30, 36), 12, paint);         // fixed jaw body
    box(p, QRectF(43, 40, 4, 30), 12, steel);          // fixed jaw plate
    box(p, QRectF(48, 48, 40, 22), 12, QColor(196, 200, 204)); // aluminium part
    box(p, QRectF(88, 40, 4, 30), 12, steel);          // moving jaw plate
    box(p, QRectF(92, 40, 28, 32), 12, paint);         // moving jaw body
    // Lead screw and handle.
    QLinearGradient screw(0, 52, 0, 58);
    screw.setColorAt(0, QColor(220, 222, 226));
    screw.setColorAt(1, QColor(90, 92, 96));
    p.setBrush(screw);
    p.drawRect(QRectF(126, 52, 14, 6));
    QLinearGradient bar(138, 0, 144, 0);
    bar.setColorAt(0, QColor(90, 92, 96));
    bar.setColorAt(0.4, QColor(230, 232, 236));
    bar.setColorAt(1, QColor(80, 82, 86));
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(138, 24, 6, 62), 3, 3);
    p.setBrush(QColor(30, 30, 32));
    p.drawEllipse(QPointF(141, 22), 5, 5);
    // Machined finish on the part's top face and a chamfer highlight.
    p.setPen(QPen(QColor(255, 255, 255, 60), 0.5));
    for (double x = 50; x < 92; x += 2.2)
        p.drawLine(QPointF(x, 47.5), QPointF(x + 6.6, 42.4));
    p.setPen(QPen(QColor(255, 255, 255, 170), 0.8));
    p.drawLine(QPointF(48, 48), QPointF(88, 48));
    // Bolt heads on the jaws.
    p.setPen(Qt::NoPen);
    for (const QPointF c : {QPointF(24, 48), QPointF(34, 48), QPointF(102, 50), QPointF(112, 50)}) {
        p.setBrush(QColor(20, 22, 26));
        p.drawEllipse(c, 2.6, 2.6);
        p.setBrush(QColor(120, 124, 130));
        p.drawEllipse(c - QPointF(0.5, 0.5), 1.2, 1.2);
    }
    // Vignette.
    QRadialGradient vig(QPointF(w / 2.0, h / 2.0), w * 0.75);
    vig.setColorAt(0.6, QColor(0, 0, 0, 0));
    vig.setColorAt(1.0, QColor(0, 0, 0, 120));
    p.fillRect(QRectF(0, 0, w, h), vig);
    p.end();
    QImage img = downsample(big, w, h);
    addNoise(img, 3.0, 41);
    return img;
}

QImage chuckPhoto()
{
    const int s = 140, k = 3;
    QImage big = supersampled(s, s, k, QImage::Format_RGB32);
    QPainter p;
    beginScaled(p, big, k);
    const QPointF c(70, 70);
    QRadialGradient bg(c, 100);
    bg.setColorAt(0, QColor(78, 86, 82));
    bg.setColorAt(1, QColor(28, 32, 30));
    p.fillRect(QRectF(0, 0, s, s), bg);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawEllipse(c + QPointF(3, 5), 62, 62);
    // Chuck body.
    QRadialGradient body(c, 62, c + QPointF(-22, -26));
    body.setColorAt(0, QColor(228, 230, 234));
    body.setColorAt(0.6, QColor(150, 154, 160));
    body.setColorAt(1, QColor(70, 72, 78));
    p.setBrush(body);
    p.setPen(QPen(QColor(30, 32, 36), 1.2));
    p.drawEllipse(c, 60, 60);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 94, 100), 1.0));
    p.drawEllipse(c, 54, 54);
    // Three jaws in their slots.
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(c);
        p.rotate(-90 + i * 120);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(36, 38, 42));
        p.drawRect(QRectF(14, -9, 44, 18));
        QLinearGradient jaw(0, -7, 0, 7);
        jaw.setColorAt(0, QColor(200, 202, 206));
        jaw.setColorAt(0.5, QColor(120, 122, 128));
        jaw.setColorAt(1, QColor(70, 72, 78));
        p.setBrush(jaw);
        p.setPen(QPen(QColor(24, 26, 30), 0.8));
        p.drawRect(QRectF(16, -7, 14, 14));  // gripping step
        p.drawRect(QRectF(30, -8, 24, 16));  // jaw body
        p.setPen(QPen(QColor(40, 42, 46), 0.7));
        for (double x = 34; x < 54; x += 2.5)
            p.drawLine(QPointF(x, -7.5), QPointF(x, 7.5));
        p.setBrush(QColor(20, 20, 22));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(42, 0), 2.2, 2.2);
        p.restore();
        // Key hole between the jaws.
        p.save();
        p.translate(c);
        p.rotate(-30 + i * 120);
        p.setBrush(QColor(18, 18, 20));
        p.drawRect(QRectF(44, -2.5, 5, 5));
        p.restore();
    }
    // Bore with a bar of stock.
    p.setBrush(QColor(16, 16, 18));
    p.drawEllipse(c, 14, 14);
    QRadialGradient bar(c, 11, c + QPointF(-4, -4));
    bar.setColorAt(0, QColor(245, 245, 247));
    bar.setColorAt(1, QColor(140, 144, 150));
    p.setBrush(bar);
    p.drawEllipse(c, 11, 11);
    p.setPen(QPen(QColor(255, 255, 255, 70), 0.5));
    p.setBrush(Qt::NoBrush);
    for (double r = 2; r < 11; r += 1.6)
        p.drawEllipse(c, r, r);
    p.end();
    QImage img = downsample(big, s, s);
    addNoise(img, 3.0, 42);
    return img;
}

void writePhotos()
{
    saveJpeg(offlinePicture(), QStringLiteral("Bitmaps/MillBitmaps/offline.jpg"));
    saveJpeg(vicePhoto(), QStringLiteral("Bitmaps/Mill/Vice.jpg"));
    saveJpeg(chuckPhoto(), QStringLiteral("Bitmaps/Turn/Chuck.jpg"));
}

// ---------------------------------------------------------------------------
// Example screen sets

constexpr uint32_t colourRef(int r, int g, int b)
{
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
}

enum Type { DroT = 1, ObsoleteT = 2, ImageT = 3, ButtonT = 4, OldImageT = 5, LedT = 6, LabelT = 7,
            ImageButtonT = 8, MdiT = 9, GCodeListT = 10, ToolPathT = 11 };

// Windows virtual-key hot-key codes with modifier bits.
constexpr int kAlt = 0x800;
constexpr int kCtrl = 0x8000;
constexpr int vkF(int n) { return 0x6F + n; }

struct Control {
    int l = 0, t = 0, r = 0, b = 0;
    int function = -1, type = 0, screen = 0;
    QString text = "None", gcode = "None", image = "None";
    int reservedA = 0, reservedB = 1;
    QString label = "Label";
    int ledColour = 0, ledFlashing = 0, ledRedGreen = 0, parameter = 0, hotKey = 0;
    QString format = "%+.4f";
    int tabGroup = 0;
    bool locked = false;
};

struct Rect {
    int l, t, r, b;
};

class SetBuilder {
public:
    SetBuilder(QString name, int width, int height) : name_(std::move(name)), width_(width), height_(height) {}

    void colours(std::array<uint32_t, 10> c) { colours_ = c; hasColours_ = true; }

    Control& add(int screen, Type type, Rect r)
    {
        Control c;
        c.l = r.l;
        c.t = r.t;
        c.r = r.r;
        c.b = r.b;
        c.type = type;
        c.screen = screen;
        controls_.push_back(c);
        return controls_.back();
    }

    Control& label(int screen, Rect r, const QString& text)
    {
        Control& c = add(screen, LabelT, r);
        c.text = c.label = text;
        return c;
    }

    Control& dro(int screen, Rect r, int function, const QString& format = "%+.4f")
    {
        Control& c = add(screen, DroT, r);
        c.function = function;
        c.format = format;
        return c;
    }

    Control& skinnedDro(int screen, Rect r, int function, const QString& image, const QString& format)
    {
        Control& c = dro(screen, r, function, format);
        c.label = "Skinned";
        c.image = image;
        return c;
    }

    Control& button(int screen, Rect r, const QString& caption, int function, int hotKey = 0)
    {
        Control& c = add(screen, ButtonT, r);
        c.text = c.label = caption;
        c.function = function;
        c.hotKey = hotKey;
        return c;
    }

    Control& gcodeButton(int screen, Rect r, const QString& caption, const QString& gcode)
    {
        Control& c = button(screen, r, caption, 33);
        c.gcode = gcode;
        return c;
    }

    Control& pageButton(Rect r, const QString& caption, int page, int hotKey)
    {
        Control& c = button(0, r, caption, 32, hotKey);
        c.parameter = page;
        return c;
    }

    Control& imageButton(int screen, Rect r, const QString& image, int function, int hotKey = 0)
    {
        Control& c = add(screen, ImageButtonT, r);
        c.image = image;
        c.function = function;
        c.hotKey = hotKey;
        return c;
    }

    // choice: the LED choice of the property dialog, 0..7 (green, red, yellow,
    // red/green, then the flashing variants in the same order).
    Control& led(int screen, Rect r, int function, int choice, const QString& image = "None")
    {
        Control& c = add(screen, LedT, r);
        c.function = function;
        c.image = image;
        c.ledRedGreen = (choice == 3 || choice == 7) ? 1 : 0;
        c.ledFlashing = choice > 3 ? 1 : 0;
        if (choice < 3)
            c.ledColour = choice;
        else if (choice > 3)
            c.ledColour = choice - 4;
        return c;
    }

    Control& picture(int screen, Rect r, const QString& image)
    {
        Control& c = add(screen, ImageT, r);
        c.image = image;
        return c;
    }

    // Sanity checks: inside the screen, pictures present, no accidental overlaps
    // between controls that are visible together.
    void verify(const QString& vorn3) const
    {
        for (size_t i = 0; i < controls_.size(); ++i) {
            const Control& c = controls_[i];
            const QString where = QStringLiteral("%1: control %2").arg(name_).arg(i + 1);
            check(c.l >= 0 && c.t >= 0 && c.r <= width_ && c.b <= height_ && c.l < c.r && c.t < c.b,
                  where + QStringLiteral(" lies outside %1 x %2").arg(width_).arg(height_));
            if (c.image != "None" && c.type != OldImageT) {
                QString rel = c.image;
                rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
                check(QFileInfo::exists(vorn3 + "/Bitmaps/" + rel), where + " names a missing picture " + c.image);
            }
            for (size_t j = 0; j < i; ++j) {
                const Control& d = controls_[j];
                const bool together = c.screen == d.screen || c.screen == 0 || d.screen == 0;
                const bool overlap = c.l < d.r && d.l < c.r && c.t < d.b && d.t < c.b;
                check(!(together && overlap), where + QStringLiteral(" overlaps control %1").arg(j + 1));
            }
        }
        std::vector<int> keys;
        for (const Control& c : controls_)
            if (c.hotKey)
                keys.push_back(c.hotKey);
        std::sort(keys.begin(), keys.end());
        check(std::adjacent_find(keys.begin(), keys.end()) == keys.end(), name_ + ": duplicate hot key");
    }

    void write(const QString& path) const
    {
        QByteArray out = "{\n";
        if (hasColours_) {
            out += "  \"colours\": [";
            for (size_t i = 0; i < colours_.size(); ++i)
                out += (i ? ", " : "") + QByteArray::number(colours_[i]);
            out += "],\n";
        }
        out += "  \"controls\": [\n";
        const Control def;
        for (size_t i = 0; i < controls_.size(); ++i) {
            const Control& c = controls_[i];
            QByteArray line = "    {\"rect\": [" + QByteArray::number(c.l) + ", " + QByteArray::number(c.t) + ", "
                + QByteArray::number(c.r) + ", " + QByteArray::number(c.b) + "], \"type\": "
                + QByteArray::number(c.type);
            auto num = [&](const char* key, int v, int d) {
                if (v != d)
                    line += QByteArray(", \"") + key + "\": " + QByteArray::number(v);
            };
            auto str = [&](const char* key, const QString& v, const QString& d) {
                if (v != d)
                    line += QByteArray(", \"") + key + "\": " + jsonString(v);
            };
            num("screen", c.screen, def.screen);
            num("function", c.function, def.function);
            str("text", c.text, def.text);
            str("gcode", c.gcode, def.gcode);
            str("image", c.image, def.image);
            num("reservedA", c.reservedA, def.reservedA);
            num("reservedB", c.reservedB, def.reservedB);
            str("label", c.label, def.label);
            num("ledColour", c.ledColour, def.ledColour);
            num("ledFlashing", c.ledFlashing, def.ledFlashing);
            num("ledRedGreen", c.ledRedGreen, def.ledRedGreen);
            num("parameter", c.parameter, def.parameter);
            num("hotKey", c.hotKey, def.hotKey);
            str("format", c.format, def.format);
            num("tabGroup", c.tabGroup, def.tabGroup);
            if (c.locked)
                line += ", \"locked\": true";
            line += i + 1 < controls_.size() ? "},\n" : "}\n";
            out += line;
        }
        out += "  ]\n}\n";
        writeBytes(path, out);
    }

private:
    static QByteArray jsonString(const QString& s)
    {
        QByteArray out = "\"";
        for (QChar ch : s) {
            const char16_t u = ch.unicode();
            check(u >= 0x20 && u < 0x7F, "example strings are plain ASCII");
            if (u == '"' || u == '\\')
                out += '\\';
            out += char(u);
        }
        return out + "\"";
    }

    QString name_;
    int width_, height_;
    bool hasColours_ = false;
    std::array<uint32_t, 10> colours_{};
    std::vector<Control> controls_;
};

// Mill set for 1024 x 768: a persistent header, tabs and E-stop; screens 1
// (program run), 2 (MDI) and 3 (work offsets).
SetBuilder millSet()
{
    SetBuilder s("mill", 1024, 768);
    s.colours({colourRef(58, 62, 68),     // screen background
               colourRef(12, 20, 14),     // DRO background
               colourRef(28, 48, 32),     // DRO background, selected
               colourRef(245, 245, 230),  // MDI background
               colourRef(255, 255, 245),  // MDI background, selected
               colourRef(225, 228, 232),  // label text
               colourRef(90, 255, 110),   // DRO digits
               colourRef(10, 10, 40),     // MDI text
               colourRef(255, 252, 210),  // G-code background
               colourRef(20, 20, 20)});   // G-code text

    // Persistent layer.
    s.label(0, {20, 16, 560, 40}, "VORN3 MILL  -  TAVLORA SAMPLE SCREENS").locked = true;
    s.picture(0, {784, 8, 1004, 64}, "Mill\\Logo.png").locked = true;
    s.pageButton({20, 718, 180, 758}, "Program Run", 1, vkF(1));
    s.pageButton({190, 718, 350, 758}, "MDI", 2, vkF(2));
    s.pageButton({360, 718, 520, 758}, "Offsets", 3, vkF(3));
    s.label(0, {856, 727, 946, 749}, "E-STOP");
    s.led(0, {956, 722, 988, 754}, ledFn("Emergency Stop LED"), 5);

    // Screen 1: program run.
    const int run = 1;
    s.label(run, {20, 72, 300, 92}, "WORK POSITION");
    const char* axes[] = {"X", "Y", "Z"};
    const char* droNames[] = {"X Axis Position", "Y Axis Position", "Z Axis Position"};
    const char* zeroNames[] = {"Zero X Axis", "Zero Y Axis", "Zero Z Axis"};
    for (int i = 0; i < 3; ++i) {
        const int y = 100 + 46 * i;
        s.label(run, {20, y + 7, 50, y + 29}, axes[i]);
        s.dro(run, {56, y, 316, y + 36}, droFn(droNames[i]));
        s.button(run, {326, y, 410, y + 36}, QStringLiteral("Zero %1").arg(axes[i]), buttonFn(zeroNames[i]));
    }
    s.label(run, {20, 245, 50, 267}, "F");
    s.dro(run, {56, 238, 316, 274}, droFn("Feed Rate Units/Min"), "%.1f");
    s.button(run, {326, 238, 410, 274}, "F 100%", buttonFn("Feed Override Reset"));

    s.label(run, {20, 290, 300, 310}, "STATUS");
    struct LedRow {
        const char* fn;
        const char* caption;
        int choice;
        const char* image;
    };
    const LedRow leftLeds[] = {{"Machine Ready LED", "Machine Ready", 0, "None"},
                               {"Drive Fault LED", "Drive Fault", 1, "None"},
                               {"Feed Hold Active LED", "Feed Hold", 2, "None"},
                               {"Spindle At Speed LED", "Spindle At Speed", 3, "None"},
                               {"Mist Coolant LED", "Mist Coolant", 0, "Mill\\CoolantLed.png"}};
    const LedRow rightLeds[] = {{"Program Running LED", "Program Running", 4, "None"},
                                {"Alarm Active LED", "Alarm", 5, "None"},
                                {"Dwell Active LED", "Dwell", 6, "None"},
                                {"Tool Change Request LED", "Tool Change", 7, "None"},
                                {"Flood Coolant LED", "Flood Coolant", 0, "None"}};
    for (int i = 0; i < 5; ++i) {
        const int y = 318 + 30 * i;
        s.led(run, {20, y, 44, y + 24}, ledFn(leftLeds[i].fn), leftLeds[i].choice, leftLeds[i].image);
        s.label(run, {52, y + 2, 206, y + 22}, leftLeds[i].caption);
        s.led(run, {216, y, 240, y + 24}, ledFn(rightLeds[i].fn), rightLeds[i].choice, rightLeds[i].image);
        s.label(run, {248, y + 2, 410, y + 22}, rightLeds[i].caption);
    }

    // Pictures of the four kinds: JPEG, keyed 24-bit BMP, palette BMP, GIF.
    s.picture(run, {20, 478, 172, 592}, "Mill\\Vice.jpg");
    s.picture(run, {182, 499, 254, 571}, "Mill\\Spindle.bmp");
    s.picture(run, {264, 499, 336, 571}, "Mill\\Axes.bmp");
    s.picture(run, {346, 503, 410, 567}, "Mill\\Coolant.gif");

    s.imageButton(run, {20, 606, 140, 666}, "Mill\\CycleStart.png", buttonFn("Cycle Start"), kAlt | 'R');
    s.imageButton(run, {150, 606, 270, 666}, "Mill\\FeedHold.png", buttonFn("Feed Hold"), 0x20);
    s.imageButton(run, {280, 606, 400, 666}, "Mill\\Stop.png", buttonFn("Stop"), kAlt | 'S');
    s.imageButton(run, {410, 606, 530, 666}, "Mill\\Reset.png", buttonFn("Reset"), kCtrl | 'R');

    s.label(run, {20, 680, 64, 702}, "MDI");
    s.add(run, MdiT, {70, 676, 1004, 706});

    s.label(run, {430, 72, 700, 92}, "PROGRAM");
    s.add(run, GCodeListT, {430, 100, 1004, 340}).parameter = 12;

    s.label(run, {430, 352, 600, 372}, "SPINDLE RPM");
    s.skinnedDro(run, {430, 378, 600, 558}, droFn("Spindle Speed RPM"), "Mill\\DroFaceS.png", "SD%.0f");
    const std::pair<const char*, const char*> runButtons[] = {{"Spindle CW", "Spindle On Clockwise"},
                                                              {"Spindle Stop", "Spindle Off"},
                                                              {"Flood", "Flood Coolant Toggle"},
                                                              {"Rewind", "Rewind Program"},
                                                              {"Single Block", "Single Block Toggle"}};
    for (int i = 0; i < 5; ++i) {
        const int y = 352 + 44 * i;
        s.button(run, {616, y, 736, y + 36}, runButtons[i].first, buttonFn(runButtons[i].second));
    }
    s.add(run, ToolPathT, {752, 352, 1004, 592});

    // Screen 2: MDI.
    const int mdi = 2;
    s.label(mdi, {20, 72, 400, 92}, "MANUAL DATA INPUT");
    s.add(mdi, MdiT, {20, 100, 1004, 150});
    s.add(mdi, GCodeListT, {20, 164, 600, 524}).parameter = 18;
    struct DroRow {
        const char* caption;
        const char* fn;
        const char* format;
    };
    const DroRow mdiDros[] = {{"X", "X Axis Position", "%+.4f"},
                              {"Y", "Y Axis Position", "%+.4f"},
                              {"Z", "Z Axis Position", "%+.4f"},
                              {"S", "Spindle Speed RPM", "%.0f"},
                              {"F", "Feed Rate Units/Min", "%.1f"}};
    for (int i = 0; i < 5; ++i) {
        const int y = 164 + 46 * i;
        s.label(mdi, {620, y + 7, 650, y + 29}, mdiDros[i].caption);
        s.dro(mdi, {656, y, 1004, y + 36}, droFn(mdiDros[i].fn), mdiDros[i].format);
    }
    s.button(mdi, {620, 400, 806, 436}, "Execute MDI", buttonFn("Execute MDI Line"));
    s.button(mdi, {818, 400, 1004, 436}, "Clear MDI", buttonFn("Clear MDI Line"));
    s.gcodeButton(mdi, {620, 444, 806, 480}, "Safe Z", "G0 G53 Z0");
    s.button(mdi, {818, 444, 1004, 480}, "Tool Change Pos", buttonFn("Go To Tool Change Position"));
    s.button(mdi, {620, 488, 806, 524}, "Probe Z", 34);
    s.button(mdi, {818, 488, 1004, 524}, "Go To Zero", buttonFn("Go To Zero"));
    s.imageButton(mdi, {20, 540, 140, 600}, "Mill\\CycleStart.png", buttonFn("Cycle Start"));
    s.imageButton(mdi, {150, 540, 270, 600}, "Mill\\FeedHold.png", buttonFn("Feed Hold"));
    s.imageButton(mdi, {280, 540, 400, 600}, "Mill\\Stop.png", buttonFn("Stop"));
    s.imageButton(mdi, {410, 540, 530, 600}, "Mill\\Reset.png", buttonFn("Reset"));
    s.led(mdi, {620, 556, 644, 580}, ledFn("MDI Active LED"), 0);
    s.label(mdi, {652, 558, 800, 578}, "MDI Active");

    // Screen 3: work offsets and tool data.
    const int ofs = 3;
    s.label(ofs, {20, 72, 400, 92}, "WORK OFFSETS");
    const DroRow offsetDros[] = {{"X Offset", "X Work Offset", "%+.4f"},
                                 {"Y Offset", "Y Work Offset", "%+.4f"},
                                 {"Z Offset", "Z Work Offset", "%+.4f"},
                                 {"A Offset", "A Work Offset", "%+.3f"}};
    const char* offsetButtons[] = {"Probe X Edge", "Probe Y Edge", "Probe Z Surface", "Zero A Axis"};
    const char* offsetCaptions[] = {"Probe X", "Probe Y", "Probe Z", "Zero A"};
    for (int i = 0; i < 4; ++i) {
        const int y = 100 + 46 * i;
        s.label(ofs, {20, y + 7, 130, y + 29}, offsetDros[i].caption);
        s.dro(ofs, {140, y, 400, y + 36}, droFn(offsetDros[i].fn), offsetDros[i].format);
        s.button(ofs, {410, y, 520, y + 36}, offsetCaptions[i], buttonFn(offsetButtons[i]));
    }
    s.label(ofs, {560, 72, 900, 92}, "TOOL");
    const DroRow toolDros[] = {{"Tool No.", "Current Tool Number", "%.0f"},
                               {"Length", "Tool Length Offset", "%+.4f"},
                               {"Diameter", "Tool Diameter", "%.4f"},
                               {"Load %", "OEM DRO Code", "%.0f"}};
    for (int i = 0; i < 4; ++i) {
        const int y = 100 + 46 * i;
        s.label(ofs, {560, y + 7, 700, y + 29}, toolDros[i].caption);
        Control& d = s.dro(ofs, {710, y, 1004, y + 36}, droFn(toolDros[i].fn), toolDros[i].format);
        if (d.function == 12)
            d.parameter = 1000;
    }
    for (int i = 0; i < 6; ++i) {
        const int x = 20 + 100 * i;
        const QString g = QStringLiteral("G%1").arg(54 + i);
        s.button(ofs, {x, 300, x + 90, 340}, g, buttonFn(qPrintable("Select Work Offset " + g)));
        s.led(ofs, {x + 33, 350, x + 57, 374}, ledFn(qPrintable("Work Offset " + g + " LED")), i == 0 ? 0 : 1);
    }
    s.picture(ofs, {640, 300, 712, 372}, "Mill\\Axes.bmp");
    s.led(ofs, {730, 324, 754, 348}, 56, 2).parameter = 1001;
    s.label(ofs, {762, 326, 1004, 346}, "Probe Armed (OEM 1001)");
    const std::pair<const char*, const char*> offsetRow[] = {{"Touch Off Tool", "Touch Off Tool"},
                                                             {"Tool Table", "Open Tool Table"},
                                                             {"Fixture Table", "Open Fixture Table"},
                                                             {"Clear Offsets", "Clear Work Offsets"}};
    for (int i = 0; i < 4; ++i) {
        const int x = 20 + 150 * i;
        s.button(ofs, {x, 400, x + 140, 440}, offsetRow[i].first, buttonFn(offsetRow[i].second));
    }
    s.button(ofs, {620, 400, 760, 440}, "Probe Macro", 34);
    // Records of the retired kinds, kept as older screen sets carry them.
    s.add(ofs, ObsoleteT, {760, 560, 860, 600});
    s.add(ofs, OldImageT, {880, 560, 1004, 640});
    return s;
}

// Turn set for 800 x 600: screens 1 (run) and 2 (tools).
SetBuilder turnSet()
{
    SetBuilder s("turn", 800, 600);
    s.label(0, {16, 16, 420, 38}, "VORN3 TURN  -  TAVLORA SAMPLE").locked = true;
    s.picture(0, {564, 4, 784, 60}, "Turn\\Logo.png").locked = true;
    s.pageButton({446, 556, 606, 592}, "Run", 1, vkF(1));
    s.pageButton({616, 556, 784, 592}, "Tools", 2, vkF(2));

    const int run = 1;
    s.label(run, {16, 64, 300, 84}, "POSITION");
    s.label(run, {16, 98, 60, 120}, "X");
    s.dro(run, {66, 92, 332, 128}, droFn("Lathe X Diameter"));
    s.button(run, {342, 92, 432, 128}, "Zero X", buttonFn("Zero X Axis"));
    s.label(run, {16, 144, 60, 166}, "Z");
    s.dro(run, {66, 138, 332, 174}, droFn("Lathe Z Position"));
    s.button(run, {342, 138, 432, 174}, "Zero Z", buttonFn("Zero Z Axis"));
    s.label(run, {16, 192, 64, 210}, "Feed");
    s.dro(run, {66, 184, 332, 220}, droFn("Feed Rate Units/Min"), "%.3f");

    s.label(run, {16, 232, 176, 252}, "SPINDLE");
    s.skinnedDro(run, {16, 258, 176, 438}, droFn("Spindle Speed RPM"), "Mill\\DroFaceS.png", "SDT%.0f");
    s.picture(run, {196, 278, 336, 418}, "Turn\\Chuck.jpg");
    s.button(run, {346, 300, 432, 336}, "Chuck", buttonFn("Chuck Close"));
    s.button(run, {346, 346, 432, 382}, "CSS On", buttonFn("Constant Surface Speed On"));

    const std::tuple<const char*, const char*, int> leds[] = {{"Chuck Clamped LED", "Chuck Clamped", 0},
                                                              {"Spindle At Speed LED", "At Speed", 3},
                                                              {"Threading Active LED", "Threading", 2},
                                                              {"Alarm Active LED", "Alarm", 5}};
    for (int i = 0; i < 4; ++i) {
        const int x = i % 2 ? 226 : 16, y = 452 + 30 * (i / 2);
        s.led(run, {x, y, x + 24, y + 24}, ledFn(std::get<0>(leds[i])), std::get<2>(leds[i]));
        s.label(run, {x + 32, y + 2, x + 200, y + 22}, std::get<1>(leds[i]));
    }
    s.button(run, {16, 514, 136, 550}, "Cycle Start", buttonFn("Cycle Start"), kAlt | 'R');
    s.button(run, {146, 514, 266, 550}, "Feed Hold", buttonFn("Feed Hold"), 0x20);
    s.button(run, {276, 514, 396, 550}, "Stop", buttonFn("Stop"), kAlt | 'S');

    s.add(run, GCodeListT, {452, 64, 784, 304}).parameter = 12;
    s.add(run, ToolPathT, {452, 314, 784, 500});
    s.label(run, {452, 516, 490, 532}, "MDI");
    s.add(run, MdiT, {494, 517, 784, 531});

    const int tools = 2;
    s.label(tools, {16, 64, 300, 84}, "TOOL OFFSETS");
    const std::tuple<const char*, const char*, const char*> dros[] = {
        {"Tool No.", "Current Tool Number", "%.0f"},
        {"X Offset", "Lathe Tool X Offset", "%+.4f"},
        {"Z Offset", "Lathe Tool Z Offset", "%+.4f"},
        {"Nose R", "Tool Nose Radius", "%.3f"}};
    for (int i = 0; i < 4; ++i) {
        const int y = 92 + 46 * i;
        s.label(tools, {16, y + 7, 120, y + 29}, std::get<0>(dros[i]));
        s.dro(tools, {126, y, 392, y + 36}, droFn(std::get<1>(dros[i])), std::get<2>(dros[i]));
    }
    s.button(tools, {16, 290, 146, 326}, "Turret Next", buttonFn("Turret Index Next"));
    s.button(tools, {156, 290, 286, 326}, "Turret Prev", buttonFn("Turret Index Previous"));
    s.button(tools, {296, 290, 426, 326}, "Touch Off", buttonFn("Touch Off Tool"));
    s.gcodeButton(tools, {16, 336, 146, 372}, "Safe X", "G0 G53 X0");
    s.button(tools, {156, 336, 286, 372}, "Diameter", buttonFn("Lathe Diameter Mode"));
    s.button(tools, {296, 336, 426, 372}, "Radius", buttonFn("Lathe Radius Mode"));
    s.led(tools, {16, 392, 40, 416}, ledFn("Lathe Diameter Mode LED"), 0);
    s.label(tools, {48, 394, 220, 414}, "Diameter Mode");
    s.led(tools, {226, 392, 250, 416}, ledFn("Tool Change Request LED"), 6);
    s.label(tools, {258, 394, 430, 414}, "Tool Change");
    s.add(tools, GCodeListT, {452, 64, 784, 304}).parameter = 10;
    return s;
}

// A handful of controls for smoke tests.
SetBuilder minimalSet()
{
    SetBuilder s("minimal", 1024, 768);
    s.label(1, {20, 20, 220, 44}, "X Position");
    s.dro(1, {20, 50, 280, 86}, droFn("X Axis Position"));
    s.button(1, {300, 50, 420, 86}, "Zero X", buttonFn("Zero X Axis"));
    s.led(1, {440, 56, 464, 80}, ledFn("Machine Ready LED"), 0);
    s.imageButton(1, {20, 100, 140, 160}, "Mill\\CycleStart.png", buttonFn("Cycle Start"));
    s.add(1, MdiT, {20, 176, 600, 206});
    return s;
}

void writeExamples(const QString& examplesDir)
{
    check(QDir().mkpath(examplesDir), "cannot create " + examplesDir);
    const std::pair<SetBuilder, const char*> sets[] = {{millSet(), "mill.json"},
                                                       {turnSet(), "turn.json"},
                                                       {minimalSet(), "minimal.json"}};
    for (const auto& [set, file] : sets) {
        set.verify(g_root);
        set.write(examplesDir + QLatin1Char('/') + QLatin1String(file));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString vorn3, examples;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--vorn3" && i + 1 < args.size())
            vorn3 = args[++i];
        else if (args[i] == "--examples" && i + 1 < args.size())
            examples = args[++i];
        else
            die("usage: make-vorn3-sample --vorn3 DIR [--examples DIR]");
    }
    if (vorn3.isEmpty())
        die("usage: make-vorn3-sample --vorn3 DIR [--examples DIR]");

    const QFontInfo fi(uiFont(12));
    if (fi.family() != "Liberation Sans" && fi.family() != "Arial")
        std::fprintf(stderr, "make-vorn3-sample: warning: drawing with font \"%s\" (install fonts-liberation)\n",
                     qPrintable(fi.family()));

    g_root = QDir(vorn3).absolutePath();
    writeCatalogs();
    writeLedPictures();
    writeButtonFaces();
    writeDroFaces();
    writeLogos();
    writeKeyedPictures();
    writeGifPicture();
    writePhotos();
    if (!examples.isEmpty())
        writeExamples(QDir(examples).absolutePath());

    g_written.sort();
    for (const QString& f : g_written)
        std::printf("%s\n", qPrintable(f));
    return 0;
}
