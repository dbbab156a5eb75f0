#pragma once

#include <QKeySequence>
#include <QList>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QToolBar;

namespace tavlora {

class CTavloraDoc;
class CTavloraView;
class DocumentFile;
class Splash;
class ViewActions;
class Clipboard;
class EditActions;
class PropertyActions;
class PrintActions;
class PreviewWindow;
class PropertyPanel;
class ControlList;
class ScreensPanel;
class ProblemsPanel;
class LibraryPanel;
class QtPropertyServices;
class Prompter;
class SettingsProfile;
class WorkBar;

// The main window: menus, toolbar, status bar and the work bar around the one
// design view. Owns the settings profile, the document and the view.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Loads the settings profile from `profilePath`. Without a prompter the
    // frame asks through the designer's dialogs.
    explicit CMainFrame(const QString& profilePath, Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~CMainFrame() override;

    SettingsProfile& Profile() { return *profile_; }
    CTavloraDoc& Document() { return *doc_; }
    DocumentFile& File() { return *file_; }
    ViewActions& ViewCommands() { return *viewActions_; }
    Splash& StartSplash() { return *splash_; }
    CTavloraView& View() { return *view_; }
    EditActions& Edits() { return *edits_; }
    PropertyActions& Properties() { return *properties_; }
    PropertyPanel& Panel() { return *propertyPanel_; }
    ControlList& Controls() { return *controlList_; }
    ScreensPanel& Screens() { return *screensPanel_; }
    ProblemsPanel& Problems() { return *problemsPanel_; }
    LibraryPanel& Library() { return *libraryPanel_; }
    Clipboard& Copies() { return *clipboard_; }
    WorkBar& Workspace() { return *workBar_; }
    QToolBar* MainToolBar() const { return toolBar_; }
    QLabel* CaptionLabel() const { return captionLabel_; }
    // An action by its object name ("ID_FILE_NEW", "ID_VIEW_TAB", ...).
    QAction* Action(const QString& name) const;

    // Writes the settings profile now.
    void SaveProfile();

    // View > Preview: a new preview window, shown.
    PreviewWindow* OpenPreview();
    QList<PreviewWindow*> Previews() const;

public slots:
    void OnAppAbout();
    void OnViewWorkBar();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One command of the window: everything about it in one row.
    struct ActionRow {
        const char* id = nullptr;
        QString text = {};
        QList<QKeySequence> keys = {};
        const char* icon = nullptr;
        QString tip = {};
        std::function<void()> run = {};
        std::function<bool()> enabled = {}; // none: always enabled
        bool checkable = false;
    };
    QAction* MakeAction(const ActionRow& row);
    QAction* MakeAction(const char* id, const QString& text, const char* icon = nullptr);
    void CreateActions();
    // Enables the commands whose rule says so.
    void UpdateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateWorkBar();
    void UpdateTitle();
    void UpdateRecentFiles();
    void UpdateViewState();
    void OpenRecent(int index);
    void SetLockIndicator(QLabel* label, bool on);
    // A dock on the window, shown and hidden from View > Panels.
    void AddPanel(QDockWidget* dock, Qt::DockWidgetArea area);
    void RestoreLayout();
    void SaveLayout() const;
    // F6 / Shift+F6: the keyboard focus to the next or previous pane.
    void MoveFocus(int direction);
    // A block of the Library dock on the current screen at the top-left of the view.
    void InsertBlock(int row);

    std::unique_ptr<SettingsProfile> profile_;
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    CTavloraDoc* doc_ = nullptr;
    DocumentFile* file_ = nullptr;
    CTavloraView* view_ = nullptr;
    ViewActions* viewActions_ = nullptr;
    Splash* splash_ = nullptr;
    std::vector<std::pair<QAction*, std::function<bool()>>> enableRules_;
    std::unique_ptr<Clipboard> clipboard_;
    EditActions* edits_ = nullptr;
    PropertyActions* properties_ = nullptr;
    PrintActions* printActions_ = nullptr;
    std::unique_ptr<QtPropertyServices> propertyServices_;
    PropertyPanel* propertyPanel_ = nullptr;
    ControlList* controlList_ = nullptr;
    ScreensPanel* screensPanel_ = nullptr;
    ProblemsPanel* problemsPanel_ = nullptr;
    LibraryPanel* libraryPanel_ = nullptr;
    QLabel* problemsLabel_ = nullptr;
    WorkBar* workBar_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentAnchor_ = nullptr;
    QList<QAction*> recentActions_;
    QLabel* captionLabel_ = nullptr;
    QLabel* positionLabel_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QMenu* panelsMenu_ = nullptr;
    QLabel* capLabel_ = nullptr;
    QLabel* numLabel_ = nullptr;
    QLabel* scrlLabel_ = nullptr;
    bool capsOn_ = false;
    bool numOn_ = false;
    bool scrollOn_ = false;
    ulong lastKeyTimestamp_ = 0;
    int lastKey_ = 0;
    bool closed_ = false;
};

} // namespace tavlora
