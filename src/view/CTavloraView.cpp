#include "CTavloraView.h"

#include "document/CTavloraDoc.h"
#include "document/Prompter.h"
#include "core/ImagePath.h"
#include "core/ScreenSet.h"
#include "core/ScreenVisibility.h"
#include "settings/SettingsProfile.h"
#include "settings/VornFolder.h"
#include "widgets/DesignWidget.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/WidgetContext.h"

#include <QDir>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QSplashScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <climits>

namespace tavlora {

namespace {

const QColor kStripColour(0, 128, 128);

struct DefaultSizeEntry {
    const char* key;
    int value;
};

constexpr DefaultSizeEntry kDefaultSizes[CTavloraView::DefaultSizeCount] = {
    {"DROY", 40}, {"DROX", 200}, {"PBY", 20}, {"PBX", 60}, {"BY", 50}, {"BX", 50},
    {"JX", 80}, {"JY", 80}, {"LX", 70}, {"LY", 20}, {"LEDX", 16}, {"LEDY", 16},
    {"MDIX", 370}, {"MDIY", 25}, {"GCX", 400}, {"GCY", 300}, {"TX", 400}, {"TY", 300},
};

int TruncateToInt(double value)
{
    if (!(value == value))
        return 0;
    if (value >= double(INT_MAX))
        return INT_MAX;
    if (value <= double(INT_MIN))
        return INT_MIN;
    return int(std::trunc(value));
}

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

const char* CTavloraView::DefaultSizeKey(DefaultSize which)
{
    return kDefaultSizes[which].key;
}

int CTavloraView::DefaultSizeDefault(DefaultSize which)
{
    return kDefaultSizes[which].value;
}

QString CTavloraView::CaptionFor(int screen)
{
    if (screen != 0)
        return QString::asprintf("        Currenly designing Window # %d ", screen);
    return QStringLiteral("        Currenly designing Persistant Controls");
}

CTavloraView::CTavloraView(CTavloraDoc& doc, SettingsProfile& profile, Prompter& prompter, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), set_(doc.Set()), ctx_(doc.Context()), profile_(profile),
      prompter_(prompter)
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(false);

    const QString griding = QStringLiteral("Griding");
    gridGranularity_ = profile_.ReadInt(griding, QStringLiteral("Granularity"), 3);
    gridOn_ = profile_.ReadInt(griding, QStringLiteral("OnOff"), 0) == 1;

    const QString colours = QStringLiteral("Colors");
    const auto defaults = ColourSet::Defaults();
    for (int i = 0; i < ColourSet::Count; ++i) {
        const auto index = ColourSet::Index(i);
        const std::string_view key = ColourSet::ProfileKey(index);
        const int value = profile_.ReadInt(colours, QString::fromLatin1(key.data(), qsizetype(key.size())),
                                           int(defaults[size_t(i)]));
        set_.colours.Set(index, ColourRef(uint32_t(value)));
    }

    const QString folder = VornFolder::RefreshFromProfile(profile_);
    ctx_.vornFolder = folder.toStdString();
    QDir::setCurrent(QString::fromStdString(ImagePath::ToPlatform(ctx_.vornFolder)));

    const QString defs = QStringLiteral("defs");
    for (int i = 0; i < DefaultSizeCount; ++i)
        defaultSizes_[size_t(i)] = profile_.ReadInt(defs, QString::fromLatin1(kDefaultSizes[i].key),
                                                    kDefaultSizes[i].value);

    set_.currentScreen = 1;
    ctx_.showImages = showImages_;
    ctx_.requestRepaint = [this] { viewport()->update(); };
    ctx_.screenChanged = [this] {
        OnUpdate();
        emit viewStateChanged();
    };

    connect(&doc_, &CTavloraDoc::documentReset, this, &CTavloraView::OnDocumentReset);
    connect(&doc_, &CTavloraDoc::screenSizeChanged, this, &CTavloraView::OnInitialUpdate);
    connect(&doc_, &CTavloraDoc::fileChangeNotified, this, &CTavloraView::OnFileChange);
    connect(&doc_, &CTavloraDoc::splashRequested, this, &CTavloraView::ShowSplash);

