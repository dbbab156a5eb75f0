#pragma once

#include "widgets/CheckRunner.h"

#include <QDockWidget>
#include <QString>
#include <QTimer>

class QTreeView;

namespace tavlora {

class CTavloraDoc;
class ProblemListModel;

// The docked "Problems" list: every finding of the set checks for the open
// set, run again shortly after each change (never inside the change itself).
// A double-click shows the finding's screen and selects its control.
class ProblemsPanel : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kDebounceMs = 300;

    explicit ProblemsPanel(CTavloraDoc& doc, QWidget* parent = nullptr);

    QTreeView* View() const { return view_; }
    ProblemListModel* Model() const { return model_; }

    int Errors() const { return errors_; }
    int Warnings() const { return warnings_; }
    int Notes() const { return notes_; }
    // "2 errors, 1 warning", "No problems".
    QString Summary() const;
    // True while a check waits for its timer.
    bool CheckPending() const { return timer_.isActive(); }

signals:
    void countsChanged(int errors, int warnings, int notes);

public slots:
    // Runs the checks now; countsChanged follows.
    void CheckNow();
    // Shows the screen of the finding in `row` and selects its control.
    void ShowProblem(int row);

private:
    void Schedule();

    CTavloraDoc& doc_;
    ProblemListModel* model_ = nullptr;
    QTreeView* view_ = nullptr;
    QTimer timer_;
    CheckRunner runner_;
    CheckRunner::Options options_;
    int errors_ = 0;
    int warnings_ = 0;
    int notes_ = 0;
};

} // namespace tavlora
