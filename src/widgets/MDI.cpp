#include "MDI.h"

#include "ShapedText.h"
#include "WidgetColours.h"
#include "WidgetContext.h"
#include "WidgetText.h"

#include "core/ScreenSet.h"

#include <QPainter>

namespace tavlora {

MDI::MDI(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled)
    : DesignWidget(record, ctx, controlId, disabled)
{
}

void MDI::Paint(QPainter& p)
{
    const QSize size = ClientSize();
    const QRect r(QPoint(0, 0), size);
    const ColourSet& colours = Context().set.colours;
    p.fillRect(r, WidgetColours::Of(colours, ColourSet::MDIBack));
    if (size.isEmpty())
        return;
    p.setFont(WidgetText::BandFont(size.height()));
    p.setPen(WidgetColours::Of(colours, ColourSet::MDIText));
    ShapedText::Draw(p, r, Qt::AlignHCenter | Qt::AlignTop, shownText_ ? *shownText_ : QString::fromLatin1(kSampleBlock));
}

void MDI::SetShownText(std::optional<QString> text)
{
    if (text == shownText_)
        return;
    shownText_ = std::move(text);
    Update();
}


DesignWidget::LookKey MDI::CurrentLookKey() const
{
    const ColourSet& c = Context().set.colours;
    return {(quint64(c.Get(ColourSet::MDIBack)) << 32) | c.Get(ColourSet::MDIText), 0};
}

} // namespace tavlora
