#include "frontend/ui/simulation/trace_import_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/model/common/number_text.h"
#include "frontend/ui/common/qt_text.h"

namespace trakvist {
namespace {

constexpr int kReportWidth = 520;

const TraceOperations kOperationChoices[] = {TraceOperations::kBoth, TraceOperations::kReads,
                                             TraceOperations::kWrites};
const char* const kOperationNames[] = {"Reads and writes", "Reads", "Writes"};
const char kEventChoices[] = {'Q', 'D'};
const char* const kEventNames[] = {"Queued (Q)", "Issued (D)"};

QComboBox* List(const QString& name) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  return list;
}

QLabel* Text(const QString& name, const QString& text) {
  auto* label = new QLabel(text);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

// The report's lines past the format and devices, which the lists show.
QString ReportText(const TraceImport& import, const TraceDisk& disk) {
  QStringList lines;
  if (import.read) {
    for (const std::string& line : TraceReportLines(import.report, disk)) {
      if (line.rfind("Format: ", 0) != 0 && line.rfind("Devices: ", 0) != 0) {
        lines << ToQString(line);
      }
    }
  }
  if (!import.error.empty()) lines << ToQString(import.error);
  return lines.join(QStringLiteral("\n"));
}

}  // namespace

TraceImportDialog::TraceImportDialog(const FileAccess& files, std::string trace_path,
                                     const TraceDisk& disk, TraceFormat format,
                                     const std::string& converted_path, QWidget* parent)
    : QDialog(parent), files_(files), trace_path_(std::move(trace_path)), disk_(disk) {
  setObjectName(QStringLiteral("TraceImport"));
  setWindowTitle(QStringLiteral("Import Trace"));
  options_.format = format;
  BuildControls(converted_path);
  Refresh();
}

void TraceImportDialog::BuildControls(const std::string& converted_path) {
  format_ = List(QStringLiteral("TraceFormat"));
  for (TraceFormat format : kTraceFormats) {
    const QString name = ToQString(TraceFormatName(format));
    format_->addItem(format == *options_.format ? name + QStringLiteral(" (detected)") : name);
  }
  format_->setCurrentIndex(static_cast<int>(*options_.format));
  device_ = List(QStringLiteral("TraceDevice"));
  operations_ = List(QStringLiteral("TraceOperations"));
  for (const char* name : kOperationNames) operations_->addItem(QString::fromUtf8(name));
  event_ = List(QStringLiteral("TraceEvent"));
  for (const char* name : kEventNames) event_->addItem(QString::fromUtf8(name));
  report_ = Text(QStringLiteral("TraceReport"), QString());
  report_->setWordWrap(true);
  report_->setFixedWidth(kReportWidth);
  report_->setAlignment(Qt::AlignTop | Qt::AlignLeft);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Trace:"),
               Text(QStringLiteral("TraceFile"), ToQString(trace_path_)));
  form->addRow(QStringLiteral("Format:"), format_);
  form->addRow(QStringLiteral("Device:"), device_);
  form->addRow(QStringLiteral("Operations:"), operations_);
  form->addRow(QStringLiteral("Arrivals (blkparse):"), event_);
  form->addRow(QStringLiteral("Seconds Per Time Unit:"),
               Text(QStringLiteral("TraceTu"), ToQString(NumberText(disk_.seconds_per_tu))));
  form->addRow(QStringLiteral("Requests file:"),
               Text(QStringLiteral("TraceOut"), ToQString(converted_path)));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
  convert_ = buttons->addButton(QStringLiteral("Convert"), QDialogButtonBox::AcceptRole);
  convert_->setObjectName(QStringLiteral("TraceConvert"));
  convert_->setDefault(true);
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("TraceCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addSpacing(6);
  layout->addWidget(report_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(format_, &QComboBox::activated, this, [this](int index) {
    options_.format = kTraceFormats[index];
    options_.device.reset();  // another format names its devices otherwise
    Refresh();
  });
  connect(device_, &QComboBox::activated, this, [this](int index) {
    options_.device = ToStdString(device_->itemText(index));
    Refresh();
  });
  connect(operations_, &QComboBox::activated, this, [this](int index) {
    options_.operations = kOperationChoices[index];
    Refresh();
  });
  connect(event_, &QComboBox::activated, this, [this](int index) {
    options_.blkparse_event = kEventChoices[index];
    Refresh();
  });
}

void TraceImportDialog::Refresh() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  import_ = ImportTrace(files_, trace_path_, disk_, options_);
  QApplication::restoreOverrideCursor();
  ShowDevices();
  const bool has_operations = options_.format != TraceFormat::kPlain;
  operations_->setEnabled(has_operations);
  event_->setEnabled(options_.format == TraceFormat::kBlkparse);
  report_->setText(ReportText(import_, disk_));
  convert_->setEnabled(import_.error.empty());
}

void TraceImportDialog::ShowDevices() {
  device_->clear();
  for (const std::string& device : import_.report.devices) device_->addItem(ToQString(device));
  device_->setCurrentIndex(device_->findText(ToQString(import_.report.device)));
  device_->setEnabled(device_->count() > 1);
}

}  // namespace trakvist
