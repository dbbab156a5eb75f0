#include "PropertyPanel.h"

#include "PropertyServices.h"
#include "SetupControl.h"

#include "core/ControlType.h"
#include "core/ControlTypes.h"
#include "core/HotKey.h"
#include "core/Windows1252.h"
#include "document/CTavloraDoc.h"
#include "editing/SetFieldsCommand.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>
#include <optional>

namespace tavlora {

namespace {

const char* const kShownProperty = "shownText";

QString Shown(const std::string& bytes)
{
    return QString::fromStdString(Windows1252::ToUtf8(bytes));
}

// The value every form has, or nothing when they differ (or there are none).
template <class T, class Get>
std::optional<T> Shared(const std::vector<ControlForm>& forms, Get get)
{
    if (forms.empty())
        return std::nullopt;
    const T first = get(forms.front());
    for (const ControlForm& f : forms) {
        if (!(get(f) == first))
            return std::nullopt;
    }
    return first;
}

void ShowText(QLineEdit* box, const std::optional<QString>& text, bool several)
{
    box->setText(text.value_or(QString()));
    box->setPlaceholderText(!text && several ? QObject::tr("(several values)") : QString());
    box->setProperty(kShownProperty, box->text());
}

void ShowCheck(QCheckBox* box, const std::optional<bool>& on)
{
    box->setTristate(!on.has_value());
    box->setCheckState(!on ? Qt::PartiallyChecked : *on ? Qt::Checked : Qt::Unchecked);
}

} // namespace

PropertyPanel::PropertyPanel(CTavloraDoc& doc, PropertyServices& services, QWidget* parent)
    : QDockWidget(tr("Properties"), parent), doc_(doc), services_(services)
{
    setObjectName(QStringLiteral("PropertyPanel"));
    Build();
    connect(&doc_, &CTavloraDoc::selectionChanged, this, &PropertyPanel::Refresh);
    connect(&doc_, &CTavloraDoc::controlsChanged, this, &PropertyPanel::Refresh);
    connect(&doc_, &CTavloraDoc::controlsRemoved, this, &PropertyPanel::Refresh);
    connect(&doc_, &CTavloraDoc::controlsInserted, this, &PropertyPanel::Refresh);
    connect(&doc_, &CTavloraDoc::documentReset, this, &PropertyPanel::Refresh);
    connect(&doc_.Catalogs(), &FunctionCatalogs::changed, this, &PropertyPanel::Refresh);
    Refresh();
}

void PropertyPanel::Build()
{
    auto* body = new QWidget;
    auto* form = new QFormLayout(body);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    heading_ = new QLabel(body);
    heading_->setObjectName(QStringLiteral("PropertyHeading"));
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    form->addRow(heading_);

    kind_ = new QComboBox(body);
    for (const char* k : {"System Function", "OEM Code Function", "G-Code Function", "VB Script function edited in Vorn3"})
        kind_->addItem(QString::fromLatin1(k));
    function_ = new QComboBox(body);
    function_->setMaxVisibleItems(20);
    function_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    function_->setMinimumContentsLength(10);
    oem_ = new QLineEdit(body);
    gcode_ = new QLineEdit(body);
    text_ = new QLineEdit(body);
    format_ = new QLineEdit(body);
    tabGroup_ = new QLineEdit(body);
    lines_ = new QLineEdit(body);
    hotKey_ = new QLineEdit(body);
    hotKey_->setReadOnly(true);
    hotKeyButton_ = new QPushButton(tr("Set..."), body);
    clearHotKey_ = new QPushButton(tr("Clear"), body);
    image_ = new QLineEdit(body);
    imageButton_ = new QPushButton(QStringLiteral("..."), body);
    imageButton_->setToolTip(QStringLiteral("Image Location"));
    led_ = new QComboBox(body);
    for (const char* choice : ControlForm::kLedChoices)
        led_->addItem(QString::fromLatin1(choice));
    skinned_ = new QCheckBox(QStringLiteral("Skined"), body);
    allScreens_ = new QCheckBox(QStringLiteral("Displays on all Screens"), body);
    locked_ = new QCheckBox(QStringLiteral("Locked in Place"), body);
    const char* geometry[4] = {"x", "y", "width", "height"};
    for (int i = 0; i < 4; ++i) {
        geometry_[i] = new QSpinBox(body);
        geometry_[i]->setRange(INT_MIN, INT_MAX);
        geometry_[i]->setSpecialValueText(QStringLiteral(" "));
        geometry_[i]->setKeyboardTracking(false);
        geometry_[i]->setObjectName(QString::fromLatin1(geometry[i]));

    }

    auto row = [body](QWidget* a, QWidget* b, QWidget* c = nullptr) {
        auto* w = new QWidget(body);
        auto* h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(a, 1);
        h->addWidget(b);
        if (c)
            h->addWidget(c);
        return w;
    };
    form->addRow(tr("Function"), kind_);
    form->addRow(QString(), function_);
    form->addRow(tr("OEM code"), oem_);
    form->addRow(tr("G-code"), gcode_);
    form->addRow(QStringLiteral("Button/Label Text"), text_);
    form->addRow(QStringLiteral("Format String"), format_);
    form->addRow(QStringLiteral("Tab Group"), tabGroup_);
    form->addRow(QStringLiteral("# of lines"), lines_);
    // The hot key's text takes the panel's whole width.
    form->addRow(new QLabel(tr("Hot key"), body));
    form->addRow(hotKey_);
    form->addRow(row(hotKeyButton_, clearHotKey_));
    form->addRow(tr("Image"), row(image_, imageButton_));
    form->addRow(tr("LED colour"), led_);
    form->addRow(skinned_);
    form->addRow(allScreens_);
    form->addRow(locked_);
    for (int i = 0; i < 4; ++i)
        form->addRow(QString::fromLatin1(geometry[i]), geometry_[i]);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(body);
    setWidget(scroll);

    for (QLineEdit* box : body->findChildren<QLineEdit*>())
        box->installEventFilter(this);
    CommitText(gcode_, &ControlForm::gcode);
    CommitText(text_, &ControlForm::text);
    CommitText(format_, &ControlForm::format);
    CommitText(image_, &ControlForm::image);
    CommitInteger(oem_, &ControlForm::oemCode);
    CommitInteger(tabGroup_, &ControlForm::tabGroup);
    CommitInteger(lines_, &ControlForm::lines);
    connect(kind_, &QComboBox::activated, this, [this](int kind) {
        Apply([kind](ControlForm& f) {
            if (kind == ControlForm::OemFunction)
                f.ChooseOem();
            else
                f.kind = kind;
        });
    });
    connect(function_, &QComboBox::activated, this, [this](int entry) {
        Apply([entry](ControlForm& f) { f.ChooseFunction(entry); });
    });
    connect(led_, &QComboBox::activated, this, [this](int choice) {
        Apply([choice](ControlForm& f) { f.ledChoice = choice; });
    });
    const std::pair<QCheckBox*, bool ControlForm::*> checks[] = {
        {skinned_, &ControlForm::skinned}, {allScreens_, &ControlForm::allScreens}, {locked_, &ControlForm::locked}};
    for (const auto& [box, field] : checks) {
        connect(box, &QCheckBox::clicked, this, [this, box = box, field = field] {
            const bool on = box->checkState() != Qt::Unchecked;
            Apply([field, on](ControlForm& f) { f.*field = on; });
        });
    }
    double ControlForm::*const fields[4] = {&ControlForm::left, &ControlForm::top, &ControlForm::width,
                                           &ControlForm::height};
    for (int i = 0; i < 4; ++i) {
        connect(geometry_[i], &QSpinBox::editingFinished, this, [this, i, field = fields[i]] {
            if (refreshing_ || geometry_[i]->text().trimmed().isEmpty())
                return;
            const double v = geometry_[i]->value();
            Apply([field, v](ControlForm& f) { f.*field = v; });
        });
    }
    connect(hotKeyButton_, &QPushButton::clicked, this, [this] {
        const int code = services_.CaptureHotKey(this);
        Apply([code](ControlForm& f) {
            f.useHotKey = code != 0;
            f.hotKey = code;
        });
        // The same check as after Setup Control.
        for (const ControlRecord* rec : Selected()) {
            if (const ControlRecord* duplicate = HotKey::FindDuplicate(doc_.Set(), *rec, doc_.CurrentScreen())) {
                services_.Message(this, QString::fromStdString(HotKey::DuplicateMessage(*duplicate)), false);
                break;
            }
        }
    });
    connect(clearHotKey_, &QPushButton::clicked, this, [this] {
        Apply([](ControlForm& f) { f.useHotKey = false; });
    });
    connect(imageButton_, &QPushButton::clicked, this, [this] {
        const PropertyServices::ImageChoice choice = services_.ChooseImage(this);
        if (choice.result == PropertyServices::ImageChoice::Refused)
            services_.Message(this, QString::fromLatin1(SetupControl::kBitmapsMessage), true);
        else if (choice.result == PropertyServices::ImageChoice::Chosen)
            Apply([name = choice.name](ControlForm& f) { f.image = name; });
    });
}

bool PropertyPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (box && !box->isModified() && (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))) {
            event->ignore();
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void PropertyPanel::CommitText(QLineEdit* box, std::string ControlForm::*field)
{
    connect(box, &QLineEdit::editingFinished, this, [this, box, field] {
        if (refreshing_ || box->text() == box->property(kShownProperty).toString())
            return;
        std::string bytes;
        if (!SetupControl::StoredText(box->text(), bytes, services_, this)) {
            Refresh();
            return;
        }
        Apply([field, bytes](ControlForm& f) { f.*field = bytes; });
    });
}

void PropertyPanel::CommitInteger(QLineEdit* box, int ControlForm::*field)
{
    connect(box, &QLineEdit::editingFinished, this, [this, box, field] {
        if (refreshing_ || box->text() == box->property(kShownProperty).toString())
            return;
        bool ok = false;
        const int v = box->text().trimmed().toInt(&ok);
        if (!ok) {
            services_.Message(this, QString::fromLatin1(SetupControl::kIntegerMessage), false);
            Refresh();
            return;
        }
        Apply([field, v](ControlForm& f) { f.*field = v; });
    });
}

std::vector<const ControlRecord*> PropertyPanel::Selected() const
{
    return doc_.CurrentSelection().Records();
}

const std::vector<std::string>* PropertyPanel::CatalogFor(int type) const
{
    if (ControlForm::OemEntry(type) < 0)
        return nullptr;
    return doc_.Catalogs().Entries(type);
}

void PropertyPanel::Apply(const std::function<void(ControlForm&)>& change)
{
    if (refreshing_)
        return;
    // Only what the edit changes is written: the form's take-back alone
    // would rewrite fields the edit did not touch (a DRO's label from its text).
    std::vector<ControlEdits::FieldsSwap> swaps;
    for (const ControlRecord* rec : Selected()) {
        ControlForm form = ControlForm::FromRecord(*rec);
        const ControlRecord before = form.Apply(*rec, doc_.CurrentScreen());
        change(form);
        ControlRecord fields(*rec);
        fields.TakeChanges(before, form.Apply(*rec, doc_.CurrentScreen()));
        if (!fields.SameStoredFields(*rec))
            swaps.push_back({rec, std::move(fields)});
    }
    if (!swaps.empty())
        doc_.UndoStack().push(new SetFieldsCommand(doc_, tr("Properties"), std::move(swaps)));
    else
        Refresh();
}

void PropertyPanel::Refresh()
{
    refreshing_ = true;
    const std::vector<const ControlRecord*> records = Selected();
    forms_.clear();
    for (const ControlRecord* rec : records)
        forms_.push_back(ControlForm::FromRecord(*rec));

    if (forms_.empty()) {
        heading_->setText(tr("No control selected"));
    } else if (forms_.size() == 1) {
        const std::string_view title = ControlTypes::Title(forms_.front().type);
        heading_->setText(title.empty() ? tr("Control of type %1").arg(forms_.front().type)
                                        : QString::fromLatin1(title.data(), qsizetype(title.size())).trimmed());
    } else {
        heading_->setText(tr("%1 controls").arg(forms_.size()));
    }

    const bool several = forms_.size() > 1;
    auto enabled = [this](ControlForm::Item item) {
        if (forms_.empty())
            return false;
        for (const ControlForm& f : forms_) {
            if (!ControlForm::Enabled(item, f.type, f.skinned))
                return false;
        }
        return true;
    };
    auto text = [this](std::string ControlForm::*field) -> std::optional<QString> {
        const auto v = Shared<std::string>(forms_, [field](const ControlForm& f) { return f.*field; });
        return v ? std::optional<QString>(Shown(*v)) : std::nullopt;
    };
    auto number = [this](int ControlForm::*field) -> std::optional<QString> {
        const auto v = Shared<int>(forms_, [field](const ControlForm& f) { return f.*field; });
        return v ? std::optional<QString>(QString::number(*v)) : std::nullopt;
    };

    const auto kind = Shared<int>(forms_, [](const ControlForm& f) { return f.kind; });
    kind_->setCurrentIndex(kind.value_or(-1));
    kind_->setEnabled(enabled(ControlForm::SystemAndOem));

    // The function list needs one type with a catalog.
    const auto type = Shared<int>(forms_, [](const ControlForm& f) { return f.type; });
    const std::vector<std::string>* catalog = type ? CatalogFor(*type) : nullptr;
    function_->clear();
    if (catalog) {
        for (const std::string& line : *catalog)
            function_->addItem(Shown(line));
        const auto fn = Shared<int>(forms_, [](const ControlForm& f) { return f.function; });
        function_->setCurrentIndex(fn && *fn >= 0 && size_t(*fn) < catalog->size() ? *fn : -1);
    }
    function_->setEnabled(catalog && enabled(ControlForm::SystemAndOem));

    ShowText(oem_, number(&ControlForm::oemCode), several);
    oem_->setEnabled(enabled(ControlForm::SystemAndOem));
    ShowText(gcode_, text(&ControlForm::gcode), several);
    gcode_->setEnabled(enabled(ControlForm::GCodeAndScript));
    ShowText(text_, text(&ControlForm::text), several);
    text_->setEnabled(enabled(ControlForm::TextBox));
    ShowText(format_, text(&ControlForm::format), several);
    format_->setEnabled(enabled(ControlForm::FormatBox));
    ShowText(tabGroup_, number(&ControlForm::tabGroup), several);
    tabGroup_->setEnabled(enabled(ControlForm::TabGroupBox));
    ShowText(lines_, number(&ControlForm::lines), several);
    lines_->setEnabled(enabled(ControlForm::LinesBox));

    const auto hotKey = Shared<int>(forms_, [](const ControlForm& f) { return f.useHotKey ? f.hotKey : 0; });
    ShowText(hotKey_, hotKey ? std::optional<QString>(!HotKey::IsSet(*hotKey) ? QString()
                                                                    : QStringLiteral("%1  (%2)")
                                                                          .arg(*hotKey)
                                                                          .arg(QString::fromStdString(HotKey::Name(*hotKey))))
                             : std::nullopt, several);
    for (QWidget* w : {static_cast<QWidget*>(hotKey_), static_cast<QWidget*>(hotKeyButton_),
                       static_cast<QWidget*>(clearHotKey_)})
        w->setEnabled(enabled(ControlForm::HotKeyItems));

    ShowText(image_, text(&ControlForm::image), several);
    image_->setEnabled(enabled(ControlForm::ImageItems));
    imageButton_->setEnabled(enabled(ControlForm::ImageItems));

    const auto led = Shared<int>(forms_, [](const ControlForm& f) { return f.ledChoice; });
    led_->setCurrentIndex(led.value_or(-1));
    led_->setEnabled(enabled(ControlForm::LedColourList));

    ShowCheck(skinned_, Shared<bool>(forms_, [](const ControlForm& f) { return f.skinned; }));
    skinned_->setEnabled(enabled(ControlForm::SkinnedBox));
    ShowCheck(allScreens_, Shared<bool>(forms_, [](const ControlForm& f) { return f.allScreens; }));
    ShowCheck(locked_, Shared<bool>(forms_, [](const ControlForm& f) { return f.locked; }));
    allScreens_->setEnabled(enabled(ControlForm::ScreenAndLock));
    locked_->setEnabled(enabled(ControlForm::ScreenAndLock));

    double ControlForm::*const fields[4] = {&ControlForm::left, &ControlForm::top, &ControlForm::width,
                                           &ControlForm::height};
    for (int i = 0; i < 4; ++i) {
        const auto v = Shared<double>(forms_, [field = fields[i]](const ControlForm& f) { return f.*field; });
        // The minimum shows as blank: values that differ.
        geometry_[i]->setValue(v ? int(*v) : geometry_[i]->minimum());
        geometry_[i]->setEnabled(!forms_.empty());
    }
    refreshing_ = false;
}

} // namespace tavlora
