#include "ProblemsPanel.h"

#include "ProblemListModel.h"

#include "core/ScreenVisibility.h"
#include "core/Selection.h"
#include "document/CTavloraDoc.h"
#include "widgets/WidgetContext.h"

#include <QHeaderView>
#include <QTreeView>

#include <utility>
#include <vector>

namespace tavlora {

ProblemsPanel::ProblemsPanel(CTavloraDoc& doc, QWidget* parent)
    : QDockWidget(tr("Problems"), parent), doc_(doc)
{
    setObjectName(QStringLiteral("ProblemsPanel"));
    model_ = new ProblemListModel(this);
    view_ = new QTreeView(this);
    view_->setModel(model_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setAllColumnsShowFocus(true);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QHeaderView* header = view_->header();
    header->setStretchLastSection(true);
    const int widths[ProblemListModel::ColumnCount - 1] = {80, 50, 180, 150};
    for (int c = 0; c < ProblemListModel::ColumnCount - 1; ++c)
        header->resizeSection(c, widths[c]);
    setWidget(view_);

    timer_.setSingleShot(true);
    timer_.setInterval(kDebounceMs);
    connect(&timer_, &QTimer::timeout, this, &ProblemsPanel::CheckNow);
    connect(view_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) { ShowProblem(index.row()); });

    connect(&doc_, &CTavloraDoc::controlsChanged, this, &ProblemsPanel::Schedule);
    connect(&doc_, &CTavloraDoc::controlsInserted, this, &ProblemsPanel::Schedule);
    connect(&doc_, &CTavloraDoc::controlsRemoved, this, &ProblemsPanel::Schedule);
    connect(&doc_, &CTavloraDoc::screenSizeChanged, this, &ProblemsPanel::Schedule);
    // The records of the old set are going: no row may name them.
    connect(&doc_, &CTavloraDoc::aboutToReset, this, [this] { model_->SetRows({}); });
    connect(&doc_, &CTavloraDoc::documentReset, this, &ProblemsPanel::Schedule);
    connect(&doc_.Catalogs(), &FunctionCatalogs::changed, this, &ProblemsPanel::Schedule);
    Schedule();
}

void ProblemsPanel::Schedule()
{
    timer_.start();
}

QString ProblemsPanel::Summary() const
{
    QStringList parts;
    if (errors_)
        parts << (errors_ == 1 ? tr("1 error") : tr("%1 errors").arg(errors_));
    if (warnings_)
        parts << (warnings_ == 1 ? tr("1 warning") : tr("%1 warnings").arg(warnings_));
    if (notes_)
        parts << (notes_ == 1 ? tr("1 note") : tr("%1 notes").arg(notes_));
    return parts.isEmpty() ? tr("No problems") : parts.join(QStringLiteral(", "));
}

void ProblemsPanel::CheckNow()
{
    timer_.stop();
    doc_.Catalogs().FillCheckOptions(options_.set);
    options_.vornFolder = doc_.VornFolder();
    options_.set.screenWidth = doc_.ScreenSize().width();
    options_.set.screenHeight = doc_.ScreenSize().height();
    options_.set.file = doc_.LastRead();

    const ScreenSet& set = doc_.Set();
    std::vector<Finding> findings = runner_.Run(set, options_);
    std::vector<ProblemListModel::Row> rows;
    rows.reserve(findings.size());
    int counts[3] = {};
    for (Finding& f : findings) {
        ProblemListModel::Row row;
        if (f.index && *f.index < set.Size()) {
            row.record = set.controls[*f.index].get();
            row.control = QString::fromStdString(SetCheck::Describe(set, *f.index));
        }
        ++counts[int(f.severity)];
        row.finding = std::move(f);
        rows.push_back(std::move(row));
    }
    model_->SetRows(std::move(rows));
    errors_ = counts[int(Finding::Severity::Error)];
    warnings_ = counts[int(Finding::Severity::Warning)];
    notes_ = counts[int(Finding::Severity::Note)];
    emit countsChanged(errors_, warnings_, notes_);
}

void ProblemsPanel::ShowProblem(int row)
{
    const ProblemListModel::Row* problem = model_->At(row);
    if (!problem)
        return;
    const ControlRecord* rec = problem->record;
    // A control that left the list since the check is not selected.
    if (rec && doc_.Set().IndexOf(rec) < 0)
        rec = nullptr;
    // A persistent control shows where it is (but on the TAB screen).
    if (rec && !ScreenVisibility::ShowsOn(rec->screen, doc_.CurrentScreen()))
        doc_.SetCurrentScreen(rec->screen);
    else if (!rec && problem->finding.screen)
        doc_.SetCurrentScreen(*problem->finding.screen);
    if (rec) {
        doc_.EditSelection([rec](Selection& s) {
            s.Clear();
            s.Select(rec);
        });
    }
}

} // namespace tavlora
