#include "ControlsMimeData.h"

#include "Clipboard.h"

#include "core/ControlsBlock.h"
#include "formats/ScreenSetJson.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace tavlora {

namespace {

const QString kText = QStringLiteral("text/plain");

} // namespace

ControlsMimeData::ControlsMimeData(const QByteArray& block, const QByteArray& copyId)
    : block_(block), copyId_(copyId)
{
}

QStringList ControlsMimeData::formats() const
{
    return {QString::fromLatin1(Clipboard::kMimeType), QString::fromLatin1(Clipboard::kCopyIdType), kText};
}

bool ControlsMimeData::hasFormat(const QString& mimeType) const
{
    return formats().contains(mimeType);
}

QVariant ControlsMimeData::retrieveData(const QString& mimeType, QMetaType type) const
{
    if (mimeType == QLatin1String(Clipboard::kMimeType))
        return block_;
    if (mimeType == QLatin1String(Clipboard::kCopyIdType))
        return copyId_;
    if (mimeType != kText)
        return QMimeData::retrieveData(mimeType, type);
    if (!jsonMade_) {
        jsonMade_ = true;
        std::vector<std::unique_ptr<ControlRecord>> records;
        std::string error;
        if (ControlsBlock::Read(block_.constData(), size_t(block_.size()), records, error)) {
            std::vector<const ControlRecord*> view;
            for (const auto& rec : records)
                view.push_back(rec.get());
            QJsonObject json;
            json.insert(QStringLiteral("controls"), ScreenSetJson::ControlsToJson(view));
            json_ = QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented));
        }
    }
    if (type.id() == QMetaType::QByteArray)
        return json_.toUtf8();
    return json_;
}

} // namespace tavlora
