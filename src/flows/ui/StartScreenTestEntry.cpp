#include "flows/ui/StartScreenTestEntry.h"

#include "core/ui/MessageWindow.h"
#include "core/FormNames.h"
#include "flows/ui/StartScreenWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>

void CloseStartScreenOnceShown(TForm1& startScreen) {
  QTimer::singleShot(100, &startScreen, [&startScreen] {
    std::printf("start screen shown: %s\n", startScreen.isVisible() ? "visible" : "hidden");
    if (auto* status = startScreen.findChild<QLabel*>(QStringLiteral("StatusLabel")))
      std::printf("start screen status: %s\n", qPrintable(status->text()));
    std::fflush(stdout);
    auto* confirm = new QTimer(&startScreen);
    QObject::connect(confirm, &QTimer::timeout, [] {
      if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->objectName() == forms::QuitConfirmation)
        if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("Button1"))) ok->click();
    });
    confirm->start(50);
    startScreen.close();
  });
}

void AnswerMessagesFromTests() {
  auto* answer = new QTimer(qApp);
  QObject::connect(answer, &QTimer::timeout, [] {
    auto* message = qobject_cast<TForm26*>(QApplication::activeModalWidget());
    if (!message) return;
    std::printf("message: %s\n", message->text().toUtf8().constData());
    std::fflush(stdout);
    message->Button1->click();
  });
  answer->start(50);
}

namespace {

// The steps of a test's file, taken in order as the file grows.
class StepFollower : public QObject {
 public:
  explicit StepFollower(const QString& file) : QObject(qApp), file_(file) {
    poll_.setInterval(50);
    QObject::connect(&poll_, &QTimer::timeout, [this] { poll(); });
    poll_.start();
  }

 private:
  struct Step {
    QString line;
    QString verb;
    QString name;  // the control's or the window's name; the text for "type", the key for "key"
    QString text;  // the text of "fill"
  };

  static Step parse(const QString& line) {
    Step step{line, line.section(u' ', 0, 0), line.section(u' ', 1, 1), line.section(u' ', 2)};
    if (step.verb == QLatin1String("type")) step.name = line.section(u' ', 1);
    static const QStringList verbs = {QStringLiteral("window"), QStringLiteral("click"), QStringLiteral("fill"),
                                      QStringLiteral("type"),   QStringLiteral("key"),   QStringLiteral("print")};
    const bool known = verbs.contains(step.verb) && !step.name.isEmpty() &&
                       (step.verb != QLatin1String("key") || keyOf(step.name) != 0);
    if (!known) {
      std::fprintf(stderr, "step not understood: %s\n", qPrintable(line));
      std::fflush(stdout);
      std::fflush(stderr);
      std::_Exit(4);
    }
    return step;
  }

  static int keyOf(const QString& name) {
    const QKeySequence sequence = QKeySequence::fromString(name == QLatin1String("Escape") ? QStringLiteral("Esc") : name);
    if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier) return 0;
    return sequence[0].key() == Qt::Key_unknown ? 0 : int(sequence[0].key());
  }

