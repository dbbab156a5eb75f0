#pragma once

#include <QTreeWidget>

#include <vector>

namespace tavlora {

// The "Signals" list of a preview: a named on/off switch per row.
class PreviewSignalList : public QTreeWidget {
    Q_OBJECT
public:
    explicit PreviewSignalList(QWidget* parent = nullptr);

    void SetRows(const QStringList& names, const std::vector<bool>& on);
    // The switches as given, without `switched`.
    void SetStates(const std::vector<bool>& on);
    bool IsOn(int row) const;

signals:
    void switched(int row, bool on);
};

} // namespace tavlora
