#pragma once
// What the parameters window (TForm2) and the federation parameters window
// (TForm75) share: the heading, the date, name and code fields with their
// examples and warning, and when leaving the code field checks it.
#include <QString>

class QEvent;
class QGridLayout;
class QLineEdit;
class QVBoxLayout;
class QWidget;

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
