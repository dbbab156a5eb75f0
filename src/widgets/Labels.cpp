#include "Labels.h"

#include "ShapedText.h"
#include "WidgetColours.h"
#include "WidgetContext.h"
#include "WidgetText.h"

#include "core/ScreenSet.h"

#include "core/ControlRecord.h"

#include <QPainter>

namespace tavlora {

Labels::Labels(const ControlRecord& record, WidgetContext& ctx, int controlId, bool disabled)
    : DesignWidget(record, ctx, controlId, disabled)
{
}

void Labels::Configure(const ControlRecord& rec)
{
    SetText(rec.label);
}

void Labels::SetText(const std::string& text)
{
    text_ = text;
    display_ = DisplayText(text);
    DropLook();
}

QString Labels::DisplayText(const std::string& text)
{
    QString display = WidgetText::FromBytes(text);
    display.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return display;
}

void Labels::Paint(QPainter& p)
{
    const QSize size = ClientSize();
    if (size.isEmpty() || display_.isEmpty())
        return;
    p.setFont(WidgetText::BandFont(size.height()));
    p.setPen(WidgetColours::Of(Context().set.colours, ColourSet::Label));
    ShapedText::Draw(p, QRect(QPoint(0, 0), size), Qt::AlignLeft | Qt::AlignTop, display_);
}


DesignWidget::LookKey Labels::CurrentLookKey() const
{
    return {Context().set.colours.Get(ColourSet::Label), 0};
}

} // namespace tavlora
