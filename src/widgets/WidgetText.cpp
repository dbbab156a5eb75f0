#include "WidgetText.h"

#include "core/Windows1252.h"

#include <algorithm>
#include <cmath>

namespace tavlora {

int WidgetText::BandPixelSize(long long bandHeight)
{
    if (bandHeight <= 0)
        return 0;
    const double px = std::round(0.7 * double(bandHeight) * 96.0 / 72.0);
    return int(std::min<double>(px, kMaxPixelSize));
}

QFont WidgetText::BandFont(long long bandHeight)
{
    QFont font(QStringLiteral("Arial"));
    const int px = BandPixelSize(bandHeight);
    if (px > 0)
        font.setPixelSize(px);
    return font;
}

QString WidgetText::FromBytes(std::string_view bytes)
{
    bool ascii = true;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    const std::string utf8 = Windows1252::ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

} // namespace tavlora
