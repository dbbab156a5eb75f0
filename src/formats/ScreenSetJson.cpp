#include "ScreenSetJson.h"

#include "core/Windows1252.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>
#include <cstdint>

namespace tavlora {

namespace {

QString Text(const std::string& bytes)
{
    return QString::fromStdString(Windows1252::ToUtf8(bytes));
}

bool ToInt(const QJsonValue& v, int64_t lo, int64_t hi, int64_t& out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (!std::isfinite(d) || d != std::floor(d) || d < double(lo) || d > double(hi))
        return false;
    out = int64_t(d);
    return true;
}

class ControlParser {
public:
    ControlParser(const QJsonObject& obj, int index, QString& error)
        : obj_(obj), where_(QStringLiteral("control %1").arg(index + 1)), error_(error) {}

    bool Int(const char* name, int32_t& field)
    {
        const QJsonValue v = obj_.value(QLatin1String(name));
        if (v.isUndefined())
            return true;
        int64_t x;
        if (!ToInt(v, INT32_MIN, INT32_MAX, x))
            return Fail(QStringLiteral("field \"%1\" must be a 32-bit integer").arg(QLatin1String(name)));
        field = int32_t(x);
        return true;
    }

    bool String(const char* name, std::string& field)
    {
        const QJsonValue v = obj_.value(QLatin1String(name));
        if (v.isUndefined())
            return true;
        if (!v.isString())
            return Fail(QStringLiteral("field \"%1\" must be a string").arg(QLatin1String(name)));
        const QString text = v.toString();
        std::string bytes;
        char32_t bad = 0;
        if (!Windows1252::FromUtf16(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()), bytes,
                                    &bad))
            return Fail(QStringLiteral("field \"%1\" holds the character U+%2, which Windows-1252 cannot store")
                            .arg(QLatin1String(name))
                            .arg(uint(bad), 4, 16, QLatin1Char('0')));
        field = std::move(bytes);
        return true;
    }

    bool Bool(const char* name, bool& field)
    {
        const QJsonValue v = obj_.value(QLatin1String(name));
        if (v.isUndefined())
            return true;
        if (!v.isBool())
            return Fail(QStringLiteral("field \"%1\" must be true or false").arg(QLatin1String(name)));
        field = v.toBool();
        return true;
    }

    bool RectField(Rect& r)
    {
        const QJsonValue v = obj_.value(QLatin1String("rect"));
        if (v.isUndefined())
            return true;
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() != 4)
            return Fail(QStringLiteral("field \"rect\" must be an array of four integers [left, top, right, bottom]"));
        int32_t* parts[4] = {&r.left, &r.top, &r.right, &r.bottom};
        for (int i = 0; i < 4; ++i) {
            int64_t x;
            if (!ToInt(a[i], INT32_MIN, INT32_MAX, x))
                return Fail(QStringLiteral("field \"rect\" must be an array of four 32-bit integers"));
            *parts[i] = int32_t(x);
        }
        return true;
    }

    bool KnownFieldsOnly()
    {
        static const QStringList known = {
            QStringLiteral("rect"), QStringLiteral("function"), QStringLiteral("type"),
            QStringLiteral("screen"), QStringLiteral("text"), QStringLiteral("gcode"),
            QStringLiteral("image"), QStringLiteral("reservedA"), QStringLiteral("reservedB"),
            QStringLiteral("label"), QStringLiteral("ledColour"), QStringLiteral("ledFlashing"),
            QStringLiteral("ledRedGreen"), QStringLiteral("parameter"), QStringLiteral("hotKey"),
            QStringLiteral("format"), QStringLiteral("tabGroup"), QStringLiteral("locked")};
        for (const QString& key : obj_.keys()) {
            if (!known.contains(key))
                return Fail(QStringLiteral("unknown field \"%1\"").arg(key));
        }
        return true;
    }

private:
    bool Fail(const QString& message)
    {
        error_ = where_ + QStringLiteral(": ") + message;
        return false;
    }

    const QJsonObject& obj_;
    QString where_;
    QString& error_;
};

// False when arrays and objects nest deeper than `limit` (strings skipped).
bool NestingWithin(const QByteArray& json, int limit)
{
    int depth = 0;
    bool inString = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit)
                return false;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return true;
}

bool Parse(const QByteArray& json, QJsonDocument& doc, QString& error)
{
    if (!NestingWithin(json, ScreenSetJson::kMaxDepth)) {
        error = QStringLiteral("the JSON nests deeper than %1 levels").arg(ScreenSetJson::kMaxDepth);
        return false;
    }
    QJsonParseError parseError;
    doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = QStringLiteral("invalid JSON at byte offset %1: %2").arg(parseError.offset).arg(parseError.errorString());
        return false;
    }
    return true;
}

bool ParseControls(const QJsonArray& controls, std::vector<std::unique_ptr<ControlRecord>>& records,
                   QString& error)
{
    records.reserve(size_t(controls.size()));
    for (int i = 0; i < controls.size(); ++i) {
        if (!controls[i].isObject()) {
            error = QStringLiteral("control %1: must be an object").arg(i + 1);
            return false;
        }
        const QJsonObject obj = controls[i].toObject();
        auto rec = std::make_unique<ControlRecord>();
        ControlRecord& r = *rec;
        ControlParser p(obj, i, error);
        const bool ok = p.KnownFieldsOnly() && p.RectField(r.rect) && p.Int("function", r.function)
            && p.Int("type", r.type) && p.Int("screen", r.screen) && p.String("text", r.text)
            && p.String("gcode", r.gcode) && p.String("image", r.image)
            && p.Int("reservedA", r.reservedA) && p.Int("reservedB", r.reservedB)
            && p.String("label", r.label) && p.Int("ledColour", r.ledColour)
            && p.Int("ledFlashing", r.ledFlashing) && p.Int("ledRedGreen", r.ledRedGreen)
            && p.Int("parameter", r.parameter) && p.Int("hotKey", r.hotKey)
            && p.String("format", r.format) && p.Int("tabGroup", r.tabGroup)
            && p.Bool("locked", r.locked);
        if (!ok)
            return false;
        records.push_back(std::move(rec));
    }
    return true;
}

} // namespace

