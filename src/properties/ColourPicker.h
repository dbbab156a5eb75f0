#pragma once

#include "core/ColourSet.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QPushButton;

namespace tavlora {

class ColourButton;

// "Color Definitions": one colour button per colour of the set and the
// "Make these colour my startup defaults" box. A button click asks the colour
// pop-up and changes only that button. OK takes the buttons' colours and the
// box; Cancel or the close box leaves the set given and reports no defaults.
// The dialog changes nothing else: the caller applies the colours and writes
// the defaults.
class ColourPicker : public QDialog {
    Q_OBJECT
public:
    // Asks for a colour starting from the one given; nothing when cancelled.
    using ColourPopup = std::function<std::optional<QColor>(QColor)>;

    explicit ColourPicker(const ColourSet& colours, QWidget* parent = nullptr);

    // The set given, or after OK the colours of the buttons.
    ColourSet Colours() const { return colours_; }
    // The defaults box as OK read it; false unless the dialog ended with OK.
    bool MakeDefaults() const { return makeDefaults_; }

    // Replaces the colour pop-up (QColorDialog by default).
    void SetColourPopup(ColourPopup popup) { popup_ = std::move(popup); }

    // The colours in the order of the buttons: the left column top to bottom,
    // then the right column.
    static const std::array<ColourSet::Index, ColourSet::Count>& ButtonOrder();

    ColourButton* Button(ColourSet::Index index) const { return buttons_[index]; }
    QCheckBox* DefaultsBox() const { return defaults_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void accept() override;

private:
    void Pick(ColourSet::Index index);

    ColourSet colours_;
    bool makeDefaults_ = false;
    std::array<ColourButton*, ColourSet::Count> buttons_{};
    QCheckBox* defaults_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    ColourPopup popup_;
    QString popupTitle_;
};

} // namespace tavlora
