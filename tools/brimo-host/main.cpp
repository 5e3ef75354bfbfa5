// The demo host: a program that loads the support library as the shop's
// application does and calls its exports. With a display it opens a window
// to call any export by hand; with --tour DIR it calls every export once,
// prints the results and saves a picture of each dialog into DIR.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "DemoWindow.h"
#include "ExportLibrary.h"
#include "SampleData.h"
#include "Tour.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("brimo-host"));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Calls the exports of the Brimo support library."));
    options.addHelpOption();
    const QCommandLineOption tour(QStringLiteral("tour"), QStringLiteral("Run the scripted tour, pictures into DIR."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption library(QStringLiteral("library"), QStringLiteral("The library to load."),
                                     QStringLiteral("PATH"), QStringLiteral(BRIMO_LIBRARY_PATH));
    const QCommandLineOption data(QStringLiteral("data"),
                                  QStringLiteral("Data directory (default: a temporary copy of the sample data)."),
                                  QStringLiteral("DIR"));
    options.addOptions({tour, library, data});
    options.process(application);

    try {
        QTemporaryDir sampleDirectory;
        const QString dataDirectory =
            options.isSet(data) ? QDir(options.value(data)).absolutePath() : sampleDirectory.path();
        if (!options.isSet(data)) {
            brimo::demo::writeSampleData(dataDirectory);
        }
        const brimo::demo::ExportLibrary exports(options.value(library).toStdString());
        if (options.isSet(tour)) {
            return brimo::demo::runTour(exports, QDir(options.value(tour)).absolutePath(), dataDirectory);
        }
        brimo::demo::DemoWindow window(exports, dataDirectory);
        window.show();
        return application.exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brimo-host: %s\n", error.what());
        return 1;
    }
}
