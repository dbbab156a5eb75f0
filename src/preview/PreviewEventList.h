#pragma once

#include "core/PreviewRules.h"

#include <QTreeWidget>

namespace tavlora {

// The "Events" list of a preview: one row per button press the machine would
// act on, per MDI entry and per warning, the latest at the bottom.
class PreviewEventList : public QTreeWidget {
    Q_OBJECT
public:
    enum Kind { Press, Entry, Warning };

    explicit PreviewEventList(QWidget* parent = nullptr);

    void AddPress(const PreviewRules::Event& event);
    // Text sent from a control that is not a button (the MDI line).
    void AddEntry(const QString& control, const QString& text);
    void AddWarning(const QString& message);

    int Count() const { return topLevelItemCount(); }
    Kind KindAt(int row) const;

private:
    QTreeWidgetItem* Add(Kind kind, const QStringList& columns);
};

} // namespace tavlora
