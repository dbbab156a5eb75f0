#pragma once

#include <QFont>
#include <QString>

#include <string_view>

namespace tavlora {

// Text helpers shared by the text-bearing widgets.
class WidgetText {
public:
    // Largest font pixel size a widget ever asks for; protects the font engine
    // from absurd widget heights.
    static constexpr int kMaxPixelSize = 4096;

    // Pixel size of the Arial font for a text band of the given height:
    // 7 x height tenths of a point at 96 dots per inch.
    static int BandPixelSize(long long bandHeight);
    // "Arial" at BandPixelSize; pixel size 0 (nothing visible) stays 0.
    static QFont BandFont(long long bandHeight);
    // Record strings are Windows-1252 bytes.
    static QString FromBytes(std::string_view bytes);
};

} // namespace tavlora
