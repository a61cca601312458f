// Text areas on Qt. The framework's text uses CR LF line ends; the widget
// holds paragraphs. The text is cached between edits, and a new text that
// extends the old one is appended rather than re-set, so that a results field
// growing line by line stays cheap.

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QGuiApplication>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "framework/controls.h"
#include "framework/text.h"
#include "qt/peers.h"
#include "src/gui/text_lines.h"

namespace fw {

struct TextArea::TextCache {
  std::string text;
  bool valid = false;
  // The command that last set the text, and the document's revision after.
  uint64_t command = 0;
  int revision = -1;
};

namespace {

QTextEdit* Edit(const RectControl::Peer* peer) {
  return peer ? static_cast<QTextEdit*>(peer->widget.data()) : nullptr;
}

// A paragraph's glyphs are normally dropped after layout and shaped again at
// every paint. For a very long line (a whole matrix pasted without line ends)
// that is a full reshaping at every caret blink; such lines keep theirs.
constexpr int kLongLine = 4096;

void KeepLongLinesShaped(QTextDocument& document, int from, int added) {
  const QTextBlock last = document.findBlock(from + added);
  for (QTextBlock block = document.findBlock(from); block.isValid(); block = block.next()) {
    if (block.length() > kLongLine) {
      block.layout()->setCacheEnabled(true);
    }
    if (block == last) {
      break;
    }
  }
}

// Even without reshaping, a blink paints the caret's whole line again, twice
// a second: in a very long line the caret stays steady instead. Qt reads the
// flash time when a text control takes the focus and when its caret moves.
class SteadyCaretInLongLines : public QObject {
 public:
  explicit SteadyCaretInLongLines(QTextEdit& edit) : QObject(&edit), edit_(edit) {
    edit.installEventFilter(this);
    QObject::connect(&edit, &QTextEdit::cursorPositionChanged, this, [this] { Update(); });
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
      Update(event->type() == QEvent::FocusIn);
    }
    return false;
  }

 private:
  void Update(std::optional<bool> focused = std::nullopt) {
    static const int platformFlashTime = QGuiApplication::styleHints()->cursorFlashTime();
    const bool steady =
        focused.value_or(edit_.hasFocus()) && edit_.textCursor().block().length() > kLongLine;
    if (steady || focused.has_value() || edit_.hasFocus()) {
      QGuiApplication::styleHints()->setCursorFlashTime(steady ? 0 : platformFlashTime);
    }
  }

  QTextEdit& edit_;
};

}  // namespace

QString ToQtText(const std::string& text) {
  QString qt = QString::fromStdString(text);
  qt.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  qt.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return qt;
}

std::string FromQtText(const QString& text) {
  QString copy = text;
  copy.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return copy.toStdString();
}

TextArea::TextArea() = default;
TextArea::~TextArea() = default;

RectControl::PeerPtr TextArea::MakePeer() {
  auto* edit = new QTextEdit;
  edit->setAcceptRichText(false);
  edit->setTabChangesFocus(true);
  edit->setLineWrapMode(QTextEdit::NoWrap);
  edit->document()->setDocumentMargin(2);
  // Left to right, as the alignments are meant. Left on Auto, every layout
  // pass scans each paragraph for its direction, and a paragraph of numbers
  // has no strongly directed character, so each line appended would cost a
  // scan of the whole text.
  QTextOption option = edit->document()->defaultTextOption();
  option.setTextDirection(Qt::LeftToRight);
  edit->document()->setDefaultTextOption(option);
  cache_ = std::make_unique<TextCache>();
  TextCache* cache = cache_.get();
  QObject::connect(edit->document(), &QTextDocument::contentsChanged, edit,
                   [cache] { cache->valid = false; });
  QTextDocument* document = edit->document();
  QObject::connect(
      document, &QTextDocument::contentsChange, edit,
      [document](int from, int, int added) { KeepLongLinesShaped(*document, from, added); });
  new SteadyCaretInLongLines(*edit);
  return std::make_unique<Peer>(edit);
}

std::string TextArea::Text() const {
  QTextEdit* edit = Edit(PlatformPeer());
  if (!edit) {
    return {};
  }
  if (!cache_->valid) {
    cache_->text = FromQtText(edit->toPlainText());
    cache_->valid = true;
  }
  return cache_->text;
}

void TextArea::SetText(const std::string& text) {
  QTextEdit* edit = Edit(PlatformPeer());
  if (!edit) {
    return;
  }
  if (!cache_->valid) {
    cache_->text = FromQtText(edit->toPlainText());
  }
  std::string& current = cache_->text;
  text_lines::Change change = text_lines::ChangeFrom(current, text);
  if (change.kind == text_lines::Change::Kind::None) {
    cache_->valid = true;
    return;
  }
  const bool added = change.kind == text_lines::Change::Kind::Append;
  // The text set is one undo step, and so is all the text one command sets
  // (Load Data writes its display row by row): Undo brings back what the
  // user had before it.
  QTextDocument* document = edit->document();
  QTextCursor cursor(document);
  const uint64_t command = RunningCommand();
  if (command != 0 && command == cache_->command && document->revision() == cache_->revision) {
    cursor.joinPreviousEditBlock();
  } else {
    cursor.beginEditBlock();
  }
  if (added) {
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(ToQtText(change.text));
    current += change.text;
  } else {
    cursor.select(QTextCursor::Document);
    cursor.insertText(ToQtText(change.text));
    current = std::move(change.text);
  }
  cursor.endEditBlock();
  if (!added) {
    // A new text is read from its start, as when the area was made.
    edit->moveCursor(QTextCursor::Start);
  }
  cache_->command = command;
  cache_->revision = document->revision();
  // The edits above marked the cache stale; it holds the new text.
  cache_->valid = true;
}

