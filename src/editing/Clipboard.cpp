#include "Clipboard.h"

#include "ControlsMimeData.h"

#include "core/ControlsBlock.h"
#include "formats/ScreenSetJson.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QUuid>

namespace tavlora {

const char* const Clipboard::kMimeType = "application/x-tavlora-controls";
const char* const Clipboard::kCopyIdType = "application/x-tavlora-copy-id";

namespace {

QClipboard* System()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

QString Tr(const char* text)
{
    return QCoreApplication::translate("Clipboard", text);
}

std::vector<std::unique_ptr<ControlRecord>> Copies(const std::vector<std::unique_ptr<ControlRecord>>& records)
{
    std::vector<std::unique_ptr<ControlRecord>> out;
    out.reserve(records.size());
    for (const auto& rec : records)
        out.push_back(std::make_unique<ControlRecord>(*rec));
    return out;
}

} // namespace

Clipboard::Clipboard() = default;
Clipboard::~Clipboard() = default;

void Clipboard::Copy(const std::vector<const ControlRecord*>& records)
{
    own_.clear();
    own_.reserve(records.size());
    for (const ControlRecord* rec : records)
        own_.push_back(std::make_unique<ControlRecord>(*rec));

    QClipboard* system = System();
    if (!system)
        return;
    copyId_ = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
    const std::string block = ControlsBlock::Write(records);
    system->setMimeData(new ControlsMimeData(QByteArray(block.data(), qsizetype(block.size())), copyId_));
}

Clipboard::Contents Clipboard::Take() const
{
    Contents contents;
    const QClipboard* system = System();
    const QMimeData* data = system ? system->mimeData() : nullptr;
    // Our own copy while the system clipboard still holds it (or there is none).
    const bool ours = !data || (!copyId_.isEmpty() && data->data(QString::fromLatin1(kCopyIdType)) == copyId_);
    if (ours) {
        contents.records = Copies(own_);
        return contents;
    }
    contents.records = Decode(*data, contents.problem);
    contents.fromSystem = true;
    return contents;
}

std::vector<std::unique_ptr<ControlRecord>> Clipboard::Decode(const QMimeData& data, QString& problem)
{
    std::vector<std::unique_ptr<ControlRecord>> records;
    if (data.hasFormat(QString::fromLatin1(kMimeType))) {
        const QByteArray bytes = data.data(QString::fromLatin1(kMimeType));
        std::string error;
        if (!ControlsBlock::Read(bytes.constData(), size_t(bytes.size()), records, error))
            problem = Tr("The controls on the clipboard cannot be pasted (%1); nothing was pasted.")
                          .arg(QString::fromStdString(error));
        return records;
    }
    if (data.hasText()) {
        const QString text = data.text();
        QString error;
        // Text that UTF-8 cannot carry (a lone surrogate) is no JSON of controls.
        const ScreenSetJson::Controls read = text.isValidUtf16()
            ? ScreenSetJson::ControlsFromJson(text.toUtf8(), records, error, ControlsBlock::kMaxControls)
            : ScreenSetJson::Controls::None;
        if (read == ScreenSetJson::Controls::Invalid)
            problem = Tr("The controls on the clipboard cannot be pasted (%1); nothing was pasted.").arg(error);
        else if (read == ScreenSetJson::Controls::None)
            problem = Tr("The clipboard holds no controls");
        return records;
    }
    problem = Tr("The clipboard holds no controls");
    return records;
}

} // namespace tavlora
