#pragma once
// Drives modal windows from a window test: each step waits until a modal
// window of the given object name is active, then acts on it (keys, clicks,
// checks). A step that never comes fails the test and closes what is open,
// so a test never hangs.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace testing_support {

class ModalScript {
 public:
  using Step = std::function<void(QWidget*)>;

  ModalScript() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }
  ~ModalScript() {
    timer_.stop();
    if (!steps_.empty()) ADD_FAILURE() << "window " << steps_.front().first.toStdString() << " never shown";
  }

  ModalScript& on(const QString& objectName, Step step) {
    steps_.emplace_back(objectName, std::move(step));
    return *this;
  }
  bool done() const { return steps_.empty(); }

  // The widget of window that has the keyboard focus (the window itself when none).
  static QWidget* focusOf(QWidget* window) {
    QWidget* focus = window->focusWidget();
    return focus ? focus : window;
  }
  static void key(QWidget* window, Qt::Key key) { QTest::keyClick(focusOf(window), key); }
  static void type(QWidget* window, const QString& text) { QTest::keyClicks(focusOf(window), text); }

 private:
  void poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!steps_.empty() && modal && modal->isVisible() && modal->objectName() == steps_.front().first &&
        (last_.isNull() || last_.data() != modal)) {
      // A step acts once its window is active, so that keys reach the focus
      // it keeps; a window that does not become active within about 100 ms
      // (one shown again after a message) is acted on all the same.
      if (!modal->isActiveWindow() && ++waitingForActivation_ < 20) {
        modal->activateWindow();
        return;
      }
      waitingForActivation_ = 0;
      last_ = modal;
      idle_ = 0;
      Step step = std::move(steps_.front().second);
      steps_.pop_front();
      step(modal);
      return;
    }
    if (++idle_ > 2000) {  // 10 s without the expected window
      idle_ = 0;
      if (!steps_.empty()) {
        ADD_FAILURE() << "window " << steps_.front().first.toStdString() << " never shown";
        steps_.clear();
      }
      for (int i = 0; i < 10; ++i)
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->done(0);
    }
  }

  QTimer timer_;
  std::deque<std::pair<QString, Step>> steps_;
  QPointer<QWidget> last_;
  int idle_ = 0;
  int waitingForActivation_ = 0;
};

// Runs act on the first modal dialog on screen, whatever its name, once.
inline void WhenShown(std::function<void(QDialog*)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()); d && d->isVisible()) {
      timer->stop();
      timer->deleteLater();
      act(d);
    }
  });
  timer->start(5);
}

}  // namespace testing_support
