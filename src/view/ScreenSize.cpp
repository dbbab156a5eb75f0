#include "ScreenSize.h"

#include <QButtonGroup>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace tavlora {

namespace {

QDoubleSpinBox* SizeBox(const QString& prefix, int value, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setDecimals(4);
    box->setRange(1.0, 100000.0);
    box->setPrefix(prefix);
    box->setSuffix(QStringLiteral(" Pixels"));
    box->setGroupSeparatorShown(false);
    box->setValue(value);
    box->setMinimumWidth(180);
    return box;
}

int Truncated(double value)
{
    return int(std::trunc(value));
}

} // namespace

ScreenSize::ScreenSize(QSize desktop, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Desired Screen Size"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* frame = new QGroupBox(QStringLiteral("Screen Size"), this);
    group_ = new QButtonGroup(this);
    const QString texts[] = {QStringLiteral("1024x768"), QStringLiteral("800x600"), QStringLiteral("640x480"),
                             QStringLiteral("Custom")};
    auto* grid = new QGridLayout(frame);
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(texts[i], frame);
        group_->addButton(radio, i);
        grid->addWidget(radio, i, 0);
    }
    width_ = SizeBox(QStringLiteral(" X : "), desktop.width(), frame);
    height_ = SizeBox(QStringLiteral(" Y : "), desktop.height(), frame);
    grid->addWidget(width_, 3, 1);
    grid->addWidget(height_, 4, 1);
    grid->setColumnStretch(1, 1);
    group_->button(Size1024x768)->setChecked(true);
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool) { UpdateEnabled(); });
    UpdateEnabled();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->addWidget(frame);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void ScreenSize::UpdateEnabled()
{
    const bool custom = group_->checkedId() == Custom;
    width_->setEnabled(custom);
    height_->setEnabled(custom);
}

int ScreenSize::Choice() const
{
    return group_->checkedId();
}

void ScreenSize::SetChoice(int choice)
{
    if (QAbstractButton* b = group_->button(choice))
        b->setChecked(true);
}

QSize ScreenSize::Result() const
{
    switch (Choice()) {
    case Size800x600:
        return {800, 600};
    case Size640x480:
        return {640, 480};
    case Custom:
        return {Truncated(width_->value()), Truncated(height_->value())};
    default:
        return {1024, 768};
    }
}

} // namespace tavlora
