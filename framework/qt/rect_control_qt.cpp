// What every control shares on Qt: events, geometry, focus, fonts and colours.

#include <QApplication>
#include <QFontDatabase>
#include <QWidget>

#include "framework/controls.h"
#include "framework/window.h"
#include "qt/peers.h"

namespace fw {

void RectControl::PeerDeleter::operator()(Peer* peer) const {
  if (peer->widget) {
    delete peer->widget.data();
  }
  delete peer;
}

void NativeControlMade(RectControl& control) {
  Window::Peer& window = control.OwnerWindow()->PlatformPeer();
  QWidget* widget = control.PlatformPeer()->widget;
  const Rect b = control.Bounds();
  widget->setParent(window.client);
  widget->setGeometry(static_cast<int>(b.left), static_cast<int>(b.top), static_cast<int>(b.width),
                      static_cast<int>(b.height));
  window.widget->WatchControl(widget, control);
  widget->show();
}

void RectControl::SetBounds(const Rect& bounds) {
  bounds_ = bounds;
  if (peer_ && peer_->widget) {
    peer_->widget->setGeometry(static_cast<int>(bounds.left), static_cast<int>(bounds.top),
                               static_cast<int>(bounds.width), static_cast<int>(bounds.height));
    Relayout();
  }
}

bool RectControl::Visible() const {
  return peer_ && peer_->widget && !peer_->widget->isHidden();
}

void RectControl::SetVisible(bool visible) {
  if (peer_ && peer_->widget) {
    peer_->widget->setVisible(visible);
  }
}

bool RectControl::Enabled() const {
  return peer_ && peer_->widget && peer_->widget->isEnabled();
}

void RectControl::SetEnabled(bool enabled) {
  if (peer_ && peer_->widget) {
    peer_->widget->setEnabled(enabled);
  }
}

void RectControl::SetFocus() {
  if (peer_ && peer_->widget) {
    peer_->widget->setFocus(Qt::OtherFocusReason);
  }
}

bool RectControl::HasFocus() const {
  return peer_ && peer_->widget && peer_->widget->hasFocus();
}

void RectControl::SetTabIndex(int64_t index) {
  tabIndex_ = index;
}

void RectControl::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
  if (!peer_ || !peer_->widget) {
    return;
  }
  const Qt::FocusPolicy natural =
      peer_->widget->property("naturalFocus").isValid()
          ? static_cast<Qt::FocusPolicy>(peer_->widget->property("naturalFocus").toInt())
          : Qt::StrongFocus;
  if (tabStop) {
    peer_->widget->setFocusPolicy(natural == Qt::NoFocus ? Qt::TabFocus : Qt::StrongFocus);
  } else {
    peer_->widget->setFocusPolicy(natural == Qt::NoFocus ? Qt::NoFocus : Qt::ClickFocus);
  }
}

void RectControl::SetTooltip(const std::string& text) {
  if (peer_ && peer_->widget) {
    peer_->widget->setToolTip(QString::fromStdString(text));
  }
}

void SetAccessibleName(RectControl& control, const std::string& name) {
  if (control.PlatformPeer() && control.PlatformPeer()->widget) {
    control.PlatformPeer()->widget->setAccessibleName(QString::fromStdString(name));
  }
}

QColor ToQColor(Color color) {
  return QColor((color.value >> 16) & 0xFF, (color.value >> 8) & 0xFF, color.value & 0xFF);
}

QFont ToQFont(const FontSpec& spec) {
  QFont font = spec.name == "Courier" ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
               : spec.name == "System" || spec.name.empty()
                   ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
                   : QFont(QString::fromStdString(spec.name));
  if (spec.size > 0) {
    font.setPixelSize(std::max(1, static_cast<int>(spec.size + 0.5f)));
  }
  font.setBold(spec.bold);
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  return font;
}

void TextControl::ApplyFont() {
  if (peer_ && peer_->widget) {
    peer_->widget->setFont(ToQFont(font_));
    Relayout();
  }
}

void TextControl::ApplyColors() {
  if (!peer_ || !peer_->widget) {
    return;
  }
  QPalette palette = peer_->widget->palette();
  palette.setColor(QPalette::WindowText, ToQColor(textColor_));
  palette.setColor(QPalette::ButtonText, ToQColor(textColor_));
  palette.setColor(QPalette::Text, ToQColor(textColor_));
  if (hasBackgroundColor_) {
    palette.setColor(QPalette::Base, ToQColor(backgroundColor_));
  }
  peer_->widget->setPalette(palette);
}

}  // namespace fw
