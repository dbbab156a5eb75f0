#pragma once

#include <QTreeWidget>

#include <vector>

class QLineEdit;

namespace tavlora {

// The "Values" list of a preview: a named number field per row.
class PreviewValueList : public QTreeWidget {
    Q_OBJECT
public:
    explicit PreviewValueList(QWidget* parent = nullptr);

    void SetRows(const QStringList& names, const std::vector<double>& values);
    // The fields as given, without `edited`.
    void SetValues(const std::vector<double>& values);
    QLineEdit* Field(int row) const;
    // Selects a row and puts the keyboard into its field.
    void FocusRow(int row);

    // The text of a value in a field.
    static QString Text(double value);

signals:
    // A field was left or Enter pressed in it with a number.
    void edited(int row, double value);
};

} // namespace tavlora
