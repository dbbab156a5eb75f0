#pragma once

#include <QObject>
#include <QPointer>

#include <QSplashScreen>
class QWidget;

namespace tavlora {

// The start-up splash: shown over a window for two seconds when the first
// New of the program's life runs (and once the window is shown, if it is
// not yet).
class Splash : public QObject {
    Q_OBJECT
public:
    static constexpr int kShowMs = 2000;

    explicit Splash(QWidget& window);
    ~Splash() override;

    void Show();
    // The splash on the screen now, if any.
    QSplashScreen* Shown() const { return splash_.data(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    bool pending_ = false;
    QPointer<QSplashScreen> splash_;
};

} // namespace tavlora
