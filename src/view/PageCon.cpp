#include "PageCon.h"
#include "core/ScreenVisibility.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavlora {

PageCon::PageCon(int currentScreen, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Jump to Page...."));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    list_ = new QComboBox(this);
    list_->setMaxVisibleItems(20);
    // A scrolling drop-down of 20 entries rather than a screen-high menu.
    list_->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    for (int i = 0; i < ScreenVisibility::kScreenCount; ++i)
        list_->addItem(QString::asprintf(" pg. %d", i));
    if (currentScreen >= 0 && currentScreen < ScreenVisibility::kScreenCount)
        list_->setCurrentIndex(currentScreen);
    else
        list_->setCurrentIndex(-1);
    list_->setMinimumWidth(150);
    connect(list_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            accept();
    });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PageCon::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(list_, 1);
    row->addSpacing(8);
    row->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->addLayout(row);
    setFixedSize(sizeHint());
    list_->setFocus();
}

void PageCon::MarkUsed(const std::vector<int>& screens)
{
    QFont bold = list_->font();
    bold.setBold(true);
    for (int screen : screens) {
        if (screen < 0 || screen >= list_->count())
            continue;
        list_->setItemText(screen, QString::asprintf(" pg. %d", screen) + QString::fromUtf8(kUsedMark));
        list_->setItemData(screen, bold, Qt::FontRole);
    }
}

void PageCon::accept()
{
    if (list_->currentIndex() >= 0)
        chosen_ = list_->currentIndex();
    QDialog::accept();
}

} // namespace tavlora
