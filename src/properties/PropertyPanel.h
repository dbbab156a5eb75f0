#pragma once

#include "core/ControlForm.h"

#include <QDockWidget>
#include <QHash>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tavlora {

class CTavloraDoc;
class ControlRecord;
class PropertyServices;

// The docked "Properties" panel: the selected controls' properties, live. It
// shows the fields of the property form that the selection's types use, blank
// where the selected controls differ; an edit (Enter, focus leaving, a choice)
// applies to every selected control through the form's own take-back, as one
// undo step. It follows the document's signals, so moves, nudges and undo show
// at once.
class PropertyPanel : public QDockWidget {
    Q_OBJECT
public:
    PropertyPanel(CTavloraDoc& doc, PropertyServices& services, QWidget* parent = nullptr);

    // The items, for tests.
    QLabel* Heading() const { return heading_; }
    QComboBox* KindBox() const { return kind_; }
    QComboBox* FunctionBox() const { return function_; }
    QLineEdit* OemBox() const { return oem_; }
    QLineEdit* GCodeBox() const { return gcode_; }
    QLineEdit* TextBox() const { return text_; }
    QLineEdit* FormatBox() const { return format_; }
    QLineEdit* TabGroupBox() const { return tabGroup_; }
    QLineEdit* LinesBox() const { return lines_; }
    QLineEdit* HotKeyBox() const { return hotKey_; }
    QPushButton* HotKeyButton() const { return hotKeyButton_; }
    QPushButton* ClearHotKeyButton() const { return clearHotKey_; }
    QLineEdit* ImageBox() const { return image_; }
    QPushButton* ImageButton() const { return imageButton_; }
    QComboBox* LedBox() const { return led_; }
    QCheckBox* SkinnedBox() const { return skinned_; }
    QCheckBox* AllScreensBox() const { return allScreens_; }
    QCheckBox* LockedBox() const { return locked_; }
    QSpinBox* GeometryBox(int i) const { return geometry_[i]; } // x, y, width, height

    // Sets one field of every selected control's form and applies them.
    void Apply(const std::function<void(ControlForm&)>& change);

public slots:
    void Refresh();

protected:
    // Undo and Redo in a field that holds what it shows are the document's.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    const std::vector<std::string>* CatalogFor(int type) const;
    std::vector<const ControlRecord*> Selected() const;
    void CommitText(QLineEdit* box, std::string ControlForm::*field);
    void CommitInteger(QLineEdit* box, int ControlForm::*field);

    CTavloraDoc& doc_;
    PropertyServices& services_;
    std::vector<ControlForm> forms_;

    bool refreshing_ = false;

    QLabel* heading_ = nullptr;
    QComboBox* kind_ = nullptr;
    QComboBox* function_ = nullptr;
    QLineEdit* oem_ = nullptr;
    QLineEdit* gcode_ = nullptr;
    QLineEdit* text_ = nullptr;
    QLineEdit* format_ = nullptr;
    QLineEdit* tabGroup_ = nullptr;
    QLineEdit* lines_ = nullptr;
    QLineEdit* hotKey_ = nullptr;
    QPushButton* hotKeyButton_ = nullptr;
    QPushButton* clearHotKey_ = nullptr;
    QLineEdit* image_ = nullptr;
    QPushButton* imageButton_ = nullptr;
    QComboBox* led_ = nullptr;
    QCheckBox* skinned_ = nullptr;
    QCheckBox* allScreens_ = nullptr;
    QCheckBox* locked_ = nullptr;
    QSpinBox* geometry_[4] = {};
};

} // namespace tavlora
