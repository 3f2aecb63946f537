#include "core/form.h"

#include <cstring>

namespace quarvel {

Control::Control(Form& form, ControlSpec spec)
    : Placed(spec.rect),
      form_(form),
      spec_(std::move(spec)),
      text_(spec_.text),
      textColour_(spec_.textColour),
      backColour_(spec_.backColour),
      visible_(spec_.visible) {
  form_.controls_.push_back(this);
}

void Control::Changed(Property what) {
  if (form_.view_) form_.view_->ControlChanged(*this, what);
}

void Control::SetText(const Text& text) {
  text_ = text;
  Changed(Property::Caption);
}

void Control::SetTextColour(Rgb c) {
  if (c == textColour_) return;
  textColour_ = c;
  Changed(Property::TextColour);
}

void Control::SetBackColour(Rgb c) {
  if (c == backColour_) return;
  backColour_ = c;
  Changed(Property::BackColour);
}

void Control::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed(Property::Visible);
}

void Control::SetEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  Changed(Property::Enabled);
}

void Control::SetTicked(bool t) {
  if (t == ticked_) return;
  ticked_ = t;
  Changed(Property::Ticked);
}

void Control::ClearItems() {
  items_.clear();
  selection_ = -1;
  Changed(Property::Items);
}

void Control::AddItem(const Text& item) {
  items_.push_back(item);
  Changed(Property::Items);
}

void Control::RaiseSelect(int index) {
  selection_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
  if (onSelect) onSelect();
}

Timer::Timer(Form& form, const char* name) : form_(form), name_(name) {
  form_.timers_.push_back(this);
}

void Timer::SetPeriod(int ms) {
  period_ = ms > 0 ? ms : 0;
  if (form_.view_) form_.view_->TimerChanged(*this);
}

Form::Form(WindowSpec spec) : Placed(spec.rect), spec_(std::move(spec)), caption_(spec_.caption) {}

void Form::Changed(WindowProperty what) {
  if (view_) view_->WindowChanged(what);
}

void Form::SetCaption(const Text& caption) {
  caption_ = caption;
  Changed(WindowProperty::Caption);
}

void Form::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed(WindowProperty::Visible);
}

void Form::SetAlwaysOnTop(bool on) {
  if (on == alwaysOnTop_) return;
  alwaysOnTop_ = on;
  Changed(WindowProperty::AlwaysOnTop);
}

void Form::SetMinimised(bool m) {
  if (m == minimised_) return;
  minimised_ = m;
  Changed(WindowProperty::Minimised);
}

}  // namespace quarvel
