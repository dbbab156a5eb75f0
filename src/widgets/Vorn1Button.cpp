#include "Vorn1Button.h"

#include "ButtonFaces.h"
#include "EdgePainter.h"
#include "ShapedText.h"
#include "WidgetColours.h"
#include "WidgetText.h"

#include "core/ControlRecord.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavlora {

namespace {

// Arial's character cell (ascent + descent) in font units per 2048-unit em.
constexpr double kArialCellUnits = 1854.0 + 434.0;

// A small linear congruential generator uniform over 0 ... 32767, seeded the
// same at every shade so that faces are reproducible.
class Grain {
public:
    int Next()
    {
        state_ = state_ * 214013u + 2531011u;
        return int((state_ >> 16) & 0x7FFF);
    }

private:
    uint32_t state_ = 1;
};

QRgb Mix(QRgb a, QRgb b, int wa, int wb, int div)
{
    return qRgb((qRed(a) * wa + qRed(b) * wb) / div, (qGreen(a) * wa + qGreen(b) * wb) / div,
                (qBlue(a) * wa + qBlue(b) * wb) / div);
}

} // namespace

Vorn1Button::Vorn1Button(const ControlRecord& record, WidgetContext& ctx, int controlId,
                         bool disabled)
    : DesignWidget(record, ctx, controlId, disabled)
{
    Resized();
}

void Vorn1Button::Configure(const ControlRecord& rec)
{
    SetText(rec.text);
    SetFunction(rec.function);
    SetParameter(rec.parameter);
}

void Vorn1Button::SetText(const std::string& text)
{
    text_ = text;
    Update();
}

void Vorn1Button::Resized()
{
    FitFont();
    shaded_ = false; // SetShade runs for the new size before the next use of the faces
    DropLook();
    textColour_ = WidgetColours::ButtonText();
}

void Vorn1Button::EnsureShade()
{
    if (!shaded_)
        SetShade(kPattern, kGranularity, kHighlight, kColouring, kColour);
}

int Vorn1Button::EmForCellHeight(int cellHeight)
{
    return std::max(1, int(std::lround(cellHeight * 2048.0 / kArialCellUnits)));
}

QFont Vorn1Button::CaptionFontFor(int captionHeight)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(EmForCellHeight(captionHeight));
    font.setBold(true);
    return font;
}

QFont Vorn1Button::CaptionFont() const
{
    return CaptionFontFor(captionHeight_);
}

int Vorn1Button::FitCaptionHeight(int clientWidth, const std::string& referenceText)
{
    // Every button measures the same reference text: each thread measures it once.
    thread_local std::unordered_map<std::string, double> measured;
    auto it = measured.find(referenceText);
    if (it == measured.end()) {
        const double width = QFontMetricsF(CaptionFontFor(kMaxCaptionHeight))
                                 .horizontalAdvance(WidgetText::FromBytes(referenceText));
        if (measured.size() > 64)
            measured.clear();
        it = measured.emplace(referenceText, width).first;
    }
    const double tw = it->second;
    if (tw <= 0)
        return kMaxCaptionHeight;
    const double fit = clientWidth * 0.85 / tw * kMaxCaptionHeight;
    return std::max(1, int(std::min<double>(kMaxCaptionHeight, fit)));
}

QRect Vorn1Button::CaptionBand(QSize client)
{
    const int b = kBorderWidth;
    return QRect(QPoint(0, 0), client).adjusted(b + 2, 0, -(b + 2), 0);
}

void Vorn1Button::FitFont()
{
    captionHeight_ = FitCaptionHeight(ClientSize().width(), referenceText_);
}

namespace {

// Shadow (0) to face (128) to highlight (255); the system colours are fixed.
const std::array<QRgb, 256>& ShadePalette()
{
    static const std::array<QRgb, 256> palette = [] {
        const QRgb s = WidgetColours::ButtonShadow().rgb();
        const QRgb f = WidgetColours::ButtonFace().rgb();
        const QRgb h = WidgetColours::ButtonHighlight().rgb();
        std::array<QRgb, 256> p{};
        for (int k = 0; k <= 128; ++k)
            p[size_t(k)] = Mix(s, f, 128 - k, k, 128);
        for (int m = 1; m <= 128; ++m)
            p[size_t(127 + m)] = Mix(f, h, 128 - m, m, 128);
        return p;
    }();
    return palette;
}

void ShadeFace(ShadeDib& face, int w, int h, int pattern, int granularity, int colouring, QRgb colour)
{
    face.Create(w, h, 8);
    face.SetPalette(ShadePalette().data(), int(ShadePalette().size()));
    if (face.IsEmpty())
        return;
    face.BlendPalette(colour, colouring);
    if (pattern != 1)
        return;
    const int g = granularity;
    const long long u = (255 - 2 * g) / 2;
    const uint32_t q = uint32_t(32767 / std::max(2 * g, 1));
    // r / q as a multiply and shift; exact for every r below 2^15.
    const uint64_t reciprocal = ((uint64_t(1) << 32) + q - 1) / q;
    std::vector<int> across(static_cast<size_t>(w));
    for (int x = 0; x < w; ++x)
        across[size_t(x)] = int(u * (w - x) / w);
    Grain grain;
    for (int j = 0; j < h; ++j) {
        uint8_t* row = face.Row(j);
        const int down = int(j * u / h);
        for (int x = 0; x < w; ++x) {
            const int r = int((uint64_t(uint32_t(grain.Next())) * reciprocal) >> 32);
            row[x] = uint8_t((g + across[size_t(x)] + down + (r - g)) & 0xFF);
        }
    }
}

} // namespace