void TextArea::SetReadOnly(bool readOnly) {
  if (QTextEdit* edit = Edit(PlatformPeer())) {
    edit->setReadOnly(readOnly);
    if (readOnly) {
      // Still selectable with the mouse, and Select All and Copy still work
      // from the keyboard, so that its text can be copied; but with no text
      // cursor, which would suggest the text can be edited.
      edit->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
  }
}

bool TextArea::ReadOnly() const {
  QTextEdit* edit = Edit(PlatformPeer());
  return edit && edit->isReadOnly();
}

void TextArea::SetScrollbars(bool horizontal, bool vertical) {
  hScroll_ = horizontal;
  vScroll_ = vertical;
  QTextEdit* edit = Edit(PlatformPeer());
  if (!edit) {
    return;
  }
  // A horizontal scroll bar means long lines stay whole: no wrapping.
  edit->setLineWrapMode(horizontal || !multiline_ ? QTextEdit::NoWrap : QTextEdit::WidgetWidth);
  edit->setHorizontalScrollBarPolicy(horizontal && multiline_ ? Qt::ScrollBarAsNeeded
                                                              : Qt::ScrollBarAlwaysOff);
  edit->setVerticalScrollBarPolicy(vertical && multiline_ ? Qt::ScrollBarAsNeeded
                                                          : Qt::ScrollBarAlwaysOff);
}

void TextArea::SetHasBorder(bool border) {
  if (QTextEdit* edit = Edit(PlatformPeer())) {
    edit->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
  }
}

void TextArea::SetAllowTabs(bool allowTabs) {
  if (QTextEdit* edit = Edit(PlatformPeer())) {
    edit->setTabChangesFocus(!allowTabs);
  }
}

void TextArea::SetTabWidth(int64_t characters) {
  tabWidth_ = std::max<int64_t>(characters, 1);
  ApplyFont();
}

std::string TextArea::SelectedText() const {
  QTextEdit* edit = Edit(PlatformPeer());
  if (!edit) {
    return {};
  }
  QString selected = edit->textCursor().selectedText();
  selected.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  return selected.toStdString();
}

void TextArea::ApplyAlignment() {
  QTextEdit* edit = Edit(PlatformPeer());
  if (!edit) {
    return;
  }
  QTextOption option = edit->document()->defaultTextOption();
  option.setAlignment(alignment_ == TextAlignment::Center  ? Qt::AlignHCenter
                      : alignment_ == TextAlignment::Right ? Qt::AlignRight
                                                           : Qt::AlignLeft);
  edit->document()->setDefaultTextOption(option);
}

void TextArea::ApplyColors() {
  TextControl::ApplyColors();
  QTextEdit* edit = Edit(PlatformPeer());
  if (!edit) {
    return;
  }
  edit->viewport()->setAutoFillBackground(true);
  // The text control paints its selection with the Inactive colours while it
  // lacks the focus: a hidden selection is painted as plain text then.
  QPalette palette = edit->palette();
  const QPalette standard = QApplication::palette(edit);
  palette.setBrush(QPalette::Inactive, QPalette::Highlight,
                   hideSelection_ ? QBrush(Qt::transparent)
                                  : standard.brush(QPalette::Inactive, QPalette::Highlight));
  palette.setBrush(QPalette::Inactive, QPalette::HighlightedText,
                   hideSelection_ ? palette.brush(QPalette::Inactive, QPalette::Text)
                                  : standard.brush(QPalette::Inactive, QPalette::HighlightedText));
  edit->setPalette(palette);
}

void TextArea::ApplyFont() {
  QTextEdit* edit = Edit(PlatformPeer());
  if (!edit) {
    return;
  }
  QFont font = ToQFont(font_);
  // Digits, TABs and Latin text need no shaping engine; skipping it halves
  // the time a large paste takes to lay out.
  font.setStyleStrategy(QFont::PreferNoShaping);
  edit->setFont(font);
  edit->document()->setDefaultFont(font);
  // Tab stops every eight characters unless set, as in a terminal: columns
  // of numbers separated by one TAB line up.
  edit->setTabStopDistance(static_cast<qreal>(tabWidth_) *
                           QFontMetricsF(font).horizontalAdvance(QLatin1Char('0')));
}

void StyledText::Bold(int64_t start, int64_t length, bool value) {
  QTextEdit* edit = Edit(area_->PlatformPeer());
  if (!edit || length <= 0 || start < 0) {
    return;
  }
  const std::string text = area_->Text();
  QTextCursor cursor(edit->document());
  const int last = edit->document()->characterCount() - 1;
  cursor.setPosition(std::min(static_cast<int>(text_lines::ParagraphPosition(text, start)), last));
  cursor.setPosition(
      std::min(static_cast<int>(text_lines::ParagraphPosition(text, start + length)), last),
      QTextCursor::KeepAnchor);
  QTextCharFormat format;
  format.setFontWeight(value ? QFont::Bold : QFont::Normal);
  cursor.mergeCharFormat(format);
}

bool StyledText::Bold(int64_t position) const {
  QTextEdit* edit = Edit(area_->PlatformPeer());
  if (!edit) {
    return false;
  }
  // A cursor reports the format of the character before it.
  QTextCursor cursor(edit->document());
  cursor.setPosition(static_cast<int>(text_lines::ParagraphPosition(area_->Text(), position)) + 1);
  const QTextCharFormat format = cursor.charFormat();
  return format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::Bold
                                                     : edit->document()->defaultFont().bold();
}

int64_t StyledText::Length() const {
  return Len(area_->Text());
}

}  // namespace fw
