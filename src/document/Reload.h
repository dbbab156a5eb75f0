#pragma once

#include <QDialog>

namespace tavlora {

// Asks whether to reload a screen set that another program changed.
// "Yes" accepts, "No" rejects.
class Reload : public QDialog {
    Q_OBJECT
public:
    explicit Reload(QWidget* parent = nullptr);
};

} // namespace tavlora