void Vorn1Button::SetShade(int pattern, int granularity, int highlight, int colouring, QRgb colour)
{
    DropLook();
    shaded_ = true;
    ownShade_ = pattern != kPattern || granularity != kGranularity || highlight != kHighlight
        || colouring != kColouring || colour != kColour;
    const QSize size = ClientSize();
    const int w = size.width();
    const int h = size.height();
    const int b = kBorderWidth;

    hLine_.Create(std::max(w - 2 * b - 1, 1), 1, 8);
    vLine_.Create(1, std::max(h - 2 * b, 1), 8);
    pressedFace_.Clear();
    pressedShaded_ = false;
    highlight_ = highlight;
    for (ShadeDib* dib : {&hLine_, &vLine_})
        dib->SetPalette(ShadePalette().data(), int(ShadePalette().size()));
    ShadeFace(face_, w, h, pattern, granularity, colouring, colour);

    if (!hLine_.IsEmpty()) {
        uint8_t* row = hLine_.Row(0);
        for (int x = 0; x < hLine_.Width(); ++x)
            row[x] = x % 2 ? 255 : 0;
    }
    for (int j = 0; j < vLine_.Height(); ++j)
        vLine_.Row(j)[0] = j % 2 ? 255 : 0;
}

void Vorn1Button::BuildFace(QSize client, bool pressed, ShadeDib& face)
{
    ShadeFace(face, client.width(), client.height(), kPattern, kGranularity, kColouring, kColour);
    if (pressed && !face.IsEmpty())
        face.BlendPalette(WidgetColours::ButtonHighlight().rgb(), kHighlight);
}

void Vorn1Button::EnsurePressedFace()
{
    EnsureShade();
    if (pressedShaded_ || face_.IsEmpty())
        return;
    pressedShaded_ = true;
    pressedFace_.CopyFrom(face_);
    pressedFace_.BlendPalette(WidgetColours::ButtonHighlight().rgb(), highlight_);
}

void Vorn1Button::Paint(QPainter& p)
{
    SetEnabled(true);
    if (ownShade_)
        EnsureShade();
    const QSize size = ClientSize();
    const QRect r(QPoint(0, 0), size);
    QRect t = CaptionBand(size);

    // Faces of the usual shading come from those all buttons share.
    const int offset = pressed_ ? 1 : 0;
    if (ownShade_) {
        const ShadeDib& face = pressed_ ? PressedFace() : face_;
        if (face.IsEmpty())
            p.fillRect(r, WidgetColours::ButtonFace());
        else
            face.Draw(p, offset, offset);
    } else if (const QImage face = ButtonFaces::Face(size, pressed_); face.isNull()) {
        p.fillRect(r, WidgetColours::ButtonFace());
    } else {
        p.drawImage(offset, offset, face);
    }
    if (pressed_) {
        t.translate(1, 1);
        EdgePainter::Draw(p, r, EdgePainter::Sunken, EdgePainter::All);
    } else {
        EdgePainter::Draw(p, r, EdgePainter::Raised, EdgePainter::All);
    }

    if (!text_.empty() && t.width() > 0) {
        p.setFont(CaptionFont());
        p.setPen(textColour_);
        ShapedText::Draw(p, t, Qt::AlignCenter | Qt::TextSingleLine, WidgetText::FromBytes(text_));
    }
}

int Vorn1Button::MousePress(QPoint, Qt::KeyboardModifiers mods, int currentScreen)
{
    pressed_ = true;
    Update();
    return JumpTarget(function_, parameter_, mods, currentScreen);
}

void Vorn1Button::MouseRelease(QPoint)
{
    pressed_ = false;
    Update();
}


DesignWidget::LookKey Vorn1Button::CurrentLookKey() const
{
    return {pressed_ ? 1u : 0u, 0};
}

} // namespace tavlora
