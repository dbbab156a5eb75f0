#include "properties/ColourButton.h"
#include "properties/ColourPicker.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

using namespace tavlora;

namespace {

QColor Rgb(ColourRef c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// A set whose ten colours all differ from each other and from the defaults.
ColourSet Distinct()
{
    ColourSet set;
    for (int i = 0; i < ColourSet::Count; ++i)
        set.Set(ColourSet::Index(i), MakeColourRef(uint8_t(10 * i + 5), uint8_t(200 - 7 * i), uint8_t(3 * i)));
    return set;
}

// A pop-up that answers with `answer` and remembers what it was shown.
struct ScriptedPopup {
    std::optional<QColor> answer;
    QList<QColor> shown;

    ColourPicker::ColourPopup Function()
    {
        return [this](QColor current) {
            shown.append(current);
            return answer;
        };
    }
};

} // namespace

class ColourPickerTest : public QObject {
    Q_OBJECT
private slots:
    void texts();
    void layout();
    void swatchesShowTheSet();
    void popupChangesOnlyItsButton_data();
    void popupChangesOnlyItsButton();
    void popupCancelledChangesNothing();
    void endings_data();
    void endings();
    void unchangedColourKeepsItsValue();
    void screenshot();
};

void ColourPickerTest::texts()
{
    ColourPicker dialog{ColourSet()};
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Color Definitions"));

    const QStringList expected = {
        "Screen Background", "Label Text", "DRO Background Normal", "DRO Background Selected",
        "DRO Numbers", "GCode Text", "GCode BackGround", "MDI Text", "MDI Background Selected",
        "MDI BackGround Normal"};
    QStringList labels;
    for (ColourSet::Index index : ColourPicker::ButtonOrder())
        labels << dialog.Button(index)->text();
    QCOMPARE(labels, expected);
    QCOMPARE(dialog.findChildren<ColourButton*>().size(), 10);

    QCOMPARE(dialog.DefaultsBox()->text(), QStringLiteral("Make these colour my startup defaults"));
    QVERIFY(!dialog.DefaultsBox()->isChecked());
    QCOMPARE(dialog.OkButton()->text(), QStringLiteral("OK"));
    QVERIFY(dialog.OkButton()->isDefault());
    QCOMPARE(dialog.CancelButton()->text(), QStringLiteral("Cancel"));
    for (ColourButton* button : dialog.findChildren<ColourButton*>())
        QVERIFY(!button->autoDefault());
}

void ColourPickerTest::layout()
{
    ColourPicker dialog{ColourSet()};
    dialog.show();
    const auto& order = ColourPicker::ButtonOrder();

    // Two columns of five, top to bottom; the tab order follows the buttons.
    for (int i = 0; i < ColourSet::Count; ++i) {
        const QRect r = dialog.Button(order[i])->geometry();
        const QRect first = dialog.Button(order[i < 5 ? 0 : 5])->geometry();
        QCOMPARE(r.left(), first.left());
        if (i % 5 != 0)
            QVERIFY(r.top() > dialog.Button(order[i - 1])->geometry().bottom());
        if (i < 5)
            QVERIFY(r.right() < dialog.Button(order[i + 5])->geometry().left());
        QWidget* next = i + 1 < ColourSet::Count ? static_cast<QWidget*>(dialog.Button(order[i + 1]))
                                                 : dialog.DefaultsBox();
        QCOMPARE(dialog.Button(order[i])->nextInFocusChain(), next);
    }
    const int buttonsBottom = dialog.Button(order[4])->geometry().bottom();
    QVERIFY(dialog.DefaultsBox()->geometry().top() > buttonsBottom);
    QVERIFY(dialog.OkButton()->geometry().top() > dialog.DefaultsBox()->geometry().bottom());
    QVERIFY(dialog.OkButton()->geometry().right() < dialog.CancelButton()->geometry().left());
}

void ColourPickerTest::swatchesShowTheSet()
{
    const ColourSet set = Distinct();
    ColourPicker dialog(set);
    for (int i = 0; i < ColourSet::Count; ++i) {
        ColourButton* button = dialog.Button(ColourSet::Index(i));
        QCOMPARE(button->Colour(), Rgb(set[i]));
        button->resize(button->sizeHint());
        const QImage image = button->grab().toImage();
        QCOMPARE(image.pixelColor(button->SwatchRect().center()), Rgb(set[i]));
    }
}

void ColourPickerTest::popupChangesOnlyItsButton_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < ColourSet::Count; ++i)
        QTest::newRow(ColourSet::Title(ColourSet::Index(i)).data()) << i;
}

