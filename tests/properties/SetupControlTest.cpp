// "Setup Control" driven through its items, with scripted services.
#include "core/ControlForm.h"
#include "core/ControlType.h"
#include "properties/PropertyServices.h"
#include "properties/SetupControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace tavlora;

namespace {

class FakeServices : public PropertyServices {
public:
    bool catalogMissing = false;
    ImageChoice image;
    int hotKey = 0;
    QStringList messages;
    QList<bool> stops;
    int catalogsAsked = 0;

    std::optional<std::vector<std::string>> Catalog(int type) override
    {
        ++catalogsAsked;
        if (catalogMissing)
            return std::nullopt;
        if (ControlForm::OemEntry(type) < 0)
            return std::vector<std::string>{};
        std::vector<std::string> lines;
        for (int i = 0; i < 60; ++i)
            lines.push_back("Function " + std::to_string(i));
        return lines;
    }
    ImageChoice ChooseImage(QWidget*) override { return image; }
    int CaptureHotKey(QWidget*) override { return hotKey; }
    void Message(QWidget*, const QString& text, bool stop) override
    {
        messages << text;
        stops << stop;
    }
};

ControlForm Form(int type, int function = -1)
{
    ControlRecord r;
    r.type = type;
    r.function = function;
    r.screen = 1;
    r.rect = {10, 20, 110, 60};
    return ControlForm::FromRecord(r);
}

} // namespace

class SetupControlTest : public QObject {
    Q_OBJECT

private slots:
    void titlesAndItemsFollowTheType()
    {
        FakeServices services;
        struct Case {
            int type;
            const char* title;
            bool text, format, lines, led;
        };
        const Case cases[] = {
            {TypeDro, " DRO Control", false, true, false, false},
            {TypeButton, " Button Control", true, false, false, false},
            {TypeLed, " LED Control", false, false, false, true},
            {TypeLabel, "Label Control", true, false, false, false},
            {TypeGCodeList, "GCode Display", false, false, true, false},
            {TypeToolPath, " ToolPath Display", false, false, false, false},
            {42, "Setup Control", true, true, true, true},
        };
        for (const Case& c : cases) {
            SetupControl dialog(Form(c.type), services);
            QCOMPARE(dialog.windowTitle(), QString::fromLatin1(c.title));
            QCOMPARE(dialog.TextBox()->isEnabled(), c.text);
            QCOMPARE(dialog.FormatBox()->isEnabled(), c.format);
            QCOMPARE(dialog.LinesBox()->isEnabled(), c.lines);
            QCOMPARE(dialog.LedList()->isEnabled(), c.led);
        }
        SetupControl dro(Form(TypeDro), services);
        QCOMPARE(dro.SizeBox(0)->prefix(), QStringLiteral("Width : "));
        QCOMPARE(dro.SizeBox(2)->prefix(), QStringLiteral("Top Corner X : "));
        QCOMPARE(dro.SizeBox(3)->prefix(), QStringLiteral("Top corner Y : "));
        QCOMPARE(dro.SizeBox(1)->decimals(), 4);
        QCOMPARE(dro.SizeBox(0)->value(), 100.0);
        QCOMPARE(dro.Skinned()->text(), QStringLiteral("Skined"));
        QCOMPARE(dro.LedList()->itemText(3), QStringLiteral(" Red/Green"));
    }

