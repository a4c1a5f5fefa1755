#pragma once
// TForm75 "Paramètres": the date, name and code of a federation tournament,
// shown by the start screen after the import with what the import found
// (movement, pairs, tables, BYE). OK starts the tournament; Esc and the close
// box run the quit routine.
#include "core/StartScreen.h"
#include "devices/FederationSetup.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm75 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm75(QWidget* parent = nullptr);
  ~TForm75() override;

  // Puts what the import found in place, then shows the window.
  void showSummary(const FederationSummary& summary);

  QLineEdit* Date;
  QLineEdit* Nom;
  QLineEdit* Code;
  QLabel* TypeValue;
  QLabel* PairsValue;
  QLabel* TablesValue;
  QLabel* ByeValue;
  QLabel* PairsNote;
  QPushButton* OK;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void handle(const std::function<void()>& routine);
  void takeFields();
  void applyView();

  FederationParametersView view_;
  bool busy_ = false;
};
