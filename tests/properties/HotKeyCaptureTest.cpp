#include "properties/HotKeyCapture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QtTest>

using namespace tavlora;

namespace {

// One key event as the window system delivers it.
struct Step {
    bool press;
    int key;
    Qt::KeyboardModifiers mods;
};

Step Down(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { return {true, key, mods}; }
Step Up(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { return {false, key, mods}; }

constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;

void Send(QWidget* to, const Step& step)
{
    QKeyEvent event(step.press ? QEvent::KeyPress : QEvent::KeyRelease, step.key, step.mods);
    QApplication::sendEvent(to, &event);
}

// Lets the dialog paint what it asked for, then finish.
void Settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
}

QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot grab the keyboard and says so at every show.
void QuietGrabWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("grabbing the keyboard")))
        return;
    previousHandler(type, context, message);
}

} // namespace

Q_DECLARE_METATYPE(Step)

class HotKeyCaptureTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { previousHandler = qInstallMessageHandler(QuietGrabWarning); }
    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }
    void texts();
    void captures_data();
    void captures();
    void modifierAloneWaitsForPaint_data();
    void modifierAloneWaitsForPaint();
    void closeBoxGivesZero();
    void shortcutsDoNotFire();
    void keysForOtherWindowsAreTaken();
    void runReturnsCode();
    void screenshot();
};

void HotKeyCaptureTest::texts()
{
    HotKeyCapture dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Set Hot Key"));
    const auto labels = dialog.findChildren<QLabel*>();
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.front()->text(), QStringLiteral("Type the Hot Key Now."));
    QVERIFY(dialog.findChildren<QAbstractButton*>().isEmpty());
    QCOMPARE(dialog.Code(), 0);
}

void HotKeyCaptureTest::captures_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<int>("code");

    QTest::newRow("Ctrl, Shift, F5")
        << QList<Step>{Down(Qt::Key_Control), Down(Qt::Key_Shift, kCtrl), Down(Qt::Key_F5, kCtrl | kShift)}
        << 0x8474;
    QTest::newRow("Shift released before the key")
        << QList<Step>{Down(Qt::Key_Shift), Up(Qt::Key_Shift, kShift), Down(Qt::Key_A)} << 0x41;
    QTest::newRow("Ctrl released before the key")
        << QList<Step>{Down(Qt::Key_Control), Up(Qt::Key_Control, kCtrl), Down(Qt::Key_F2)} << 0x71;
    QTest::newRow("Ctrl+A") << QList<Step>{Down(Qt::Key_Control), Down(Qt::Key_A, kCtrl)} << 0x8041;
    QTest::newRow("Shift+F1") << QList<Step>{Down(Qt::Key_Shift), Down(Qt::Key_F1, kShift)} << 0x470;
    QTest::newRow("Shift+1 reported as !")
        << QList<Step>{Down(Qt::Key_Shift), Down(Qt::Key_Exclam, kShift)} << 0x431;
    QTest::newRow("Alt+X") << QList<Step>{Down(Qt::Key_Alt), Down(Qt::Key_X, kAlt)} << 0x858;
    QTest::newRow("Alt+Enter") << QList<Step>{Down(Qt::Key_Alt), Down(Qt::Key_Return, kAlt)} << 13;
    QTest::newRow("Alt+keypad Enter")
        << QList<Step>{Down(Qt::Key_Alt), Down(Qt::Key_Enter, kAlt | Qt::KeypadModifier)} << 13;
    QTest::newRow("Ctrl+Alt+Enter")
        << QList<Step>{Down(Qt::Key_Control), Down(Qt::Key_Alt, kCtrl), Down(Qt::Key_Return, kCtrl | kAlt)}
        << 0x880D;
    QTest::newRow("Escape") << QList<Step>{Down(Qt::Key_Escape)} << 0x1B;
    QTest::newRow("Enter") << QList<Step>{Down(Qt::Key_Return)} << 0x0D;
    QTest::newRow("Tab") << QList<Step>{Down(Qt::Key_Tab)} << 0x09;
    QTest::newRow("Shift+Tab") << QList<Step>{Down(Qt::Key_Shift), Down(Qt::Key_Backtab, kShift)} << 0x409;
    QTest::newRow("Left") << QList<Step>{Down(Qt::Key_Left)} << 0x25;
    QTest::newRow("Up") << QList<Step>{Down(Qt::Key_Up)} << 0x26;
    QTest::newRow("Right") << QList<Step>{Down(Qt::Key_Right)} << 0x27;
    QTest::newRow("Down") << QList<Step>{Down(Qt::Key_Down)} << 0x28;
    QTest::newRow("Space") << QList<Step>{Down(Qt::Key_Space)} << 0x20;
    QTest::newRow("keypad 7") << QList<Step>{Down(Qt::Key_7, Qt::KeypadModifier)} << 0x67;
    // The flags come from the Ctrl and Shift presses, not from the event.
    QTest::newRow("Ctrl in the event only") << QList<Step>{Down(Qt::Key_F5, kCtrl)} << 0x74;
    QTest::newRow("key without a code ignored")
        << QList<Step>{Down(Qt::Key_Control), Down(Qt::Key_Meta, kCtrl), Down(Qt::Key_B, kCtrl)} << 0x8042;
}

