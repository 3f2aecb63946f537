#pragma once
// The window of one Form on the Qt desktop: a top-level widget with one widget per drawn
// control and one QTimer per timer of the form. Changes of the form's properties arrive through
// FormView; what the user does is raised back on the form's controls.
#include <QPoint>
#include <QWidget>
#include <map>

#include "core/form.h"

class QTimer;
class QMimeData;

namespace quarvel {

class FormWindow : public QWidget, public FormView {
  Q_OBJECT
 public:
  // Creates the window hidden, with its controls and timers as the form describes them; does
  // not attach itself to the form.
  explicit FormWindow(Form& form);
  ~FormWindow() override;

  // The form, or nullptr once detached; a detached window raises no more events.
  Form* form() const { return form_; }
  // Stops the timers and forgets the form.
  void Detach();

  // The widget that draws the control; nullptr for controls that are not drawn.
  QWidget* widgetOf(const Control& control) const;
  QTimer* timerOf(const Timer& timer) const;

  // Everything dropped anywhere on the window goes to this drop object, and to nothing else.
  void SetDropTarget(Control* dropObject);
  // Moves the window with the mouse until the left button is released: for dragging the window
  // where the window system cannot do it. pressedAt: where the button went down on the screen.
  void FollowMouse(QPoint pressedAt);
  bool followingMouse() const { return following_; }

  // Whether the mime data holds something a drop object can take.
  static bool CanTake(const QMimeData* mime);

  void ControlChanged(Control& control, Property what) override;
  void WindowChanged(WindowProperty what) override;
  void TimerChanged(Timer& timer) override;

 protected:
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* CreateWidget(Control& control);
  void ApplyControl(Control& control, QWidget* widget, Property what);
  void ApplyGeometry();
  void FitFrame();
  void ApplyVisibility();
  void ApplyAlwaysOnTop();
  void SyncPosition();
  bool HandleDragEvent(QEvent* event);
  void Deliver(const QMimeData* mime);
  void StopFollowing();

  Form* form_;
  std::map<const Control*, QWidget*> widgets_;
  std::map<const Timer*, QTimer*> timers_;
  Control* dropObject_ = nullptr;
  bool applyingGeometry_ = false;
  bool frameFitted_ = false;
  bool following_ = false;
  QPoint followCursor_, followWindow_;
};

}  // namespace quarvel
