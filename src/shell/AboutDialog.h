#pragma once

#include <QDialog>

namespace tavlora {

// "About Tavlora": the application icon, the version, the settings file in
// use and an OK button.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace tavlora
