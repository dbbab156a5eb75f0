#pragma once

#include "DesignWidget.h"
#include "ShadeDib.h"

#include <QColor>
#include <QFont>

namespace tavlora {

// A text button: grainy diagonal shading, raised edge, bold Arial caption.
class Vorn1Button : public DesignWidget {
public:
    static constexpr int kBorderWidth = 4;
    static constexpr int kMaxCaptionHeight = 16;
    // The shading every button gets.
    static constexpr int kPattern = 1;
    static constexpr int kGranularity = 8;
    static constexpr int kHighlight = 10;
    static constexpr int kColouring = 5;
    static constexpr QRgb kColour = 0xFF191919;

    Vorn1Button(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled);

    void Configure(const ControlRecord& record) override;
    void SetText(const std::string& text);
    void SetFunction(int function) { function_ = function; }
    void SetParameter(int parameter) { parameter_ = parameter; }
    const std::string& Text() const { return text_; }
    int Function() const { return function_; }
    int Parameter() const { return parameter_; }

    // Builds the faces and focus lines for the current size (pattern 1 is the
    // diagonal shade; other patterns leave the face flat).
    void SetShade(int pattern, int granularity, int highlight, int colouring, QRgb colour);
    // The face of a client size as SetShade makes it with the settings buttons
    // are shaded with (lit by the highlight when pressed).
    static void BuildFace(QSize client, bool pressed, ShadeDib& face);
    // Caption height from the width of the reference text "None".
    void FitFont();

    // Caption font height as a character cell height in pixels, and the font.
    int CaptionHeight() const { return captionHeight_; }
    QFont CaptionFont() const;
    // Qt pixel size (em) of an Arial font whose character cell is `cellHeight` high.
    static int EmForCellHeight(int cellHeight);
    // The bold Arial caption font of a character cell height.
    static QFont CaptionFontFor(int captionHeight);
    // Caption height FitFont gives a button of this client width.
    static int FitCaptionHeight(int clientWidth, const std::string& referenceText = "None");
    // Where the caption is drawn in an unpressed button of this client size.
    static QRect CaptionBand(QSize client);

    // The shaded buffers are made for the current size when first needed.
    const ShadeDib& Face() { EnsureShade(); return face_; }
    const ShadeDib& PressedFace() { EnsurePressedFace(); return pressedFace_; }
    const ShadeDib& HorizontalLine() { EnsureShade(); return hLine_; }
    const ShadeDib& VerticalLine() { EnsureShade(); return vLine_; }
    bool IsPressed() const { return pressed_; }

    void Paint(QPainter& p) override;
    int MousePress(QPoint local, Qt::KeyboardModifiers mods, int currentScreen) override;
    void MouseRelease(QPoint local) override;

protected:
    void Resized() override;
    bool CachesLook() const override { return true; }
    bool LookIsOpaque() const override { return true; }
    LookKey CurrentLookKey() const override;

private:
    void EnsureShade();
    // The face lit by the highlight: made on the first press of a size.
    void EnsurePressedFace();

    std::string text_;
    std::string referenceText_ = "None";
    int function_ = -1;
    int parameter_ = 0;
    int captionHeight_ = kMaxCaptionHeight;
    QColor textColour_;
    bool pressed_ = false;
    bool shaded_ = false;
    bool pressedShaded_ = false;
    bool ownShade_ = false; // shaded by SetShade with other settings
    int highlight_ = 0;
    ShadeDib face_;
    ShadeDib pressedFace_;
    ShadeDib hLine_;
    ShadeDib vLine_;
};

} // namespace tavlora
