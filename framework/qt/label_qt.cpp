// Labels on Qt. A label's font shrinks, if need be, until its text fits the
// box its layout gives it.

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "framework/controls.h"
#include "qt/peers.h"

namespace fw {
namespace {

QLabel* View(const RectControl::Peer* peer) {
  return peer ? static_cast<QLabel*>(peer->widget.data()) : nullptr;
}

// The largest font no bigger than `font` in which `text` fits `box`.
QFont FittedFont(QFont font, const QString& text, const QSize& box, int horizontalPadding) {
  while (font.pixelSize() > 6) {
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(text) + horizontalPadding <= box.width() &&
        metrics.height() <= box.height()) {
      break;
    }
    font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

}  // namespace

RectControl::PeerPtr Label::MakePeer() {
  auto* label = new QLabel;
  label->setProperty("naturalFocus", static_cast<int>(Qt::NoFocus));
  label->setContentsMargins(0, 0, 0, 0);
  label->setIndent(0);
  label->setTextFormat(Qt::PlainText);
  return std::make_unique<Peer>(label);
}

void Label::SetText(const std::string& text) {
  text_ = text;
  if (QLabel* label = View(PlatformPeer())) {
    label->setText(QString::fromStdString(text));
    Relayout();
  }
}

void Label::SetMultiline(bool multiline) {
  multiline_ = multiline;
  if (QLabel* label = View(PlatformPeer())) {
    label->setWordWrap(multiline);
  }
}

void Label::ApplyFont() {
  Relayout();
}

void Label::ApplyAlignment() {
  if (QLabel* label = View(PlatformPeer())) {
    const Qt::Alignment h = alignment_ == TextAlignment::Center  ? Qt::AlignHCenter
                            : alignment_ == TextAlignment::Right ? Qt::AlignRight
                                                                 : Qt::AlignLeft;
    label->setAlignment(h | Qt::AlignTop);
  }
}

void Label::Relayout() {
  QLabel* label = View(PlatformPeer());
  if (!label) {
    return;
  }
  QFont font = ToQFont(font_);
  if (font.pixelSize() <= 0) {
    font.setPixelSize(QFontMetrics(font).height());
  }
  label->setFont(multiline_ ? font : FittedFont(font, label->text(), label->size(), 0));
}

RectControl::PeerPtr PushButton::MakePeer() {
  auto* button = new QPushButton;
  button->setProperty("naturalFocus", static_cast<int>(Qt::StrongFocus));
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, button,
                   [this] { RaiseEvent(EventNumber::Action); });
  return std::make_unique<Peer>(button);
}

void PushButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (auto* button =
          static_cast<QPushButton*>(PlatformPeer() ? PlatformPeer()->widget.data() : nullptr)) {
    button->setText(QString::fromStdString(caption));
    Relayout();
  }
}

void PushButton::Relayout() {
  auto* button =
      static_cast<QPushButton*>(PlatformPeer() ? PlatformPeer()->widget.data() : nullptr);
  if (!button) {
    return;
  }
  QFont font = ToQFont(font_);
  if (font.pixelSize() <= 0) {
    font.setPixelSize(QFontMetrics(font).height());
  }
  button->setFont(FittedFont(font, button->text(), button->size(), 12));
}

}  // namespace fw
