#pragma once

#include "core/ScreenSet.h"
#include "widgets/WidgetContext.h"

#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A temporary Vorn3 folder (with Bitmaps), a screen set and its widget context.
class WidgetFixture : public ::testing::Test {
protected:
    WidgetFixture();

    // Writes a picture below the Bitmaps folder (or the Vorn3 folder itself)
    // and returns its path. The format comes from the extension.
    QString WriteBitmap(const QString& relative, const QImage& image);
    QString WriteVornFile(const QString& relative, const QImage& image);
    QString WriteRawBitmap(const QString& relative, const QByteArray& bytes);
    // Standard LED pictures: left half lit colour, right half grey.
    void WriteStandardLeds(int width = 40, int height = 20);

    // As root, runs the current test again as the user nobody and checks that
    // run: true when the caller must return at once.
    static bool RanAsNobody();

    tavlora::ControlRecord& Add(int type, int left, int top, int right, int bottom, int screen = 1);
    // RebuildWidgets after a fresh BeginLoad, then the creation rules, as a load does.
    void Rebuild();
    QImage Render(QSize size = QSize(400, 300), int screen = 1);

    static QImage Solid(int w, int h, QColor colour, QImage::Format format = QImage::Format_RGB32);
    static QColor At(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }
    // Number of pixels in a rectangle that differ from `colour`.
    static int CountNot(const QImage& image, const QRect& area, QColor colour);

    QTemporaryDir dir_;
    tavlora::ScreenSet set_;
    tavlora::WidgetContext ctx_{set_};
    QStringList reported_;
};
