#include "ShapedText.h"

#include <QFont>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <memory>
#include <unordered_map>

namespace tavlora {

namespace {

struct LineKey {
    QFont font;
    QString text;
    int dpi = 0;
    bool operator==(const LineKey& o) const { return dpi == o.dpi && text == o.text && font == o.font; }
};

struct LineKeyHash {
    size_t operator()(const LineKey& k) const { return qHashMulti(0, k.font, k.text, k.dpi); }
};

struct Line {
    QTextLayout layout;
    qreal width = 0;   // natural width, for the clip test
    qreal height = 0;  // ascent + descent
    qreal advance = 0; // for the line's own alignment
};

// Two generations: a line used in the older one moves to the newer; when the
// newer is full the older is dropped. Bounded, and what stays in use stays.
class Lines {
public:
    const Line& Get(const LineKey& key)
    {
        if (auto it = young_.find(key); it != young_.end())
            return *it->second;
        std::unique_ptr<Line> line;
        if (auto it = old_.find(key); it != old_.end())
            line = std::move(it->second);
        else
            line = Shape(key);
        if (qsizetype(young_.size()) >= kEntries || youngChars_ >= kChars) {
            old_ = std::move(young_);
            young_.clear();
            youngChars_ = 0;
        }
        youngChars_ += key.text.size();
        return *young_.emplace(key, std::move(line)).first->second;
    }

private:
    static constexpr qsizetype kEntries = 1024;
    static constexpr qsizetype kChars = 32768;

    static std::unique_ptr<Line> Shape(const LineKey& key)
    {
        auto line = std::make_unique<Line>();
        line->layout.setText(key.text);
        line->layout.setFont(key.font);
        QTextOption option(Qt::AlignLeft);
        option.setTextDirection(Qt::LeftToRight);
        option.setFlags(QTextOption::IncludeTrailingSpaces);
        line->layout.setTextOption(option);
        line->layout.setCacheEnabled(true);
        line->layout.beginLayout();
        QTextLine l = line->layout.createLine();
        if (l.isValid()) {
            l.setLineWidth(0x01000000);
            l.setPosition(QPointF(0, 0));
            line->height = l.ascent() + l.descent(); // unrounded, unlike height()
            line->width = l.naturalTextWidth();
            line->advance = l.horizontalAdvance();
        }
        line->layout.endLayout();
        return line;
    }

    std::unordered_map<LineKey, std::unique_ptr<Line>, LineKeyHash> young_, old_;
    qsizetype youngChars_ = 0;
};

bool OneLeftToRightLine(const QString& text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x9c || u == 0x2028 || u == 0x2029)
            return false;
    }
    return !text.isRightToLeft();
}

bool Plain(const QPainter& p, int flags)
{
    const QFont& f = p.font();
    constexpr int kOwnFlags = Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask | Qt::TextSingleLine | Qt::TextDontClip;
    return (flags & ~kOwnFlags) == 0 && !(flags & (Qt::AlignJustify | Qt::AlignAbsolute))
        && p.layoutDirection() != Qt::RightToLeft && !f.underline() && !f.strikeOut() && !f.overline()
        && p.device() && p.device()->devType() == QInternal::Image
        && p.transform().type() <= QTransform::TxScale;
}

} // namespace

void ShapedText::Draw(QPainter& p, const QRectF& r, int flags, const QString& text)
{
    if (text.isEmpty() || p.pen().style() == Qt::NoPen)
        return;
    if (!Plain(p, flags) || !OneLeftToRightLine(text)) {
        p.drawText(r, flags, text);
        return;
    }
    thread_local Lines lines;
    const Line& line = lines.Get({p.font(), text, p.device()->logicalDpiY()});
    if (line.layout.lineCount() == 0)
        return;

    qreal yoff = 0;
    if (flags & Qt::AlignBottom)
        yoff = r.height() - line.height;
    else if (flags & Qt::AlignVCenter)
        yoff = (r.height() - line.height) / 2;
    qreal xoff = 0;
    if (flags & Qt::AlignRight)
        xoff = r.width() - line.width;
    else if (flags & Qt::AlignHCenter)
        xoff = (r.width() - line.width) / 2;
    const bool clip = !(flags & Qt::TextDontClip) && !r.contains(QRectF(r.x() + xoff, r.y() + yoff, line.width, line.height));
    if (clip) {
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
    }
    xoff = 0;
    if (flags & Qt::AlignRight)
        xoff = r.width() - line.advance;
    else if (flags & Qt::AlignHCenter)
        xoff = (r.width() - line.advance) / 2;
    line.layout.lineAt(0).draw(&p, QPointF(r.x() + xoff, r.y() + yoff));
    if (clip)
        p.restore();
}

} // namespace tavlora
