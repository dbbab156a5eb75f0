#include "AboutDialog.h"

#include "settings/SettingsProfile.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavlora {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Tavlora"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/tavlora/icons/tavlora.svg")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* version = new QLabel(QStringLiteral("Tavlora  - Version 1.2"), this);
    auto* second = new QLabel(QStringLiteral("Screen designer for Vorn3 operator screens"), this);

    // Which settings file this run reads and writes.
    const SettingsProfile* profile = SettingsProfile::Global();
    auto* settings = new QLabel(
        QStringLiteral("Settings: %1")
            .arg(profile ? QDir::toNativeSeparators(profile->Path()) : QStringLiteral("(none)")),
        this);
    settings->setObjectName(QStringLiteral("settingsPath"));
    settings->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(second);
    texts->addSpacing(6);
    texts->addWidget(settings);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    top->addSpacing(12);
    top->addWidget(ok, 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addLayout(top);
    setFixedSize(sizeHint());
}

} // namespace tavlora
