#include "PreviewWindow.h"

#include "PreviewEventList.h"
#include "PreviewScreen.h"
#include "PreviewSignalList.h"
#include "PreviewValueList.h"

#include "core/ControlType.h"
#include "core/HotKey.h"
#include "core/HtmlPages.h"
#include "core/PreviewRules.h"
#include "core/ScreenSet.h"
#include "document/CTavloraDoc.h"
#include "document/DocumentFile.h"
#include "properties/VirtualKey.h"
#include "widgets/CGodeList.h"
#include "widgets/DRO.h"
#include "widgets/LED.h"
#include "widgets/MDI.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace tavlora {

namespace {

// The lists beside the screen and the events beneath it get at least this
// much room, at most the larger sizes.
constexpr int kSideWidth = 240;
constexpr int kWideSide = 360;
constexpr int kEventsHeight = 120;
constexpr int kTallEvents = 240;
// Room for a window manager's title bar and frame.
constexpr int kFrameAllowance = 40;

QGroupBox* Group(const QString& title, QWidget* content, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(content);
    return box;
}

bool IsTextEditor(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
        || qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

bool IsModifierKey(int key)
{
    return key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr || key == 0 || key == Qt::Key_unknown;
}

QString Utf8(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

PreviewWindow::PreviewWindow(CTavloraDoc& doc, DocumentFile& file, QWidget* parent)
    : QMainWindow(parent, Qt::Window), doc_(doc), file_(file), screens_(doc.CurrentScreen())
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    CreateLayout();
    CreateActions();
    FollowDocument();
    UpdateTitle();
    screen_->SetDesignSize(doc_.ScreenSize());
    UpdateLists();
    ShowShown();

    flash_.setInterval(kFlashIntervalMs);
    connect(&flash_, &QTimer::timeout, this, [this] {
        flashPhase_ = !flashPhase_;
        ApplyState();
    });
    flash_.start();
    qApp->installEventFilter(this);
    FitToMonitor();
    screen_->setFocus(Qt::OtherFocusReason);
}

PreviewWindow::~PreviewWindow()
{
    qApp->removeEventFilter(this);
}

void PreviewWindow::FitToMonitor()
{
    // The screen at its size when the monitor has the room for it and the
    // lists, else scaled down.
    const QSize design = doc_.ScreenSize();
    QSize room = QSize(design.width() + kWideSide, design.height() + kTallEvents);
    if (QScreen* monitor = screen())
        room = monitor->availableGeometry().size() - QSize(0, kFrameAllowance);
    const int handle = split_->handleWidth();
    const int bars = toolBar_->sizeHint().height() + statusBar()->sizeHint().height() + handle;
    const int side = std::clamp(room.width() - design.width() - handle, kSideWidth, kWideSide);
    const int events = std::clamp(room.height() - design.height() - bars, kEventsHeight, kTallEvents);
    const QSize want(std::min(room.width(), design.width() + handle + side),
                     std::min(room.height(), design.height() + bars + events));
    resize(want);
    split_->setSizes({want.width() - handle - side, side});
    left_->setSizes({want.height() - bars - events, events});
}

void PreviewWindow::CreateLayout()
{
    // The screen with the events beneath it, the signals and values beside.
    split_ = new QSplitter(Qt::Horizontal, this);
    left_ = new QSplitter(Qt::Vertical, split_);
    screen_ = new PreviewScreen(doc_.Set(), left_);
    events_ = new PreviewEventList(left_);
    left_->addWidget(screen_);
    left_->addWidget(Group(tr("Events"), events_, left_));
    left_->setStretchFactor(0, 1);
    left_->setStretchFactor(1, 0);
    auto* side = new QSplitter(Qt::Vertical, split_);
    signalList_ = new PreviewSignalList(side);
    valueList_ = new PreviewValueList(side);
    side->addWidget(Group(tr("Signals"), signalList_, side));
    side->addWidget(Group(tr("Values"), valueList_, side));
    split_->addWidget(left_);
    split_->addWidget(side);
    split_->setStretchFactor(0, 1);
    split_->setStretchFactor(1, 0);
    setCentralWidget(split_);

    screenLabel_ = new QLabel(this);
    screenLabel_->setObjectName(QStringLiteral("PreviewScreenLabel"));
    statusBar()->addPermanentWidget(screenLabel_);
    statusBar()->showMessage(tr("Click buttons or press their hot keys; Ctrl+W ends the preview"));

    connect(screen_, &PreviewScreen::released, this, [this](const ControlRecord* record) { Run(*record); });
    connect(screen_, &PreviewScreen::clicked, this, &PreviewWindow::Clicked);
    connect(signalList_, &PreviewSignalList::switched, this, [this](int row, bool on) {
        if (size_t(row) < leds_.size())
            signals_.SetOn(leds_[size_t(row)], on);
        ApplyState();
    });
    connect(valueList_, &PreviewValueList::edited, this, [this](int row, double value) {
        if (size_t(row) < dros_.size())
            signals_.SetValue(dros_[size_t(row)], value);
        else if (hasGCodeList_)
            signals_.SetGCodeLine(int(std::clamp(value, 1.0, 1e6)) - 1);
        UpdateValues();
        ApplyState();
    });
}

void PreviewWindow::CreateActions()
{
    QToolBar* bar = addToolBar(tr("Preview"));
    toolBar_ = bar;
    bar->setObjectName(QStringLiteral("PreviewToolBar"));
    bar->setMovable(false);
    tabAction_ = bar->addAction(QIcon(QStringLiteral(":/tavlora/icons/tab.svg")), tr("TAB Screen"));
    tabAction_->setObjectName(QStringLiteral("ID_PREVIEW_TAB"));
    tabAction_->setCheckable(true);
    tabAction_->setStatusTip(tr("Switch to the TAB screen and back"));
    connect(tabAction_, &QAction::triggered, this, [this] { ToggleTab(); });
    QAction* widest = bar->addAction(tr("Widest Values"));
    widest->setObjectName(QStringLiteral("ID_PREVIEW_WIDEST"));
    widest->setStatusTip(tr("Show in every DRO the widest value its format can show"));
    connect(widest, &QAction::triggered, this, &PreviewWindow::ShowWidestValues);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    auto* close = new QAction(tr("Close Preview"), this);
    close->setObjectName(QStringLiteral("ID_PREVIEW_CLOSE"));
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
}

void PreviewWindow::FollowDocument()
{
    connect(&doc_, &CTavloraDoc::controlsChanged, this,
            [this](const RecordList& records, ControlChanges) { Refresh(records); });
    connect(&doc_, &CTavloraDoc::controlsInserted, this, &PreviewWindow::Refresh);
    connect(&doc_, &CTavloraDoc::controlsRemoved, this, [this](const RecordList& records) {
        screen_->CancelHold();
        for (const ControlRecord* record : records) {
            if (record == keyHeld_)
                keyHeld_ = nullptr;
            screen_->Widgets().Drop(*record);
        }
        UpdateLists();
        screen_->update();
    });
    connect(&doc_, &CTavloraDoc::coloursChanged, screen_, qOverload<>(&QWidget::update));
    connect(&doc_, &CTavloraDoc::aboutToReset, this, [this] {
        screen_->CancelHold();
        keyHeld_ = nullptr;
        screen_->Widgets().Clear();
    });
    connect(&doc_, &CTavloraDoc::documentReset, this, [this] {
        screens_ = PreviewScreens(doc_.CurrentScreen()); // a set read anew starts where the designer does
        UpdateLists();
        ShowShown();
    });
    connect(&doc_, &CTavloraDoc::screenSizeChanged, screen_, &PreviewScreen::SetDesignSize);
    connect(&doc_.Catalogs(), &FunctionCatalogs::changed, this, [this] {
        leds_.clear(); // the names change
        dros_.clear();
        UpdateLists();
        ShowShown();
    });
    connect(&file_, &DocumentFile::titleChanged, this, &PreviewWindow::UpdateTitle);
}

void PreviewWindow::UpdateTitle()
{
    setWindowTitle(tr("Preview - %1 - %2").arg(file_.Title(), CTavloraDoc::kAppTitle));
}

void PreviewWindow::ShowShown()
{
    DropKeyHold();
    screen_->CancelHold();
    screen_->Widgets().Show(screens_.Shown(), doc_.VornFolder());
    ApplyState();
    tabAction_->setChecked(screens_.OnTab());
    screenLabel_->setText(Utf8(HtmlPages::ScreenName(screens_.Shown())));
    screen_->update();
}

void PreviewWindow::Refresh(const RecordList& records)
{
    for (const ControlRecord* record : records)
        screen_->Widgets().Refresh(*record);
    UpdateLists();
    ApplyState();
    screen_->update();
}

void PreviewWindow::UpdateLists()
{
    const ScreenSet& set = doc_.Set();
    const std::vector<PreviewSignals::Key> leds = PreviewSignals::Keys(set, TypeLed);
    const std::vector<PreviewSignals::Key> dros = PreviewSignals::Keys(set, TypeDro);
    const bool gcode = std::any_of(set.controls.begin(), set.controls.end(),
                                   [](const auto& rec) { return rec->type == TypeGCodeList; });
    if (leds != leds_) {
        leds_ = leds;
        QStringList names;
        std::vector<bool> on;
        for (const PreviewSignals::Key& key : leds_) {
            names << Utf8(PreviewSignals::Name(key, doc_.Catalogs().Entries(TypeLed)));
            on.push_back(signals_.IsOn(key));
        }
        signalList_->SetRows(names, on);
    }
    if (dros != dros_ || gcode != hasGCodeList_) {
        dros_ = dros;
        hasGCodeList_ = gcode;
        QStringList names;
        for (const PreviewSignals::Key& key : dros_)
            names << Utf8(PreviewSignals::Name(key, doc_.Catalogs().Entries(TypeDro)));
        if (hasGCodeList_)
            names << tr("G-code line");
        valueList_->SetRows(names, {});
        UpdateValues();
    }
}

void PreviewWindow::UpdateValues()
{
    std::vector<double> values;
    for (const PreviewSignals::Key& key : dros_)
        values.push_back(signals_.Value(key));
    if (hasGCodeList_)
        values.push_back(signals_.GCodeLine() + 1);
    valueList_->SetValues(values);
}

void PreviewWindow::ApplyState()
{
    QString mdi = mdiText_;
    if (mdiTyping_)
        mdi += QLatin1Char('_');
    for (const auto& rec : doc_.Set().controls) {
        DesignWidget* w = screen_->Widgets().Of(*rec);
        if (!w)
            continue;
        const std::optional<PreviewSignals::Key> key = PreviewSignals::KeyOf(*rec);
        if (auto* led = dynamic_cast<LED*>(w); led && key)
            led->SetLit(PreviewRules::LedLit(signals_.IsOn(*key), rec->ledFlashing != 0, flashPhase_));
        else if (auto* dro = dynamic_cast<DRO*>(w); dro && key)
            dro->SetShownValue(signals_.Value(*key));
        else if (auto* line = dynamic_cast<MDI*>(w))
            line->SetShownText(mdi);
        else if (auto* list = dynamic_cast<CGodeList*>(w))
            list->SetCurrentLine(signals_.GCodeLine());
    }
}

void PreviewWindow::Run(const ControlRecord& record)
{
    const PreviewRules::Press press = PreviewRules::PressOf(record);
    if (press.kind == PreviewRules::Press::Jump) {
        ShowScreen(press.screen);
        return;
    }
    events_->AddPress(PreviewRules::Describe(record, doc_.Catalogs().Entries(record.type)));
}

void PreviewWindow::ShowScreen(int32_t screen)
{
    screens_.Jump(screen);
    ShowShown();
    WarnIfEmpty();
}

void PreviewWindow::ToggleTab()
{
    screens_.ToggleTab();
    ShowShown();
    WarnIfEmpty();
}

void PreviewWindow::WarnIfEmpty()
{
    if (!PreviewRules::HoldsControls(doc_.Set(), screens_.Shown()))
        events_->AddWarning(tr("%1 holds no controls").arg(Utf8(HtmlPages::ScreenName(screens_.Shown()))));
}

void PreviewWindow::ShowWidestValues()
{
    signals_.SetWidestValues(doc_.Set());
    UpdateValues();
    ApplyState();
}

void PreviewWindow::Clicked(const ControlRecord* record)
{
    SetMdiTyping(record && record->type == TypeMdi);
    if (!record)
        return;
    const std::optional<PreviewSignals::Key> key = PreviewSignals::KeyOf(*record);
    if (!key)
        return;
    if (record->type == TypeLed) {
        signals_.SetOn(*key, !signals_.IsOn(*key));
        std::vector<bool> on;
        for (const PreviewSignals::Key& k : leds_)
            on.push_back(signals_.IsOn(k));
        signalList_->SetStates(on);
        ApplyState();
    } else if (const auto it = std::find(dros_.begin(), dros_.end(), *key); it != dros_.end()) {
        valueList_->FocusRow(int(it - dros_.begin()));
    }
}

void PreviewWindow::SetMdiTyping(bool typing)
{
    if (typing == mdiTyping_)
        return;
    mdiTyping_ = typing;
    if (typing)
        screen_->setFocus(Qt::MouseFocusReason);
    ApplyState();
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::KeyRelease)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || IsTextEditor(QApplication::focusWidget()))
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    return press ? KeyPress(key) : KeyRelease(key);
}

