#include "QtPropertyServices.h"

#include "properties/HotKeyCapture.h"

#include "document/FunctionCatalogs.h"
#include "core/ImagePath.h"
#include "CMultiFileDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>

namespace tavlora {

const char* const QtPropertyServices::kImageFilters[5] = {
    "JPG Files (*.jpg;*.jpg)", "BMP Files (*.bmp;*.bmp)", "PNG Files (*.png;*.png)",
    "GIF Files (*.gif;*.gif)", "WMF Files (*.wmf;*.wmf)",
};

namespace {

constexpr int kPreviewSide = 160;

// A picture of the file under the cursor beside the file list.
void AddPreview(QFileDialog& dialog)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid)
        return;
    auto* preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("ImagePreview"));
    preview->setFixedSize(kPreviewSide, kPreviewSide);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    grid->addWidget(preview, 1, grid->columnCount(), 1, 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
        QImageReader reader(path);
        QSize size = reader.size();
        if (size.isValid() && !size.isEmpty()) {
            size.scale(kPreviewSide - 8, kPreviewSide - 8, Qt::KeepAspectRatio);
            reader.setScaledSize(size);
        }
        const QImage image = reader.read();
        if (image.isNull())
            preview->clear();
        else
            preview->setPixmap(QPixmap::fromImage(image));
    });
}

} // namespace

std::optional<std::vector<std::string>> QtPropertyServices::Catalog(int type)
{
    return catalogs_.Lines(type);
}

PropertyServices::ImageChoice QtPropertyServices::ChooseImage(QWidget* parent)
{
    QSettings settings(QStringLiteral("Tavlora"), QStringLiteral("Tavlora"));
    settings.beginGroup(QStringLiteral("Images"));
    // A fresh install starts among the sample pictures of the Vorn3 folder.
    const QString bitmaps = QDir(QString::fromStdString(ImagePath::ToPlatform(catalogs_.Folder())))
                                .filePath(QStringLiteral("Bitmaps"));
    // IMGPath holds the last picture chosen (or a folder): the dialog opens
    // in its folder.
    const QFileInfo last(settings.value(QStringLiteral("IMGPath"), bitmaps).toString());
    const QString folder = last.isDir() ? last.absoluteFilePath() : last.absolutePath();
    const int filter = settings.value(QStringLiteral("IMGFilter"), 0).toInt();

    QStringList filters;
    for (const char* f : kImageFilters)
        filters << QString::fromLatin1(f);
    CMultiFileDialog dialog(true, QString(), QString(), filters, parent);
    dialog.setDirectory(folder);
    dialog.setWindowTitle(QObject::tr("Open"));
    if (filter >= 0 && filter < filters.size())
        dialog.selectNameFilter(filters.at(filter));
    AddPreview(dialog);
    const QString path = dialog.Run();
    ImageChoice choice;
    if (path.isEmpty())
        return choice;
    const std::optional<std::string> name = ImagePath::BitmapsRelative(QDir::toNativeSeparators(path).toStdString());
    if (!name) {
        choice.result = ImageChoice::Refused;
        return choice;
    }
    settings.setValue(QStringLiteral("IMGFilter"), std::max(0, int(filters.indexOf(dialog.selectedNameFilter()))));
    settings.setValue(QStringLiteral("IMGPath"), path);
    choice.result = ImageChoice::Chosen;
    choice.name = *name;
    return choice;
}

int QtPropertyServices::CaptureHotKey(QWidget* parent)
{
    return HotKeyCapture::Run(parent);
}

void QtPropertyServices::Message(QWidget* parent, const QString& text, bool stop)
{
    QMessageBox box(stop ? QMessageBox::Critical : QMessageBox::Information, QStringLiteral("Tavlora"), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace tavlora
