#include "WidgetContext.h"

#include "PresenceTest.h"

#include "core/ImagePath.h"
#include "core/ScreenSet.h"
#include "settings/SettingsProfile.h"

#include <QCoreApplication>
#include <QTimer>

namespace tavlora {

WidgetContext::WidgetContext(ScreenSet& s)
    : set(s),
      reporter_([this](const QString& path, const QString& error) { emit pictureFailed(path, error); }),
      images_(reporter_)
{
}

WidgetContext::~WidgetContext()
{
    // Widgets refer to their context; none may outlive it.
    for (auto& rec : set.controls)
        rec->widget.reset();
}

qint64 WidgetContext::PictureBudget(SettingsProfile& profile)
{
    const int mb = profile.ReadInt(QString::fromLatin1(kBudgetSection), QString::fromLatin1(kBudgetKey),
                                   int(ImageCache::kDefaultBudgetBytes >> 20));
    return mb > 0 ? qint64(mb) << 20 : ImageCache::kDefaultBudgetBytes;
}

void WidgetContext::BeginLoad()
{
    if (SettingsProfile* profile = SettingsProfile::Global())
        images_.SetBudget(PictureBudget(*profile));
    images_.Reset();
    missing_.clear();
    missingSeen_.clear();
    platformPaths_.clear();
    presence_.clear();
}

void WidgetContext::BeginBatch()
{
    if (batchDepth_++ == 0)
        images_.SetTrusted(true);
}

void WidgetContext::EndBatch()
{
    if (batchDepth_ > 0 && --batchDepth_ == 0) {
        images_.SetTrusted(false);
        platformPaths_.clear();
        presence_.clear();
    }
}

QString WidgetContext::PlatformPath(const std::string& storedPath)
{
    const QString key = QString::fromStdString(storedPath);
    if (batchDepth_ > 0) {
        auto it = platformPaths_.constFind(key);
        if (it != platformPaths_.constEnd())
            return *it;
    }
    const QString path = QString::fromStdString(ImagePath::ToPlatform(storedPath));
    if (batchDepth_ > 0)
        platformPaths_.insert(key, path);
    return path;
}

bool WidgetContext::IsPresent(const QString& platformPath)
{
    bool present;
    auto it = presence_.constFind(platformPath);
    if (batchDepth_ > 0 && it != presence_.constEnd()) {
        present = *it;
    } else {
        present = PresenceTest::IsPresent(platformPath);
        if (batchDepth_ > 0)
            presence_.insert(platformPath, present);
    }
    const bool named = !platformPath.endsWith(QLatin1Char('/')) && !platformPath.endsWith(QLatin1Char('\\'));
    if (!present && named && !missingSeen_.contains(platformPath)) {
        missingSeen_.insert(platformPath);
        missing_.append(platformPath);
    }
    return present;
}

void WidgetContext::StartSampleCounter()
{
    ++sampleUsers_;
    if (!QCoreApplication::instance())
        return;
    if (!timer_) {
        timer_ = std::make_unique<QTimer>();
        timer_->setInterval(kSampleIntervalMs);
        timer_->callOnTimeout([this] { Tick(); });
    }
    if (!timer_->isActive())
        timer_->start();
}

void WidgetContext::StopSampleCounter()
{
    if (sampleUsers_ > 0 && --sampleUsers_ == 0 && timer_)
        timer_->stop();
}

void WidgetContext::Tick()
{
    ++ticks_;
    RequestRepaint();
}

} // namespace tavlora
