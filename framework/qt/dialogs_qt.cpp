// Message boxes, the beep and the open-file dialog on Qt.

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/files.h"
#include "qt/testing.h"

namespace fw {
namespace {
std::function<void()>& BeepHook() {
  static std::function<void()> hook;
  return hook;
}

// "text/plain (*.txt)" for each registered type the filter names.
QStringList NameFilters(std::string_view filter) {
  QStringList filters;
  for (const QString& part : QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()))
                                 .split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const FileType* type = RegisteredFileType(part.trimmed().toStdString());
    if (type == nullptr) {
      continue;
    }
    QStringList patterns;
    for (const QString& ext :
         QString::fromStdString(type->Extensions).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      patterns << QStringLiteral("*.") + ext.trimmed();
    }
    filters << QString::fromStdString(type->Name) + QStringLiteral(" (") + patterns.join(' ') +
                   QLatin1Char(')');
  }
  return filters;
}
}  // namespace

void MsgBox(const std::string& message) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(ApplicationTitle()),
                  QString::fromStdString(message), QMessageBox::Ok, QApplication::activeWindow());
  box.setObjectName(QStringLiteral("MsgBox"));
  box.exec();
}

void Beep() {
  if (BeepHook()) {
    BeepHook()();
  } else {
    QApplication::beep();
  }
}

Ref<FolderItem> GetOpenFolderItem(std::string_view filter) {
  // Qt's own dialog: the same on every platform, and drivable in tests.
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setObjectName(QStringLiteral("OpenFileDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  const QStringList filters = NameFilters(filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return nullptr;
  }
  return std::make_shared<FolderItem>(dialog.selectedFiles().constFirst().toStdString());
}

namespace testing {
void SetBeepHook(std::function<void()> hook) {
  BeepHook() = std::move(hook);
}
}  // namespace testing

}  // namespace fw