bool PreviewWindow::MdiKey(QKeyEvent* key)
{
    const int k = key->key();
    if (k == Qt::Key_Escape) {
        SetMdiTyping(false);
    } else if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        events_->AddEntry(tr("MDI"), mdiText_);
        mdiText_.clear();
    } else if (k == Qt::Key_Backspace) {
        mdiText_.chop(1);
    } else if (!key->text().isEmpty() && key->text().at(0).isPrint()
               && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        mdiText_ += key->text();
    } else {
        return false;
    }
    ApplyState();
    return true;
}

bool PreviewWindow::KeyPress(QKeyEvent* key)
{
    if (mdiTyping_ && MdiKey(key))
        return true;
    if (IsModifierKey(key->key()))
        return false;
    if (key->isAutoRepeat())
        return keyHeld_ != nullptr; // a held button stays held
    const Qt::KeyboardModifiers mods = key->modifiers();
    const int vk = VirtualKey::FromQt(key->key(), mods, key->nativeVirtualKey());
    const int code = HotKey::Compose(vk, mods & Qt::ControlModifier, mods & Qt::ShiftModifier, mods & Qt::AltModifier);
    const PreviewRules::KeyHit hit = PreviewRules::ForKey(doc_.Set(), screens_.Shown(), code);
    if (!hit.control)
        return false;
    if (!hit.sharing.empty()) {
        events_->AddWarning(tr("Hot key %1 is shared by %n other control(s) on this screen; the first is pressed",
                               nullptr, int(hit.sharing.size()))
                                .arg(Utf8(HotKey::Name(code))));
    }
    if (PreviewRules::Pressable(*hit.control)) {
        DropKeyHold();
        keyHeld_ = hit.control;
        heldKey_ = key->key();
        heldScanCode_ = key->nativeScanCode();
        screen_->Hold(*keyHeld_);
    } else if (const std::optional<PreviewSignals::Key> k = PreviewSignals::KeyOf(*hit.control)) {
        if (const auto it = std::find(dros_.begin(), dros_.end(), *k); it != dros_.end())
            valueList_->FocusRow(int(it - dros_.begin()));
    }
    return true;
}

bool PreviewWindow::KeyRelease(QKeyEvent* key)
{
    if (!keyHeld_ || key->isAutoRepeat())
        return false;
    const bool same = key->key() == heldKey_ || (heldScanCode_ != 0 && key->nativeScanCode() == heldScanCode_);
    if (!same)
        return false;
    const ControlRecord* held = std::exchange(keyHeld_, nullptr);
    screen_->LetGo(*held);
    Run(*held);
    return true;
}

void PreviewWindow::DropKeyHold()
{
    if (const ControlRecord* held = std::exchange(keyHeld_, nullptr))
        screen_->LetGo(*held);
}

void PreviewWindow::changeEvent(QEvent* event)
{
    // Keys and buttons let go while the window is away do not act.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        DropKeyHold();
        screen_->CancelHold();
    }
    QMainWindow::changeEvent(event);
}

} // namespace tavlora
