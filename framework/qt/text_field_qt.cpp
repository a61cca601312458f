// Single-line text fields on Qt.

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
#include <optional>

#include "framework/controls.h"
#include "qt/peers.h"
#include "src/gui/field_input.h"

namespace fw {

namespace {

std::optional<EditingKey> EditingKeyOf(int key) {
  switch (key) {
    case Qt::Key_Backspace:
      return EditingKey::Backspace;
    case Qt::Key_Tab:
      return EditingKey::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return EditingKey::Return;
    case Qt::Key_Escape:
      return EditingKey::Escape;
    case Qt::Key_Left:
      return EditingKey::Left;
    case Qt::Key_Right:
      return EditingKey::Right;
    case Qt::Key_Up:
      return EditingKey::Up;
    case Qt::Key_Down:
      return EditingKey::Down;
    case Qt::Key_Home:
      return EditingKey::Home;
    case Qt::Key_End:
      return EditingKey::End;
    case Qt::Key_PageUp:
      return EditingKey::PageUp;
    case Qt::Key_PageDown:
      return EditingKey::PageDown;
    case Qt::Key_Delete:
      return EditingKey::Delete;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::string KeyDownText(const QKeyEvent& event) {
  const std::optional<EditingKey> editing = EditingKeyOf(event.key());
  return editing ? KeyDownCode(*editing) : event.text().toStdString();
}

namespace {

class LineEdit : public QLineEdit {
 public:
  explicit LineEdit(TextField& owner) : owner_(owner) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (RaiseControlKeyDown(owner_, KeyDownText(*event))) {
      event->accept();  // the handler kept the key out of the field
      return;
    }
    QLineEdit::keyPressEvent(event);
  }

 private:
  TextField& owner_;
};

QLineEdit* Edit(const RectControl::Peer* peer) {
  return peer ? static_cast<QLineEdit*>(peer->widget.data()) : nullptr;
}

std::u16string_view Utf16(QStringView text) {
  return {text.utf16(), static_cast<size_t>(text.size())};
}

// The field's mask as a validator: QLineEdit asks it about typed, pasted and
// dropped text alike, and refuses what it calls Invalid.
class MaskValidator : public QValidator {
 public:
  MaskValidator(const std::string& mask, QObject* parent)
      : QValidator(parent), mask_(QString::fromStdString(mask)) {}
  State validate(QString& input, int& /*pos*/) const override {
    return FitsMask(Utf16(mask_), Utf16(input)) ? Acceptable : Invalid;
  }

 private:
  QString mask_;
};

}  // namespace

RectControl::PeerPtr TextField::MakePeer() {
  auto* edit = new LineEdit(*this);
  auto peer = std::make_unique<Peer>(edit);
  return peer;
}

std::string TextField::Text() const {
  QLineEdit* edit = Edit(PlatformPeer());
  return edit ? edit->text().toStdString() : std::string();
}

void TextField::SetText(const std::string& text) {
  if (QLineEdit* edit = Edit(PlatformPeer())) {
    edit->setText(QString::fromStdString(text));
  }
}

void TextField::SetMaximumCharactersAllowed(int64_t count) {
  if (QLineEdit* edit = Edit(PlatformPeer())) {
    edit->setMaxLength(count > 0 ? static_cast<int>(std::min<int64_t>(count, 32767)) : 32767);
  }
}

void TextField::SetValidationMask(const std::string& mask) {
  QLineEdit* edit = Edit(PlatformPeer());
  if (!edit) {
    return;
  }
  if (mask.empty()) {
    edit->setValidator(nullptr);
    return;
  }
  edit->setValidator(new MaskValidator(mask, edit));
}

void TextField::SetReadOnly(bool readOnly) {
  if (QLineEdit* edit = Edit(PlatformPeer())) {
    edit->setReadOnly(readOnly);
  }
}

void TextField::SetPassword(bool password) {
  if (QLineEdit* edit = Edit(PlatformPeer())) {
    edit->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
  }
}

void TextField::SetHint(const std::string& hint) {
  if (QLineEdit* edit = Edit(PlatformPeer())) {
    edit->setPlaceholderText(QString::fromStdString(hint));
  }
}

void TextField::SetHasBorder(bool border) {
  if (QLineEdit* edit = Edit(PlatformPeer())) {
    edit->setFrame(border);
  }
}

void TextField::ApplyAlignment() {
  if (QLineEdit* edit = Edit(PlatformPeer())) {
    const Qt::Alignment h = alignment_ == TextAlignment::Center  ? Qt::AlignHCenter
                            : alignment_ == TextAlignment::Right ? Qt::AlignRight
                                                                 : Qt::AlignLeft;
    edit->setAlignment(h | Qt::AlignVCenter);
  }
}

}  // namespace fw
