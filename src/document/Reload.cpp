#include "Reload.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tavlora {

Reload::Reload(bool discardsEdits, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("The ScreenSet has changed externally!!"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);

    auto* changed = new QLabel(QStringLiteral("The ScreenFile has been changed by another application"), this);
    auto* question = new QLabel(QStringLiteral("Reload?"), this);
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);

    auto* yes = new QPushButton(QStringLiteral("Yes"), this);
    auto* no = new QPushButton(QStringLiteral("No"), this);
    yes->setDefault(!discardsEdits);
    no->setDefault(discardsEdits);
    if (discardsEdits)
        no->setFocus();
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);

    auto* texts = new QVBoxLayout;
    texts->addWidget(changed);
    if (discardsEdits) {
        auto* lost = new QLabel(tr("Your unsaved changes to this set will be lost\n"
                                   "(Edit > Undo brings them back after the reload)."),
                                this);
        texts->addSpacing(6);
        texts->addWidget(lost);
    }
    texts->addSpacing(6);
    texts->addWidget(question);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(10);
    top->addLayout(texts, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

} // namespace tavlora