    designSize_ = doc_.ScreenSize();
    caption_ = CaptionFor(set_.currentScreen);
    UpdateScrollBars();
}

CTavloraView::~CTavloraView()
{
    ctx_.requestRepaint = nullptr;
    ctx_.screenChanged = nullptr;
    delete splash_.data();
}

QPoint CTavloraView::ScrollOffset() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CTavloraView::SetCaption(const QString& caption)
{
    caption_ = caption;
    emit captionChanged(caption_);
}

void CTavloraView::OnUpdate()
{
    SetCaption(CaptionFor(set_.currentScreen));
    if (set_.controls.empty())
        return;
    ScreenVisibility::Refresh(set_, showImages_);
    viewport()->update();
}

void CTavloraView::OnInitialUpdate()
{
    designSize_ = doc_.ScreenSize();
    UpdateScrollBars();
    viewport()->update();
}

void CTavloraView::OnDocumentReset()
{
    pressed_ = nullptr;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    OnInitialUpdate();
    OnUpdate();
    emit viewStateChanged();
}

void CTavloraView::UpdateScrollBars()
{
    const QSize client = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, designSize_.width() - client.width()));
    v->setRange(0, std::max(0, designSize_.height() - client.height()));
    h->setPageStep(std::max(1, client.width()));
    v->setPageStep(std::max(1, client.height()));
    h->setSingleStep(std::max(1, client.width() / 20));
    v->setSingleStep(std::max(1, client.height() / 20));
}

void CTavloraView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CTavloraView::scrollContentsBy(int, int)
{
    // Records keep their design coordinates; only the drawing moves.
    viewport()->update();
}

void CTavloraView::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    const QRect client = viewport()->rect();
    const QRect dirty = event->rect();
    const int w = designSize_.width();
    const int h = designSize_.height();

    // The strips beyond the design area are not offset by scrolling: a strip
    // only exists along an axis that cannot scroll.
    if (client.width() > w)
        p.fillRect(QRect(w, 0, client.width() - w, client.height()), kStripColour);
    if (client.height() > h)
        p.fillRect(QRect(0, h, client.width(), client.height() - h), kStripColour);

    const QPoint offset = ScrollOffset();
    p.save();
    p.translate(-offset);
    ScreenRenderer::Paint(p, set_, ctx_, designSize_, dirty.translated(offset));
    if (!set_.passwordPrompt)
        PaintSelection(p);
    p.restore();
    p.end();

    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
}

void CTavloraView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (splashPending_) {
        splashPending_ = false;
        QTimer::singleShot(0, this, &CTavloraView::ShowSplash);
    }
}

void CTavloraView::ShowSplash()
{
    if (!isVisible()) {
        splashPending_ = true;
        return;
    }
    if (!splash_) {
        splash_ = new QSplashScreen(SplashPicture());
        splash_->setAttribute(Qt::WA_DeleteOnClose);
    }
    const QRect area(mapToGlobal(QPoint(0, 0)), size());
    QRect frame(QPoint(0, 0), splash_->size());
    frame.moveCenter(area.center());
    splash_->move(frame.topLeft());
    splash_->show();
    splash_->raise();
    QPointer<QSplashScreen> shown = splash_;
    QTimer::singleShot(kSplashMs, this, [shown] {
        if (shown)
            shown->close();
    });
}

DesignWidget* CTavloraView::PressedWidget() const
{
    if (!pressed_)
        return nullptr;
    for (const auto& rec : set_.controls) {
        if (rec->widget.get() == pressed_)
            return pressed_;
    }
    return nullptr;
}

void CTavloraView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint design = event->position().toPoint() + ScrollOffset();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (event->button() == Qt::LeftButton) {
        doc_.SetModifiedFlag(true);
        // Enabled widgets (buttons) see the press first: screen jump, pressed look.
        DesignWidget* hit = ScreenRenderer::WidgetAt(set_, design);
        if (hit && hit->IsEnabled()) {
            pressed_ = hit;
            hit->MousePress(design - hit->Geometry().topLeft(), mods);
            viewport()->update();
        }
        if (!TrackClick(design, mods)) {
            if (currentTool_ != 0)
                PlaceControl(design, mods);
            OnUpdate();
        }
    } else if (event->button() == Qt::RightButton) {
        EditPropertiesAt(design);
        doc_.SetModifiedFlag(true);
    }
}

