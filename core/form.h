#pragma once
// A window of the program described as data: its controls with their properties, its pop-up
// menus and its timers. Handlers (core code) read and set these properties; every change is
// passed at once to the FormView that the host attached, which shows it. Events go the other
// way: the host raises them on the controls, and the handlers run.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/text.h"

namespace quarvel {

struct Rgb {
  int r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colour {
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kSilver{192, 192, 192};
inline constexpr Rgb kGreen{0, 128, 0};
inline constexpr Rgb kLightGrey{236, 236, 236};
inline constexpr Rgb kDarkOrange{192, 96, 0};
inline constexpr Rgb kEditText{0, 96, 192};
inline constexpr Rgb kSlotFrame{0, 128, 192};
}  // namespace colour

enum class ControlKind {
  Label,
  PictureButton,
  EditBox,
  MultiLineEdit,
  CheckBox,
  Button,
  ListBox,
  ShapeBox,
  HtmlView,
  DropObject,  // receives what is dropped on its window; not drawn
  BalloonTip,  // shows balloon tips for its window; not drawn
  FileDialog,  // the system's open-file dialog; not drawn
};

enum class CursorShape { Arrow, Hand, Move };
enum class TextAlign { Left, Center };

// Small images of picture buttons; the host draws them.
enum class Picture { None, More, Minimise, Close };

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
  // This rectangle with the values given; a value left out stays.
  Rect With(std::optional<int> l, std::optional<int> t, std::optional<int> w, std::optional<int> h) const {
    return {l.value_or(left), t.value_or(top), w.value_or(width), h.value_or(height)};
  }
};

// Something with a place and a size: a window on the screen, or a control inside its parent.
class Placed {
 public:
  const Rect& rect() const { return rect_; }
  int left() const { return rect_.left; }
  int top() const { return rect_.top; }
  int width() const { return rect_.width; }
  int height() const { return rect_.height; }
  // Moves and sizes it; a value left out keeps its value.
  void Move(std::optional<int> left, std::optional<int> top, std::optional<int> width = {},
            std::optional<int> height = {}) {
    const Rect r = rect_.With(left, top, width, height);
    if (r == rect_) return;
    rect_ = r;
    GeometryChanged();
  }

 protected:
  explicit Placed(const Rect& r) : rect_(r) {}
  ~Placed() = default;
  virtual void GeometryChanged() = 0;
  Rect rect_;
};

class Form;
class Control;

// What the handlers may change; the host's view is told which one changed.
enum class Property { Geometry, Caption, TextColour, BackColour, Visible, Enabled, Ticked, Items, Address };
enum class WindowProperty { Caption, Geometry, Visible, AlwaysOnTop, Minimised };

class Timer;
class FormView {
 public:
  virtual ~FormView() = default;
  virtual void ControlChanged(Control& control, Property what) = 0;
  virtual void WindowChanged(WindowProperty what) = 0;
  virtual void TimerChanged(Timer& timer) = 0;
};

struct ControlSpec {
  ControlKind kind = ControlKind::Label;
  const char* name = "";  // the control's name, UTF-8, as the program's developer calls it
  Control* parent = nullptr;
  Rect rect;
  Text text;
  Rgb textColour = colour::kBlack;
  Rgb backColour = colour::kLightGrey;
  CursorShape cursor = CursorShape::Arrow;
  TextAlign align = TextAlign::Left;
  bool visible = true;
  Picture picture = Picture::None;
  int fontPixels = 12;
  bool bold = false;
};

class Control : public Placed {
 public:
  Control(Form& form, ControlSpec spec);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Form& form() const { return form_; }
  ControlKind kind() const { return spec_.kind; }
  const char* name() const { return spec_.name; }
  Control* parent() const { return spec_.parent; }
  CursorShape cursor() const { return spec_.cursor; }
  TextAlign align() const { return spec_.align; }
  Picture picture() const { return spec_.picture; }
  int fontPixels() const { return spec_.fontPixels; }
  bool bold() const { return spec_.bold; }

  // The caption of a label, button or check box; the text of an edit box; the address of an
  // HTML view.
  const Text& text() const { return text_; }
  void SetText(const Text& text);

  Rgb textColour() const { return textColour_; }
  void SetTextColour(Rgb c);
  Rgb backColour() const { return backColour_; }
  void SetBackColour(Rgb c);
  bool visible() const { return visible_; }
  void SetVisible(bool v);
  bool enabled() const { return enabled_; }
  void SetEnabled(bool e);
  bool ticked() const { return ticked_; }
  void SetTicked(bool t);

