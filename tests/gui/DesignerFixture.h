#pragma once

#include "GuiTestFiles.h"
#include "ScriptedPrompter.h"

#include "document/CTavloraDoc.h"
#include "document/DocumentFile.h"
#include "editing/Clipboard.h"
#include "editing/EditActions.h"
#include "editing/PropertyActions.h"
#include "settings/SettingsProfile.h"
#include "view/CTavloraView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace tavlora {

// A document with its view, edit actions and clipboard, a profile in a
// temporary folder and scripted prompts; input goes through the view as a
// user's would.
struct DesignerFixture {
    QTemporaryDir dir;
    SettingsProfile profile;
    ScriptedPrompter prompter;
    std::unique_ptr<CTavloraDoc> doc;
    std::unique_ptr<DocumentFile> file;
    std::unique_ptr<CTavloraView> view;
    Clipboard clipboard;
    std::unique_ptr<EditActions> edits;
    std::unique_ptr<PropertyActions> properties;

    explicit DesignerFixture(int granularity = 3, bool gridOn = false,
                             const std::function<void(SettingsProfile&)>& setUp = {})
        : profile(dir.filePath(QStringLiteral("Tavlora.xml")))
    {
        profile.SetSaveOnDestroy(false);
        profile.WriteInt(QStringLiteral("Griding"), QStringLiteral("Granularity"), granularity);
        profile.WriteInt(QStringLiteral("Griding"), QStringLiteral("OnOff"), gridOn ? 1 : 0);
        // Drags as without smart guides unless a test switches them on.
        profile.WriteInt(QStringLiteral("Griding"), QStringLiteral("SnapToControls"), 0);
        prompter.screenSize = QSize(800, 600);
        if (setUp)
            setUp(profile);
        doc = std::make_unique<CTavloraDoc>(profile);
        file = std::make_unique<DocumentFile>(*doc, profile, prompter);
        view = std::make_unique<CTavloraView>(*doc, profile);
        edits = std::make_unique<EditActions>(*doc, clipboard);
        properties = std::make_unique<PropertyActions>(*doc, prompter, profile);
        QObject::connect(view.get(), &CTavloraView::propertiesRequested, properties.get(), &PropertyActions::EditAt);
        view->resize(820, 620);
        view->show();
    }
    ~DesignerFixture()
    {
        properties.reset();
        edits.reset();
        view.reset();
        file.reset();
        doc.reset();
    }

    const ScreenSet& Set() const { return doc->Set(); }
    const ControlRecord& At(size_t i) const { return *doc->Set().controls.at(i); }
    QWidget* Surface() const { return view->viewport(); }

    void Open(const ScreenSet& set)
    {
        const QString path = dir.filePath(QStringLiteral("edit.set"));
        QVERIFY(GuiTestFiles::Write(path, set));
        QVERIFY(file->OnOpenDocument(path));
    }

    std::vector<const ControlRecord*> Selected() const { return doc->CurrentSelection().Records(); }
    const ControlRecord* Anchor() const { return doc->CurrentSelection().Anchor(); }

    void Click(QPoint p, Qt::KeyboardModifiers mods = {}) { QTest::mouseClick(Surface(), Qt::LeftButton, mods, p); }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {})
    {
        QTest::mousePress(Surface(), Qt::LeftButton, mods, from);
        QTest::mouseMove(Surface(), (from + to) / 2);
        QTest::mouseMove(Surface(), to);
        QTest::mouseRelease(Surface(), Qt::LeftButton, mods, to);
    }
    void Key(int key, Qt::KeyboardModifiers mods = {}, bool autoRepeat = false, int count = 1)
    {
        QKeyEvent press(QEvent::KeyPress, key, mods, QString(), autoRepeat, ushort(count));
        QApplication::sendEvent(view.get(), &press);
    }
    void KeyUp(int key, Qt::KeyboardModifiers mods = {})
    {
        QKeyEvent release(QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(view.get(), &release);
    }
    std::string Bytes() const { return GuiTestFiles::Bytes(doc->Set()); }
};

} // namespace tavlora
