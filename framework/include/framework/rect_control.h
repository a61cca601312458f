#pragma once
// A control with a place in its window: position, size, edge locks, focus,
// visibility. The platform's widget lives behind Peer.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/control.h"

namespace fw {

struct Rect {
  int64_t left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Which edges of the window a control keeps its distance to.
struct EdgeLocks {
  bool left = false, top = false, right = false, bottom = false;
};

class RectControl : public Control {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }
  RectControl();
  ~RectControl() override;

  // Default construction: makes the platform widget inside the owner window.
  void Constructor();

  Rect Bounds() const { return bounds_; }
  void SetBounds(const Rect& bounds);
  EdgeLocks Locks() const { return locks_; }
  void SetLocks(const EdgeLocks& locks) { locks_ = locks; }
  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  int64_t TabIndex() const { return tabIndex_; }
  bool TabStop() const { return tabStop_; }
  void SetFocus();
  bool HasFocus() const;

  // The platform side of a control. Opaque to program code.
  struct Peer;
  Peer* PlatformPeer() const { return peer_.get(); }
  // Destroys a peer and its platform widget; the backend defines it. Takes
  // over from the default deleter of any peer type.
  struct PeerDeleter {
    PeerDeleter() = default;
    template <class T>
    PeerDeleter(std::default_delete<T> /*unused*/) {}  // NOLINT: implicit on purpose
    void operator()(Peer* peer) const;
  };
  using PeerPtr = std::unique_ptr<Peer, PeerDeleter>;

 protected:
  // Makes the platform widget; called by Constructor.
  virtual PeerPtr MakePeer() = 0;
  // Font and text-dependent sizes have changed: lets a control refit.
  virtual void Relayout() {}

  // Property setters shared by the concrete classes.
  void SetTabIndex(int64_t index);
  void SetTabStop(bool tabStop);
  void SetTooltip(const std::string& text);

  friend struct RectControlProperties;
  PeerPtr peer_;
  Rect bounds_;
  EdgeLocks locks_;
  int64_t tabIndex_ = 0;
  bool tabStop_ = true;
};

}  // namespace fw
