#pragma once

#include <QMainWindow>
#include <vector>

class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;

namespace brimo::demo {

class ExportLibrary;
struct ExportEntry;

// The demo host's window: the exports listed by subsystem, a form with the
// arguments of the chosen one, a Call button and a log of the results.
class DemoWindow : public QMainWindow {
    Q_OBJECT

  public:
    DemoWindow(const ExportLibrary& library, const QString& dataDirectory);

  private:
    // The settings point at the data directory, for the tables and the INI
    // file, so that the demo never touches the user's own settings.
    void pointAtDataDirectory(const QString& dataDirectory);
    void showExport(const ExportEntry* entry);
    void callExport();

    const ExportLibrary& library_;
    const ExportEntry* current_ = nullptr;
    QTreeWidget* exports_;
    QLabel* title_;
    QFormLayout* form_;
    std::vector<QLineEdit*> fields_;
    QCheckBox* owned_;
    QPlainTextEdit* log_;
};

}  // namespace brimo::demo
