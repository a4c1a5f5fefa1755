#pragma once
// "Affichage des résultats": the final ranking beside the tournament menu,
// shown maximised and without blocking. Memo1 holds the merged list or the
// N/S list, Memo2 the E/W list. "Imprimer les résultats" prints what the
// window shows, in the layout it shows, whatever a later computation set;
// "ESC/Echap = FIN" and Esc close it.
#include "scoring/ResultListings.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TForm17 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm17(QWidget* parent = nullptr);
  // Fills the window from view (it keeps the view's layout for printing).
  void fill(const ResultsView& view);
  // Fills and shows the window maximised, in front.
  void showView(const ResultsView& view);

  QPlainTextEdit* Memo1;
  QPushButton* Button1;
  QLabel* Label1;
  QPlainTextEdit* Memo2;
  QLabel* Label2;
  QPushButton* BitBtn1;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* StaticText1;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BitBtn1Click();
  ResultsView view_;
};

// Makes ShowPairResults and ShowPattonResults show the one results window.
void InstallResultsWindow();
