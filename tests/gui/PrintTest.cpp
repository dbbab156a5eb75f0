#include "DesignerFixture.h"
#include "PdfPages.h"

#include "shell/PrintActions.h"
#include "widgets/WidgetContext.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <vector>

using namespace tavlora;
using tavlora::test::PdfPages;

namespace {

// A designer on the basic set (screens 0, 1, 2 and 50 in use) with its print actions.
struct PrintFixture : DesignerFixture {
    std::unique_ptr<PrintActions> print;

    PrintFixture()
    {
        ScreenSet set;
        GuiTestFiles::Basic(set);
        set.colours.Set(ColourSet::ScreenBack, MakeColourRef(20, 60, 120));
        Open(set);
        print = std::make_unique<PrintActions>(*file, prompter, view.get());
    }
    ~PrintFixture() { print.reset(); }

    QAction* Action(const char* name) const
    {
        for (QAction* a : print->Actions())
            if (a->objectName() == QLatin1String(name))
                return a;
        return nullptr;
    }
    void Export(const QString& path, std::optional<PrintScope> scope)
    {
        prompter.pdfPath = path;
        prompter.printScope = scope;
        Action("ID_FILE_EXPORT_PDF")->trigger();
    }
    std::vector<bool> Visibility() const
    {
        std::vector<bool> v;
        for (const auto& rec : Set().controls)
            v.push_back(rec->widget && rec->widget->IsVisible());
        return v;
    }
};

} // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void actionsForTheFileMenu()
    {
        PrintFixture f;
        const QList<QAction*> actions = f.print->Actions();
        QCOMPARE(actions.size(), 3);
        const struct {
            const char* name;
            const char* text;
        } expected[] = {
            {"ID_FILE_PRINT", "&Print..."},
            {"ID_FILE_PRINT_PREVIEW", "Print Pre&view"},
            {"ID_FILE_EXPORT_PDF", "E&xport PDF..."},
        };
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(actions[i]->objectName(), QString::fromLatin1(expected[i].name));
            QCOMPARE(actions[i]->text(), QString::fromLatin1(expected[i].text));
        }
        QCOMPARE(actions[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    }

    void exportWritesEveryUsedScreen()
    {
        PrintFixture f;
        const QString out = f.dir.filePath(QStringLiteral("all.pdf"));
        f.Export(out, PrintScope::UsedScreens);
        QCOMPARE(f.prompter.pdfPathAsked, 1);
        QCOMPARE(f.prompter.pdfSuggested, f.dir.filePath(QStringLiteral("edit.pdf")));
        QCOMPARE(f.prompter.printScopeAsked, 1);
        QCOMPARE(f.prompter.printScreenShown, 1);
        QCOMPARE(f.prompter.usedScreensShown, 4);
        QVERIFY(f.prompter.errors.isEmpty());
        QCOMPARE(PdfPages::Count(PdfPages::Read(out)), 4);

        if (const auto pages = PdfPages::Rasterize(out)) {
            QCOMPARE(pages->size(), 4);
            for (const QImage& page : *pages)
                QVERIFY2(PdfPages::Inked(page) > 0.4, "a page without its screen");
        }
        if (const auto text = PdfPages::Text(out)) {
            const QStringList pages = text->split(QLatin1Char('\f'), Qt::SkipEmptyParts);
            QVERIFY(pages.size() >= 4);
            const char* names[] = {"Persistent Controls", "Screen 1", "Screen 2", "TAB Screen"};
            for (int i = 0; i < 4; ++i) {
                QVERIFY2(pages[i].contains(QLatin1String(names[i])), names[i]);
                QVERIFY(pages[i].contains(QStringLiteral("edit.set")));
            }
        }
    }

    void exportTheCurrentScreen()
    {
        PrintFixture f;
        f.doc->SetCurrentScreen(2);
        const QString out = f.dir.filePath(QStringLiteral("two.pdf"));
        f.Export(out, PrintScope::CurrentScreen);
        QCOMPARE(f.prompter.printScreenShown, 2);
        QCOMPARE(PdfPages::Count(PdfPages::Read(out)), 1);
        if (const auto text = PdfPages::Text(out))
            QVERIFY(text->contains(QStringLiteral("Screen 2")));
    }

    void exportLeavesTheDesignAsItWas()
    {
        PrintFixture f;
        f.doc->SetCurrentScreen(2);
        const std::vector<bool> before = f.Visibility();
        const int undoSteps = f.doc->UndoStack().count();
        f.Export(f.dir.filePath(QStringLiteral("all.pdf")), PrintScope::UsedScreens);
        QVERIFY(f.Visibility() == before);
        QCOMPARE(f.doc->CurrentScreen(), 2);
        QCOMPARE(f.doc->UndoStack().count(), undoSteps);
        QVERIFY(!f.doc->IsModified());
    }

    void cancelWritesNothing()
    {
        PrintFixture f;
        f.Export(QString(), PrintScope::UsedScreens); // no path chosen
        QCOMPARE(f.prompter.printScopeAsked, 0);
        const QString out = f.dir.filePath(QStringLiteral("never.pdf"));
        f.Export(out, std::nullopt); // scope cancelled
        QCOMPARE(f.prompter.printScopeAsked, 1);
        QVERIFY(!QFile::exists(out));
        QVERIFY(f.prompter.errors.isEmpty());
    }

    void failedWriteSaysSoAndKeepsTheOldFile()
    {
        PrintFixture f;
        const QString nowhere = f.dir.filePath(QStringLiteral("missing/folder/x.pdf"));
        f.Export(nowhere, PrintScope::UsedScreens);
        QCOMPARE(f.prompter.errors.size(), 1);
        QVERIFY(f.prompter.errors[0].contains(QStringLiteral("x.pdf")));
        QVERIFY(!QFile::exists(nowhere));

        // A folder where the file should go stays a folder.
        const QString folder = f.dir.filePath(QStringLiteral("taken.pdf"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/inside")));
        f.Export(folder, PrintScope::UsedScreens);
        QCOMPARE(f.prompter.errors.size(), 2);
        QVERIFY(QFileInfo(folder + QStringLiteral("/inside")).isDir());
    }

    void suggestedPathOfAnUntitledSet()
    {
        PrintFixture f;
        QVERIFY(f.file->OnNewDocument());
        QCOMPARE(f.print->SuggestedPdfPath(), QStringLiteral("Untitled.pdf"));
        const QString out = f.dir.filePath(QStringLiteral("untitled.pdf"));
        f.Export(out, PrintScope::UsedScreens);
        QCOMPARE(f.prompter.usedScreensShown, 1); // no controls: screen 1 alone
        QCOMPARE(PdfPages::Count(PdfPages::Read(out)), 1);
    }

    // The design view looks the same before, while and after a preview paints
    // its pages (DRO and G-code list text included).
    void aPreviewLeavesTheViewAsItLooks()
    {
        DesignerFixture f;
        ScreenSet set;
        GuiTestFiles::Add(set, TypeDro, 1, {20, 20, 220, 60});
        GuiTestFiles::Add(set, TypeGCodeList, 1, {20, 80, 320, 280}).parameter = 8;
        GuiTestFiles::Add(set, TypeLabel, 2, {20, 20, 220, 60}).label = "Two";
        f.Open(set);
        PrintActions print(*f.file, f.prompter, f.view.get());
        QVERIFY(QTest::qWaitForWindowExposed(f.view.get()));
        const QImage before = f.view->viewport()->grab().toImage();
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewWidget preview(&printer);
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, &preview,
                         [&](QPrinter* target) { print.PrintTo(*target, PrintScope::UsedScreens); });
        preview.show();
        preview.updatePreview();
        QApplication::processEvents();
        QCOMPARE(f.view->viewport()->grab().toImage(), before);
        preview.close();
        QApplication::processEvents();
        QCOMPARE(f.view->viewport()->grab().toImage(), before);
    }

    void printsOnAPrinter()
    {
        PrintFixture f;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString out = f.dir.filePath(QStringLiteral("printed.pdf"));
        printer.setOutputFileName(out);
        QVERIFY(f.print->PrintTo(printer, PrintScope::UsedScreens));
        QCOMPARE(PdfPages::Count(PdfPages::Read(out)), 4);
        QVERIFY(f.prompter.errors.isEmpty());
    }
};

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
