#include "Password.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavlora {

Password::Password(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Enter Password"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    edit_ = new QLineEdit(this);
    edit_->setEchoMode(QLineEdit::Password);
    edit_->setMinimumWidth(220);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Password::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(edit_, 1);
    row->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->addLayout(row);
    setFixedSize(sizeHint());
    edit_->setFocus();
}

void Password::accept()
{
    text_ = edit_->text();
    QDialog::accept();
}

} // namespace tavlora
