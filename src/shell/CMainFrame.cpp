#include "CMainFrame.h"

#include "AboutDialog.h"
#include "QtPrompter.h"
#include "settings/SettingsProfile.h"
#include "settings/VornFolder.h"
#include "WorkBar.h"
#include "core/ImagePath.h"
#include "core/ScreenSet.h"
#include "document/CTavloraDoc.h"
#include "document/DocumentFile.h"
#include "Splash.h"
#include "ViewActions.h"
#include "editing/Clipboard.h"
#include "editing/EditActions.h"
#include "editing/PropertyActions.h"
#include "panels/ControlList.h"
#include "panels/LibraryListModel.h"
#include "panels/LibraryPanel.h"
#include "panels/ProblemsPanel.h"
#include "properties/PropertyPanel.h"
#include "panels/ScreensPanel.h"
#include "core/ScreenVisibility.h"
#include "PrintActions.h"
#include "preview/PreviewWindow.h"
#include "QtPropertyServices.h"
#include "view/CTavloraView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QSettings>
#include <QToolBar>

#include <cmath>

namespace tavlora {

namespace {

QIcon Icon(const char* name)
{
    return QIcon(QStringLiteral(":/tavlora/icons/%1.svg").arg(QString::fromLatin1(name)));
}

QLabel* Indicator(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

} // namespace

CMainFrame::CMainFrame(const QString& profilePath, Prompter* prompter, QWidget* parent)
    : QMainWindow(parent), profile_(std::make_unique<SettingsProfile>(profilePath))
{
    SettingsProfile::SetGlobal(profile_.get());
    const QString location = profile_->ReadString(QString::fromLatin1(VornFolder::kSection),
                                                  QString::fromLatin1(VornFolder::kKey),
                                                  VornFolder::DefaultLocation());
    QDir::setCurrent(QString::fromStdString(ImagePath::ToPlatform(location.toStdString())));

    if (!prompter) {
        ownPrompter_ = std::make_unique<QtPrompter>(this);
        prompter = ownPrompter_.get();
    }
    prompter_ = prompter;
    if (!profile_->LoadProblem().isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            prompter_->ShowWarning(tr("The settings were not read: %1.\nDefaults are used; the old file is kept as %2.")
                                       .arg(profile_->LoadProblem(), QDir::toNativeSeparators(profile_->KeptPath())));
        });
    }

    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(Icon("tavlora"));
    doc_ = new CTavloraDoc(*profile_, this);
    file_ = new DocumentFile(*doc_, *profile_, *prompter_, this);
    file_->EnableRecovery(RecoveryCopy::DefaultFolder());
    view_ = new CTavloraView(*doc_, *profile_, this);
    viewActions_ = new ViewActions(*doc_, *view_, *prompter_, *profile_, this);
    splash_ = new Splash(*this);
    clipboard_ = std::make_unique<Clipboard>();
    edits_ = new EditActions(*doc_, *clipboard_, this);
    properties_ = new PropertyActions(*doc_, *prompter_, *profile_, this);
    printActions_ = new PrintActions(*file_, *prompter_, this);
    addActions(printActions_->Actions());
    propertyServices_ = std::make_unique<QtPropertyServices>(doc_->Catalogs());
    setCentralWidget(view_);

    CreateActions();
    CreateToolBar();
    CreateMenus();
    CreateStatusBar();
    CreateWorkBar();
    propertyPanel_ = new PropertyPanel(*doc_, *propertyServices_, this);
    AddPanel(propertyPanel_, Qt::RightDockWidgetArea);
    controlList_ = new ControlList(*doc_, this);
    AddPanel(controlList_, Qt::RightDockWidgetArea);
    screensPanel_ = new ScreensPanel(*doc_, *prompter_, this);
    AddPanel(screensPanel_, Qt::LeftDockWidgetArea);
    problemsPanel_ = new ProblemsPanel(*doc_, this);
    AddPanel(problemsPanel_, Qt::BottomDockWidgetArea);
    libraryPanel_ = new LibraryPanel(*doc_, *prompter_, this);
    AddPanel(libraryPanel_, Qt::LeftDockWidgetArea);
    tabifyDockWidget(screensPanel_, libraryPanel_);
    screensPanel_->raise();
    resizeDocks({propertyPanel_, controlList_}, {270, 270}, Qt::Horizontal);
    resizeDocks({problemsPanel_}, {110}, Qt::Vertical);
    connect(controlList_, &ControlList::editRequested, properties_, &PropertyActions::Edit);
    connect(doc_, &CTavloraDoc::showImagesChanged, controlList_, &ControlList::Refresh);
    connect(problemsPanel_, &ProblemsPanel::countsChanged, this,
            [this] { problemsLabel_->setText(problemsPanel_->Summary()); });
    if (auto* qt = dynamic_cast<QtPrompter*>(prompter_)) {
        qt->SetUsedScreens([this] { return ScreenVisibility::UsedScreens(doc_->Set()); });
        qt->SetServices(propertyServices_.get());
    }
    RestoreLayout();

