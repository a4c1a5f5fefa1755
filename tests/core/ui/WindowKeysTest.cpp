// A window's own Enter and Esc given through its style: they run only for a
// key that reaches the window with nothing else using it.
#include "core/ui/WindowStyle.h"
#include "support/TestState.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

struct Counts {
  int enter = 0;
  int escape = 0;
  int pressed = 0;
  int cancelled = 0;
};

// A window with a field, a button and a cancel button, its own keys counted.
template <typename Window>
struct KeyWindow {
  Window window;
  QLineEdit* field = new QLineEdit(&window);
  QPushButton* button = new QPushButton(QStringLiteral("Bouton"), &window);
  QPushButton* cancel = new QPushButton(QStringLiteral("Annuler"), &window);
  Counts counts;

  KeyWindow() {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(field);
    layout->addWidget(button);
    layout->addWidget(cancel);
    QObject::connect(button, &QPushButton::clicked, [this] { ++counts.pressed; });
    QObject::connect(cancel, &QPushButton::clicked, [this] { ++counts.cancelled; });
    ui::StyleWindow(&window, {.cancelButton = cancel,
                              .onEnter = [this] { ++counts.enter; },
                              .onEscape = [this] { ++counts.escape; }});
    window.show();
  }
};

}  // namespace

class WindowKeysTest : public testing_support::TalvaronTest {};

TEST_F(WindowKeysTest, OwnKeysRunOnlyForKeysNothingElseUsed) {
  KeyWindow<QWidget> w;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));

  // Enter in the field goes on to the window.
  QTest::keyClick(w.field, Qt::Key_Return);
  QTest::keyClick(w.field, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(w.counts.enter, 2);

  // A button with the focus takes Enter for itself.
  w.window.activateWindow();
  w.button->setFocus();
  if (w.button->hasFocus()) {
    QTest::keyClick(w.button, Qt::Key_Return);
    EXPECT_EQ(w.counts.pressed, 1);
    EXPECT_EQ(w.counts.enter, 2);
  }

  // Esc presses the cancel button; with Shift, or the cancel button
  // disabled, the window's own Esc runs.
  QTest::keyClick(&w.window, Qt::Key_Escape);
  EXPECT_EQ(w.counts.cancelled, 1);
  EXPECT_EQ(w.counts.escape, 0);
  QTest::keyClick(&w.window, Qt::Key_Escape, Qt::ShiftModifier);
  EXPECT_EQ(w.counts.escape, 1);
  w.cancel->setEnabled(false);
  QTest::keyClick(&w.window, Qt::Key_Escape);
  EXPECT_EQ(w.counts.escape, 2);
  EXPECT_EQ(w.counts.cancelled, 1);

  // Other keys are left alone.
  QTest::keyClick(&w.window, Qt::Key_Space);
  EXPECT_EQ(w.counts.enter, 2);
  EXPECT_EQ(w.counts.escape, 2);
}

TEST_F(WindowKeysTest, ADialogsOwnKeysReplaceItsAcceptAndReject) {
  KeyWindow<QDialog> w;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
  w.cancel->hide();
  w.button->setDefault(true);

  QTest::keyClick(&w.window, Qt::Key_Escape);
  QTest::keyClick(&w.window, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(w.counts.escape, 1);
  EXPECT_EQ(w.counts.enter, 1);
  EXPECT_EQ(w.counts.pressed, 0);
  EXPECT_EQ(w.counts.cancelled, 0);
  EXPECT_TRUE(w.window.isVisible());
  EXPECT_EQ(w.window.result(), QDialog::Rejected);
}
