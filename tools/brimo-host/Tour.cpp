#include "Tour.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <cstdio>
#include <map>

#include "CallReport.h"
#include "ExportCatalogue.h"
#include "ExportLibrary.h"

namespace brimo::demo {
namespace {

const QString sampleSwipe = QStringLiteral("%B4111111111111111^SAMPLE/CARD HOLDER^2712101000000000?");

// Arguments of the tour that differ from the form's defaults. The cash
// drawer goes to a printer port that does not exist, to show its error box.
std::map<QString, QStringList> tourArguments(const QString& dataDirectory) {
    return {
        {QStringLiteral("SetIniFile"), {QDir(dataDirectory).filePath(QStringLiteral("Brimo.Ini"))}},
        {QStringLiteral("SetLocations"), {dataDirectory, QString(), dataDirectory}},
        {QStringLiteral("DirExists"), {dataDirectory}},
        {QStringLiteral("OpenCashDrawer"), {"27", "112", "1", "1", "LPT9", "0"}},
    };
}

// Watches for modal windows while an export runs: saves a picture of each and
// closes it.
class DialogPhotographer : public QObject {
  public:
    DialogPhotographer(QString directory, QString prefix)
        : directory_(std::move(directory)), prefix_(std::move(prefix)) {
        connect(&timer_, &QTimer::timeout, this, &DialogPhotographer::look);
        timer_.start(20);
    }

  private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || modal == handled_) {
            return;
        }
        handled_ = modal;
        const bool swipe = modal->objectName() == QLatin1String("MagStripeScanDlg");
        if (swipe) {
            if (auto* field = modal->findChild<QLineEdit*>()) {
                field->setText(sampleSwipe);
            }
        }
        const QString file =
            QDir(directory_)
                .filePath(QStringLiteral("%1%2.png")
                              .arg(prefix_, shots_ == 0 ? QString() : QStringLiteral("-%1").arg(shots_)));
        ++shots_;
        const bool saved = modal->grab().save(file);
        std::printf("    %s %s\n", saved ? "saved" : "could not save", qPrintable(file));
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (dialog != nullptr && (swipe || qobject_cast<QMessageBox*>(modal) != nullptr)) {
            dialog->accept();
        } else if (dialog != nullptr) {
            dialog->reject();
        } else {
            modal->close();
        }
    }

    QString directory_;
    QString prefix_;
    QTimer timer_;
    QPointer<QWidget> handled_;
    int shots_ = 0;
};

}  // namespace

int runTour(const ExportLibrary& library, const QString& directory, const QString& dataDirectory) {
    QDir().mkpath(directory);
    const std::map<QString, QStringList> specialArguments = tourArguments(dataDirectory);
    int number = 0;
    for (const ExportEntry& entry : exportCatalogue()) {
        ++number;
        QStringList inputs;
        for (const Parameter& parameter : entry.parameters) {
            inputs << parameter.defaultValue;
        }
        if (const auto special = specialArguments.find(entry.name); special != specialArguments.end()) {
            inputs = special->second;
        }
        std::printf("%02d %s(%s)\n", number, qPrintable(entry.name), qPrintable(inputs.join(QStringLiteral(", "))));
        std::fflush(stdout);
        CallFrame frame(inputs, 0);
        DialogPhotographer photographer(directory,
                                        QStringLiteral("%1-%2").arg(number, 2, 10, QLatin1Char('0')).arg(entry.name));
        const std::optional<long> result = entry.invoke(library.address(entry.name.toLatin1().constData()), frame);
        std::printf("    %s\n", qPrintable(describeCall(entry, frame, result)));
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace brimo::demo