  // List box.
  const std::vector<Text>& items() const { return items_; }
  void ClearItems();
  void AddItem(const Text& item);
  int selection() const { return selection_; }  // -1 when nothing is selected

  // Events, raised by the host (and by tests).
  std::function<void()> onLeftPress;    // left mouse button pressed on the control
  std::function<void()> onRightPress;   // right mouse button pressed on the control
  std::function<void()> onClick;        // button or picture button clicked
  std::function<void(int)> onKeyPress;  // character code of a key typed into an edit box
  std::function<void()> onSelect;       // list box: an item was selected
  std::function<void(const Text&)> onGotText, onGotHypertext, onGotUrl;  // drop object

  void RaiseLeftPress() { Raise(onLeftPress); }
  void RaiseRightPress() { Raise(onRightPress); }
  void RaiseClick() { Raise(onClick); }
  void RaiseKeyPress(int code) {
    if (onKeyPress) onKeyPress(code);
  }
  void RaiseSelect(int index);

  // The host reports what the user changed directly; nothing is echoed back to the view.
  void SyncText(const Text& text) { text_ = text; }
  void SyncTicked(bool t) { ticked_ = t; }
  void SyncSelection(int index) { selection_ = index; }

 private:
  static void Raise(const std::function<void()>& f) {
    if (f) f();
  }
  void Changed(Property what);
  void GeometryChanged() override { Changed(Property::Geometry); }

  Form& form_;
  ControlSpec spec_;
  Text text_;
  Rgb textColour_, backColour_;
  bool visible_ = true, enabled_ = true, ticked_ = false;
  std::vector<Text> items_;
  int selection_ = -1;
};

// A pop-up menu; an item whose text is "-" is a separator line, an item with children a submenu.
struct MenuItem {
  Text text;
  std::function<void()> action;
  std::vector<MenuItem> children;
  bool IsSeparator() const { return text == "-"; }
};

struct Menu {
  const char* name = "";
  std::vector<MenuItem> items;
};

class Timer {
 public:
  Timer(Form& form, const char* name);
  const char* name() const { return name_; }
  int period() const { return period_; }
  // Starts the timer anew with this period in milliseconds; 0 stops it.
  void SetPeriod(int ms);
  std::function<void()> onTick;
  void RaiseTick() {
    if (onTick) onTick();
  }

 private:
  Form& form_;
  const char* name_;
  int period_ = 0;
};

enum class WindowId { Main, ButtonSetup, Settings, ShopBox, MiniWeb, Feedback };

struct WindowSpec {
  WindowId id = WindowId::Main;
  const char* name = "";
  Text caption;
  Rect rect;
  bool framed = false;  // a system caption bar and frame, or none
  Rgb backColour = colour::kLightGrey;
};

class Form : public Placed {
 public:
  explicit Form(WindowSpec spec);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form() = default;

  WindowId id() const { return spec_.id; }
  const char* name() const { return spec_.name; }
  bool framed() const { return spec_.framed; }
  Rgb backColour() const { return spec_.backColour; }

  const Text& caption() const { return caption_; }
  void SetCaption(const Text& caption);
  bool visible() const { return visible_; }
  void SetVisible(bool v);
  bool alwaysOnTop() const { return alwaysOnTop_; }
  void SetAlwaysOnTop(bool on);
  bool minimised() const { return minimised_; }
  void SetMinimised(bool m);

  const std::vector<Control*>& controls() const { return controls_; }
  const std::vector<Timer*>& timers() const { return timers_; }

  // Window events.
  std::function<void(int)> onTrayEvent;  // 1 left release, 2 left double click, 3 right release
  std::function<void()> onCloseRequest;  // the system asks to close the window
  void RaiseTrayEvent(int code) {
    if (onTrayEvent) onTrayEvent(code);
  }

  // The host's view of this window, while it is shown by a host.
  void AttachView(FormView* view) { view_ = view; }
  FormView* view() const { return view_; }

  // The host reports what the user did to the window (dragged it, minimised or restored it).
  void SyncGeometry(const Rect& r) { rect_ = r; }
  void SyncMinimised(bool m) { minimised_ = m; }
  void SyncVisible(bool v) { visible_ = v; }

 private:
  friend class Control;
  friend class Timer;
  void Changed(WindowProperty what);
  void GeometryChanged() override { Changed(WindowProperty::Geometry); }

  WindowSpec spec_;
  Text caption_;
  bool visible_ = false, alwaysOnTop_ = false, minimised_ = false;
  std::vector<Control*> controls_;
  std::vector<Timer*> timers_;
  FormView* view_ = nullptr;
};

}  // namespace quarvel
