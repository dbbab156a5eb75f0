#include "GridGran.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavlora {

GridGran::GridGran(double granularity, bool on, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Grid Granularity"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    box_ = new QDoubleSpinBox(this);
    box_->setDecimals(2);
    box_->setRange(1.0, 100000.0);
    box_->setPrefix(QStringLiteral(" Grid : "));
    box_->setSuffix(QStringLiteral(" Pixels"));
    box_->setGroupSeparatorShown(false);
    box_->setValue(granularity);
    box_->setMinimumWidth(170);

    on_ = new QCheckBox(QStringLiteral("Grid ON"), this);
    on_->setChecked(on);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(box_, 1);
    row->addSpacing(8);
    row->addWidget(on_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->addLayout(row);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
    box_->setFocus();
    box_->selectAll();
}

double GridGran::Granularity() const
{
    return box_->value();
}

bool GridGran::GridOn() const
{
    return on_->isChecked();
}

} // namespace tavlora
