#include "CMainFrame.h"
#include "settings/SettingsProfile.h"
#include "document/CTavloraDoc.h"
#include "document/DocumentFile.h"
#include "preview/PreviewWindow.h"
#include "view/CTavloraView.h"

#include "core/HeapTuning.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include <cstdio>

using namespace tavlora;

namespace {

void NameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tavlora"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tavlora"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2"));
}

// --help and --version need no display: they are answered before the GUI
// application (which needs one) is made.
void AnswerInfoOptionsWithoutDisplay(int argc, char* argv[], QCommandLineParser& parser)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--") // what follows is a file name
            return;
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v" || arg == "--version") {
            QCoreApplication core(argc, argv);
            NameApplication();
            parser.process(core); // prints and exits
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    HeapTuning::KeepFreedMemory();
    QElapsedTimer startup;
    startup.start();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tavlora - screen designer for Vorn3 operator screens"));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption profileOption(QStringLiteral("profile"),
                                     QStringLiteral("Settings profile file (default: $TAVLORA_PROFILE, else Tavlora.xml "
                                                    "in the start folder if it exists, else in the "
                                                    "configuration folder, ~/.config/Tavlora)."),
                                     QStringLiteral("path"));
    QCommandLineOption sizeOption(QStringLiteral("size"),
                                  QStringLiteral("Target screen size for the file opened, instead of asking."),
                                  QStringLiteral("WxH"));
    QCommandLineOption previewOption(QStringLiteral("preview"),
                                     QStringLiteral("Open the file straight into a preview of its screens "
                                                    "(the designer stays hidden; closing the preview ends)."));
    parser.addOption(profileOption);
    parser.addOption(sizeOption);
    parser.addOption(previewOption);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Screen set to open (.set, .lset, .sset)."));
    AnswerInfoOptionsWithoutDisplay(argc, argv, parser);

    QApplication app(argc, argv);
    NameApplication();
    Q_INIT_RESOURCE(tavlora);
    parser.process(app);

    // Paths of the command line are taken before the frame changes the current folder.
    const QString profilePath = SettingsProfile::ChoosePath(
        parser.isSet(profileOption) ? QFileInfo(parser.value(profileOption)).absoluteFilePath() : QString());
    const QStringList files = parser.positionalArguments();
    const QString file = files.isEmpty() ? QString() : QFileInfo(files.first()).absoluteFilePath();

    QSize fixedSize;
    if (parser.isSet(sizeOption)) {
        static const QRegularExpression pattern(QStringLiteral("^(\\d+)[xX](\\d+)$"));
        const auto match = pattern.match(parser.value(sizeOption));
        if (!match.hasMatch() || match.captured(1).toInt() <= 0 || match.captured(2).toInt() <= 0) {
            std::fprintf(stderr, "tavlora: --size expects WIDTHxHEIGHT, for example 1024x768\n");
            return 2;
        }
        fixedSize = QSize(match.captured(1).toInt(), match.captured(2).toInt());
    }

    CMainFrame frame(profilePath);
    if (fixedSize.isValid())
        frame.File().SetFixedScreenSize(fixedSize);

    // TAVLORA_STARTUP_TIMING=1 prints when the design view first painted;
    // 2 also quits then (bench/growth/DesignerGrowthBench.cpp).
    const int startupTiming = qEnvironmentVariableIntValue("TAVLORA_STARTUP_TIMING");
    if (startupTiming == 1 || startupTiming == 2) {
        QObject::connect(&frame.View(), &CTavloraView::firstPainted, &frame, [&startup, startupTiming] {
            std::fprintf(stderr, "tavlora: first paint of the design view %lld ms after start\n",
                         static_cast<long long>(startup.elapsed()));
            if (startupTiming == 2)
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        });
    }

    // Without a window manager a maximised window keeps its size: fill the
    // screen first. Prompts before the window shows are centred on it too.
    if (QScreen* screen = frame.screen())
        frame.setGeometry(screen->availableGeometry());

    if (parser.isSet(previewOption)) {
        if (file.isEmpty()) {
            std::fprintf(stderr, "tavlora: --preview needs a screen set to open\n");
            return 2;
        }
        if (!frame.File().OnOpenDocument(file))
            return 1;
        PreviewWindow* preview = frame.OpenPreview();
        QObject::connect(preview, &QObject::destroyed, &app, &QCoreApplication::quit);
        return app.exec();
    }

    if (!file.isEmpty()) {
        if (!frame.File().OnOpenDocument(file))
            return 1;
    } else {
        frame.File().OnNewDocument();
    }

    frame.showMaximized();
    // Edits a crashed designer kept are offered once the window is up.
    QTimer::singleShot(0, &frame, [&frame] { frame.File().OfferRecovery(); });
    return app.exec();
}