void ColourPickerTest::popupChangesOnlyItsButton()
{
    QFETCH(int, index);
    const ColourSet set = Distinct();
    ColourPicker dialog(set);
    ScriptedPopup popup{QColor(1, 2, 250), {}};
    dialog.SetColourPopup(popup.Function());

    ColourButton* button = dialog.Button(ColourSet::Index(index));
    button->resize(button->sizeHint());
    QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(popup.shown, QList<QColor>{Rgb(set[index])});
    for (int i = 0; i < ColourSet::Count; ++i)
        QCOMPARE(dialog.Button(ColourSet::Index(i))->Colour(), i == index ? QColor(1, 2, 250) : Rgb(set[i]));
    QCOMPARE(button->grab().toImage().pixelColor(button->SwatchRect().center()), QColor(1, 2, 250));
    // Nothing is taken before OK.
    QCOMPARE(dialog.Colours(), set);
}

void ColourPickerTest::popupCancelledChangesNothing()
{
    const ColourSet set = Distinct();
    ColourPicker dialog(set);
    ScriptedPopup popup{std::nullopt, {}};
    dialog.SetColourPopup(popup.Function());
    dialog.Button(ColourSet::DROBack)->click();
    QCOMPARE(popup.shown.size(), 1);
    QCOMPARE(dialog.Button(ColourSet::DROBack)->Colour(), Rgb(set.Get(ColourSet::DROBack)));
}

void ColourPickerTest::endings_data()
{
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("defaultsBox");
    QTest::addColumn<bool>("taken");
    QTest::newRow("OK") << "OK" << false << true;
    QTest::newRow("OK with defaults") << "OK" << true << true;
    QTest::newRow("Cancel") << "Cancel" << true << false;
    QTest::newRow("close box") << "close" << true << false;
}

void ColourPickerTest::endings()
{
    QFETCH(QString, end);
    QFETCH(bool, defaultsBox);
    QFETCH(bool, taken);

    ColourPicker dialog{ColourSet()};
    ScriptedPopup popup;
    dialog.SetColourPopup(popup.Function());
    dialog.show();
    const ColourSet wanted = Distinct();
    for (int i = 0; i < ColourSet::Count; ++i) {
        popup.answer = Rgb(wanted[i]);
        dialog.Button(ColourSet::Index(i))->click();
    }
    dialog.DefaultsBox()->setChecked(defaultsBox);

    if (end == "OK")
        dialog.OkButton()->click();
    else if (end == "Cancel")
        dialog.CancelButton()->click();
    else
        QVERIFY(dialog.close());

    QCOMPARE(dialog.result(), int(taken ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(dialog.Colours(), taken ? wanted : ColourSet());
    QCOMPARE(dialog.MakeDefaults(), taken && defaultsBox);
}

void ColourPickerTest::unchangedColourKeepsItsValue()
{
    // Values read from a file may carry a high byte; only a changed colour is
    // rewritten.
    ColourSet set;
    set.Set(ColourSet::Label, 0x02123456);
    set.Set(ColourSet::MDIText, 0x02123456);
    ColourPicker dialog(set);
    ScriptedPopup popup{QColor(0x56, 0x34, 0x12), {}};
    dialog.SetColourPopup(popup.Function());
    popup.answer = QColor(1, 2, 3);
    dialog.Button(ColourSet::MDIText)->click();
    dialog.accept();
    QCOMPARE(dialog.Colours().Get(ColourSet::Label), ColourRef(0x02123456));
    QCOMPARE(dialog.Colours().Get(ColourSet::MDIText), MakeColourRef(1, 2, 3));
}

void ColourPickerTest::screenshot()
{
    const QString dir = qEnvironmentVariable("TAVLORA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("TAVLORA_SCREENSHOT_DIR not set");
    ColourPicker dialog{ColourSet()};
    QVERIFY(dialog.grab().save(dir + QStringLiteral("/colour-definitions.png")));
}

QTEST_MAIN(ColourPickerTest)
#include "ColourPickerTest.moc"
