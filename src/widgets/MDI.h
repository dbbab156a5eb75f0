#pragma once

#include "DesignWidget.h"

#include <QString>

#include <optional>

namespace tavlora {

// The manual data input line with a sample block (or the text typed into a
// preview), centred horizontally at the top.
class MDI : public DesignWidget {
public:
    static constexpr const char* kSampleBlock = "G2 X2.34 Y7.86 Z5.65 I4.56 J5.65 ";

    MDI(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled);

    // Text to show instead of the sample block; nothing: the sample.
    void SetShownText(std::optional<QString> text);

    void Paint(QPainter& p) override;

protected:
    bool CachesLook() const override { return true; }
    bool LookIsOpaque() const override { return true; }
    LookKey CurrentLookKey() const override;

private:
    std::optional<QString> shownText_;
};

} // namespace tavlora
