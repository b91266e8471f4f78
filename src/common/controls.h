// Toolkit-free panel controls. Each holds exactly what the window shows; the
// window mirrors them and never keeps parameter state of its own.
//
// Text boxes and scroll bars run their change handler at once whenever their
// value changes, whoever writes it; an equal write runs nothing. A check box
// runs its click handler only on a user's click (Click), never when the
// program sets its value.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/numbers.h"

namespace antraid {

using Handler = std::function<void()>;

// Common part of every control: its name, enabled flag and a version that
// grows with every visible change (the window mirrors by comparing versions).
class Control {
 public:
  explicit Control(std::string name) : name_(std::move(name)) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  const std::string& name() const { return name_; }
  bool enabled() const { return enabled_; }
  void SetEnabled(bool e) {
    if (e != enabled_) {
      enabled_ = e;
      ++version_;
    }
  }
  uint64_t version() const { return version_; }

 protected:
  void Touch() { ++version_; }

 private:
  std::string name_;
  bool enabled_ = true;
  uint64_t version_ = 0;
};

// Text-carrying control (text box, label, button caption). SetText returns
// whether the text changed. Hot captions use SetCachedText (and its number
// forms), which skip the formatting when the same key was written last and
// nothing else wrote since.
class TextControl : public Control {
 public:
  TextControl(std::string name, std::string text) : Control(std::move(name)), text_(std::move(text)) {}

  const std::string& text() const { return text_; }

  bool SetText(std::string_view t) {
    if (t == text_) return false;
    Store(t);
    Touch();
    cacheVersion_ = UINT64_MAX;
    Changed();
    return true;
  }

  // Writes format(buf) unless the last write through this call used the same
  // key and the text has not changed since. format must write into buf
  // (kTextBufSize chars) and return the text.
  static constexpr int kTextBufSize = 96;
  template <typename Format>
  void SetCachedText(double key, Format&& format) {
    if (cacheVersion_ == version() && key == cacheKey_) return;
    char buf[kTextBufSize];
    SetText(format(buf));
    cacheKey_ = key;
    cacheVersion_ = version();
  }

  // prefix + the whole number n + suffix, cached on n.
  void SetCachedInt(std::string_view prefix, long long n, std::string_view suffix) {
    SetCachedText(static_cast<double>(n), [&](char* buf) { return ComposeInt(buf, prefix, n, suffix); });
  }
  // prefix + v as a 64-bit float + suffix, cached on v.
  void SetCachedDouble(std::string_view prefix, double v, std::string_view suffix) {
    SetCachedText(v, [&](char* buf) { return ComposeDouble(buf, prefix, v, suffix); });
  }

 protected:
  virtual void Changed() {}

 private:
  // Out of line: g++ 12 at -O3 reports a false overlap in the string copy
  // wherever it can see a literal written into a control.
  void Store(std::string_view t);

  std::string text_;
  double cacheKey_ = 0.0;
  uint64_t cacheVersion_ = UINT64_MAX;
};

class Label : public TextControl {
 public:
  using TextControl::TextControl;
  const std::string& caption() const { return text(); }
  void SetCaption(std::string_view c) { SetText(c); }
};

class TextBox : public TextControl {
 public:
  TextBox(std::string name, std::string text, uint32_t backColor)
      : TextControl(std::move(name), std::move(text)), backColor_(backColor) {}

  Handler onChange;

  uint32_t backColor() const { return backColor_; }
  void SetBackColor(uint32_t c) {
    if (c != backColor_) {
      backColor_ = c;
      Touch();
    }
  }

 protected:
  void Changed() override {
    if (onChange) onChange();
  }

 private:
  uint32_t backColor_;
};

class Button : public TextControl {
 public:
  using TextControl::TextControl;
  Handler onClick;
  const std::string& caption() const { return text(); }
  void SetCaption(std::string_view c) { SetText(c); }
  // A user's click; a disabled button cannot be clicked.
  void Click() {
    if (enabled() && onClick) onClick();
  }
};

class CheckBox : public Control {
 public:
  CheckBox(std::string name, std::string caption, int value)
      : Control(std::move(name)), caption_(std::move(caption)), value_(value) {}
  Handler onClick;
  const std::string& caption() const { return caption_; }
  int value() const { return value_; }
  bool checked() const { return value_ == 1; }
  // The program sets the value: no handler runs.
  void SetValue(int v) {
    v = v ? 1 : 0;
    if (v != value_) {
      value_ = v;
      Touch();
    }
  }
  // A user's click: toggles the box, then runs the click handler.
  void Click() {
    if (!enabled()) return;
    SetValue(1 - value_);
    if (onClick) onClick();
  }

 private:
  std::string caption_;
  int value_;
};

class ScrollBar : public Control {
 public:
  ScrollBar(std::string name, int min, int max, int value)
      : Control(std::move(name)), min_(min), max_(max), value_(value) {}
  Handler onChange;
  Handler onScroll;
  int value() const { return value_; }
  int min() const { return min_; }
  int max() const { return max_; }

  // A value outside min..max is pulled to the nearer end. A differing value
  // runs the change handler.
  void SetValue(int v) {
    if (v < min_) v = min_;
    if (v > max_) v = max_;
    if (v == value_) return;
    value_ = v;
    Touch();
    if (onChange) onChange();
  }
  // A new maximum pulls a larger value down to it (running the change handler).
  void SetMax(int m) {
    if (m != max_) {
      max_ = m;
      Touch();
    }
    if (value_ > max_) SetValue(max_);
  }
  void SetMin(int m) {
    if (m != min_) {
      min_ = m;
      Touch();
    }
    if (value_ < min_) SetValue(min_);
  }
  // The user drags the thumb: the scroll handler runs for the new position.
  void Drag(int v) {
    if (v < min_) v = min_;
    if (v > max_) v = max_;
    if (v == value_) return;
    value_ = v;
    Touch();
    if (onScroll) onScroll();
  }

 private:
  int min_, max_, value_;
};

}  // namespace antraid
