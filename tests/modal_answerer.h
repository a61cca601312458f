#pragma once
// The one helper the tests use to answer modal dialogs as a user would.

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>

#include <functional>
#include <utility>

namespace test_support {

// While it lives, answers every modal dialog that comes up: message boxes are
// read and dismissed with OK; open-file dialogs get the next queued answer, a
// path typed into the dialog's file name field, or a cancel, unless the test
// drives them itself.
class ModalAnswerer {
 public:
  ModalAnswerer() {
    // The platform's own dialog could not be driven: Qt's stands in for it.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  void ChooseFile(const QString& path) { fileAnswers_.append(path); }
  // Each open-file dialog goes to `drive`, once, as it comes up; `drive`
  // answers it. Message boxes that come meanwhile are still answered.
  void DriveFileDialogs(std::function<void(QFileDialog&)> drive) { drive_ = std::move(drive); }
  void CancelFileDialog() { fileAnswers_.append(QString()); }

  // Texts of the program's message boxes, in order.
  const QStringList& Messages() const { return messages_; }
  // The framework's reports of an unhandled exception as the user reads
  // them: the message, a blank line, the detail line.
  const QStringList& Reports() const { return reports_; }
  // The reports' title bars.
  const QStringList& ReportTitles() const { return reportTitles_; }
  int FileDialogsShown() const { return fileDialogs_; }
  // The file types the last open-file dialog offered.
  const QStringList& FileDialogFilters() const { return fileFilters_; }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) {
      return;
    }
    const bool seenBefore = modal == current_;
    current_ = modal;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      if (!seenBefore) {
        if (box->objectName() == QLatin1String("UnhandledExceptionReport")) {
          reports_.append(box->text() + QStringLiteral("\n\n") +
                          QTextDocumentFragment::fromHtml(box->informativeText()).toPlainText());
          reportTitles_.append(box->windowTitle());
        } else {
          messages_.append(box->text());
        }
      }
      box->button(QMessageBox::Ok)->click();
    } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      if (drive_) {
        if (!seenBefore) {
          ++fileDialogs_;
          drive_(*dialog);
        }
        return;
      }
      if (!seenBefore) {
        ++fileDialogs_;
        fileFilters_ = dialog->nameFilters();
        answer_ = fileAnswers_.isEmpty() ? QString() : fileAnswers_.takeFirst();
      }
      if (answer_.isEmpty()) {
        dialog->reject();
        return;
      }
      // The user goes to the file's folder, types its name and presses Return.
      const QFileInfo file(answer_);
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (!seenBefore) {
        dialog->setDirectory(file.absolutePath());
        name->setFocus();
        QTest::keyClicks(name, file.fileName());
      }
      // Pressed again at the next poll if the name's completer took it.
      QTest::keyClick(name, Qt::Key_Return);
    }
  }

  QTimer timer_;
  std::function<void(QFileDialog&)> drive_;
  QPointer<QWidget> current_;
  QStringList fileAnswers_;
  QString answer_;
  QStringList messages_;
  QStringList reports_;
  QStringList reportTitles_;
  int fileDialogs_ = 0;
  QStringList fileFilters_;
};

}  // namespace test_support
