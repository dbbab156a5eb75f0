#include "HotKeyCapture.h"

#include "VirtualKey.h"
#include "core/HotKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace tavlora {

namespace {

constexpr int kShiftKey = 0x10;
constexpr int kCtrlKey = 0x11;
constexpr int kAltKey = 0x12;

bool IsKeyEvent(QEvent::Type type)
{
    return type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride;
}

} // namespace

HotKeyCapture::HotKeyCapture(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Set Hot Key"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFocusPolicy(Qt::StrongFocus);

    auto* text = new QLabel(QStringLiteral("Type the Hot Key Now."), this);
    text->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(text);
    setFixedSize(QSize(280, 82).expandedTo(sizeHint()));
}

HotKeyCapture::~HotKeyCapture()
{
    if (capturing_)
        qApp->removeEventFilter(this);
}

int HotKeyCapture::Run(QWidget* parent)
{
    HotKeyCapture dialog(parent);
    dialog.exec();
    return dialog.result() == QDialog::Accepted ? dialog.Code() : 0;
}

void HotKeyCapture::reject()
{
    code_ = 0;
    QDialog::reject();
}

bool HotKeyCapture::event(QEvent* event)
{
    if (IsKeyEvent(event->type()) && TakeKey(event))
        return true;
    return QDialog::event(event);
}

bool HotKeyCapture::eventFilter(QObject* watched, QEvent* event)
{
    if (capturing_ && IsKeyEvent(event->type()) && TakeKey(event))
        return true;
    return QDialog::eventFilter(watched, event);
}

void HotKeyCapture::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!capturing_) {
        // Installed last, so this filter runs before any other application
        // filter (the menu bar's Alt handling, for one).
        qApp->installEventFilter(this);
        capturing_ = true;
    }
    grabKeyboard();
}

void HotKeyCapture::hideEvent(QHideEvent* event)
{
    releaseKeyboard();
    if (capturing_) {
        qApp->removeEventFilter(this);
        capturing_ = false;
    }
    QDialog::hideEvent(event);
}

void HotKeyCapture::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (code_ != 0 && !finishing_) {
        // Not from inside the paint itself: hiding a window while it paints
        // is left to the event loop.
        finishing_ = true;
        QMetaObject::invokeMethod(this, &QDialog::accept, Qt::QueuedConnection);
    }
}

bool HotKeyCapture::TakeKey(QEvent* event)
{
    auto* key = static_cast<QKeyEvent*>(event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Accepting the override keeps every shortcut from firing; the key
        // then arrives as an ordinary key press.
        key->accept();
        return true;
    case QEvent::KeyPress:
        if (!finishing_)
            KeyDown(*key);
        key->accept();
        return true;
    case QEvent::KeyRelease:
        KeyUp(*key);
        key->accept();
        return true;
    default:
        return false;
    }
}

void HotKeyCapture::KeyDown(const QKeyEvent& key)
{
    const int vk = VirtualKey::FromQt(key.key(), key.modifiers(), key.nativeVirtualKey());
    if (vk == 0)
        return;  // no code on the machine: nothing to record
    code_ = vk;
    if (vk == kCtrlKey) {
        ctrl_ = true;
    } else if (vk == kShiftKey) {
        shift_ = true;
    } else if (vk != kAltKey) {
        code_ = HotKey::Compose(vk, ctrl_, shift_, key.modifiers().testFlag(Qt::AltModifier));
        ctrl_ = false;
        shift_ = false;
        update();
    }
}

void HotKeyCapture::KeyUp(const QKeyEvent& key)
{
    const int vk = VirtualKey::FromQt(key.key(), key.modifiers(), key.nativeVirtualKey());
    if (vk == kCtrlKey)
        ctrl_ = false;
    else if (vk == kShiftKey)
        shift_ = false;
}

} // namespace tavlora
