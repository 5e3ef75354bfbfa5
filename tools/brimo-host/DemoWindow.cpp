#include "DemoWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "CallReport.h"
#include "ExportCatalogue.h"
#include "ExportLibrary.h"

namespace brimo::demo {
namespace {

QString kindText(ParameterKind kind) {
    switch (kind) {
        case ParameterKind::window:
            return QStringLiteral("window");
        case ParameterKind::textIn:
            return QStringLiteral("text in");
        case ParameterKind::textInOut:
            return QStringLiteral("text in/out");
        case ParameterKind::integer:
            return QStringLiteral("integer");
        case ParameterKind::real:
            return QStringLiteral("number");
        case ParameterKind::shortOut:
            return QStringLiteral("16-bit out");
    }
    return {};
}

}  // namespace

DemoWindow::DemoWindow(const ExportLibrary& library, const QString& dataDirectory) : library_(library) {
    setWindowTitle(QStringLiteral("Brimo demo host"));

    exports_ = new QTreeWidget;
    exports_->setHeaderHidden(true);
    QTreeWidgetItem* group = nullptr;
    for (const ExportEntry& entry : exportCatalogue()) {
        if (group == nullptr || group->text(0) != entry.subsystem) {
            group = new QTreeWidgetItem(exports_, {entry.subsystem});
            group->setFlags(Qt::ItemIsEnabled);
            group->setExpanded(true);
        }
        auto* item = new QTreeWidgetItem(group, {entry.name});
        item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<const void*>(&entry)));
    }
    connect(exports_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        showExport(item != nullptr ? static_cast<const ExportEntry*>(item->data(0, Qt::UserRole).value<const void*>())
                                   : nullptr);
    });

    title_ = new QLabel(QStringLiteral("Choose an export."));
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    title_->setFont(titleFont);
    auto* formHolder = new QWidget;
    form_ = new QFormLayout(formHolder);
    owned_ = new QCheckBox(QStringLiteral("Dialogs owned by this window"));
    owned_->setChecked(true);
    auto* call = new QPushButton(QStringLiteral("&Call"));
    connect(call, &QPushButton::clicked, this, &DemoWindow::callExport);
    log_ = new QPlainTextEdit;
    log_->setReadOnly(true);
    log_->appendPlainText(QStringLiteral("Data directory: ") + dataDirectory);
    pointAtDataDirectory(dataDirectory);

    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->addWidget(title_);
    rightLayout->addWidget(formHolder);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(owned_);
    buttons->addStretch(1);
    buttons->addWidget(call);
    rightLayout->addLayout(buttons);
    rightLayout->addWidget(log_, 1);

    auto* splitter = new QSplitter;
    splitter->addWidget(exports_);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
    resize(900, 600);
}

void DemoWindow::pointAtDataDirectory(const QString& dataDirectory) {
    const QByteArray directory = dataDirectory.toLocal8Bit();
    const QByteArray iniFile = QDir(dataDirectory).filePath(QStringLiteral("Brimo.Ini")).toLocal8Bit();
    reinterpret_cast<decltype(&SetIniFile)>(library_.address("SetIniFile"))(iniFile.constData());
    reinterpret_cast<decltype(&SetLocations)>(library_.address("SetLocations"))(directory.constData(), "",
                                                                                directory.constData());
    log_->appendPlainText(QStringLiteral("SetIniFile(%1) and SetLocations(%2, , %2) called")
                              .arg(QString::fromLocal8Bit(iniFile), dataDirectory));
}

void DemoWindow::showExport(const ExportEntry* entry) {
    current_ = entry;
    while (form_->rowCount() > 0) {
        form_->removeRow(0);
    }
    fields_.clear();
    if (entry == nullptr) {
        title_->setText(QStringLiteral("Choose an export."));
        return;
    }
    title_->setText(entry->name + (entry->hasResult ? QString() : QStringLiteral(" (no result)")));
    for (const Parameter& parameter : entry->parameters) {
        auto* field = new QLineEdit(parameter.defaultValue);
        field->setEnabled(parameter.kind != ParameterKind::window);
        if (parameter.kind == ParameterKind::window) {
            field->setPlaceholderText(QStringLiteral("this window, or none"));
        }
        form_->addRow(QStringLiteral("%1 (%2)").arg(parameter.name, kindText(parameter.kind)), field);
        fields_.push_back(field);
    }
}

void DemoWindow::callExport() {
    if (current_ == nullptr) {
        return;
    }
    QStringList inputs;
    for (QLineEdit* field : fields_) {
        inputs << field->text();
    }
    const BrmWindow window = owned_->isChecked() ? static_cast<BrmWindow>(winId()) : 0;
    CallFrame frame(inputs, window);
    try {
        const std::optional<long> result =
            current_->invoke(library_.address(current_->name.toLatin1().constData()), frame);
        log_->appendPlainText(describeCall(*current_, frame, result));
    } catch (const std::exception& error) {
        log_->appendPlainText(QString::fromStdString(error.what()));
    }
}

}  // namespace brimo::demo
