#pragma once
// Plays the director at the desk: each modal window that comes up is handled
// by the next step scripted for its name; windows marked as routine (the
// confirmation of each typed result) get their step every time. A window
// nobody scripted is noted, answered Enter (a message) or Esc, and fails the
// session with its name, caption and texts, so that a change in the dialogue
// reads plainly.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>

namespace sessions {

class Desk {
 public:
  using Step = std::function<void(QWidget*)>;

  Desk() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }
  ~Desk() { timer_.stop(); }

  Desk& on(const QString& form, Step step) {
    steps_.emplace_back(form, std::move(step));
    return *this;
  }
  Desk& always(const QString& form, Step step) {
    routine_[form] = std::move(step);
    return *this;
  }
  // Every scripted step was taken and no window came unscripted.
  void expectDone(const char* where) {
    for (const auto& s : steps_) ADD_FAILURE() << where << ": window " << s.first.toStdString() << " never shown";
    steps_.clear();
    for (const QString& u : unexpected_) ADD_FAILURE() << where << ": unscripted window " << u.toStdString();
    unexpected_.clear();
  }

  static QWidget* focusOf(QWidget* w) { return w->focusWidget() ? w->focusWidget() : w; }
  static void key(QWidget* w, Qt::Key k) { QTest::keyClick(focusOf(w), k); }
  static void type(QWidget* w, const QString& text) {
    for (const QChar c : text) QTest::keyClick(focusOf(w), c.toLatin1());
  }
  static void enter(QWidget* w) { key(w, Qt::Key_Return); }

 private:
  static QString describe(QWidget* w) {
    QString d = w->objectName() + QStringLiteral(" \"") + w->windowTitle() + QStringLiteral("\"");
    for (QLabel* l : w->findChildren<QLabel*>())
      if (!l->text().isEmpty()) d += QStringLiteral(" [") + l->text().simplified() + QStringLiteral("]");
    for (QPlainTextEdit* t : w->findChildren<QPlainTextEdit*>())
      if (!t->toPlainText().isEmpty()) d += QStringLiteral(" [") + t->toPlainText().simplified() + QStringLiteral("]");
    return d;
  }
  void poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) {
      last_ = nullptr;
      return;
    }
    if (modal == last_.data()) return;
    if (!modal->isActiveWindow() && ++waiting_ < 20) {
      modal->activateWindow();
      return;
    }
    waiting_ = 0;
    last_ = modal;
    if (qEnvironmentVariableIsSet("TALVARON_SESSION_TRACE")) qWarning("window %s", qPrintable(describe(modal)));
    const QString name = modal->objectName();
    if (!steps_.empty() && steps_.front().first == name) {
      // Run apart from the poll, so that the windows a step opens are
      // polled in their turn.
      Step step = std::move(steps_.front().second);
      steps_.pop_front();
      QPointer<QWidget> target = modal;
      QTimer::singleShot(0, modal, [step, target] {
        if (target) step(target);
      });
    } else if (auto r = routine_.find(name); r != routine_.end()) {
      QPointer<QWidget> target = modal;
      Step step = r->second;
      QTimer::singleShot(0, modal, [step, target] {
        if (target) step(target);
      });
    } else {
      unexpected_ << describe(modal) + (steps_.empty() ? QString() : QStringLiteral(" while waiting for ") + steps_.front().first);
      // Several windows end the program on Esc: the window is only closed.
      if (name == QLatin1String("TForm26")) key(modal, Qt::Key_Return);
      else if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(0);
    }
  }

  QTimer timer_;
  std::deque<std::pair<QString, Step>> steps_;
  std::map<QString, Step> routine_;
  QStringList unexpected_;
  QPointer<QWidget> last_;
  int waiting_ = 0;
};

}  // namespace sessions
