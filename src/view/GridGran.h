#pragma once

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;

namespace tavlora {

// "Grid Granularity": the snap step in pixels and whether snapping is on.
class GridGran : public QDialog {
    Q_OBJECT
public:
    GridGran(double granularity, bool on, QWidget* parent = nullptr);

    // What the controls hold, however the dialog closed.
    double Granularity() const;
    bool GridOn() const;

    QDoubleSpinBox* GranularityBox() const { return box_; }
    QCheckBox* GridOnBox() const { return on_; }

private:
    QDoubleSpinBox* box_ = nullptr;
    QCheckBox* on_ = nullptr;
};

} // namespace tavlora
