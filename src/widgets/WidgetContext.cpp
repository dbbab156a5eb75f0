#include "WidgetContext.h"

#include "core/ControlRecord.h"
#include "core/ImagePath.h"
#include "core/ScreenSet.h"
#include "settings/SettingsProfile.h"

#include <QCoreApplication>
#include <QTimer>

namespace tavlora {

WidgetContext::WidgetContext(const ScreenSet& s, bool ownsRecordWidgets)
    : set(s),
      ownsRecordWidgets_(ownsRecordWidgets),
      reporter_([this](const QString& path, const QString& error) { emit pictureFailed(path, error); }),
      images_(reporter_)
{
    ReserveCanvases(1);
}

WidgetContext::~WidgetContext()
{
    // Widgets refer to their context; none may outlive it.
    if (!ownsRecordWidgets_)
        return;
    for (auto& rec : set.controls)
        rec->widget.reset();
}

qint64 WidgetContext::PictureBudget(SettingsProfile& profile)
{
    const int mb = profile.ReadInt(QString::fromLatin1(kBudgetSection), QString::fromLatin1(kBudgetKey),
                                   int(ImageCache::kDefaultBudgetBytes >> 20));
    return mb > 0 ? qint64(mb) << 20 : ImageCache::kDefaultBudgetBytes;
}

qint64 WidgetContext::LookBudget(SettingsProfile& profile)
{
    const int mb = profile.ReadInt(QString::fromLatin1(kBudgetSection), QString::fromLatin1(kLookBudgetKey),
                                   int(kDefaultLookBudgetBytes >> 20));
    return mb > 0 ? qint64(mb) << 20 : kDefaultLookBudgetBytes;
}

bool WidgetContext::TakeLookBytes(qint64 bytes)
{
    qint64 held = lookBytes_.load();
    do {
        if (held + bytes > lookBudget_)
            return false;
    } while (!lookBytes_.compare_exchange_weak(held, held + bytes));
    return true;
}

void WidgetContext::BeginLoad()
{
    if (SettingsProfile* profile = SettingsProfile::Global()) {
        images_.SetBudget(PictureBudget(*profile));
        lookBudget_ = LookBudget(*profile);
    }
    images_.Reset();
    missing_.clear();
    missingWhy_.clear();
    platformPaths_.clear();
    presence_.clear();
}

void WidgetContext::ReserveCanvases(size_t count)
{
    while (canvases_.size() < count)
        canvases_.push_back(std::make_unique<LookCanvas>());
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

QString WidgetContext::ResolvePicture(const std::string& name, ImagePath::Keywords rule, bool note)
{
    bool outside = false;
    const std::string stored = ImagePath::Resolve(vornFolder, name, rule, &outside);
    if (outside && note)
        NoteOutside(ImagePath::InBitmaps(vornFolder, ImagePath::Normalise(name)));
    if (stored.empty())
        return {};
    return PlatformPath(stored);
}

bool WidgetContext::IsPresent(const QString& platformPath, bool note)
{
    if (platformPath.isEmpty())
        return false;
    PresenceTest::Result result;
    auto it = presence_.constFind(platformPath);
    if (batchDepth_ > 0 && it != presence_.constEnd()) {
        result = *it;
    } else {
        result = PresenceTest::Test(platformPath);
        if (batchDepth_ > 0)
            presence_.insert(platformPath, result);
    }
    const bool named = !platformPath.endsWith(QLatin1Char('/')) && !platformPath.endsWith(QLatin1Char('\\'));
    if (note && result != PresenceTest::Result::Present && named && !missingWhy_.contains(platformPath)) {
        missingWhy_.insert(platformPath, result);
        missing_.append(platformPath);
    }
    return result == PresenceTest::Result::Present;
}

void WidgetContext::NoteOutside(const std::string& storedPath)
{
    QString path = QString::fromStdString(storedPath);
#ifndef _WIN32
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    if (!missingWhy_.contains(path)) {
        missingWhy_.insert(path, PresenceTest::Result::OutsideFolder);
        missing_.append(path);
    }
}

const ControlLook* WidgetContext::LookOf(const ControlRecord& record)
{
    return record.look ? &*record.look : nullptr;
}

void WidgetContext::KeepLook(const ControlRecord& record, const ControlLook& look)
{
    record.look = look;
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
