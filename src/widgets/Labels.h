#pragma once

#include "DesignWidget.h"

namespace tavlora {

// A label: its text in the label colour, left- and top-aligned, with no
// background (the screen behind shows through).
class Labels : public DesignWidget {
public:
    Labels(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled);

    // Stores the text; the next paint shows it.
    void Configure(const ControlRecord& record) override;
    void SetText(const std::string& text);
    const std::string& Text() const { return text_; }
    // What a label shows for a record's label bytes (CR LF as one line break).
    static QString DisplayText(const std::string& text);

    void Paint(QPainter& p) override;

protected:
    bool CachesLook() const override { return true; }
    LookKey CurrentLookKey() const override;

private:
    std::string text_ = "Label";
    QString display_ = QStringLiteral("Label");
};

} // namespace tavlora
