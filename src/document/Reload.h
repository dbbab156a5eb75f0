#pragma once

#include <QDialog>

namespace tavlora {

// Asks whether to reload a screen set that another program changed.
// "Yes" accepts, "No" rejects. When reloading discards unsaved edits, the
// dialog says so and "No" is the default button.
class Reload : public QDialog {
    Q_OBJECT
public:
    explicit Reload(bool discardsEdits = false, QWidget* parent = nullptr);
};

} // namespace tavlora
