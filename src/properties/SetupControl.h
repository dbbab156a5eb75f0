#pragma once

#include "core/ControlForm.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavlora {

class PropertyServices;

// "Setup Control": the property sheet of one control, over a ControlForm. It
// shows the items the control's type uses, lists the type's catalog, and runs
// the image chooser and the hot-key capture through the services. OK checks
// the integer boxes ("Please enter an integer.") and leaves the result in
// Form(); Cancel leaves nothing.
class SetupControl : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kIntegerMessage = "Please enter an integer.";
    static constexpr const char* kBitmapsMessage = "Bitmaps must be in a Bitmaps folder or sub-folder";

    SetupControl(const ControlForm& form, PropertyServices& services, QWidget* parent = nullptr);

    // The bytes a screen set stores for a box's text (Windows-1252); false,
    // with the message shown, when a character cannot be stored.
    static bool StoredText(const QString& text, std::string& bytes, PropertyServices& services, QWidget* parent);

    const ControlForm& Form() const { return form_; }
    // False when the catalog could not be read (the message was shown).
    bool CatalogRead() const { return catalogRead_; }

    // The items, for tests and for the property panel's look.
    QComboBox* FunctionList() const { return functionList_; }
    QComboBox* LedList() const { return ledList_; }
    QRadioButton* KindButton(int kind) const { return kinds_[kind]; }
    QLineEdit* ImageBox() const { return imageBox_; }
    QPushButton* ImageButton() const { return imageButton_; }
    QLineEdit* OemBox() const { return oemBox_; }
    QLineEdit* GCodeBox() const { return gcodeBox_; }
    QLineEdit* HotKeyBox() const { return hotKeyBox_; }
    QLabel* HotKeyName() const { return hotKeyName_; }
    QLineEdit* TextBox() const { return textBox_; }
    QLineEdit* FormatBox() const { return formatBox_; }
    QLineEdit* TabGroupBox() const { return tabGroupBox_; }
    QLineEdit* LinesBox() const { return linesBox_; }
    QCheckBox* OriginalSize() const { return originalSize_; }
    QCheckBox* Turning() const { return turning_; }
    QCheckBox* AllScreens() const { return allScreens_; }
    QCheckBox* Locked() const { return locked_; }
    QCheckBox* Skinned() const { return skinned_; }
    QCheckBox* UseHotKey() const { return useHotKey_; }
    QDoubleSpinBox* SizeBox(int i) const { return sizes_[i]; } // width, height, left, top

public slots:
    void accept() override;

private:
    void Build();
    void FillCatalog();
    // Form values into the items, and the items back into the form.
    void Show();
    void ReadBack();
    void ApplyEnabling();
    void OnOemClicked();
    void OnFunctionChosen(int entry);
    void OnSkinnedClicked();
    void OnUseHotKeyClicked();
    void OnImageLocation();
    // The integer in a box, or nothing (the message shown, the box focused).
    bool IntegerIn(QLineEdit* box, int& value);

    ControlForm form_;
    PropertyServices& services_;
    bool catalogRead_ = true;
    bool showing_ = false;

    QPushButton* imageButton_ = nullptr;
    QLineEdit* imageBox_ = nullptr;
    QCheckBox* originalSize_ = nullptr;
    QButtonGroup* kindGroup_ = nullptr;
    QRadioButton* kinds_[4] = {};
    QComboBox* functionList_ = nullptr;
    QComboBox* ledList_ = nullptr;
    QLineEdit* oemBox_ = nullptr;
    QLineEdit* gcodeBox_ = nullptr;
    QCheckBox* turning_ = nullptr;
    QCheckBox* allScreens_ = nullptr;
    QCheckBox* locked_ = nullptr;
    QCheckBox* skinned_ = nullptr;
    QCheckBox* useHotKey_ = nullptr;
    QLineEdit* hotKeyBox_ = nullptr;
    QLabel* hotKeyName_ = nullptr;
    QLineEdit* textBox_ = nullptr;
    QLineEdit* formatBox_ = nullptr;
    QLineEdit* tabGroupBox_ = nullptr;
    QLineEdit* linesBox_ = nullptr;
    QDoubleSpinBox* sizes_[4] = {};
};

} // namespace tavlora
