#pragma once

#include "DesignWidget.h"
#include "Vorn3Image.h"

namespace tavlora {

// An LED: the left (lit) half of a two-state picture, stretched to the widget,
// or the right (dark) half when switched off (the design view keeps it lit).
// The picture is a standard one of the Vorn3 folder chosen by the colour code,
// or a custom picture from the Bitmaps folder, which then always wins.
class LED : public DesignWidget {
public:
    static constexpr int kRed = 134;
    static constexpr int kGreen = 135;
    static constexpr int kRedGreen = 136;
    static constexpr int kYellow = 137;

    LED(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled);

    void Configure(const ControlRecord& record) override;
    void SetColourCode(int code);
    void SetCustomImage(const std::string& name);
    void SetLit(bool lit);
    bool IsLit() const { return switchedOn_; }

    // Standard picture file of a colour code ("LegacyGreen.bmp", ...), empty for other codes.
    static const char* StandardPicture(int code);
    // Colour code for a record's ledColour, or 0 when none applies.
    static int CodeForLedColour(int ledColour);

    int ColourCode() const { return colourCode_; }
    bool CustomLoaded() const { return customLoaded_; }
    const std::string& CustomName() const { return customName_; }
    const Vorn3Image& LitImage() const { return lit_; }
    const Vorn3Image& OtherImage() const { return other_; }

    void Paint(QPainter& p) override;

protected:
    void Resized() override;

private:
    void Split();

    Vorn3Image lit_;
    Vorn3Image other_;
    std::string customName_;
    int colourCode_ = 0;
    bool customLoaded_ = false;
    bool switchedOn_ = true;
};

} // namespace tavlora
