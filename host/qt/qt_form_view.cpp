#include "host/qt/qt_form_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "host/qt/qt_text.h"
#include "host/qt/x11_stacking.h"

namespace quarvel {
namespace {

QColor ToColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

// What the widget of a control knows about it. Events reach the control only while the window
// is attached to its form: a window that is being removed stays silent.
class ControlLink {
 public:
  ControlLink(const FormWindow& window, Control& control) : window_(&window), control_(&control) {}
  Control* live() const { return window_->form() ? control_ : nullptr; }

 private:
  const FormWindow* window_;
  Control* control_;
};

// Label: plain text on its own background; reports mouse presses.
class LabelWidget : public QLabel {
 public:
  LabelWidget(QWidget* parent, ControlLink link) : QLabel(parent), link_(link) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setAutoFillBackground(true);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    event->accept();
    Control* control = link_.live();
    if (!control) return;
    if (event->button() == Qt::LeftButton)
      control->RaiseLeftPress();
    else if (event->button() == Qt::RightButton)
      control->RaiseRightPress();
  }
  // Two quick presses are two presses: a switch pressed twice switches back, quotes pressed
  // twice give two pairs.
  void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }

 private:
  ControlLink link_;
};

// Picture button: one of the small images of the title bar; lightens under the mouse.
class PictureButtonWidget : public QAbstractButton {
 public:
  PictureButtonWidget(QWidget* parent, QPixmap pixmap) : QAbstractButton(parent), pixmap_(std::move(pixmap)) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
  }
  QSize sizeHint() const override { return pixmap_.size(); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (isDown())
      painter.fillRect(rect(), QColor(0, 0, 0, 48));
    else if (underMouse())
      painter.fillRect(rect(), QColor(255, 255, 255, 48));
    const QPoint at((width() - pixmap_.width()) / 2, (height() - pixmap_.height()) / 2);
    painter.drawPixmap(at, pixmap_);
  }

 private:
  QPixmap pixmap_;
};

// Returns the character code a key press gives to the program: Enter 13, Escape 27,
// Backspace 8, a printable ASCII character its code; 0 for anything else.
int KeyCode(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Backspace:
      return 8;
    default:
      break;
  }
  const QString text = event->text();
  if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() < 127) return text[0].unicode();
  return 0;
}

// Edit box: a single line; reports Enter and typed characters, and left presses.
class EditWidget : public QLineEdit {
 public:
  EditWidget(QWidget* parent, ControlLink link) : QLineEdit(parent), link_(link) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const int code = KeyCode(event);
    if (code == 13) {
      // The program decides what Enter does.
      event->accept();
      if (Control* control = link_.live()) control->RaiseKeyPress(13);
      return;
    }
    QLineEdit::keyPressEvent(event);  // the text is synchronised before the program hears of it
    if (code != 0)
      if (Control* control = link_.live()) control->RaiseKeyPress(code);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton)
      if (Control* control = link_.live()) control->RaiseLeftPress();
    QLineEdit::mousePressEvent(event);
  }

 private:
  ControlLink link_;
};

class MultiLineWidget : public QPlainTextEdit {
 public:
  explicit MultiLineWidget(QWidget* parent) : QPlainTextEdit(parent) {}
  bool settingText = false;  // a change made by the program, not by the user
};

// List box: a left press that hits a row selects it; a right press is reported and leaves the
// selection alone. Keyboard moves are reported as selections too.
class ListWidget : public QListWidget {
 public:
  ListWidget(QWidget* parent, ControlLink link) : QListWidget(parent), link_(link) {
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
      if (rebuilding || pressing_ || row < 0) return;
      if (Control* control = link_.live()) control->RaiseSelect(row);
    });
  }
  bool rebuilding = false;  // the items are being replaced by the program

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::RightButton) {
      event->accept();
      if (Control* control = link_.live()) control->RaiseRightPress();
      return;
    }
    if (event->button() != Qt::LeftButton) {
      QListWidget::mousePressEvent(event);
      return;
    }
    pressing_ = true;
    QListWidget::mousePressEvent(event);
    pressing_ = false;
    const int row = indexAt(event->position().toPoint()).row();
    if (row >= 0)
      if (Control* control = link_.live()) control->RaiseSelect(row);
  }

 private:
  ControlLink link_;
  bool pressing_ = false;
};

