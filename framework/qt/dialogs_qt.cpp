// Message boxes, the beep and the open-file dialog on Qt.

#include <QApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QStringList>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/files.h"
#include "src/gui/backend.h"

namespace fw {
namespace {
// Icons and type names that go by a file's name alone. Qt's own provider
// reads a file's first bytes to guess its type, and a read of a file such as
// /proc/kmsg blocks for good.
class NameOnlyIconProvider : public QFileIconProvider {
 public:
  // Made here, on the GUI thread: the dialog also asks from a thread of its
  // own, which must not reach the style.
  NameOnlyIconProvider() : drive_(icon(Drive)), folder_(icon(Folder)), file_(icon(File)) {}

  using QFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override {
    if (info.isRoot()) {
      return drive_;
    }
    return info.isDir() ? folder_ : file_;
  }
  QString type(const QFileInfo& info) const override {
    if (info.isRoot()) {
      return QApplication::translate("NameOnlyIconProvider", "Drive");
    }
    if (info.isDir()) {
      return QApplication::translate("NameOnlyIconProvider", "Folder");
    }
    const QMimeType mime = mimes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    if (!mime.isDefault()) {
      return mime.comment();
    }
    return QApplication::translate("NameOnlyIconProvider", "File");
  }

 private:
  QIcon drive_, folder_, file_;
  QMimeDatabase mimes_;
};

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
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(BoxTitle()),
                  QString::fromStdString(message), QMessageBox::Ok, QApplication::activeWindow());
  box.setObjectName(QStringLiteral("MsgBox"));
  box.exec();
}

void Beep() {
  QApplication::beep();
}

Ref<FolderItem> GetOpenFolderItem(std::string_view filter) {
  // The platform's own dialog where there is one; where Qt's dialog stands in,
  // it decorates files by their names alone.
  NameOnlyIconProvider icons;
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setObjectName(QStringLiteral("OpenFileDialog"));
  dialog.setIconProvider(&icons);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  const QStringList filters = NameFilters(filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
  }
  const int result = dialog.exec();
  if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return nullptr;
  }
  return std::make_shared<FolderItem>(dialog.selectedFiles().constFirst().toStdString());
}

}  // namespace fw