    connect(file_, &DocumentFile::titleChanged, this, &CMainFrame::UpdateTitle);
    connect(doc_, &CTavloraDoc::modifiedChanged, this, &CMainFrame::UpdateTitle);
    connect(file_, &DocumentFile::recentFilesChanged, this, &CMainFrame::UpdateRecentFiles);
    connect(file_, &DocumentFile::splashRequested, splash_, &Splash::Show);
    connect(file_, &DocumentFile::fileMissing, this, [this](const QString& path) {
        statusBar()->showMessage(tr("%1 was deleted or moved by another program. The screen set stays open; "
                                    "Save writes the file again.")
                                     .arg(QDir::toNativeSeparators(path)));
    });
    connect(view_, &CTavloraView::captionChanged, captionLabel_, &QLabel::setText);
    connect(view_, &CTavloraView::statusTextChanged, positionLabel_, &QLabel::setText);
    const auto showZoom = [this](double zoom) { zoomLabel_->setText(QStringLiteral("%1 %").arg(std::lround(zoom * 100))); };
    connect(view_, &CTavloraView::zoomChanged, this, showZoom);
    showZoom(view_->Zoom()); // as the last session left it
    connect(view_, &CTavloraView::propertiesRequested, properties_, &PropertyActions::EditAt);
    connect(libraryPanel_, &LibraryPanel::insertRequested, this, &CMainFrame::InsertBlock);
    connect(view_, &CTavloraView::controlsDropped, this, [this](const QMimeData& data, QPoint at) {
        const QString name = LibraryListModel::DraggedName(data);
        edits_->InsertDropped(data, at, name.isEmpty() ? tr("Drop Controls") : tr("Insert %1").arg(name));
        activateWindow();
        view_->setFocus(Qt::OtherFocusReason);
    });
    connect(edits_, &EditActions::statusMessage, this, [this](const QString& text) { statusBar()->showMessage(text, 8000); });
    connect(doc_, &CTavloraDoc::currentScreenChanged, this, &CMainFrame::UpdateViewState);
    connect(doc_, &CTavloraDoc::showImagesChanged, this, &CMainFrame::UpdateViewState);
    connect(doc_, &CTavloraDoc::documentReset, this, &CMainFrame::UpdateViewState);
    for (auto signal : {&CTavloraDoc::selectionChanged, &CTavloraDoc::documentReset})
        connect(doc_, signal, this, &CMainFrame::UpdateActions);
    connect(view_, &CTavloraView::toolChanged, workBar_, &WorkBar::SelectTool);
    // A work-bar choice leaves the keyboard with the design view (arrow keys, Escape).
    connect(workBar_, &WorkBar::toolChosen, this, [this](int tool) {
        view_->SetCurrentTool(tool);
        view_->setFocus(Qt::OtherFocusReason);
    });

    setAcceptDrops(true);
    qApp->installEventFilter(this);
    UpdateTitle();
    UpdateRecentFiles();
    UpdateViewState();
    UpdateActions();
    captionLabel_->setText(view_->Caption());
    view_->setFocus();
    resize(1024, 768);
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    // Previews follow the document and its widgets: they go first.
    qDeleteAll(Previews());
    // The view and the document refer to the profile and the prompter.
    delete view_;
    view_ = nullptr;
    delete file_;
    file_ = nullptr;
    delete doc_;
    doc_ = nullptr;
    if (SettingsProfile::Global() == profile_.get())
        SettingsProfile::SetGlobal(nullptr);
}

QAction* CMainFrame::MakeAction(const char* id, const QString& text, const char* icon)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(id));
    if (icon)
        action->setIcon(Icon(icon));
    addAction(action);
    return action;
}

QAction* CMainFrame::MakeAction(const ActionRow& row)
{
    QAction* a = MakeAction(row.id, row.text, row.icon);
    a->setShortcuts(row.keys);
    a->setStatusTip(row.tip);
    a->setCheckable(row.checkable);
    if (row.run)
        connect(a, &QAction::triggered, this, row.run);
    if (row.enabled)
        enableRules_.emplace_back(a, row.enabled);
    return a;
}