void SetColours(QWidget* widget, QPalette::ColorRole text, QPalette::ColorRole back, const Control& control) {
  QPalette palette = widget->palette();
  palette.setColor(text, ToColor(control.textColour()));
  palette.setColor(back, ToColor(control.backColour()));
  widget->setPalette(palette);
}

QPixmap PicturePixmap(Picture picture) {
  switch (picture) {
    case Picture::More:
      return QPixmap(QStringLiteral(":/images/more.png"));
    case Picture::Minimise:
      return QPixmap(QStringLiteral(":/images/minimise.png"));
    case Picture::Close:
      return QPixmap(QStringLiteral(":/images/close.png"));
    case Picture::None:
      break;
  }
  return QPixmap();
}

}  // namespace

FormWindow::FormWindow(Form& form)
    : QWidget(nullptr, form.framed() ? Qt::Window : Qt::Window | Qt::FramelessWindowHint), form_(&form) {
  setAttribute(Qt::WA_QuitOnClose, false);
  setObjectName(QString::fromUtf8(form.name()));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ToColor(form.backColour()));
  setPalette(palette);
  setAutoFillBackground(true);
  setWindowTitle(ToQt(form.caption()));
  if (form.alwaysOnTop()) setWindowFlag(Qt::WindowStaysOnTopHint, true);
  ApplyGeometry();

  // Widgets are made in the order of the controls, so that later ones lie above earlier ones;
  // those inside a container move into it afterwards, again in that order.
  for (Control* control : form.controls())
    if (QWidget* widget = CreateWidget(*control)) widgets_[control] = widget;
  for (Control* control : form.controls()) {
    QWidget* widget = widgetOf(*control);
    if (!widget || !control->parent()) continue;
    if (QWidget* container = widgetOf(*control->parent())) widget->setParent(container);
  }
  for (Control* control : form.controls())
    if (QWidget* widget = widgetOf(*control))
      for (Property what : {Property::Geometry, Property::Caption, Property::TextColour, Property::Enabled,
                            Property::Ticked, Property::Items, Property::Visible})
        ApplyControl(*control, widget, what);

  for (Timer* timer : form.timers()) {
    auto* qtimer = new QTimer(this);
    timers_[timer] = qtimer;
    connect(qtimer, &QTimer::timeout, this, [this, timer] {
      if (form_) timer->RaiseTick();
    });
    TimerChanged(*timer);
  }

  // The native window exists from now on, so that the stay-on-top hint can be switched on the
  // window itself without creating it anew.
  winId();
  FitFrame();
}

