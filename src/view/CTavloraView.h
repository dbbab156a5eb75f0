#pragma once

#include <QAbstractScrollArea>
#include <QPointer>
#include <QSize>

#include <array>

class QSplashScreen;

namespace tavlora {

class CTavloraDoc;
class DesignWidget;
class Prompter;
class ScreenSet;
class SettingsProfile;
class WidgetContext;

// The design surface: one screen of the set at the target size on the screen
// background, teal strips beyond it, scroll bars when the window is smaller.
// Drawing goes through ScreenRenderer; records stay in design coordinates.
class CTavloraView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kTabScreen = 50;
    static constexpr int kPageCount = 100;
    static constexpr int kSplashMs = 2000;

    // The "defs" default sizes of new controls, in the order they are read.
    enum DefaultSize {
        DROY, DROX, PBY, PBX, BY, BX, JX, JY, LX, LY,
        LEDX, LEDY, MDIX, MDIY, GCX, GCY, TX, TY,
        DefaultSizeCount
    };
    static const char* DefaultSizeKey(DefaultSize which);
    static int DefaultSizeDefault(DefaultSize which);

    CTavloraView(CTavloraDoc& doc, SettingsProfile& profile, Prompter& prompter, QWidget* parent = nullptr);
    ~CTavloraView() override;

    CTavloraDoc& Document() const { return doc_; }

    int CurrentTool() const { return currentTool_; }
    void SetCurrentTool(int tool) { currentTool_ = tool; }
    bool GridOn() const { return gridOn_; }
    // The granularity as stored (may be 0 or negative) and the step snapping uses.
    int GridGranularity() const { return gridGranularity_; }
    int SnapStep() const { return gridGranularity_ > 0 ? gridGranularity_ : 1; }
    int DefaultSizeOf(DefaultSize which) const { return defaultSizes_[which]; }
    bool ShowImages() const { return showImages_; }
    int SavedScreen() const { return savedScreen_; }
    QSize DesignSize() const { return designSize_; }
    QPoint ScrollOffset() const;
    // "        Currenly designing Window # %d " / "... Persistant Controls".
    QString Caption() const { return caption_; }
    static QString CaptionFor(int screen);

public slots:
    // Shows the widgets of the current screen and the persistent layer, sets
    // the caption and repaints.
    void OnUpdate();
    // Size of the design area from the document; scroll bars follow.
    void OnInitialUpdate();

    void OnToggleTab();        // TAB screen
    void OnRemoveBitmaps();    // "Remove Bitmaps"
    void OnPageJump();         // "Jump to Page...."
    void OnGridGranularity();  // "Grid Granularity"
    void OnFileChange(const QString& path);
    void ShowSplash();

    // Commands whose editing operations are still to be built.
    void OnColourDefinitions();
    void OnAlignTops();
    void OnAlignBottoms();
    void OnAlignLefts();
    void OnAlignRights();
    void OnSameHeight();
    void OnSameWidth();
    void OnSpaceAcross();
    void OnSpaceDown();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnPasteExact();
    void OnBitmapsToBack();
    void OnDeleteSelection();

signals:
    void captionChanged(const QString& caption);
    // Escape reset the current tool: the work bar shows "NONE".
    void toolReset();
    // The TAB screen or the picture switch changed.
    void viewStateChanged();
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // Selection and tracking of a left press; true when it consumed the click.
    virtual bool TrackClick(QPoint designPoint, Qt::KeyboardModifiers mods);
    // Places a control of the current tool at a design point.
    virtual void PlaceControl(QPoint designPoint, Qt::KeyboardModifiers mods);
    // Runs the property dialog of the control under a design point.
    virtual void EditPropertiesAt(QPoint designPoint);
    // Selection outlines over the painted screen.
    virtual void PaintSelection(QPainter& p);

private:
    void OnDocumentReset();
    void UpdateScrollBars();
    void SetCaption(const QString& caption);
    DesignWidget* PressedWidget() const;

    CTavloraDoc& doc_;
    ScreenSet& set_;
    WidgetContext& ctx_;
    SettingsProfile& profile_;
    Prompter& prompter_;

    int savedScreen_ = 1;
    bool showImages_ = true;
    int currentTool_ = 0;
    bool gridOn_ = false;
    int gridGranularity_ = 3;
    std::array<int, DefaultSizeCount> defaultSizes_{};
    QSize designSize_;
    QString caption_;
    DesignWidget* pressed_ = nullptr;
    bool askingReload_ = false;
    bool painted_ = false;
    bool splashPending_ = false;
    QPointer<QSplashScreen> splash_;
};

} // namespace tavlora
