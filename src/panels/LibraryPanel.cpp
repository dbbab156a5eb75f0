#include "LibraryPanel.h"

#include "LibraryListModel.h"

#include "document/CTavloraDoc.h"
#include "document/Prompter.h"
#include "widgets/BlockThumbnail.h"

#include <QListView>
#include <QMenu>

#include <algorithm>

namespace tavlora {

LibraryPanel::LibraryPanel(CTavloraDoc& doc, Prompter& prompter, QWidget* parent, const QString& userFolder,
                           const QString& shippedFolder)
    : QDockWidget(tr("Library"), parent), doc_(doc), prompter_(prompter), library_(userFolder, shippedFolder)
{
    setObjectName(QStringLiteral("LibraryPanel"));
    library_.Load();
    model_ = new LibraryListModel(library_, this);
    model_->SetThumbnailSize(kThumbnailSize);
    model_->Reset();

    view_ = new QListView(this);
    view_->setModel(model_);
    view_->setIconSize(kThumbnailSize);
    // Names and reasons wrap in a narrow dock.
    view_->setWordWrap(true);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    view_->setSpacing(2);
    view_->setDragEnabled(true);
    view_->setDragDropMode(QAbstractItemView::DragOnly);
    view_->setDefaultDropAction(Qt::CopyAction);
    setWidget(view_);

    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (isVisible())
            DrawThumbnails();
    });
    connect(view_, &QListView::activated, this, [this](const QModelIndex& index) { Insert(index.row()); });
    connect(view_, &QListView::customContextMenuRequested, this, &LibraryPanel::ContextMenu);
    // The thumbnails show the blocks in the set's colours and pictures.
    for (auto signal : {&CTavloraDoc::coloursChanged, &CTavloraDoc::documentReset})
        connect(&doc_, signal, this, &LibraryPanel::Invalidate);
    connect(&doc_, &CTavloraDoc::showImagesChanged, this, &LibraryPanel::Invalidate);
    Invalidate();
}

void LibraryPanel::Invalidate()
{
    stale_ = true;
    timer_.start(0);
}

void LibraryPanel::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    if (stale_)
        timer_.start(0);
}

void LibraryPanel::DrawThumbnails()
{
    stale_ = false;
    const auto& blocks = library_.Blocks();
    for (size_t i = 0; i < blocks.size(); ++i) {
        model_->SetThumbnail(int(i), BlockThumbnail::Draw(blocks[i].records, doc_.Set().colours, doc_.VornFolder(),
                                                          doc_.ShowImages(), kThumbnailSize));
    }
}

void LibraryPanel::Reload()
{
    library_.Load();
    model_->Reset();
    Invalidate();
}

void LibraryPanel::Select(const QString& name)
{
    const int row = library_.IndexOf(name);
    if (row >= 0)
        view_->setCurrentIndex(model_->index(row));
}

QString LibraryPanel::FreeName() const
{
    for (int n = 1;; ++n) {
        const QString name = tr("Block %1").arg(n);
        if (library_.IndexOf(name) < 0)
            return name;
    }
}

bool LibraryPanel::AddSelection()
{
    std::vector<const ControlRecord*> records = doc_.CurrentSelection().Records();
    if (records.empty())
        return false;
    // File order keeps what is drawn over what.
    std::sort(records.begin(), records.end(), [this](const ControlRecord* a, const ControlRecord* b) {
        return doc_.Set().IndexOf(a) < doc_.Set().IndexOf(b);
    });
    QString suggested = FreeName();
    for (;;) {
        const std::optional<QString> answer =
            prompter_.AskText(tr("Add to Library"), tr("Name of the block:"), suggested);
        if (!answer)
            return false;
        const QString name = answer->trimmed();
        const QString problem = ControlLibrary::NameProblem(name);
        if (!problem.isEmpty()) {
            prompter_.ShowError(problem);
            suggested = name;
            continue;
        }
        bool replace = false;
        if (library_.IndexOf(name) >= 0) {
            if (!prompter_.AskConfirm(tr("The library already holds a block called \"%1\". Replace it?").arg(name))) {
                suggested = name;
                continue;
            }
            replace = true;
        }
        QString error;
        const bool saved = library_.Save(name, records, error, replace);
        model_->Reset();
        Invalidate();
        if (!saved) {
            prompter_.ShowError(tr("The block was not saved: %1").arg(error));
            return false;
        }
        show();
        raise();
        Select(name);
        return true;
    }
}

bool LibraryPanel::Insert(int row)
{
    if (row < 0 || size_t(row) >= library_.Blocks().size() || !library_.Blocks()[size_t(row)].problem.isEmpty())
        return false;
    emit insertRequested(row);
    return true;
}

bool LibraryPanel::Rename(int row)
{
    if (row < 0 || size_t(row) >= library_.Blocks().size() || library_.Blocks()[size_t(row)].shipped)
        return false;
    const QString from = library_.Blocks()[size_t(row)].name;
    const std::optional<QString> answer = prompter_.AskText(tr("Rename Block"), tr("New name of the block:"), from);
    if (!answer)
        return false;
    const QString to = answer->trimmed();
    QString error;
    const bool renamed = library_.Rename(from, to, error);
    model_->Reset();
    Invalidate();
    if (!renamed) {
        prompter_.ShowError(tr("\"%1\" was not renamed: %2").arg(from, error));
        return false;
    }
    Select(to);
    return true;
}

bool LibraryPanel::Delete(int row)
{
    if (row < 0 || size_t(row) >= library_.Blocks().size() || library_.Blocks()[size_t(row)].shipped)
        return false;
    const QString name = library_.Blocks()[size_t(row)].name;
    if (!prompter_.AskConfirm(tr("Delete the block \"%1\" from the library?").arg(name)))
        return false;
    QString error;
    const bool deleted = library_.Remove(name, error);
    model_->Reset();
    Invalidate();
    if (!deleted)
        prompter_.ShowError(tr("\"%1\" was not deleted: %2").arg(name, error));
    return deleted;
}

void LibraryPanel::ContextMenu(const QPoint& pos)
{
    const int row = view_->indexAt(pos).row();
    QMenu menu(this);
    if (row >= 0) {
        const ControlLibrary::Block& b = library_.Blocks()[size_t(row)];
        menu.addAction(tr("Insert"), this, [this, row] { Insert(row); })->setEnabled(b.problem.isEmpty());
        menu.addSeparator();
        menu.addAction(tr("Rename..."), this, [this, row] { Rename(row); })->setEnabled(!b.shipped);
        menu.addAction(tr("Delete"), this, [this, row] { Delete(row); })->setEnabled(!b.shipped);
        menu.addSeparator();
    }
    menu.addAction(tr("Reload Library"), this, &LibraryPanel::Reload);
    menu.exec(view_->viewport()->mapToGlobal(pos));
}

} // namespace tavlora
