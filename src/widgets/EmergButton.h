#pragma once

#include "DesignWidget.h"
#include "Vorn3Image.h"

namespace tavlora {

// An image button: its picture scaled to the widget, or a blue/green frame
// over whatever lies behind; a press shows the picture pushed in.
class EmergButton : public DesignWidget {
public:
    static constexpr int kPressInset = 3;

    EmergButton(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled);

    void Configure(const ControlRecord& record) override;
    // Resolves and loads the picture ("Original Size" is an edit of the
    // record: WidgetFactory::NaturalSize).
    void SetImage(const std::string& name);
    void SetText(const std::string& text) { text_ = text; }
    void SetFunction(int function) { function_ = function; }
    void SetParameter(int parameter) { parameter_ = parameter; }
    int Function() const { return function_; }
    int Parameter() const { return parameter_; }
    const std::string& Text() const { return text_; }

    bool ImageLoaded() const { return imageLoaded_; }
    const QString& ImagePathName() const { return imagePath_; }
    const Vorn3Image& Image() const { return image_; }
    bool IsPressed() const { return pressed_; }

    void Paint(QPainter& p) override;
    int MousePress(QPoint local, Qt::KeyboardModifiers mods, int currentScreen) override;
    void MouseRelease(QPoint local) override;

protected:
    void Resized() override;

private:
    void PaintFrame(QPainter& p, const QRect& r) const;

    Vorn3Image image_;
    bool imageLoaded_ = false;
    QString imagePath_;
    QSize scaledSize_;
    std::string text_;
    int function_ = -1;
    int parameter_ = 0;
    bool pressed_ = false;
};

} // namespace tavlora
