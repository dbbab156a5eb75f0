#include "Splash.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QSplashScreen>
#include <QTimer>

namespace tavlora {

namespace {

QFont SplashFont(const char* family, int pixels, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPixmap SplashPicture()
{
    QPixmap pixmap(500, 300);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, 300);
    back.setColorAt(0, QColor(0, 128, 128));
    back.setColorAt(1, QColor(0, 70, 78));
    p.fillRect(pixmap.rect(), back);

    // A small operator screen: a DRO, an LED and a button.
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    for (int x = 300; x < 480; x += 12)
        p.drawLine(x, 40, x, 230);
    for (int y = 40; y < 232; y += 12)
        p.drawLine(300, y, 480, y);
    p.setPen(QPen(QColor(20, 40, 40), 1));
    p.setBrush(QColor(160, 255, 160));
    p.drawRect(312, 64, 156, 34);
    p.setBrush(QColor(240, 240, 240));
    p.drawRoundedRect(312, 160, 90, 40, 4, 4);
    p.setBrush(QColor(40, 220, 60));
    p.drawEllipse(QPoint(440, 180), 11, 11);
    p.setFont(SplashFont("Liberation Mono", 24, true));
    p.setPen(Qt::black);
    p.drawText(QRect(312, 64, 150, 34), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("+0.0000"));
    p.setFont(SplashFont("Liberation Sans", 14, true));
    p.drawText(QRect(312, 160, 90, 40), Qt::AlignCenter, QStringLiteral("Cycle Start"));

    p.setFont(SplashFont("Liberation Sans", 54, true));
    p.setPen(Qt::white);
    p.drawText(QRect(28, 70, 270, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tavlora"));
    p.setFont(SplashFont("Liberation Sans", 16, false));
    p.setPen(QColor(210, 240, 240));
    p.drawText(QRect(30, 140, 270, 50), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Screen designer for Vorn3 operator screens"));
    p.setFont(SplashFont("Liberation Sans", 13, false));
    p.drawText(QRect(30, 250, 440, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Version 1.2"));
    return pixmap;
}

} // namespace

Splash::Splash(QWidget& window) : QObject(&window), window_(window)
{
    window_.installEventFilter(this);
}

Splash::~Splash()
{
    delete splash_.data();
}

bool Splash::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::Show && pending_) {
        pending_ = false;
        QTimer::singleShot(0, this, &Splash::Show);
    }
    return QObject::eventFilter(watched, event);
}

void Splash::Show()
{
    if (!window_.isVisible()) {
        pending_ = true;
        return;
    }
    if (!splash_) {
        splash_ = new QSplashScreen(SplashPicture());
        splash_->setAttribute(Qt::WA_DeleteOnClose);
    }
    const QRect area(window_.mapToGlobal(QPoint(0, 0)), window_.size());
    QRect frame(QPoint(0, 0), splash_->size());
    frame.moveCenter(area.center());
    splash_->move(frame.topLeft());
    splash_->show();
    splash_->raise();
    QPointer<QSplashScreen> shown = splash_;
    QTimer::singleShot(kShowMs, this, [shown] {
        if (shown)
            shown->close();
    });
}

} // namespace tavlora
