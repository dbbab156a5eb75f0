#pragma once

#include "DesignWidget.h"
#include "core/DroFormat.h"
#include "Vorn3Image.h"

#include <QRect>

#include <optional>

namespace tavlora {

// A digital read-out: a sample value in the DRO format, right- and top-aligned
// on the DRO background, optionally with a skin picture ("Skinned" records).
class DRO : public DesignWidget {
public:
    static constexpr int kSkinMargin = 10;

    // Where the parts of a DRO go for a given client size and format.
    struct Layout {
        bool skin = false;      // format begins with "S"
        bool drawDigits = true; // digits are drawn
        QRect text;             // band of the digits
        QRect image;            // where the skin picture is drawn (when loaded)
        std::string paintFormat;
    };

    DRO(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled);
    ~DRO() override;

    void Configure(const ControlRecord& record) override;
    void SetFormat(const std::string& format);
    // Resolves and loads the skin picture; starts the sample counter when the
    // file is present.
    void SetImage(const std::string& name);
    // A value to show instead of the sample (a preview's); nothing: the sample.
    void SetShownValue(std::optional<double> value);

    void Paint(QPainter& p) override;

    const std::string& Format() const { return format_; }
    bool ImageLoaded() const { return imageLoaded_; }
    const QString& ImagePathName() const { return imagePath_; }
    const Vorn3Image& Image() const { return image_; }
    double Value() const;
    // Text drawn for the current value.
    std::string DisplayText() const;

    static Layout LayoutFor(const std::string& format, QSize client, bool imageLoaded);

protected:
    void Resized() override;
    bool CachesLook() const override { return true; }
    bool LookThreadSafe() const override { return !imageLoaded_; }
    bool LookIsOpaque() const override { return true; }
    LookKey CurrentLookKey() const override;

private:
    std::string format_ = "%+.4f";
    DroFormat paintFormat_;
    Vorn3Image image_;
    bool imageLoaded_ = false;
    bool keyed_ = false;
    QString imagePath_;
    bool counting_ = false;
    std::optional<double> shownValue_;
    mutable double value_ = 0.0;
    mutable qint64 countedTick_ = 0;
};

} // namespace tavlora
