#pragma once
// What the parameters window (TForm2) and the federation parameters window
// (TForm75) share: the heading, the date, name and code fields with their
// examples and warning, and when leaving the code field checks it.
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <functional>

class QEvent;
class QGridLayout;
class QKeyEvent;
class QVBoxLayout;

namespace ui {

struct ParameterFields {
  QLineEdit* date;
  QLineEdit* name;
  QLineEdit* code;
  QGridLayout* grid;  // rows 0-5, columns 0-1 taken
};

// Adds the heading and the fields to `layout`; the two example lines sit
// under the code field.
ParameterFields AddParameterFields(QWidget* window, QVBoxLayout* layout, const QString& heading,
                                   const QString& examples, const QString& moreExamples);

// True when `event` takes the focus away from a field to another field, by
// Tab, Backtab or the mouse; leaving for a button leaves the check to it.
bool LeavesForAnotherField(const QEvent* event);

}  // namespace ui

namespace setup_ui {

// A parameters window: its three fields, the routines run through handle()
// and the check of the code when the director leaves its field.
class ParametersForm : public QWidget {
  Q_OBJECT

 public:
  QLineEdit* Date = nullptr;
  QLineEdit* Nom = nullptr;
  QLineEdit* Code = nullptr;

 protected:
  explicit ParametersForm(QWidget* parent = nullptr);

  // Adds the heading and the fields (ui::AddParameterFields), the code field
  // watched; returns their grid.
  QGridLayout* addFields(QVBoxLayout* layout, const QString& heading, const QString& examples,
                         const QString& moreExamples);

  // Runs a routine, the code check held off meanwhile, then shows the view
  // again, whatever way the routine ends.
  void handle(const std::function<void()>& routine);
  // Shows the window's view in its controls.
  virtual void applyView() = 0;
  // The code field left for another field: the window's check.
  virtual void codeLeft() = 0;

  template <class View>
  void takeFields(View& view) const {
    view.date = Date->text();
    view.name = Nom->text();
    view.code = Code->text();
  }
  template <class View>
  void showFields(const View& view) {
    Date->setText(view.date);
    Nom->setText(view.name);
    Code->setText(view.code);
  }

  // Esc runs the quit routine.
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool busy_ = false;
};

}  // namespace setup_ui
