#pragma once

#include "library/ControlLibrary.h"

#include <QDockWidget>
#include <QTimer>

#include <memory>

class QListView;

namespace tavlora {

class CTavloraDoc;
class Prompter;
class LibraryListModel;

// The docked "Library": reusable blocks of controls with a thumbnail each,
// drawn by ScreenRenderer in the set's colours. The selection is added under
// a name the user types; a block inserts (double-click, Enter or a drag onto
// the design view) through the window, which knows where. The user's blocks
// are renamed and deleted from the context menu; shipped ones are read-only,
// damaged files are listed greyed with the reason.
class LibraryPanel : public QDockWidget {
    Q_OBJECT
public:
    static constexpr QSize kThumbnailSize{120, 80};

    LibraryPanel(CTavloraDoc& doc, Prompter& prompter, QWidget* parent = nullptr,
                 const QString& userFolder = ControlLibrary::DefaultUserFolder(),
                 const QString& shippedFolder = ControlLibrary::DefaultShippedFolder());

    QListView* View() const { return view_; }
    LibraryListModel* Model() const { return model_; }
    const ControlLibrary& Library() const { return library_; }

    // True while some thumbnail waits to be drawn; drawing them now.
    bool ThumbnailsPending() const { return stale_; }
    void DrawThumbnails();

public slots:
    // Asks a name and saves the selected controls (in file order) under it;
    // an existing block of the user's is replaced only when the user says so.
    bool AddSelection();
    // Asks the insertion of a good block.
    bool Insert(int row);
    // Asks a new name for one of the user's blocks.
    bool Rename(int row);
    // Deletes one of the user's blocks after asking.
    bool Delete(int row);
    // Reads the folders again.
    void Reload();

signals:
    void insertRequested(int row);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ContextMenu(const QPoint& pos);
    void Invalidate();
    void Select(const QString& name);
    QString FreeName() const;

    CTavloraDoc& doc_;
    Prompter& prompter_;
    ControlLibrary library_;
    LibraryListModel* model_ = nullptr;
    QListView* view_ = nullptr;
    QTimer timer_;
    bool stale_ = true;
};

} // namespace tavlora
