#pragma once

#include "core/ControlLook.h"
#include "core/ImagePath.h"
#include "ImageCache.h"
#include "LookCanvas.h"
#include "PresenceTest.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <unordered_map>
#include <string>
#include <vector>

class QTimer;

namespace tavlora {

class ControlRecord;
class ScreenSet;
class SettingsProfile;

// What the widgets of one document share: the model, the Vorn3 folder, the
// picture switch, the decoded pictures of the current load, the widget
// identifiers, the stacking-order counter and the DRO sample counter.
class WidgetContext : public QObject {
    Q_OBJECT
public:
    static constexpr int kSampleIntervalMs = 200;
    static constexpr int kFirstControlId = 8000;

    // The context of the records' own widgets (the document's) with
    // `ownsRecordWidgets`; without it, one whose widgets live outside the
    // records (a preview's), which never touches the records' widgets or looks.
    explicit WidgetContext(const ScreenSet& set, bool ownsRecordWidgets = true);
    // The owner destroys the widgets of the set's records, which refer to it.
    ~WidgetContext() override;
    WidgetContext(const WidgetContext&) = delete;
    WidgetContext& operator=(const WidgetContext&) = delete;

    const ScreenSet& set;
    bool OwnsRecordWidgets() const { return ownsRecordWidgets_; }
    std::string vornFolder;  // as stored ("C:\\Vorn3" or a POSIX path)
    bool showImages = true;  // the "Remove Bitmaps" switch

    // Profile key of the picture budget in megabytes.
    static constexpr const char* kBudgetSection = "Pictures";
    static constexpr const char* kBudgetKey = "CacheMegabytes";
    // The picture budget a profile asks for (the default when unset or not positive).
    static qint64 PictureBudget(SettingsProfile& profile);
    // Beside it, the budget of the looks widgets keep between paints: a look
    // is kept only while all of them fit, so memory follows what is shown and
    // never the number of controls on a screen.
    static constexpr const char* kLookBudgetKey = "LookMegabytes";
    static constexpr qint64 kDefaultLookBudgetBytes = 64LL << 20;
    static qint64 LookBudget(SettingsProfile& profile);
    void SetLookBudget(qint64 bytes) { lookBudget_ = bytes; }
    // Thread-safe: looks are made side by side on worker threads.
    bool TakeLookBytes(qint64 bytes);
    void ReturnLookBytes(qint64 bytes) { lookBytes_ -= bytes; }
    qint64 LookBytes() const { return lookBytes_; }
    // Canvases looks are painted on: slot 0 for the GUI thread, one more for
    // each worker. Reserving is the GUI thread's, before the workers start.
    void ReserveCanvases(size_t count);
    LookCanvas& Canvas(size_t slot) { return *canvases_[slot]; }

    // Forgets decoded pictures, reported failures and the missing list, and
    // takes the picture budget from the program-wide profile when there is one.
    void BeginLoad();
    // Pictures whose presence test failed since BeginLoad, in the order met,
    // and why each is not shown.
    QStringList MissingImages() const { return missing_; }
    PresenceTest::Result MissingReason(const QString& path) const { return missingWhy_.value(path); }

    // While a batch runs (RebuildWidgets), path look-ups and presence tests are
    // cached and decoded files are not re-checked for changes.
    void BeginBatch();
    void EndBatch();

    // Stored-form path to a path of this platform.
    QString PlatformPath(const std::string& storedPath);
    // A record's picture name under the Bitmaps folder, by a keyword rule, as
    // a path of this platform; empty when the rule gives no picture. A name
    // that leaves the folder is listed as missing when `note` is set.
    QString ResolvePicture(const std::string& name, ImagePath::Keywords rule, bool note = true);
    // Presence test; absent pictures (with a file name) are added to the
    // missing list when `note` is set.
    bool IsPresent(const QString& platformPath, bool note = true);
    // A picture name that leaves the Bitmaps folder: listed as missing, never opened.
    void NoteOutside(const std::string& storedPath);
    ImageCache& Images() { return images_; }

    // The look kept with a record (null when its widget was never made), and
    // keeping one.
    static const ControlLook* LookOf(const ControlRecord& record);
    static void KeepLook(const ControlRecord& record, const ControlLook& look);

    // Stacking order: each call returns a place above / below all earlier ones.
    qint64 TakeTopZ() { return ++topZ_; }
    qint64 TakeBottomZ() { return --bottomZ_; }
    // Widget identifiers: 8000 for the first widget of the run, never reused.
    int TakeControlId() { return nextControlId_++; }
    int NextControlId() const { return nextControlId_; }

    // The shared 200 ms sample counter of skinned DROs. Start registers a user
    // (and starts the timer when an application object exists), Stop removes one.
    void StartSampleCounter();
    void StopSampleCounter();
    qint64 SampleTicks() const { return ticks_; }
    // One timer period: advances the count and asks for a repaint.
    void Tick();

    void RequestRepaint() { emit repaintRequested(); }

signals:
    // A widget wants the screen repainted (sample counter tick, new picture).
    void repaintRequested();
    // A picture file failed to decode; once per file per load.
    void pictureFailed(const QString& path, const QString& error);

private:
    bool ownsRecordWidgets_;
    ImageCache::Reporter reporter_;
    ImageCache images_;
    QStringList missing_;
    QHash<QString, PresenceTest::Result> missingWhy_;
    QHash<QString, QString> platformPaths_;
    QHash<QString, PresenceTest::Result> presence_;
    int batchDepth_ = 0;
    qint64 topZ_ = 0;
    qint64 bottomZ_ = 0;
    qint64 ticks_ = 0;
    int nextControlId_ = kFirstControlId;
    int sampleUsers_ = 0;
    std::atomic<qint64> lookBytes_{0};
    qint64 lookBudget_ = kDefaultLookBudgetBytes;
    std::unique_ptr<QTimer> timer_;
    std::vector<std::unique_ptr<LookCanvas>> canvases_;
};

} // namespace tavlora
