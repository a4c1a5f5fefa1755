#pragma once
// The application with its one handler for every error that escapes an
// event handler: the error is explained in French (naming the file of an
// input/output error) and the operation it interrupted is abandoned.
#include "core/ErrorReports.h"

#include <QApplication>

#include <exception>

namespace ui {

// Runs deliver() and returns its result; an error escaping it is shown and
// false is returned. A fatal stop (tests) is passed on.
template <typename Deliver>
bool DeliverGuarded(Deliver&& deliver) {
  try {
    return deliver();
  } catch (...) {
    ReportEscapedError(std::current_exception());
    return false;
  }
}

// Makes Qt's own dialogs and standard buttons speak French ("Imprimer",
// "Annuler") with the translations installed with Qt; false when they are
// missing (the dialogs then stay in English). Once per application.
bool InstallFrenchTranslations();

class TalvaronApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace ui
