#pragma once
// "Affichage des résultats": the final ranking beside the tournament menu,
// shown without blocking, as large as its screen allows with the form's own
// proportions, centred; its text grows and shrinks with the window. Memo1 holds the merged list or the
// N/S list, Memo2 the E/W list. "Imprimer les résultats" prints what the
// window shows, in the layout it shows, whatever a later computation set;
// "ESC/Echap = FIN" and Esc close it.
#include "scoring/ResultListings.h"

#include <QFont>
#include <QHash>
#include <QMargins>
#include <QRect>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TForm17 : public QWidget {
  Q_OBJECT
 public:
  // The size the form is laid out for (80 columns of its list at their
  // size); its proportions are kept on screen.
  static constexpr QSize kFormSize{880, 740};

  explicit TForm17(QWidget* parent = nullptr);
  // Fills the window from view (it keeps the view's layout for printing).
  void fill(const ResultsView& view);
  // Fills and shows the window in front, scaled to its screen.
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
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  // As large as the screen's available area allows with the form's
  // proportions, frame included, centred.
  void placeOnScreen();
  void refitToItsFrame();
  void BitBtn1Click();
  // Every control's font scaled by windowWidth over the form's width.
  void scaleContents(int windowWidth);
  ResultsView view_;
  QHash<QWidget*, qreal> basePointSizes_;
  QMargins placedFrame_;  // the frame the window was placed for
  bool placing_ = false;  // each control's font size at kFormSize
};

// The largest rectangle of form's width-to-height ratio that fits area,
// centred in it: as high as the area when the area is relatively wider than
// the form (the width then the height times the ratio, rounded), else as wide
// as the area (the height the width divided by the ratio, rounded).
QRect ScaledToScreen(QSize form, QRect area);

// Makes ShowPairResults and ShowPattonResults show the one results window.
void InstallResultsWindow();
