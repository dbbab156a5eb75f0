#include "ColourPicker.h"

#include "ColourButton.h"
#include "widgets/WidgetColours.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavlora {

namespace {

constexpr int kRows = ColourSet::Count / 2;

} // namespace

const std::array<ColourSet::Index, ColourSet::Count>& ColourPicker::ButtonOrder()
{
    static constexpr std::array<ColourSet::Index, ColourSet::Count> order = {
        ColourSet::ScreenBack, ColourSet::Label,      ColourSet::DROBack,
        ColourSet::DroSel,     ColourSet::DRONumers,  ColourSet::GCodeTextScreenBack,
        ColourSet::GCodeBack,  ColourSet::MDIText,    ColourSet::MDISel,
        ColourSet::MDIBack};
    return order;
}

ColourPicker::ColourPicker(const ColourSet& colours, QWidget* parent)
    : QDialog(parent), colours_(colours)
{
    setWindowTitle(QStringLiteral("Color Definitions"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    popup_ = [this](QColor current) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(current, this, popupTitle_);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };

    // Created in the order of the buttons, which is also the tab order.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(30);
    grid->setVerticalSpacing(10);
    const auto& order = ButtonOrder();
    for (int i = 0; i < ColourSet::Count; ++i) {
        const ColourSet::Index index = order[i];
        auto* button = new ColourButton(QString::fromUtf8(ColourSet::Title(index)), this);
        button->SetColour(WidgetColours::Of(colours_, index));
        connect(button, &QPushButton::clicked, this, [this, index] { Pick(index); });
        buttons_[index] = button;
        grid->addWidget(button, i % kRows, i / kRows);
    }

    // Both columns as wide as the widest label needs.
    int width = 0;
    for (const ColourButton* button : buttons_)
        width = qMax(width, button->sizeHint().width());
    for (ColourButton* button : buttons_)
        button->setMinimumWidth(width);

    defaults_ = new QCheckBox(QStringLiteral("Make these colour my startup defaults"), this);
    defaults_->setChecked(false);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    ok_->setMinimumWidth(75);
    connect(ok_, &QPushButton::clicked, this, &ColourPicker::accept);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setMinimumWidth(75);
    connect(cancel_, &QPushButton::clicked, this, &ColourPicker::reject);

    auto* box = new QHBoxLayout;
    box->addStretch(1);
    box->addWidget(defaults_);
    box->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(34, 12, 34, 12);
    layout->addLayout(grid);
    layout->addSpacing(10);
    layout->addLayout(box);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void ColourPicker::Pick(ColourSet::Index index)
{
    ColourButton* button = buttons_[index];
    popupTitle_ = button->text();
    if (!popup_)
        return;
    if (const std::optional<QColor> chosen = popup_(button->Colour()); chosen && chosen->isValid())
        button->SetColour(*chosen);
}

void ColourPicker::accept()
{
    for (int i = 0; i < ColourSet::Count; ++i) {
        const auto index = ColourSet::Index(i);
        const QColor c = buttons_[index]->Colour();
        // An unchanged colour keeps its value exactly, high byte included.
        if (c != WidgetColours::Of(colours_, index))
            colours_.Set(index, MakeColourRef(uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())));
    }
    makeDefaults_ = defaults_->isChecked();
    QDialog::accept();
}

} // namespace tavlora
