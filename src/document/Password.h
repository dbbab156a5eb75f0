#pragma once

#include <QDialog>

class QLineEdit;

namespace tavlora {

// Asks for the password of a protected screen set. There is no Cancel: Escape
// closes the dialog and the text stays empty.
class Password : public QDialog {
    Q_OBJECT
public:
    explicit Password(QWidget* parent = nullptr);

    // The text typed, taken when OK was pressed; empty otherwise.
    QString Text() const { return text_; }

    void accept() override;

private:
    QLineEdit* edit_ = nullptr;
    QString text_;
};

} // namespace tavlora
