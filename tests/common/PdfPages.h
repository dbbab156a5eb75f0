#pragma once

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace tavlora::test {

// Looks into PDF files: the page count from the file's page objects, and the
// pages as pictures and as text through poppler's pdftoppm and pdftotext
// (nothing when they are not installed).
class PdfPages {
public:
    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Page objects ("/Type /Page", not "/Pages"); -1 when it is not a PDF.
    static int Count(const QByteArray& pdf)
    {
        if (!pdf.startsWith("%PDF-") || !pdf.trimmed().endsWith("%%EOF"))
            return -1;
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
        return int(QString::fromLatin1(pdf).count(page));
    }

    static bool CanRasterize() { return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty(); }

    // Every page at `dpi`, in order; nothing when pdftoppm is missing or fails.
    static std::optional<QList<QImage>> Rasterize(const QString& pdfPath, int dpi = 24)
    {
        if (!CanRasterize())
            return std::nullopt;
        QTemporaryDir dir;
        const QString prefix = dir.filePath(QStringLiteral("page"));
        QProcess run;
        run.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdfPath, prefix});
        if (!run.waitForFinished(-1) || run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0)
            return std::nullopt;
        QList<QImage> pages;
        // page-1.png, or page-01.png ... when there are ten pages or more.
        for (const QString& name : QDir(dir.path()).entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name))
            pages.append(QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32));
        return pages;
    }

    // The text of the pages, pages separated by form feeds; nothing without pdftotext.
    static std::optional<QString> Text(const QString& pdfPath)
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            return std::nullopt;
        QProcess run;
        run.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
        if (!run.waitForFinished(-1) || run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0)
            return std::nullopt;
        return QString::fromUtf8(run.readAllStandardOutput());
    }

    // Share of the pixels that are not (nearly) white.
    static double Inked(const QImage& page)
    {
        if (page.isNull())
            return 0;
        qint64 inked = 0;
        for (int y = 0; y < page.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
            for (int x = 0; x < page.width(); ++x)
                inked += std::min({qRed(line[x]), qGreen(line[x]), qBlue(line[x])}) < 248;
        }
        return double(inked) / (qint64(page.width()) * page.height());
    }

    // Number of different colours.
    static int Colours(const QImage& page)
    {
        QSet<QRgb> seen;
        for (int y = 0; y < page.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
            for (int x = 0; x < page.width(); ++x)
                seen.insert(line[x]);
        }
        return int(seen.size());
    }

    // Pixels within `tolerance` of a colour in each channel.
    static int CountNear(const QImage& page, QColor colour, int tolerance = 24)
    {
        int n = 0;
        for (int y = 0; y < page.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
            for (int x = 0; x < page.width(); ++x) {
                n += std::abs(qRed(line[x]) - colour.red()) <= tolerance
                    && std::abs(qGreen(line[x]) - colour.green()) <= tolerance
                    && std::abs(qBlue(line[x]) - colour.blue()) <= tolerance;
            }
        }
        return n;
    }
};

} // namespace tavlora::test
