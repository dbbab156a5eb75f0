#pragma once

#include "core/PreviewScreens.h"
#include "core/PreviewSignals.h"
#include "document/ControlChange.h"

#include <QMainWindow>
#include <QTimer>

#include <vector>

class QAction;
class QKeyEvent;
class QLabel;
class QSplitter;
class QToolBar;

namespace tavlora {

class CTavloraDoc;
class ControlRecord;
class DocumentFile;
class PreviewEventList;
class PreviewScreen;
class PreviewSignalList;
class PreviewValueList;

// View > Preview: the set run as the machine will run it, in a window of its
// own, starting at the designer's current screen. Buttons jump between
// screens or write their action to the "Events" list; hot keys press them;
// the "Signals" and "Values" lists drive the LEDs and DROs. It follows the
// document's signals and never changes the document; it must go before the
// document does.
class PreviewWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kFlashIntervalMs = 400;

    PreviewWindow(CTavloraDoc& doc, DocumentFile& file, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    int32_t ShownScreen() const { return screens_.Shown(); }
    PreviewScreen& Screen() const { return *screen_; }
    PreviewEventList& Events() const { return *events_; }
    PreviewSignalList& SignalList() const { return *signalList_; }
    PreviewValueList& ValueList() const { return *valueList_; }
    const PreviewSignals& Signals() const { return signals_; }
    QString MdiText() const { return mdiText_; }

    // What a released button does: a screen jump, or an event.
    void Run(const ControlRecord& record);
    void ShowScreen(int32_t screen);
    void ToggleTab();
    // Every DRO shows the widest value its format can show.
    void ShowWidestValues();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateActions();
    void CreateLayout();
    void FitToMonitor();
    void FollowDocument();
    void UpdateTitle();
    // The widgets of the shown screen made anew.
    void ShowShown();
    void Refresh(const RecordList& records);
    // The rows of the lists from the set's LEDs and DROs.
    void UpdateLists();
    void UpdateValues();
    // The preview's state onto the widgets of the shown screen.
    void ApplyState();
    void Clicked(const ControlRecord* record);
    bool KeyPress(QKeyEvent* key);
    bool KeyRelease(QKeyEvent* key);
    bool MdiKey(QKeyEvent* key);
    void SetMdiTyping(bool typing);
    // Lets go of the button a held hot key presses, without its action.
    void DropKeyHold();
    void WarnIfEmpty();

    CTavloraDoc& doc_;
    DocumentFile& file_;
    PreviewScreens screens_;
    PreviewSignals signals_;
    QSplitter* split_ = nullptr;
    QSplitter* left_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    PreviewScreen* screen_ = nullptr;
    PreviewSignalList* signalList_ = nullptr;
    PreviewValueList* valueList_ = nullptr;
    PreviewEventList* events_ = nullptr;
    QAction* tabAction_ = nullptr;
    QLabel* screenLabel_ = nullptr;
    std::vector<PreviewSignals::Key> leds_;
    std::vector<PreviewSignals::Key> dros_;
    bool hasGCodeList_ = false;
    QTimer flash_;
    bool flashPhase_ = true;
    QString mdiText_;
    bool mdiTyping_ = false;
    const ControlRecord* keyHeld_ = nullptr;
    int heldKey_ = 0;
    quint32 heldScanCode_ = 0;
};

} // namespace tavlora
