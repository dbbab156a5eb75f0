#pragma once

#include <QDockWidget>

class QListWidget;
class QListWidgetItem;
class QToolBox;

namespace tavlora {

// The docked "Workspace" bar: the palette of control types. A click on an
// entry of "Controls" chooses the design view's current tool.
class WorkBar : public QDockWidget {
    Q_OBJECT
public:
    explicit WorkBar(QWidget* parent = nullptr);

    // The current tool an entry text stands for; -1 when none matches.
    static int ToolForText(const QString& text);
    // The "NONE" entry, last of "Controls".
    int NoneItem() const;

    // A click on an item of a group (item -1: on no item).
    void ItemClicked(const QString& groupTitle, int item);
    // Marks an entry of "Controls" as the selected one.
    void SelectItem(int item);
    // Marks the entry of a tool (NONE for 0 and unknown tools).
    void SelectTool(int tool);
    int SelectedItem() const;

    QToolBox* Groups() const { return groups_; }
    QListWidget* Controls() const { return controls_; }
    QListWidget* Panels() const { return panels_; }

signals:
    void toolChosen(int tool);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Items span the width of the bar.
    void FitItems();

    QToolBox* groups_ = nullptr;
    QListWidget* controls_ = nullptr;
    QListWidget* panels_ = nullptr;
    int tool_ = 0; // the tool the entries show
};

} // namespace tavlora
