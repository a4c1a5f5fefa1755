#pragma once
// TForm2 "Paramètres": the date, name and code of a new tournament, shown by
// the start screen's new-tournament button. OK goes on to the pairs entry;
// "Retour au menu" goes back to the start screen; the quit button and Esc run
// the quit routine.
#include "setup/Parameters.h"

#include <QWidget>

class QButtonGroup;
class QLineEdit;
class QPushButton;

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  const ParametersView& view() const { return view_; }

  QLineEdit* Date;
  QLineEdit* Nom;
  QLineEdit* Code;
  QButtonGroup* RadioGroup1;
  QPushButton* OK;
  QPushButton* Button1;
  QPushButton* BitBtn2;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void handle(const std::function<void()>& routine);
  void takeFields();
  void applyView();

  ParametersView view_;
  bool centred_ = false;
  bool busy_ = false;
};