QAction* CMainFrame::Action(const QString& name) const
{
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void CMainFrame::UpdateActions()
{
    for (const auto& [action, enabled] : enableRules_)
        action->setEnabled(enabled());
}

void CMainFrame::CreateActions()
{
    using K = QKeySequence;
    const auto selected = [this] { return !doc_->CurrentSelection().Empty(); };
    const auto two = [this] { return doc_->CurrentSelection().Size() >= 2; };
    const auto three = [this] { return doc_->CurrentSelection().Size() >= 3; };
    const auto editColours = [this] { properties_->EditColours(); };
    const std::vector<ActionRow> rows = {
        {"ID_FILE_NEW", tr("&New"), {K(Qt::CTRL | Qt::Key_N)}, "new", tr("Create a new screen set"),
         [this] { file_->FileNew(); }},
        {"ID_FILE_OPEN", tr("&Open..."), {K(Qt::CTRL | Qt::Key_O)}, "open", tr("Open an existing screen set"),
         [this] { file_->FileOpen(); }},
        {"ID_FILE_CLOSE_FILE", QStringLiteral("Close FIle"), {}, nullptr,
         tr("Empty the design surface; size, colours and title stay"), [this] { file_->OnCloseFile(); }},
        {"ID_FILE_SAVE", tr("&Save"), {K(Qt::CTRL | Qt::Key_S)}, "save", tr("Save the screen set"),
         [this] { file_->FileSave(); }},
        {"ID_FILE_SAVE_AS", tr("Save &As..."), {}, nullptr, tr("Save the screen set with a new name"),
         [this] { file_->FileSaveAs(); }},
        {"ID_APP_EXIT", tr("E&xit"), {K(Qt::CTRL | Qt::Key_Q)}, nullptr,
         tr("Quit the designer; prompts to save the screen set"), [this] { close(); }},
        {"ID_EDIT_SELECT_ALL", tr("Select &All"), {K(Qt::CTRL | Qt::Key_A)}, nullptr,
         tr("Select every control of the current screen"), [this] { view_->OnSelectAll(); }},
        {"ID_EDIT_CUT", tr("Cu&t"), {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)}, "cut",
         tr("Cut the selected controls"), [this] { edits_->Cut(); }, selected},
        {"ID_EDIT_COPY", tr("&Copy"), {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)}, "copy",
         tr("Copy the selected controls"), [this] { edits_->Copy(); }, selected},
        {"ID_EDIT_PASTE", tr("&Paste"), {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)}, "paste",
         tr("Paste the copied controls"), [this] { edits_->Paste(); }},
        {"ID_EDIT_PASTE_EXACT", QStringLiteral("Paste Exact"), {}, nullptr,
         tr("Paste the copied controls at their original places"), [this] { edits_->PasteExact(); }},
        {"ID_EDIT_BITMAPS_TO_BACK", QStringLiteral("Bitmaps To Back"), {}, nullptr,
         tr("Move the pictures behind the other controls"), [this] { edits_->BitmapsToBack(); }},
        {"ID_DELETE", tr("&Delete"), {K(Qt::Key_Delete)}, nullptr, tr("Delete the selected controls"),
         [this] { edits_->Delete(); }, selected},
        {"ID_EDIT_DUPLICATE", tr("D&uplicate"), {K(Qt::CTRL | Qt::Key_D)}, nullptr,
         tr("Copy the selected controls next to themselves"), [this] { edits_->Duplicate(); }, selected},
        {"ID_EDIT_ADD_TO_LIBRARY", tr("Add to &Library..."), {}, nullptr,
         tr("Keep the selected controls as a block of the Library dock"), [this] { libraryPanel_->AddSelection(); },
         selected},
        {"ID_VIEW_WORKBAR", QStringLiteral("WorkBar"), {}, nullptr, tr("Show or hide the work bar"),
         [this] { OnViewWorkBar(); }},
        {"ID_DEFAULTS_VORN_LOCATION", QStringLiteral("Vorn Location"), {}, nullptr, tr("Choose the Vorn3 folder"),
         [this] { file_->OnVornLocation(); }},
        {"ID_APP_ABOUT", tr("&About Tavlora..."), {}, "about", tr("Display program information and version"),
         [this] { OnAppAbout(); }},
        {"ID_PAGE_JUMP", tr("Jump to Page..."), {}, "page-jump", tr("Choose the screen to design"),
         [this] { viewActions_->PageJump(); }},
        {"ID_REMOVE_BITMAPS", QStringLiteral("Remove Bitmaps"), {}, "remove-bitmaps",
         tr("Hide or show the pictures of the screen"), [this] { doc_->SetShowImages(!doc_->ShowImages()); }, {},
         true},
        {"ID_VIEW_TAB", tr("TAB Screen"), {}, "tab", tr("Switch to the TAB screen and back"),
         [this] { doc_->ToggleTabScreen(); }, {}, true},
        {"ID_VIEW_PREVIEW", tr("&Preview"), {K(Qt::CTRL | Qt::Key_R)}, "preview",
         tr("Run the screens as the machine will, in a window of their own"), [this] { OpenPreview(); }},
        {"ID_COLOURS", tr("Color Definitions"), {}, "colours", tr("Edit the screen colours"), editColours},
        {"ID_DEFAULTS_COLOURS", tr("Colors..."), {}, nullptr, tr("Edit the screen colours"), editColours},
        {"ID_GRID", tr("Grid..."), {}, "grid", tr("Set the grid step and switch snapping on or off"),
         [this] { viewActions_->GridGranularity(); }},
        {"ID_VIEW_SHOW_GRID", tr("Show &Grid"), {}, nullptr, tr("Draw the grid on the design surface"), {}, {},
         true},
        {"ID_VIEW_SNAP_TO_CONTROLS", tr("Snap to &Controls"), {}, nullptr,
         tr("Snap dragged controls to the edges and centres of the others (hold Ctrl to drag freely)"), {}, {},
         true},
        {"ID_VIEW_ZOOM_IN", tr("Zoom &In"), {K(Qt::CTRL | Qt::Key_Plus), K(Qt::CTRL | Qt::Key_Equal)}, nullptr,
         {}, [this] { view_->OnZoomIn(); }},
        {"ID_VIEW_ZOOM_OUT", tr("Zoom &Out"), {K(Qt::CTRL | Qt::Key_Minus)}, nullptr, {},
         [this] { view_->OnZoomOut(); }},
        {"ID_VIEW_ZOOM_RESET", tr("&Actual Size"), {K(Qt::CTRL | Qt::Key_0)}, nullptr, {},
         [this] { view_->OnZoomReset(); }},
        {"ID_VIEW_ZOOM_FIT", tr("&Fit Screen"), {}, nullptr, {}, [this] { view_->OnZoomFit(); }},
        {"ID_SCALE_SET", tr("Scale Screen Set..."), {}, nullptr,
         tr("Rescale every control from the target screen size to another"),
         [this] {
             if (const std::optional<QSize> size = prompter_->AskScreenSize())
                 edits_->ScaleSet(*size);
         }},
        {"ID_NEXT_PANE", tr("Next Pane"), {K(Qt::Key_F6)}, nullptr, {}, [this] { MoveFocus(1); }},
        {"ID_PREV_PANE", tr("Previous Pane"), {K(Qt::SHIFT | Qt::Key_F6)}, nullptr, {}, [this] { MoveFocus(-1); }},
    };
    for (const ActionRow& row : rows)
        MakeAction(row);
    Action(QStringLiteral("ID_PAGE_JUMP"))->setToolTip(tr("Jump to Page"));
    Action(QStringLiteral("ID_GRID"))->setToolTip(tr("Grid Granularity"));
    QAction* showGrid = Action(QStringLiteral("ID_VIEW_SHOW_GRID"));
    showGrid->setChecked(view_->GridShown());
    connect(showGrid, &QAction::toggled, view_, &CTavloraView::SetGridShown);
    QAction* snap = Action(QStringLiteral("ID_VIEW_SNAP_TO_CONTROLS"));
    snap->setChecked(view_->SnapToControls());
    connect(snap, &QAction::toggled, view_, &CTavloraView::SetSnapToControls);

    // Undo and Redo name their step, and show where it changed records.
    QUndoStack& stack = doc_->UndoStack();
    QAction* undo = MakeAction({"ID_EDIT_UNDO", tr("&Undo"), {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)},
                                nullptr, tr("Undo the last edit"), [this] { doc_->Undo(); },
                                [&stack] { return stack.canUndo(); }});
    QAction* redo = MakeAction({"ID_EDIT_REDO", tr("&Redo"), {K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                                nullptr, tr("Redo the last edit undone"), [this] { doc_->Redo(); },
                                [&stack] { return stack.canRedo(); }});
    const auto name = [this, &stack, undo, redo] {
        undo->setText(stack.canUndo() ? tr("&Undo %1").arg(stack.undoText()) : tr("&Undo"));
        redo->setText(stack.canRedo() ? tr("&Redo %1").arg(stack.redoText()) : tr("&Redo"));
        UpdateActions();
    };
    connect(&stack, &QUndoStack::indexChanged, this, name);
    connect(&stack, &QUndoStack::cleanChanged, this, name);

    struct Layout {
        const char* id;
        const char* icon; // toolbar commands have pictures
        Arrange::Command command;
    };
    const Layout layouts[] = {
        {"ID_ALIGN_TOPS", "align-tops", Arrange::AlignTops},
        {"ID_ALIGN_BOTTOMS", "align-bottoms", Arrange::AlignBottoms},
        {"ID_ALIGN_LEFTS", "align-lefts", Arrange::AlignLefts},
        {"ID_ALIGN_RIGHTS", "align-rights", Arrange::AlignRights},
        {"ID_SAME_HEIGHT", "same-height", Arrange::SameHeight},
        {"ID_SAME_WIDTH", "same-width", Arrange::SameWidth},
        {"ID_SPACE_ACROSS", "space-across", Arrange::SpaceAcross},
        {"ID_SPACE_DOWN", "space-down", Arrange::SpaceDown},
        {"ID_ALIGN_CENTRES_ACROSS", nullptr, Arrange::AlignCentresAcross},
        {"ID_ALIGN_CENTRES_DOWN", nullptr, Arrange::AlignCentresDown},
        {"ID_DISTRIBUTE_ACROSS", nullptr, Arrange::DistributeAcross},
        {"ID_DISTRIBUTE_DOWN", nullptr, Arrange::DistributeDown},
    };
    for (const Layout& l : layouts) {
        const Arrange::Command command = l.command;
        const bool reference = Arrange::NeedsReference(command);
        const QString text = EditActions::ArrangeText(command);
        MakeAction({l.id, text, {}, l.icon,
                    reference ? tr("%1: the last control selected is the reference").arg(text)
                              : tr("%1: three or more controls").arg(text),
                    [this, command] { edits_->Arrange(command); },
                    reference ? std::function<bool()>(two) : std::function<bool()>(three)});
    }
}