FormWindow::~FormWindow() {
  // The form may be gone already: nothing here touches it.
  form_ = nullptr;
  StopFollowing();
  // The widgets go while this window is still whole: anything they report on their way out
  // finds it detached.
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void FormWindow::Detach() {
  form_ = nullptr;  // first: the form may be gone already
  StopFollowing();
  for (auto& [timer, qtimer] : timers_) qtimer->stop();
}

QWidget* FormWindow::widgetOf(const Control& control) const {
  const auto it = widgets_.find(&control);
  return it == widgets_.end() ? nullptr : it->second;
}

QTimer* FormWindow::timerOf(const Timer& timer) const {
  const auto it = timers_.find(&timer);
  return it == timers_.end() ? nullptr : it->second;
}

QWidget* FormWindow::CreateWidget(Control& control) {
  const ControlLink link(*this, control);
  QFont font(QStringLiteral("WenQuanYi Micro Hei"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(control.fontPixels() > 0 ? control.fontPixels() : 12);
  font.setBold(control.bold());
  const Qt::Alignment align =
      control.align() == TextAlign::Center ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;

  QWidget* widget = nullptr;
  switch (control.kind()) {
    case ControlKind::Label: {
      auto* label = new LabelWidget(this, link);
      label->setAlignment(align);
      widget = label;
      break;
    }
    case ControlKind::PictureButton: {
      auto* button = new PictureButtonWidget(this, PicturePixmap(control.picture()));
      connect(button, &QAbstractButton::clicked, this, [link] {
        if (Control* c = link.live()) c->RaiseClick();
      });
      widget = button;
      break;
    }
    case ControlKind::EditBox: {
      auto* edit = new EditWidget(this, link);
      edit->setAlignment(align);
      connect(edit, &QLineEdit::textEdited, this, [link](const QString& text) {
        if (Control* c = link.live()) c->SyncText(ToGbk(text));
      });
      widget = edit;
      break;
    }
    case ControlKind::MultiLineEdit: {
      auto* edit = new MultiLineWidget(this);
      connect(edit, &QPlainTextEdit::textChanged, this, [edit, link] {
        if (edit->settingText) return;
        if (Control* c = link.live())
          c->SyncText(ToGbk(edit->toPlainText().replace('\n', QStringLiteral("\r\n"))));
      });
      widget = edit;
      break;
    }
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(this);
      box->setAutoFillBackground(true);
      connect(box, &QCheckBox::clicked, this, [link](bool checked) {
        Control* c = link.live();
        if (!c) return;
        c->SyncTicked(checked);
        c->RaiseClick();
      });
      widget = box;
      break;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(this);
      connect(button, &QPushButton::clicked, this, [link] {
        if (Control* c = link.live()) c->RaiseClick();
      });
      widget = button;
      break;
    }
    case ControlKind::ListBox:
      widget = new ListWidget(this, link);
      break;
    case ControlKind::ShapeBox: {
      auto* frame = new QFrame(this);
      frame->setFrameShape(QFrame::NoFrame);
      frame->setAutoFillBackground(true);
      widget = frame;
      break;
    }
    case ControlKind::HtmlView: {
      // Web pages come later; until then the view is an empty white area.
      widget = new QWidget(this);
      QPalette palette = widget->palette();
      palette.setColor(QPalette::Window, Qt::white);
      widget->setPalette(palette);
      widget->setAutoFillBackground(true);
      break;
    }
    case ControlKind::DropObject:
    case ControlKind::BalloonTip:
    case ControlKind::FileDialog:
      return nullptr;
  }
  widget->setObjectName(QString::fromUtf8(control.name()));
  widget->setFont(font);
  switch (control.cursor()) {
    case CursorShape::Hand:
      widget->setCursor(Qt::PointingHandCursor);
      break;
    case CursorShape::Move:
      widget->setCursor(Qt::SizeAllCursor);
      break;
    case CursorShape::Arrow:
      break;
  }
  return widget;
}

void FormWindow::ApplyControl(Control& control, QWidget* widget, Property what) {
  const ControlKind kind = control.kind();
  switch (what) {
    case Property::Geometry: {
      const Rect& r = control.rect();
      widget->setGeometry(r.left, r.top, std::max(0, r.width), std::max(0, r.height));
      break;
    }
    case Property::Caption: {
      const QString text = ToQt(control.text());
      if (auto* label = dynamic_cast<QLabel*>(widget)) {
        label->setText(text);
      } else if (auto* edit = dynamic_cast<QLineEdit*>(widget)) {
        if (edit->text() != text) edit->setText(text);
      } else if (auto* multi = dynamic_cast<MultiLineWidget*>(widget)) {
        QString plain = text;
        plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (multi->toPlainText() != plain) {
          multi->settingText = true;
          multi->setPlainText(plain);
          multi->settingText = false;
        }
      } else if (kind == ControlKind::CheckBox || kind == ControlKind::Button) {
        static_cast<QAbstractButton*>(widget)->setText(text);
      }
      break;
    }
    case Property::TextColour:
    case Property::BackColour:
      switch (kind) {
        case ControlKind::EditBox:
        case ControlKind::MultiLineEdit:
        case ControlKind::ListBox:
          SetColours(widget, QPalette::Text, QPalette::Base, control);
          break;
        case ControlKind::Button:
          SetColours(widget, QPalette::ButtonText, QPalette::Button, control);
          break;
        case ControlKind::Label:
        case ControlKind::CheckBox:
        case ControlKind::ShapeBox:
          SetColours(widget, QPalette::WindowText, QPalette::Window, control);
          break;
        default:
          break;
      }
      break;
    case Property::Visible:
      widget->setVisible(control.visible());
      break;
    case Property::Enabled:
      widget->setEnabled(control.enabled());
      break;
    case Property::Ticked:
      if (auto* box = dynamic_cast<QCheckBox*>(widget)) box->setChecked(control.ticked());
      break;
    case Property::Items:
      if (auto* list = dynamic_cast<ListWidget*>(widget)) {
        list->rebuilding = true;
        list->clear();
        for (const Text& item : control.items()) list->addItem(ToQt(item));
        if (control.selection() >= 0 && control.selection() < list->count())
          list->setCurrentRow(control.selection());
        list->rebuilding = false;
      }
      break;
    case Property::Address:
      break;
  }
}

void FormWindow::ControlChanged(Control& control, Property what) {
  if (QWidget* widget = widgetOf(control)) ApplyControl(control, widget, what);
}

void FormWindow::WindowChanged(WindowProperty what) {
  if (!form_) return;
  switch (what) {
    case WindowProperty::Caption:
      setWindowTitle(ToQt(form_->caption()));
      break;
    case WindowProperty::Geometry:
      ApplyGeometry();
      break;
    case WindowProperty::Visible:
    case WindowProperty::Minimised:
      ApplyVisibility();
      break;
    case WindowProperty::AlwaysOnTop:
      ApplyAlwaysOnTop();
      break;
  }
}

void FormWindow::TimerChanged(Timer& timer) {
  QTimer* qtimer = timerOf(timer);
  if (!qtimer) return;
  if (timer.period() <= 0 || !form_)
    qtimer->stop();
  else
    qtimer->start(timer.period());
}

void FormWindow::ApplyGeometry() {
  if (!form_) return;
  const Rect& r = form_->rect();
  // The form's rectangle is the outer one; a window manager's frame is taken off the inside.
  const int frameWidth = frameGeometry().width() - width();
  const int frameHeight = frameGeometry().height() - height();
  applyingGeometry_ = true;
  move(r.left, r.top);
  resize(std::max(1, r.width - frameWidth), std::max(1, r.height - frameHeight));
  applyingGeometry_ = false;
}

void FormWindow::FitFrame() {
  // A window manager adds the frame some time after the window first shows; the window is
  // made smaller by it once, so that the outer rectangle is the form's.
  if (!form_ || !form_->framed() || frameFitted_) return;
  if (frameGeometry().size() == size()) return;
  frameFitted_ = true;
  ApplyGeometry();
}

void FormWindow::ApplyVisibility() {
  if (!form_->visible()) {
    hide();
  } else if (form_->minimised()) {
    if (!isMinimized() || !isVisible()) showMinimized();
  } else if (isMinimized()) {
    showNormal();
  } else {
    show();
  }
}

void FormWindow::ApplyAlwaysOnTop() {
  // Switched on the native window in place: setWindowFlags would create the window anew, which
  // hides it and makes it flicker.
  const bool on = form_->alwaysOnTop();
  overrideWindowFlags(on ? windowFlags() | Qt::WindowStaysOnTopHint
                         : windowFlags() & ~Qt::WindowStaysOnTopHint);
  if (QWindow* window = windowHandle()) {
    window->setFlag(Qt::WindowStaysOnTopHint, on);
    x11::StaysOnTopWithoutWindowManager(window, on);
  }
}

void FormWindow::SyncPosition() {
  if (!form_ || applyingGeometry_ || isMinimized()) return;
  Rect r = form_->rect();
  r.left = pos().x();
  r.top = pos().y();
  form_->SyncGeometry(r);
}

void FormWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  FitFrame();
  SyncPosition();
}

void FormWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FitFrame();
}

void FormWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Only a framed window can be resized by the user, with its frame.
  if (!form_ || applyingGeometry_ || !form_->framed() || !isVisible() || isMinimized()) return;
  Rect r = form_->rect();
  r.width = frameGeometry().width();
  r.height = frameGeometry().height();
  form_->SyncGeometry(r);
}

void FormWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && form_) form_->SyncMinimised(isMinimized());
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // The window stays; the program decides what closing means.
  event->ignore();
  if (form_ && form_->onCloseRequest) form_->onCloseRequest();
}

bool FormWindow::CanTake(const QMimeData* mime) {
  return mime && (mime->hasUrls() || mime->hasHtml() || mime->hasText());
}

void FormWindow::SetDropTarget(Control* dropObject) {
  dropObject_ = dropObject;
  setAcceptDrops(dropObject != nullptr);
  // The widgets inside must not take drops themselves (an edit box would insert the text):
  // real drags pass over them to this window, and drag events sent to them directly are
  // caught on their way.
  for (QWidget* child : findChildren<QWidget*>()) {
    child->setAcceptDrops(false);
    if (dropObject)
      child->installEventFilter(this);
    else
      child->removeEventFilter(this);
  }
}

bool FormWindow::HandleDragEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (dropObject_ && form_ && CanTake(drag->mimeData()))
        drag->acceptProposedAction();
      else
        drag->ignore();
      return true;
    }
    case QEvent::DragLeave:
      event->accept();
      return true;
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!dropObject_ || !form_ || !CanTake(drop->mimeData())) {
        drop->ignore();
        return true;
      }
      drop->acceptProposedAction();
      Deliver(drop->mimeData());
      return true;
    }
    default:
      return false;
  }
}