void CTavloraView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (DesignWidget* w = PressedWidget()) {
        const QPoint design = event->position().toPoint() + ScrollOffset();
        w->MouseRelease(design - w->Geometry().topLeft());
        viewport()->update();
    }
    pressed_ = nullptr;
}

void CTavloraView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    doc_.SetModifiedFlag(true);
    EditPropertiesAt(event->position().toPoint() + ScrollOffset());
}

void CTavloraView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        currentTool_ = 0;
        emit toolReset();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool CTavloraView::TrackClick(QPoint, Qt::KeyboardModifiers)
{
    return false;
}

void CTavloraView::PlaceControl(QPoint, Qt::KeyboardModifiers) {}

void CTavloraView::EditPropertiesAt(QPoint) {}

void CTavloraView::PaintSelection(QPainter&) {}

void CTavloraView::OnToggleTab()
{
    if (set_.currentScreen == kTabScreen) {
        set_.currentScreen = savedScreen_;
    } else {
        savedScreen_ = set_.currentScreen;
        set_.currentScreen = kTabScreen;
    }
    OnUpdate();
    emit viewStateChanged();
}

void CTavloraView::OnRemoveBitmaps()
{
    showImages_ = !showImages_;
    ctx_.showImages = showImages_;
    ScreenVisibility::ApplyImageSwitch(set_, showImages_);
    viewport()->update();
    emit viewStateChanged();
}

void CTavloraView::OnPageJump()
{
    const std::optional<int> page = prompter_.AskPage(set_.currentScreen);
    if (page && *page >= 0 && *page < kPageCount)
        set_.currentScreen = *page;
    OnUpdate();
    emit viewStateChanged();
}

void CTavloraView::OnGridGranularity()
{
    const QString griding = QStringLiteral("Griding");
    const int stored = profile_.ReadInt(griding, QStringLiteral("Granularity"), 3);
    const bool storedOn = profile_.ReadInt(griding, QStringLiteral("OnOff"), 0) == 1;
    const Prompter::GridAnswer answer = prompter_.AskGrid(stored <= 0 ? 1.0 : double(stored), storedOn);
    // The dialog's values apply however it closed; only OK stores them.
    gridGranularity_ = TruncateToInt(answer.granularity);
    gridOn_ = answer.on;
    if (answer.accepted) {
        profile_.WriteInt(griding, QStringLiteral("Granularity"), gridGranularity_);
        profile_.WriteInt(griding, QStringLiteral("OnOff"), gridOn_ ? 1 : 0);
        profile_.Save();
    }
}

void CTavloraView::OnFileChange(const QString& path)
{
    if (path.isEmpty() || askingReload_)
        return;
    if (!doc_.TakeOutsideChange())
        return;
    askingReload_ = true;
    const bool reload = prompter_.AskReload();
    askingReload_ = false;
    if (!reload)
        return;
    doc_.SetModifiedFlag(false);
    doc_.Reload();
}

void CTavloraView::OnColourDefinitions() {}
void CTavloraView::OnAlignTops() {}
void CTavloraView::OnAlignBottoms() {}
void CTavloraView::OnAlignLefts() {}
void CTavloraView::OnAlignRights() {}
void CTavloraView::OnSameHeight() {}
void CTavloraView::OnSameWidth() {}
void CTavloraView::OnSpaceAcross() {}
void CTavloraView::OnSpaceDown() {}
void CTavloraView::OnEditCut() {}
void CTavloraView::OnEditCopy() {}
void CTavloraView::OnEditPaste() {}
void CTavloraView::OnPasteExact() {}
void CTavloraView::OnBitmapsToBack() {}
void CTavloraView::OnDeleteSelection() {}

} // namespace tavlora