    void skinnedDroEnablesTheImage()
    {
        FakeServices services;
        ControlForm form = Form(TypeDro, 1);
        form.skinned = true;
        SetupControl dialog(form, services);
        QVERIFY(dialog.ImageBox()->isEnabled());
        dialog.Skinned()->click();
        QVERIFY(!dialog.ImageBox()->isEnabled());
        QVERIFY(!dialog.ImageButton()->isEnabled());
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.Form().skinned);
    }

    void buttonKindsAndTheOemEntry()
    {
        FakeServices services;
        SetupControl gcode(Form(TypeButton, 33), services);
        QVERIFY(gcode.KindButton(ControlForm::GCodeFunction)->isChecked());
        QCOMPARE(gcode.FunctionList()->currentIndex(), 33);

        SetupControl button(Form(TypeButton, 5), services);
        button.FunctionList()->setCurrentIndex(32);
        emit button.FunctionList()->activated(32);
        QVERIFY(button.KindButton(ControlForm::OemFunction)->isChecked());
        emit button.FunctionList()->activated(31);
        QVERIFY(button.KindButton(ControlForm::SystemFunction)->isChecked());
        // Choosing an entry keeps what was typed elsewhere.
        button.TextBox()->setText(QStringLiteral("Typed"));
        emit button.FunctionList()->activated(7);
        QCOMPARE(button.TextBox()->text(), QStringLiteral("Typed"));
        button.KindButton(ControlForm::OemFunction)->click();
        QCOMPARE(button.FunctionList()->currentIndex(), 32);

        SetupControl led(Form(TypeLed, 3), services);
        led.KindButton(ControlForm::OemFunction)->click();
        QCOMPARE(led.FunctionList()->currentIndex(), 56);
        led.LedList()->setCurrentIndex(6);
        led.accept();
        QCOMPARE(led.Form().ledChoice, 6);
        QCOMPARE(led.Form().function, 56);
    }

    void typesWithoutCatalogGiveNoFunction()
    {
        for (int type : {TypeLabel, TypeMdi, TypeToolPath, TypeImage}) {
            FakeServices services;
            SetupControl dialog(Form(type, 5), services);
            dialog.accept();
            QCOMPARE(dialog.Form().function, -1);
            QVERIFY(services.messages.isEmpty());
        }
    }

    void missingCatalogKeepsTheFunction()
    {
        FakeServices services;
        services.catalogMissing = true;
        SetupControl dialog(Form(TypeDro, 7), services);
        QCOMPARE(services.messages,
                 QStringList{QStringLiteral("Text file for Function calls missing.. Please reinstall..")});
        QCOMPARE(dialog.FunctionList()->count(), 0);
        dialog.accept();
        QCOMPARE(dialog.Form().function, 7);

        // A number beyond the catalog (one made for a longer catalog) is kept
        // too, unless an entry is picked.
        FakeServices shorter;
        SetupControl far(Form(TypeDro, 75), shorter);
        QCOMPARE(far.FunctionList()->currentIndex(), -1);
        far.accept();
        QCOMPARE(far.Form().function, 75);
    }

    void unstorableTextIsRefusedByName()
    {
        FakeServices services;
        SetupControl dialog(Form(TypeButton), services);
        dialog.TextBox()->setText(QString(QChar(0x100)));
        dialog.accept();
        QCOMPARE(services.messages.last(), QStringLiteral("The character U+0100 cannot be stored in a screen set."));
    }

    void integerBoxesAreChecked()
    {
        FakeServices services;
        SetupControl dialog(Form(TypeGCodeList), services);
        for (QLineEdit* box : {dialog.OemBox(), dialog.TabGroupBox(), dialog.LinesBox()}) {
            const QString before = box->text();
            box->setText(QStringLiteral("12a"));
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Rejected)); // still open
            QCOMPARE(services.messages.last(), QStringLiteral("Please enter an integer."));
            box->setText(before);
        }
        dialog.LinesBox()->setText(QStringLiteral(" 25 "));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Form().lines, 25);
    }

    void hotKeyCaptureAndImageChooser()
    {
        FakeServices services;
        services.hotKey = 0x8474;
        SetupControl dialog(Form(TypeImageButton, 5), services);
        dialog.UseHotKey()->click();
        QCOMPARE(dialog.HotKeyBox()->text(), QStringLiteral("33908"));
        QCOMPARE(dialog.HotKeyName()->text(), QStringLiteral("Ctrl+Shift+F5"));

        services.image = {PropertyServices::ImageChoice::Chosen, "Buttons\\Start.png"};
        dialog.ImageButton()->click();
        QCOMPARE(dialog.ImageBox()->text(), QStringLiteral("Buttons\\Start.png"));
        services.image = {PropertyServices::ImageChoice::Refused, {}};
        dialog.ImageButton()->click();
        QCOMPARE(dialog.ImageBox()->text(), QString());
        QCOMPARE(services.messages.last(), QStringLiteral("Bitmaps must be in a Bitmaps folder or sub-folder"));
        QVERIFY(services.stops.last());
        services.image = {PropertyServices::ImageChoice::Cancelled, {}};
        dialog.ImageBox()->setText(QStringLiteral("Kept.png"));
        dialog.ImageButton()->click();
        QCOMPARE(dialog.ImageBox()->text(), QStringLiteral("Kept.png"));

        dialog.accept();
        QCOMPARE(dialog.Form().hotKey, 0x8474);
        QVERIFY(dialog.Form().useHotKey);
    }
};

QTEST_MAIN(SetupControlTest)
#include "SetupControlTest.moc"
