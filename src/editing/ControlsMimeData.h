#pragma once

#include <QMimeData>

namespace tavlora {

// Copied controls on the system clipboard: the records in the file's encoding
// at once, and the JSON text only when a program asks for it (ten thousand
// controls make megabytes of JSON that a paste between designers never needs).
class ControlsMimeData : public QMimeData {
    Q_OBJECT
public:
    ControlsMimeData(const QByteArray& block, const QByteArray& copyId);

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    QByteArray block_;
    QByteArray copyId_;
    mutable QString json_;
    mutable bool jsonMade_ = false;
};

} // namespace tavlora
