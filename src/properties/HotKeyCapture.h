#pragma once

#include <QDialog>

class QKeyEvent;

namespace tavlora {

// "Set Hot Key": waits for one key combination and ends with its hot-key code.
// While shown it takes every key event of the application itself (Escape,
// Enter, Tab and the arrows included): no focus chain, shortcut, menu or
// default-button handling sees them. Ctrl and Shift presses only set flags
// (their release clears them), Alt alone is recorded as 18; any other key is
// composed with the flags and Alt, and the dialog accepts at the next paint.
// The close box ends it with 0.
class HotKeyCapture : public QDialog {
    Q_OBJECT
public:
    explicit HotKeyCapture(QWidget* parent = nullptr);
    ~HotKeyCapture() override;

    // Runs the dialog modally; the code taken, or 0 when it was closed.
    static int Run(QWidget* parent);

    // The captured code; 0 until a key was taken and after the close box.
    int Code() const { return code_; }

    void reject() override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Handles a key event meant for any widget; true when it was taken.
    bool TakeKey(QEvent* event);
    void KeyDown(const QKeyEvent& key);
    void KeyUp(const QKeyEvent& key);

    int code_ = 0;
    bool ctrl_ = false;
    bool shift_ = false;
    bool capturing_ = false;
    bool finishing_ = false;
};

} // namespace tavlora