QJsonObject ScreenSetJson::ToJson(const ScreenSet& set, bool isProtected)
{
    QJsonObject root;
    root.insert(QStringLiteral("protected"), isProtected);
    QJsonArray colours;
    for (int i = 0; i < ColourSet::Count; ++i)
        colours.append(double(set.colours[size_t(i)]));
    root.insert(QStringLiteral("colours"), colours);
    std::vector<const ControlRecord*> records;
    records.reserve(set.controls.size());
    for (const auto& rp : set.controls)
        records.push_back(rp.get());
    root.insert(QStringLiteral("controls"), ControlsToJson(records));
    return root;
}

QJsonArray ScreenSetJson::ControlsToJson(const std::vector<const ControlRecord*>& records)
{
    QJsonArray controls;
    for (const ControlRecord* rp : records) {
        const ControlRecord& r = *rp;
        QJsonObject c;
        c.insert(QStringLiteral("rect"), QJsonArray{r.rect.left, r.rect.top, r.rect.right, r.rect.bottom});
        c.insert(QStringLiteral("function"), r.function);
        c.insert(QStringLiteral("type"), r.type);
        c.insert(QStringLiteral("screen"), r.screen);
        c.insert(QStringLiteral("text"), Text(r.text));
        c.insert(QStringLiteral("gcode"), Text(r.gcode));
        c.insert(QStringLiteral("image"), Text(r.image));
        c.insert(QStringLiteral("reservedA"), r.reservedA);
        c.insert(QStringLiteral("reservedB"), r.reservedB);
        c.insert(QStringLiteral("label"), Text(r.label));
        c.insert(QStringLiteral("ledColour"), r.ledColour);
        c.insert(QStringLiteral("ledFlashing"), r.ledFlashing);
        c.insert(QStringLiteral("ledRedGreen"), r.ledRedGreen);
        c.insert(QStringLiteral("parameter"), r.parameter);
        c.insert(QStringLiteral("hotKey"), r.hotKey);
        c.insert(QStringLiteral("format"), Text(r.format));
        c.insert(QStringLiteral("tabGroup"), r.tabGroup);
        c.insert(QStringLiteral("locked"), r.locked);
        controls.append(c);
    }
    return controls;
}

ScreenSetJson::Controls ScreenSetJson::ControlsFromJson(const QByteArray& json,
                                                        std::vector<std::unique_ptr<ControlRecord>>& records,
                                                        QString& error, size_t maxCount)
{
    QJsonDocument doc;
    if (!Parse(json, doc, error))
        return Controls::None;
    QJsonArray controls;
    if (doc.isArray()) {
        controls = doc.array();
    } else if (doc.isObject() && doc.object().value(QStringLiteral("controls")).isArray()) {
        controls = doc.object().value(QStringLiteral("controls")).toArray();
    } else {
        error = QStringLiteral("no \"controls\" array");
        return Controls::None;
    }
    if (size_t(controls.size()) > maxCount) {
        error = QStringLiteral("%1 controls, more than the %2 taken at once").arg(controls.size()).arg(maxCount);
        return Controls::Invalid;
    }
    std::vector<std::unique_ptr<ControlRecord>> read;
    if (!ParseControls(controls, read, error))
        return Controls::Invalid;
    records = std::move(read);
    return Controls::Read;
}

bool ScreenSetJson::FromJson(const QByteArray& json, ScreenSet& fresh, QString& error)
{
    QJsonDocument doc;
    if (!Parse(json, doc, error))
        return false;
    if (!doc.isObject()) {
        error = QStringLiteral("the JSON must be an object with a \"controls\" array");
        return false;
    }
    const QJsonObject root = doc.object();
    for (const QString& key : root.keys()) {
        if (key != QLatin1String("controls") && key != QLatin1String("colours")
            && key != QLatin1String("protected")) {
            error = QStringLiteral("unknown top-level field \"%1\"").arg(key);
            return false;
        }
    }
    const QJsonValue coloursValue = root.value(QStringLiteral("colours"));
    if (!coloursValue.isUndefined()) {
        const QJsonArray colours = coloursValue.toArray();
        if (!coloursValue.isArray() || colours.size() != ColourSet::Count) {
            error = QStringLiteral("\"colours\" must be an array of ten integers");
            return false;
        }
        for (int i = 0; i < ColourSet::Count; ++i) {
            int64_t x;
            if (!ToInt(colours[i], INT32_MIN, UINT32_MAX, x)) {
                error = QStringLiteral("colour %1 must be a 32-bit integer").arg(i + 1);
                return false;
            }
            fresh.colours[size_t(i)] = ColourRef(uint32_t(x));
        }
    }
    const QJsonValue controlsValue = root.value(QStringLiteral("controls"));
    if (controlsValue.isUndefined())
        return true;
    if (!controlsValue.isArray()) {
        error = QStringLiteral("\"controls\" must be an array");
        return false;
    }
    std::vector<std::unique_ptr<ControlRecord>> records;
    if (!ParseControls(controlsValue.toArray(), records, error))
        return false;
    for (auto& rec : records)
        fresh.Append(std::move(rec));
    return true;
}

} // namespace tavlora