  // The lines written since the last look, whole lines only.
  void readNewLines() {
    QFile f(file_);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(read_)) return;
    const QByteArray more = f.readAll();
    const qsizetype end = more.lastIndexOf('\n');
    if (end < 0) return;
    read_ += end + 1;
    for (const QByteArray& bytes : more.left(end).split('\n')) {
      const QString line = QString::fromUtf8(bytes).trimmed();
      if (!line.isEmpty() && !line.startsWith(u'#')) steps_.push_back(parse(line));
    }
  }

  // The window a "window" step names, when it is up and nothing modal hides it.
  static QWidget* shownWindow(const QString& name) {
    if (QWidget* modal = QApplication::activeModalWidget())
      return modal->isVisible() && modal->objectName() == name ? modal : nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->objectName() == name) return w;
    return nullptr;
  }

  // The control a step acts on, once the director could reach it.
  template <typename Control>
  Control* reachable(const QString& name) const {
    if (!window_ || !window_->isVisible()) return nullptr;
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != window_) return nullptr;
    auto* control = window_->findChild<Control*>(name);
    return control && control->isVisible() && control->isEnabled() ? control : nullptr;
  }

  QWidget* focus() const {
    if (!window_ || !window_->isVisible()) return nullptr;
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != window_) return nullptr;
    return window_->focusWidget() ? window_->focusWidget() : window_.data();
  }

  static void press(QWidget* target, int key, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &up);
  }

  // The action of the first step, or nothing while it cannot be taken. It
  // runs apart from the poll: an action that opens a modal window returns
  // only once it is closed, while the next steps are taken meanwhile.
  std::function<void()> action(const Step& step) {
    if (step.verb == QLatin1String("window")) {
      QWidget* w = shownWindow(step.name);
      if (!w) return {};
      return [this, target = QPointer<QWidget>(w)] {
        window_ = target;
        if (target) target->activateWindow();
      };
    }
    if (step.verb == QLatin1String("click")) {
      QAbstractButton* button = reachable<QAbstractButton>(step.name);
      if (!button) return {};
      return [target = QPointer<QAbstractButton>(button)] {
        if (target) target->click();
      };
    }
    if (step.verb == QLatin1String("fill")) {
      QLineEdit* edit = reachable<QLineEdit>(step.name);
      if (!edit) return {};
      return [target = QPointer<QLineEdit>(edit), text = step.text] {
        if (target) target->setText(text);
      };
    }
    if (step.verb == QLatin1String("print")) {
      QLabel* label = reachable<QLabel>(step.name);
      if (!label) return {};
      return [name = step.name, text = label->text()] {
        std::printf("%s: %s\n", qPrintable(name), qPrintable(text));
        std::fflush(stdout);
      };
    }
    QWidget* target = focus();
    if (!target) return {};
    if (step.verb == QLatin1String("key"))
      return [target = QPointer<QWidget>(target), key = keyOf(step.name)] {
        if (target) press(target, key, key == Qt::Key_Return ? QStringLiteral("\r") : QString());
      };
    return [target = QPointer<QWidget>(target), text = step.name] {
      for (const QChar c : text)
        if (target) press(target, c.isLetter() ? int(c.toUpper().unicode()) : int(c.unicode()), QString(c));
    };
  }

  void poll() {
    readNewLines();
    if (steps_.empty() || running_) return;
    if (std::function<void()> act = action(steps_.front())) {
      steps_.pop_front();
      waiting_.invalidate();
      told_ = false;
      running_ = true;
      QTimer::singleShot(0, this, [this, act] {
        running_ = false;
        act();
      });
      return;
    }
    if (!waiting_.isValid()) {
      waiting_.start();
    } else if (waiting_.elapsed() > kPatienceMs && !told_) {
      told_ = true;
      const QWidget* modal = QApplication::activeModalWidget();
      QString shown = QStringLiteral("none modal");
      if (modal) {
        shown = QStringLiteral("%1 %2 \"%3\"")
                    .arg(modal->objectName(), QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle());
        for (const QLabel* label : modal->findChildren<QLabel*>())
          if (!label->text().isEmpty()) shown += QStringLiteral(" [") + label->text().simplified() + u']';
      }
      std::printf("step waiting: %s (window shown: %s)\n", qPrintable(steps_.front().line), qPrintable(shown));
      std::fflush(stdout);
    }
  }

  static constexpr qint64 kPatienceMs = 10000;

  QString file_;
  qint64 read_ = 0;
  std::deque<Step> steps_;
  QPointer<QWidget> window_;
  QTimer poll_;
  QElapsedTimer waiting_;
  bool running_ = false;
  bool told_ = false;
};

}  // namespace

void FollowStepsFromTests(const QString& file) {
  new StepFollower(file);  // the application's own
}