void CMainFrame::AddPanel(QDockWidget* dock, Qt::DockWidgetArea area)
{
    addDockWidget(area, dock);
    QAction* toggle = dock->toggleViewAction();
    toggle->setObjectName(QStringLiteral("ID_VIEW_PANEL_") + dock->objectName());
    panelsMenu_->addAction(toggle);
}

void CMainFrame::RestoreLayout()
{
    // The window's docks, toolbar and zoom as they were at the last close.
    QSettings settings(QStringLiteral("Tavlora"), QStringLiteral("Tavlora"));
    settings.beginGroup(QStringLiteral("Window"));
    restoreState(settings.value(QStringLiteral("State")).toByteArray());
    const double zoom = settings.value(QStringLiteral("Zoom"), 1.0).toDouble();
    if (zoom != 1.0)
        view_->SetZoom(zoom);
}

void CMainFrame::SaveLayout() const
{
    QSettings settings(QStringLiteral("Tavlora"), QStringLiteral("Tavlora"));
    settings.beginGroup(QStringLiteral("Window"));
    settings.setValue(QStringLiteral("State"), saveState());
    settings.setValue(QStringLiteral("Zoom"), view_->Zoom());
}

void CMainFrame::MoveFocus(int direction)
{
    // The work bar, the design view and the shown docks, in that order.
    QList<QWidget*> panes{view_};
    for (QDockWidget* dock : findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (dock->isVisible())
            panes << dock;
    }
    if (panes.size() < 2)
        return;
    int at = 0;
    for (int i = 0; i < panes.size(); ++i) {
        if (panes[i]->isAncestorOf(QApplication::focusWidget()) || panes[i] == QApplication::focusWidget())
            at = i;
    }
    QWidget* next = panes[(at + direction + panes.size()) % panes.size()];
    if (next == view_) {
        view_->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    // The first widget of the dock that takes the focus.
    QWidget* w = next->nextInFocusChain();
    while (w && w != next && (!next->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled()))
        w = w->nextInFocusChain();
    (w && w != next ? w : next)->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::InsertBlock(int row)
{
    const ControlLibrary& library = libraryPanel_->Library();
    if (row < 0 || size_t(row) >= library.Blocks().size())
        return;
    const QString name = library.Blocks()[size_t(row)].name;
    edits_->Insert(library.Copies(row), view_->VisibleTopLeft(), tr("Insert %1").arg(name));
    view_->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::CreateToolBar()
{
    toolBar_ = new QToolBar(tr("Toolbar"), this);
    toolBar_->setObjectName(QStringLiteral("MainToolBar"));
    toolBar_->setIconSize(QSize(20, 20));
    const char* const groups[][9] = {
        {"ID_FILE_NEW", "ID_FILE_OPEN", "ID_FILE_SAVE"},
        {"ID_EDIT_CUT", "ID_EDIT_COPY", "ID_EDIT_PASTE"},
        {"ID_APP_ABOUT", "ID_PAGE_JUMP"},
        {"ID_REMOVE_BITMAPS", "ID_VIEW_TAB", "ID_VIEW_PREVIEW", "ID_COLOURS"},
        {"ID_ALIGN_TOPS", "ID_ALIGN_BOTTOMS", "ID_ALIGN_LEFTS", "ID_ALIGN_RIGHTS", "ID_SAME_HEIGHT",
         "ID_SAME_WIDTH", "ID_SPACE_ACROSS", "ID_SPACE_DOWN", "ID_GRID"},
    };
    bool first = true;
    for (const auto& group : groups) {
        if (!first)
            toolBar_->addSeparator();
        first = false;
        for (const char* id : group) {
            if (id)
                toolBar_->addAction(Action(QString::fromLatin1(id)));
        }
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void CMainFrame::CreateMenus()
{
    fileMenu_ = menuBar()->addMenu(tr("&File"));
    fileMenu_->addAction(Action(QStringLiteral("ID_FILE_NEW")));
    fileMenu_->addAction(Action(QStringLiteral("ID_FILE_OPEN")));
    fileMenu_->addAction(Action(QStringLiteral("ID_FILE_CLOSE_FILE")));
    fileMenu_->addAction(Action(QStringLiteral("ID_FILE_SAVE")));
    fileMenu_->addAction(Action(QStringLiteral("ID_FILE_SAVE_AS")));
    fileMenu_->addSeparator();
    for (QAction* print : printActions_->Actions())
        fileMenu_->addAction(print);
    fileMenu_->addSeparator();
    recentAnchor_ = fileMenu_->addSeparator();
    fileMenu_->addAction(Action(QStringLiteral("ID_APP_EXIT")));

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(Action(QStringLiteral("ID_EDIT_UNDO")));
    edit->addAction(Action(QStringLiteral("ID_EDIT_REDO")));
    edit->addSeparator();
    edit->addAction(Action(QStringLiteral("ID_EDIT_CUT")));
    edit->addAction(Action(QStringLiteral("ID_EDIT_COPY")));
    edit->addAction(Action(QStringLiteral("ID_EDIT_PASTE")));
    edit->addAction(Action(QStringLiteral("ID_EDIT_PASTE_EXACT")));
    edit->addAction(Action(QStringLiteral("ID_EDIT_BITMAPS_TO_BACK")));
    edit->addAction(Action(QStringLiteral("ID_DELETE")));
    edit->addAction(Action(QStringLiteral("ID_EDIT_DUPLICATE")));
    edit->addSeparator();
    edit->addAction(Action(QStringLiteral("ID_EDIT_ADD_TO_LIBRARY")));
    edit->addSeparator();
    edit->addAction(Action(QStringLiteral("ID_EDIT_SELECT_ALL")));

    QMenu* arrange = menuBar()->addMenu(tr("&Arrange"));
    static const char* const arrangeIds[] = {"ID_ALIGN_TOPS", "ID_ALIGN_BOTTOMS", "ID_ALIGN_LEFTS", "ID_ALIGN_RIGHTS", nullptr,
                           "ID_SAME_HEIGHT", "ID_SAME_WIDTH", nullptr, "ID_SPACE_ACROSS", "ID_SPACE_DOWN", nullptr,
                           "ID_ALIGN_CENTRES_ACROSS", "ID_ALIGN_CENTRES_DOWN", "ID_DISTRIBUTE_ACROSS",
                           "ID_DISTRIBUTE_DOWN", nullptr, "ID_SCALE_SET"};
    for (const char* id : arrangeIds) {
        if (id)
            arrange->addAction(Action(QString::fromLatin1(id)));
        else
            arrange->addSeparator();
    }

    QMenu* view = menuBar()->addMenu(tr("&View"));
    QAction* toolbar = toolBar_->toggleViewAction();
    toolbar->setText(tr("&Toolbar"));
    toolbar->setObjectName(QStringLiteral("ID_VIEW_TOOLBAR"));
    toolbar->setStatusTip(tr("Show or hide the toolbar"));
    view->addAction(toolbar);
    auto* status = MakeAction("ID_VIEW_STATUS_BAR", tr("&Status Bar"));
    status->setCheckable(true);
    status->setChecked(true);
    status->setStatusTip(tr("Show or hide the status bar"));
    connect(status, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    view->addAction(status);
    view->addAction(Action(QStringLiteral("ID_VIEW_WORKBAR")));
    panelsMenu_ = view->addMenu(tr("&Panels"));
    view->addSeparator();
    for (const char* id : {"ID_PAGE_JUMP", "ID_VIEW_TAB", "ID_REMOVE_BITMAPS", "ID_GRID", "ID_VIEW_SHOW_GRID",
                           "ID_VIEW_SNAP_TO_CONTROLS"})
        view->addAction(Action(QString::fromLatin1(id)));
    view->addSeparator();
    for (const char* id : {"ID_VIEW_ZOOM_IN", "ID_VIEW_ZOOM_OUT", "ID_VIEW_ZOOM_RESET", "ID_VIEW_ZOOM_FIT"})
        view->addAction(Action(QString::fromLatin1(id)));
    view->addSeparator();
    view->addAction(Action(QStringLiteral("ID_VIEW_PREVIEW")));

    QMenu* defaults = menuBar()->addMenu(QStringLiteral("Defaults"));
    defaults->addAction(Action(QStringLiteral("ID_DEFAULTS_VORN_LOCATION")));
    defaults->addAction(Action(QStringLiteral("ID_DEFAULTS_COLOURS")));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(Action(QStringLiteral("ID_APP_ABOUT")));
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->showMessage(tr("Ready"));
    captionLabel_ = new QLabel(bar);
    captionLabel_->setObjectName(QStringLiteral("CaptionLabel"));
    captionLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    captionLabel_->setMinimumWidth(captionLabel_->fontMetrics().horizontalAdvance(
                                       CTavloraView::CaptionFor(0)) + 16);
    problemsLabel_ = new QLabel(bar);
    problemsLabel_->setObjectName(QStringLiteral("ProblemsLabel"));
    problemsLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    zoomLabel_ = new QLabel(QStringLiteral("100 %"), bar);
    zoomLabel_->setObjectName(QStringLiteral("ZoomLabel"));
    zoomLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    zoomLabel_->setAlignment(Qt::AlignCenter);
    zoomLabel_->setMinimumWidth(zoomLabel_->fontMetrics().horizontalAdvance(QStringLiteral("800 %")) + 12);
    positionLabel_ = new QLabel(bar);
    positionLabel_->setObjectName(QStringLiteral("PositionLabel"));
    positionLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    positionLabel_->setMinimumWidth(positionLabel_->fontMetrics().horizontalAdvance(
                                        QStringLiteral("-0000, -0000    Anchor: x -0000, y -0000, 0000 x 0000")) + 16);
    capLabel_ = Indicator(QStringLiteral("CAP"), bar);
    numLabel_ = Indicator(QStringLiteral("NUM"), bar);
    scrlLabel_ = Indicator(QStringLiteral("SCRL"), bar);
    bar->addPermanentWidget(problemsLabel_);
    bar->addPermanentWidget(positionLabel_);
    bar->addPermanentWidget(zoomLabel_);
    bar->addPermanentWidget(captionLabel_);
    bar->addPermanentWidget(capLabel_);
    bar->addPermanentWidget(numLabel_);
    bar->addPermanentWidget(scrlLabel_);
    SetLockIndicator(capLabel_, capsOn_);
    SetLockIndicator(numLabel_, numOn_);
    SetLockIndicator(scrlLabel_, scrollOn_);
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(tr("Ready"));
    });
}

void CMainFrame::CreateWorkBar()
{
    workBar_ = new WorkBar(this);
    addDockWidget(Qt::LeftDockWidgetArea, workBar_);
    resizeDocks({workBar_}, {150}, Qt::Horizontal);
}

void CMainFrame::SetLockIndicator(QLabel* label, bool on)
{
    label->setEnabled(on);
}

void CMainFrame::UpdateTitle()
{
    setWindowTitle(file_->Title() + QStringLiteral("[*] - ") + CTavloraDoc::kAppTitle);
    setWindowModified(doc_->IsModified());
}

void CMainFrame::UpdateRecentFiles()
{
    for (QAction* a : recentActions_) {
        fileMenu_->removeAction(a);
        a->deleteLater();
    }
    recentActions_.clear();
    const RecentFileList& recent = file_->RecentFiles();
    if (recent.Paths().isEmpty()) {
        auto* none = new QAction(tr("Recent File"), this);
        none->setEnabled(false);
        fileMenu_->insertAction(recentAnchor_, none);
        recentActions_.append(none);
        return;
    }
    for (int i = 0; i < recent.Paths().size(); ++i) {
        auto* a = new QAction(recent.MenuText(i), this);
        a->setObjectName(QStringLiteral("ID_FILE_MRU_FILE%1").arg(i + 1));
        a->setStatusTip(tr("Open %1").arg(QDir::toNativeSeparators(recent.Paths().at(i))));
        connect(a, &QAction::triggered, this, [this, i] { OpenRecent(i); });
        fileMenu_->insertAction(recentAnchor_, a);
        recentActions_.append(a);
    }
}

void CMainFrame::OpenRecent(int index)
{
    RecentFileList& recent = file_->RecentFiles();
    if (index < 0 || index >= recent.Paths().size())
        return;
    const QString path = recent.Paths().at(index);
    if (!file_->SaveModified())
        return;
    if (!file_->OnOpenDocument(path) && !QFileInfo::exists(path)) {
        recent.Remove(path);
        recent.Save();
        UpdateRecentFiles();
    }
}

void CMainFrame::UpdateViewState()
{
    Action(QStringLiteral("ID_REMOVE_BITMAPS"))->setChecked(!doc_->ShowImages());
    Action(QStringLiteral("ID_VIEW_TAB"))->setChecked(doc_->CurrentScreen() == ScreenVisibility::kTabScreen);
}

PreviewWindow* CMainFrame::OpenPreview()
{
    auto* preview = new PreviewWindow(*doc_, *file_, this);
    preview->show();
    preview->activateWindow();
    return preview;
}

QList<PreviewWindow*> CMainFrame::Previews() const
{
    return findChildren<PreviewWindow*>(QString(), Qt::FindDirectChildrenOnly);
}

void CMainFrame::OnAppAbout()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void CMainFrame::OnViewWorkBar()
{
    workBar_->setVisible(!workBar_->isVisible());
}

void CMainFrame::SaveProfile()
{
    profile_->Save();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!closed_ && !file_->SaveModified()) {
        event->ignore();
        return;
    }
    closed_ = true;
    for (PreviewWindow* preview : Previews())
        preview->close();
    SaveLayout();
    file_->OnCloseDocument();
    SaveProfile();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        for (const QUrl& url : event->mimeData()->urls()) {
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
        }
    }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            activateWindow();
            file_->OpenFile(url.toLocalFile());
            return;
        }
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Escape anywhere in the window drops the tool; the key goes on as well.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_Escape && widget && widget->window() == this && view_)
            view_->SetCurrentTool(0);
        // A key event travels up the parents: count each press once.
        if (key->timestamp() != lastKeyTimestamp_ || key->key() != lastKey_) {
            lastKeyTimestamp_ = key->timestamp();
            lastKey_ = key->key();
            const int k = key->key();
            const bool shift = key->modifiers() & Qt::ShiftModifier;
            const QString text = key->text();
            if (k == Qt::Key_CapsLock) {
                capsOn_ = !capsOn_;
            } else if (k == Qt::Key_NumLock) {
                numOn_ = !numOn_;
            } else if (k == Qt::Key_ScrollLock) {
                scrollOn_ = !scrollOn_;
            } else if (k >= Qt::Key_A && k <= Qt::Key_Z && text.size() == 1 && text.at(0).isLetter()) {
                // The case of a letter tells the caps lock state.
                capsOn_ = text.at(0).isUpper() != shift;
            } else if (key->modifiers() & Qt::KeypadModifier) {
                if (k >= Qt::Key_0 && k <= Qt::Key_9)
                    numOn_ = true;
                else if (k == Qt::Key_Home || k == Qt::Key_End || k == Qt::Key_Left || k == Qt::Key_Right
                         || k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_PageUp || k == Qt::Key_PageDown
                         || k == Qt::Key_Insert || k == Qt::Key_Clear)
                    numOn_ = shift;
            }
            SetLockIndicator(capLabel_, capsOn_);
            SetLockIndicator(numLabel_, numOn_);
            SetLockIndicator(scrlLabel_, scrollOn_);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tavlora
