#pragma once

#include <QListWidget>

namespace tavlora {

// The work bar's list of control types. Its entries can be dragged onto the
// design view, which places a control of the entry's tool where it is dropped.
class ToolList : public QListWidget {
    Q_OBJECT
public:
    // `toolOf` gives the tool number of an entry's text (-1 for none).
    explicit ToolList(int (*toolOf)(const QString& text), QWidget* parent = nullptr);

signals:
    // A drag of an entry ended (dropped or not); the entry chose no tool.
    void dragFinished();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;

private:
    int (*toolOf_)(const QString& text);
};

} // namespace tavlora