void HotKeyCaptureTest::captures()
{
    QFETCH(QList<Step>, steps);
    QFETCH(int, code);

    HotKeyCapture dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Settle();
    QVERIFY(dialog.isVisible());
    for (const Step& step : steps)
        Send(&dialog, step);
    QCOMPARE(dialog.Code(), code);
    Settle();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.Code(), code);
}

void HotKeyCaptureTest::modifierAloneWaitsForPaint_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("code");
    QTest::newRow("Alt") << int(Qt::Key_Alt) << 18;
    QTest::newRow("Ctrl") << int(Qt::Key_Control) << 17;
    QTest::newRow("Shift") << int(Qt::Key_Shift) << 16;
}

void HotKeyCaptureTest::modifierAloneWaitsForPaint()
{
    QFETCH(int, key);
    QFETCH(int, code);

    HotKeyCapture dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Settle();
    Send(&dialog, Down(key));
    Settle();
    QCOMPARE(dialog.Code(), code);
    QVERIFY(dialog.isVisible());

    dialog.repaint();
    Settle();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Code(), code);
}

void HotKeyCaptureTest::closeBoxGivesZero()
{
    HotKeyCapture dialog;
    dialog.show();
    Send(&dialog, Down(Qt::Key_Alt));
    QCOMPARE(dialog.Code(), 18);
    QVERIFY(dialog.close());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.Code(), 0);
}

void HotKeyCaptureTest::shortcutsDoNotFire()
{
    QWidget window;
    QShortcut shortcut(QKeySequence(QStringLiteral("Ctrl+S")), &window);
    shortcut.setContext(Qt::ApplicationShortcut);
    QSignalSpy fired(&shortcut, &QShortcut::activated);
    window.show();

    HotKeyCapture dialog(&window);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fired.count(), 0);
    QCOMPARE(dialog.Code(), 0x8053);
}

void HotKeyCaptureTest::keysForOtherWindowsAreTaken()
{
    QLineEdit edit;
    edit.show();
    HotKeyCapture dialog;
    dialog.show();

    QTest::keyClick(&edit, Qt::Key_Q);
    QVERIFY(edit.text().isEmpty());
    QCOMPARE(dialog.Code(), 0x51);

    dialog.close();
    QTest::keyClick(&edit, Qt::Key_Q);
    QCOMPARE(edit.text(), QStringLiteral("q"));
}

void HotKeyCaptureTest::runReturnsCode()
{
    QMetaObject::invokeMethod(
        qApp,
        [] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            Send(dialog, Down(Qt::Key_Shift));
            Send(dialog, Down(Qt::Key_F5, kShift));
        },
        Qt::QueuedConnection);
    QCOMPARE(HotKeyCapture::Run(nullptr), 0x474);
}

void HotKeyCaptureTest::screenshot()
{
    const QString dir = qEnvironmentVariable("TAVLORA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("TAVLORA_SCREENSHOT_DIR not set");
    HotKeyCapture dialog;
    QVERIFY(dialog.grab().save(dir + QStringLiteral("/hotkey-capture.png")));
}

QTEST_MAIN(HotKeyCaptureTest)
#include "HotKeyCaptureTest.moc"
