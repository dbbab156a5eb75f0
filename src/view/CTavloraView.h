#pragma once

#include "tools/ToolHost.h"

#include "core/DefaultSizes.h"
#include "core/Grid.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QRect>
#include <QSize>

#include <initializer_list>
#include <memory>
#include <vector>

class QMimeData;

namespace tavlora {

class CTavloraDoc;
class SettingsProfile;
class Tool;
struct ToolEvent;

// The design surface: one screen of the set at the target size on the screen
// background, teal strips beyond it, scroll bars when the window is smaller.
// It paints (the screen through ScreenRenderer, the selection marks, the
// current tool's overlay), scrolls, and hands input in design coordinates to
// the current tool; it changes nothing itself and follows the document's
// change signals.
class CTavloraView : public QAbstractScrollArea, public ToolHost {
    Q_OBJECT
public:
    // Selections of at least this many controls paint their marks through a mask.
    static constexpr size_t kMaskedMarksFrom = 2000;
    // Mime type of a work-bar entry dragged onto the view: the tool number.
    static const char* const kToolMimeType;

    CTavloraView(CTavloraDoc& doc, SettingsProfile& profile, QWidget* parent = nullptr);
    ~CTavloraView() override;

    // ToolHost
    CTavloraDoc& Document() override { return doc_; }
    Grid CurrentGrid() const override { return grid_; }
    bool SnapToControls() const override { return snapToControls_; }
    bool ShowImages() const override;
    const DefaultSizes& Sizes() const override { return sizes_; }
    ViewScale Scale() const override;
    void RepaintOverlay() override;

    double Zoom() const { return zoom_; }
    // Zooms keeping the design point under `anchor` (a viewport point) in place.
    void SetZoom(double zoom, QPoint anchor);
    void SetZoom(double zoom) { SetZoom(zoom, viewport()->rect().center()); }
    // The area the surface shows, in design coordinates: the target screen and
    // every control of the current screen lying beyond it.
    QRect CanvasRect() const;
    bool GridShown() const { return showGrid_; }

    // The work bar's tool number; 0 selects and places nothing.
    int CurrentTool() const { return currentTool_; }
    Tool& CurrentToolObject() const { return *tool_; }
    bool GridOn() const { return grid_.On(); }
    // Takes a grid (the "Grid Granularity" dialog's values).
    void SetGrid(const Grid& grid) { grid_ = grid; }
    // The granularity as stored (may be 0 or negative; such a grid never snaps).
    int GridGranularity() const { return grid_.Step(); }
    int DefaultSizeOf(DefaultSizes::Which which) const { return sizes_.Get(which); }
    QSize DesignSize() const { return designSize_; }
    QPoint ScrollOffset() const;
    // The design pixel under a viewport point, and a design point on the viewport.
    QPoint ToDesign(QPoint viewportPoint) const;
    QPoint ToViewport(QPoint designPoint) const;
    // The design point at the top-left of the visible part of the surface.
    QPoint VisibleTopLeft() const;
    // "        Currenly designing Window # %d " / "... Persistant Controls".
    QString Caption() const { return caption_; }
    static QString CaptionFor(int screen);
    // What the tool reports: the cursor position and the anchor at rest, the
    // dragged position and size during a drag.
    QString StatusText() const;

public slots:
    void SetCurrentTool(int tool);
    // Shows the widgets of the current screen and the persistent layer, sets
    // the caption and repaints.
    void OnUpdate();
    // Size of the design area from the document; scroll bars follow.
    void OnInitialUpdate();

    // Page Up / Page Down: the previous or next screen that holds controls.
    void StepScreen(int direction);
    void OnSelectAll();        // every selectable control of the current screen
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomReset();
    void OnZoomFit();          // "Fit Screen"
    void SetGridShown(bool shown); // "Show Grid"
    void SetSnapToControls(bool on); // "Snap to Controls", stored in the profile

signals:
    void captionChanged(const QString& caption);
    // The current tool changed (a work-bar choice, Escape, a new document).
    void toolChanged(int tool);
    void statusTextChanged(const QString& text);
    void zoomChanged(double zoom);
    // A double-click or right-click on the design surface.
    void propertiesRequested(tavlora::Point designPoint);
    // Controls (Tavlora data) were dropped at a design point: a library block.
    void controlsDropped(const QMimeData& data, QPoint designPoint);
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void OnDocumentReset();
    void OnScreenChanged();
    void UpdateScrollBars();
    void SetCaption(const QString& caption);
    struct MarkRects {
        std::vector<QRect> halo, marks, anchorHandles;
    };
    MarkRects SelectionMarks(const ViewScale& scale) const;
    void PaintSelectionMarks(QPainter& p) const;
    // The marks of a large selection, set in one overlay kept between paints;
    // may run beside the drawing of the widgets.
    void FillMarkOverlay(const MarkRects& marks, const QRect& client) const;
    mutable QImage markOverlay_;
    mutable std::vector<uchar> markKinds_; // the overlay's pixels as kinds of mark
    mutable QRect markExtent_;
    mutable bool markOverlayReady_ = false; // filled while the screen was drawn
    // The rendered screen is kept between paints until its content changes.
    void InvalidateScreen();
    void RenderScreen(const QRect& client);
    void PaintGrid(QPainter& p, const QRect& dirty) const;
    void PaintEdge(QPainter& p) const;
    ToolEvent MakeEvent(QPointF viewportPoint, Qt::MouseButton button, Qt::KeyboardModifiers mods) const;

    CTavloraDoc& doc_;
    SettingsProfile& profile_;
    std::unique_ptr<Tool> tool_;

    int currentTool_ = 0;
    Grid grid_;
    bool showGrid_ = false;
    bool snapToControls_ = true;
    QImage screen_;
    ViewScale screenScale_;
    bool screenValid_ = false;
    QRect screenCanvas_; // the canvas when screen_ was drawn
    double zoom_ = 1.0;
    DefaultSizes sizes_;
    QSize designSize_;
    QString caption_;
    bool painted_ = false;
    bool toolRefreshQueued_ = false;
};

} // namespace tavlora
