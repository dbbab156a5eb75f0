#include "CTavloraDoc.h"

#include "ControlEdits.h"
#include "ReplaceContentsCommand.h"
#include "core/ControlType.h"
#include "core/ScreenVisibility.h"
#include "settings/ColourSettings.h"
#include "settings/SettingsProfile.h"
#include "settings/VornFolder.h"
#include "widgets/WidgetContext.h"
#include "widgets/WidgetFactory.h"

#include <unordered_set>
#include <utility>

namespace tavlora {

const QString CTavloraDoc::kAppTitle = QStringLiteral("Tavlora");

CTavloraDoc::CTavloraDoc(SettingsProfile& profile, QObject* parent)
    : QObject(parent), ctx_(std::make_unique<WidgetContext>(set_)), edits_(std::make_unique<ControlEdits>(*this))
{
    qRegisterMetaType<RecordList>();
    qRegisterMetaType<ControlChanges>();
    set_.colours = ColourSettings::Load(profile);
    SetVornFolder(VornFolder::RefreshFromProfile(profile).toStdString());
    connect(ctx_.get(), &WidgetContext::repaintRequested, this, &CTavloraDoc::repaintRequested);
    connect(&undo_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
}

CTavloraDoc::~CTavloraDoc()
{
    // Commands hold records; widgets refer to the context: all go while it exists.
    undo_.blockSignals(true);
    undo_.clear();
    selection_.Clear();
    set_.ClearAll();
}

void CTavloraDoc::SetCurrentScreen(int screen)
{
    if (screen == currentScreen_)
        return;
    currentScreen_ = screen;
    WidgetFactory::Follow(set_, *ctx_, currentScreen_);
    emit currentScreenChanged(currentScreen_);
}

void CTavloraDoc::ToggleTabScreen()
{
    if (currentScreen_ == ScreenVisibility::kTabScreen) {
        SetCurrentScreen(screenBeforeTab_);
    } else {
        screenBeforeTab_ = currentScreen_;
        SetCurrentScreen(ScreenVisibility::kTabScreen);
    }
}

bool CTavloraDoc::ShowImages() const
{
    return ctx_->showImages;
}

void CTavloraDoc::SetShowImages(bool show)
{
    if (show == ctx_->showImages)
        return;
    ctx_->showImages = show;
    ScreenVisibility::ApplyImageSwitch(set_, currentScreen_, show);
    emit showImagesChanged(show);
    emit repaintRequested();
}

void CTavloraDoc::EditSelection(const std::function<void(Selection&)>& change)
{
    const size_t size = selection_.Size();
    const ControlRecord* anchor = selection_.Anchor();
    const ControlRecord* last = selection_.Empty() ? nullptr : selection_.Records().back();
    change(selection_);
    const ControlRecord* lastNow = selection_.Empty() ? nullptr : selection_.Records().back();
    if (selection_.Size() != size || selection_.Anchor() != anchor || lastNow != last)
        emit selectionChanged();
}

void CTavloraDoc::Undo()
{
    Step(false);
}

void CTavloraDoc::Redo()
{
    Step(true);
}

void CTavloraDoc::NoteTouched(const ControlRecord& record)
{
    if (!noting_)
        return;
    if (touched_.empty())
        touchedScreen_ = record.screen;
    touched_.push_back(&record);
}

void CTavloraDoc::Step(bool redo)
{
    touched_.clear();
    noting_ = true;
    if (redo)
        undo_.redo();
    else
        undo_.undo();
    noting_ = false;
    if (touched_.empty())
        return;
    // A change out of sight shows where it happened (the persistent layer is
    // seen from any screen but the TAB screen).
    if (!ScreenVisibility::ShowsOn(touchedScreen_, currentScreen_))
        SetCurrentScreen(touchedScreen_ == ScreenVisibility::kPersistentScreen ? screenBeforeTab_ : touchedScreen_);
    std::unordered_set<const ControlRecord*> listed;
    listed.reserve(set_.Size());
    for (const auto& rec : set_.controls)
        listed.insert(rec.get());
    EditSelection([this, &listed](Selection& s) {
        s.Clear();
        for (const ControlRecord* rec : touched_) {
            if (listed.count(rec) && ScreenVisibility::ShowsOn(rec->screen, currentScreen_))
                s.Select(rec);
        }
    });
    touched_.clear();
}

void CTavloraDoc::SetScreenSize(QSize size)
{
    screenSize_ = size;
    emit screenSizeChanged(screenSize_);
}

void CTavloraDoc::MarkSaved()
{
    lastRead_.bytesAfterColours = 0;
    lastRead_.recordsRead = int32_t(set_.Size());
    undo_.setClean();
}

const std::string& CTavloraDoc::VornFolder() const
{
    return ctx_->vornFolder;
}

void CTavloraDoc::SetVornFolder(const std::string& folder)
{
    ctx_->vornFolder = folder;
    catalogs_.SetFolder(folder);
}

void CTavloraDoc::ClearHistoryAndSelection()
{
    undo_.clear();
    selection_.Clear();
}

void CTavloraDoc::BuildWidgets()
{
    ctx_->BeginLoad();
    WidgetFactory::AssignLooks(set_, *ctx_);
    for (auto& rec : set_.controls)
        ApplyCreationRules(*rec);
    WidgetFactory::Follow(set_, *ctx_, currentScreen_);
    ctx_->RequestRepaint();
}

void CTavloraDoc::Replace(ScreenSet&& fresh, const ReadResult& read)
{
    emit aboutToReset();
    ClearHistoryAndSelection();
    set_.AdoptContents(std::move(fresh));
    lastRead_ = read;
    currentScreen_ = 1;
    BuildWidgets();
    emit documentReset();
}

void CTavloraDoc::ReplaceUndoably(ScreenSet&& fresh, const ReadResult& read, const QString& text)
{
    undo_.push(new ReplaceContentsCommand(*this, std::move(fresh), read, text));
    undo_.setClean();
}

void CTavloraDoc::ResetToEmpty()
{
    emit aboutToReset();
    ClearHistoryAndSelection();
    set_.ClearAll();
    lastRead_ = {};
    emit documentReset();
}

} // namespace tavlora
