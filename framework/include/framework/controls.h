#pragma once
// The concrete controls the program's windows are made of.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/picture.h"
#include "framework/property_list.h"
#include "framework/rect_control.h"

namespace fw {

// Horizontal alignment in layout lists: 0 default (left), 1 left, 2 centre,
// 3 right.
enum class TextAlignment : int64_t { Default = 0, Left = 1, Center = 2, Right = 3 };

struct FontSpec {
  std::string name = "System";  // "System": the platform's UI font; "Courier": fixed pitch
  float size = 0.0f;            // pixels; 0 is the platform's default size
  bool bold = false, italic = false, underline = false;
};

// What a text field, a text area, a label and a button share: a font, colours
// and an alignment.
class TextControl : public RectControl {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }

  const FontSpec& Font() const { return font_; }
  void SetFontName(const std::string& name);
  void SetFontSize(float size);
  void SetBold(bool bold);
  void SetItalic(bool italic);
  void SetUnderline(bool underline);
  void SetTextColor(Color color);
  Color TextColor() const { return textColor_; }
  void SetBackgroundColor(Color color);
  void SetAlignment(TextAlignment alignment);
  TextAlignment Alignment() const { return alignment_; }

 protected:
  virtual void ApplyFont();
  virtual void ApplyColors();
  virtual void ApplyAlignment() {}

  FontSpec font_;
  Color textColor_{0x00000000};
  Color backgroundColor_{0x00FFFFFF};
  bool hasBackgroundColor_ = false;
  TextAlignment alignment_ = TextAlignment::Default;
};

// A single-line text field with an optional input mask and length limit.
class TextField : public TextControl {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }

  std::string Text() const;
  void SetText(const std::string& text);
  void SetMaximumCharactersAllowed(int64_t count);
  void SetValidationMask(const std::string& mask);
  void SetReadOnly(bool readOnly);
  void SetPassword(bool password);
  void SetHint(const std::string& hint);
  void SetHasBorder(bool border);

 protected:
  PeerPtr MakePeer() override;
  void ApplyAlignment() override;
};

class TextArea;

// The styled view of a text area's text: positions count characters from 0.
class StyledText : public Object {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }

  explicit StyledText(TextArea& area) : area_(&area) {}
  void Bold(int64_t start, int64_t length, bool value);
  bool Bold(int64_t position) const;
  int64_t Length() const;

 private:
  TextArea* area_;
};

// A text area: plain or styled text, one or many lines, read-only or not.
// Its text uses CR LF as the line end; CR, LF and CR LF are all taken in.
class TextArea : public TextControl {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }
  TextArea();
  ~TextArea() override;

  std::string Text() const;
  // Cheap when the new text extends the current one: only the tail is added.
  void SetText(const std::string& text);
  Ref<fw::StyledText> StyledText();
  // Whole-text style, as the Bold and FontSize properties set it.
  void SetReadOnly(bool readOnly);
  bool ReadOnly() const;
  void SetMultiline(bool multiline);
  void SetScrollbars(bool horizontal, bool vertical);
  void SetHasBorder(bool border);
  void SetAllowTabs(bool allowTabs);
  // Whether the selection is hidden while the area does not have the focus.
  void SetHideSelection(bool hide) {
    hideSelection_ = hide;
    ApplyColors();
  }
  bool HideSelection() const { return hideSelection_; }
  // Tab stops every `characters` digit widths of the font; 8 unless set.
  void SetTabWidth(int64_t characters);
  std::string SelectedText() const;

  struct TextCache;

 protected:
  PeerPtr MakePeer() override;
  void ApplyAlignment() override;
  void ApplyColors() override;
  void ApplyFont() override;

 private:
  friend class fw::StyledText;
  bool multiline_ = true;
  bool hScroll_ = false, vScroll_ = false;
  bool hideSelection_ = false;
  int64_t tabWidth_ = 8;
  std::unique_ptr<TextCache> cache_;
};

class Label : public TextControl {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }

  std::string Text() const { return text_; }
  void SetText(const std::string& text);
  void SetMultiline(bool multiline);

 protected:
  PeerPtr MakePeer() override;
  void ApplyFont() override;
  void ApplyAlignment() override;
  void Relayout() override;

 private:
  std::string text_;
  bool multiline_ = false;
};

class PushButton : public TextControl {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }

  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  void SetDefault(bool isDefault);
  // Presses the button as a click would: raises its Action event.
  void Push();

 protected:
  PeerPtr MakePeer() override;
  void ApplyFont() override;
  void Relayout() override;

 private:
  std::string caption_;
};

// A canvas showing a backdrop picture at its top-left corner.
class Canvas : public RectControl {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }

  Ref<Picture> Backdrop() const { return backdrop_; }
  void SetBackdrop(Ref<Picture> picture);

 protected:
  PeerPtr MakePeer() override;

 private:
  Ref<Picture> backdrop_;
};

// A timer owned by a window. RunMode 0 is off, 1 fires once, 2 fires
// repeatedly; setting RunMode or Period (re)starts it. Its Action event comes
// Period milliseconds after that.
class Timer : public Control {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }
  Timer();
  ~Timer() override;

  int64_t RunMode() const { return runMode_; }
  void SetRunMode(int64_t mode);
  int64_t Period() const { return period_; }
  void SetPeriod(int64_t milliseconds);

  struct Clock;

 protected:
  void AttachTo(Window* window) override;

 private:
  void Restart();
  int64_t runMode_ = 0;
  int64_t period_ = 1000;
  std::unique_ptr<Clock> clock_;
};

}  // namespace fw