void FormWindow::Deliver(const QMimeData* mime) {
  Control& target = *dropObject_;
  if (mime->hasUrls() && !mime->urls().isEmpty()) {
    if (target.onGotUrl) target.onGotUrl(ToGbk(mime->urls().first().toString()));
  } else if (mime->hasHtml()) {
    QString text = mime->text();
    if (text.isEmpty()) text = QTextDocumentFragment::fromHtml(mime->html()).toPlainText();
    if (target.onGotHypertext) target.onGotHypertext(ToGbk(text));
  } else if (mime->hasText()) {
    if (target.onGotText) target.onGotText(ToGbk(mime->text()));
  }
}

void FormWindow::dragEnterEvent(QDragEnterEvent* event) {
  HandleDragEvent(event);
}
void FormWindow::dragMoveEvent(QDragMoveEvent* event) {
  HandleDragEvent(event);
}
void FormWindow::dropEvent(QDropEvent* event) {
  HandleDragEvent(event);
}

void FormWindow::FollowMouse(QPoint pressedAt) {
  if (following_ || !form_) return;
  following_ = true;
  followCursor_ = pressedAt;
  followWindow_ = pos();
  // The button went down on this window, so the window system sends it all the mouse's moves
  // until the release; they are caught before any widget sees them.
  qApp->installEventFilter(this);
}

void FormWindow::StopFollowing() {
  if (!following_) return;
  following_ = false;
  qApp->removeEventFilter(this);
  SyncPosition();
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  if (following_) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseMove || type == QEvent::MouseButtonRelease) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (type == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton)) {
        move(followWindow_ + mouse->globalPosition().toPoint() - followCursor_);
        return true;
      }
      if (type == QEvent::MouseMove || mouse->button() == Qt::LeftButton) {
        StopFollowing();
        return true;
      }
    }
  }
  if (watched != this && dropObject_) {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::DragLeave:
      case QEvent::Drop:
        return HandleDragEvent(event);
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quarvel
