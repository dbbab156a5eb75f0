#include "SetupControl.h"

#include "PropertyServices.h"

#include "core/ControlType.h"
#include "core/ControlTypes.h"
#include "core/HotKey.h"
#include "core/Windows1252.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cfloat>
#include <climits>

namespace tavlora {

namespace {

QString Shown(const std::string& bytes)
{
    return QString::fromStdString(Windows1252::ToUtf8(bytes));
}

QDoubleSpinBox* MakeSizeBox(const QString& prefix, const QString& suffix, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setDecimals(4);
    box->setRange(-double(INT_MAX), double(INT_MAX));
    box->setPrefix(prefix);
    box->setSuffix(suffix);
    box->setGroupSeparatorShown(false);
    box->setMinimumWidth(190);
    return box;
}

QLineEdit* Box(QWidget* parent, int width = 0)
{
    auto* box = new QLineEdit(parent);
    if (width > 0)
        box->setMaximumWidth(width);
    return box;
}

} // namespace

SetupControl::SetupControl(const ControlForm& form, PropertyServices& services, QWidget* parent)
    : QDialog(parent), form_(form), services_(services)
{
    setWindowTitle(QStringLiteral("Setup Control"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Build();
    Show();
    ApplyEnabling();
    FillCatalog();
    Show();
}

void SetupControl::Build()
{
    imageButton_ = new QPushButton(QStringLiteral("Image Location"), this);
    imageBox_ = Box(this);
    originalSize_ = new QCheckBox(QStringLiteral("Original Size"), this);

    auto* function = new QGroupBox(QStringLiteral("Function"), this);
    kindGroup_ = new QButtonGroup(this);
    const char* kindTexts[4] = {"System Function", "OEM Code Function", "G-Code Function",
                                "VB Script function edited in Vorn3"};
    for (int k = 0; k < 4; ++k) {
        kinds_[k] = new QRadioButton(QString::fromLatin1(kindTexts[k]), function);
        kindGroup_->addButton(kinds_[k], k);
    }
    functionList_ = new QComboBox(function);
    functionList_->setMaxVisibleItems(20);
    functionList_->setMinimumWidth(180);
    ledList_ = new QComboBox(function);
    for (const char* choice : ControlForm::kLedChoices)
        ledList_->addItem(QString::fromLatin1(choice));
    oemBox_ = Box(function);
    gcodeBox_ = Box(function);
    auto* functionGrid = new QGridLayout(function);
    functionGrid->addWidget(kinds_[0], 0, 0);
    functionGrid->addWidget(functionList_, 0, 1);
    functionGrid->addWidget(ledList_, 0, 2);
    functionGrid->addWidget(kinds_[1], 1, 0);
    functionGrid->addWidget(oemBox_, 1, 1);
    functionGrid->addWidget(kinds_[2], 2, 0);
    functionGrid->addWidget(gcodeBox_, 2, 1);
    functionGrid->addWidget(kinds_[3], 3, 0, 1, 3);

    turning_ = new QCheckBox(QStringLiteral("Turning Control"), this);
    allScreens_ = new QCheckBox(QStringLiteral("Displays on all Screens"), this);
    locked_ = new QCheckBox(QStringLiteral("Locked in Place"), this);
    skinned_ = new QCheckBox(QStringLiteral("Skined"), this);
    useHotKey_ = new QCheckBox(QStringLiteral("Use Hot Key"), this);
    hotKeyBox_ = Box(this, 90);
    hotKeyBox_->setReadOnly(true);
    hotKeyName_ = new QLabel(this);
    hotKeyName_->setObjectName(QStringLiteral("HotKeyName"));

    textBox_ = Box(this);
    formatBox_ = Box(this, 110);
    tabGroupBox_ = Box(this, 110);
    linesBox_ = Box(this, 110);

    auto* size = new QGroupBox(QStringLiteral("Size information"), this);
    sizes_[0] = MakeSizeBox(QStringLiteral("Width : "), QStringLiteral(" Pixels"), size);
    sizes_[1] = MakeSizeBox(QStringLiteral("Height : "), QStringLiteral(" Pixels"), size);
    sizes_[2] = MakeSizeBox(QStringLiteral("Top Corner X : "), QStringLiteral(" "), size);
    sizes_[3] = MakeSizeBox(QStringLiteral("Top corner Y : "), QStringLiteral(" "), size);
    auto* sizeGrid = new QGridLayout(size);
    sizeGrid->addWidget(sizes_[0], 0, 0);
    sizeGrid->addWidget(sizes_[2], 0, 1);
    sizeGrid->addWidget(sizes_[1], 1, 0);
    sizeGrid->addWidget(sizes_[3], 1, 1);

    auto* image = new QHBoxLayout;
    image->addWidget(imageButton_);
    image->addWidget(imageBox_, 1);
    auto* checks = new QHBoxLayout;
    checks->addWidget(turning_);
    checks->addWidget(allScreens_);
    checks->addWidget(locked_);
    checks->addWidget(skinned_);
    checks->addStretch();
    auto* hotKey = new QHBoxLayout;
    hotKey->addWidget(useHotKey_);
    hotKey->addWidget(hotKeyBox_);
    hotKey->addWidget(hotKeyName_, 1);

    auto* fields = new QGridLayout;
    const std::pair<const char*, QLineEdit*> labelled[] = {
        {"Button/Label Text", textBox_}, {"Format String", formatBox_}, {"Tab Group", tabGroupBox_},
        {"# of lines", linesBox_}};
    int row = 0;
    for (const auto& [text, box] : labelled) {
        fields->addWidget(new QLabel(QString::fromLatin1(text), this), row, 0);
        fields->addWidget(box, row, 1);
        ++row;
    }
    auto* lower = new QHBoxLayout;
    lower->addLayout(fields, 1);
    lower->addWidget(size);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(image);
    layout->addWidget(originalSize_, 0, Qt::AlignLeft);
    layout->addWidget(function);
    layout->addLayout(checks);
    layout->addLayout(hotKey);
    layout->addLayout(lower);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &SetupControl::accept);
    connect(cancel, &QPushButton::clicked, this, &SetupControl::reject);
    connect(kinds_[ControlForm::OemFunction], &QRadioButton::clicked, this, &SetupControl::OnOemClicked);
    connect(functionList_, &QComboBox::activated, this, &SetupControl::OnFunctionChosen);
    connect(skinned_, &QCheckBox::clicked, this, &SetupControl::OnSkinnedClicked);
    connect(useHotKey_, &QCheckBox::clicked, this, &SetupControl::OnUseHotKeyClicked);
    connect(imageButton_, &QPushButton::clicked, this, &SetupControl::OnImageLocation);
}

void SetupControl::FillCatalog()
{
    functionList_->clear();
    const std::optional<std::vector<std::string>> lines = services_.Catalog(form_.type);
    if (!lines) {
        catalogRead_ = false;
        services_.Message(this, QStringLiteral("Text file for Function calls missing.. Please reinstall.."), false);
        // The list stays empty; OK keeps the function number.
        return;
    }
    for (const std::string& line : *lines)
        functionList_->addItem(Shown(line));
    form_.ListFilled(lines->size());
}

void SetupControl::Show()
{
    showing_ = true;
    imageBox_->setText(Shown(form_.image));
    originalSize_->setChecked(form_.keepImageSize);
    if (form_.kind >= 0 && form_.kind < 4)
        kinds_[form_.kind]->setChecked(true);
    if (catalogRead_)
        functionList_->setCurrentIndex(form_.function < functionList_->count() ? form_.function : -1);
    ledList_->setCurrentIndex(form_.ledChoice >= 0 && form_.ledChoice < 8 ? form_.ledChoice : -1);
    oemBox_->setText(QString::number(form_.oemCode));
    gcodeBox_->setText(Shown(form_.gcode));
    turning_->setChecked(form_.turning);
    allScreens_->setChecked(form_.allScreens);
    locked_->setChecked(form_.locked);
    skinned_->setChecked(form_.skinned);
    useHotKey_->setChecked(form_.useHotKey);
    const bool hasHotKey = HotKey::IsSet(form_.hotKey);
    hotKeyBox_->setText(QString::number(hasHotKey ? form_.hotKey : 0));
    hotKeyName_->setText(hasHotKey ? QString::fromStdString(HotKey::Name(form_.hotKey)) : QString());
    textBox_->setText(Shown(form_.text));
    formatBox_->setText(Shown(form_.format));
    tabGroupBox_->setText(QString::number(form_.tabGroup));
    linesBox_->setText(QString::number(form_.lines));
    const double sizes[4] = {form_.width, form_.height, form_.left, form_.top};
    for (int i = 0; i < 4; ++i)
        sizes_[i]->setValue(sizes[i]);
    showing_ = false;
}

void SetupControl::ReadBack()
{
    auto bytes = [](QLineEdit* box, std::string& field) {
        std::string out;
        if (Windows1252::FromUtf8(box->text().toStdString(), out))
            field = std::move(out);
    };
    auto integer = [](QLineEdit* box, int& field) {
        bool ok = false;
        const int v = box->text().trimmed().toInt(&ok);
        if (ok)
            field = v;
    };
    bytes(imageBox_, form_.image);
    form_.keepImageSize = originalSize_->isChecked();
    form_.kind = kindGroup_->checkedId() >= 0 ? kindGroup_->checkedId() : form_.kind;
    // A number the list does not show stays unless an entry is picked.
    if (catalogRead_ && functionList_->currentIndex() >= 0)
        form_.function = functionList_->currentIndex();
    form_.ledChoice = ledList_->currentIndex();
    integer(oemBox_, form_.oemCode);
    bytes(gcodeBox_, form_.gcode);
    form_.turning = turning_->isChecked();
    form_.allScreens = allScreens_->isChecked();
    form_.locked = locked_->isChecked();
    form_.skinned = skinned_->isChecked();
    form_.useHotKey = useHotKey_->isChecked();
    bytes(textBox_, form_.text);
    bytes(formatBox_, form_.format);
    integer(tabGroupBox_, form_.tabGroup);
    integer(linesBox_, form_.lines);
    form_.width = sizes_[0]->value();
    form_.height = sizes_[1]->value();
    form_.left = sizes_[2]->value();
    form_.top = sizes_[3]->value();
}

void SetupControl::ApplyEnabling()
{
    const int type = form_.type;
    const std::string_view title = ControlTypes::Title(type);
    const bool known = !title.empty();
    if (known)
        setWindowTitle(QString::fromLatin1(title.data(), qsizetype(title.size())));
    auto enable = [&](ControlForm::Item item, std::initializer_list<QWidget*> widgets) {
        const bool on = ControlForm::Enabled(item, type, form_.skinned);
        for (QWidget* w : widgets)
            w->setEnabled(on);
    };
    enable(ControlForm::SkinnedBox, {skinned_});
    enable(ControlForm::SystemAndOem, {kinds_[0], kinds_[1], functionList_, oemBox_});
    enable(ControlForm::GCodeAndScript, {kinds_[2], kinds_[3], gcodeBox_});
    enable(ControlForm::HotKeyItems, {useHotKey_, hotKeyBox_});
    enable(ControlForm::TextBox, {textBox_});
    enable(ControlForm::FormatBox, {formatBox_});
    enable(ControlForm::TabGroupBox, {tabGroupBox_});
    enable(ControlForm::LinesBox, {linesBox_});
    enable(ControlForm::ImageItems, {imageBox_, imageButton_});
    enable(ControlForm::LedColourList, {ledList_});
    enable(ControlForm::TurningBox, {turning_});
    enable(ControlForm::ScreenAndLock, {allScreens_, locked_});
}

void SetupControl::OnOemClicked()
{
    ReadBack();
    form_.ChooseOem();
    Show();
}

void SetupControl::OnFunctionChosen(int entry)
{
    // What was typed elsewhere is kept: read back before the items are refreshed.
    ReadBack();
    form_.ChooseFunction(entry);
    Show();
}

void SetupControl::OnSkinnedClicked()
{
    ReadBack();
    if (form_.type == TypeDro)
        ApplyEnabling();
}

void SetupControl::OnUseHotKeyClicked()
{
    ReadBack();
    if (!form_.useHotKey)
        return;
    form_.hotKey = services_.CaptureHotKey(this);
    Show();
}

void SetupControl::OnImageLocation()
{
    ReadBack();
    const PropertyServices::ImageChoice choice = services_.ChooseImage(this);
    if (choice.result == PropertyServices::ImageChoice::Cancelled)
        return;
    if (choice.result == PropertyServices::ImageChoice::Refused) {
        services_.Message(this, QString::fromLatin1(kBitmapsMessage), true);
        form_.image.clear();
    } else {
        form_.image = choice.name;
    }
    Show();
}

bool SetupControl::IntegerIn(QLineEdit* box, int& value)
{
    bool ok = false;
    const int v = box->text().trimmed().toInt(&ok);
    if (!ok) {
        services_.Message(this, QString::fromLatin1(kIntegerMessage), false);
        box->setFocus();
        box->selectAll();
        return false;
    }
    value = v;
    return true;
}

bool SetupControl::StoredText(const QString& text, std::string& bytes, PropertyServices& services, QWidget* parent)
{
    char32_t bad = 0;
    if (Windows1252::FromUtf16(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()), bytes, &bad))
        return true;
    services.Message(parent,
                     tr("The character U+%1 cannot be stored in a screen set.")
                         .arg(QString::number(uint(bad), 16).toUpper().rightJustified(4, QLatin1Char('0'))),
                     false);
    return false;
}

void SetupControl::accept()
{
    ReadBack();
    for (QLineEdit* box : {textBox_, formatBox_, gcodeBox_, imageBox_}) {
        std::string bytes;
        if (!StoredText(box->text(), bytes, services_, this)) {
            box->setFocus();
            return;
        }
    }
    if (!IntegerIn(oemBox_, form_.oemCode) || !IntegerIn(tabGroupBox_, form_.tabGroup)
        || !IntegerIn(linesBox_, form_.lines))
        return;
    QDialog::accept();
}

} // namespace tavlora
