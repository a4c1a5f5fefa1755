#pragma once
// "Fin du cumul": what can be done with a finished cumulative tournament,
// in place of the tournament menu: the results shown and printed, the
// results saved for BridgeWebs, or the quit. Esc and the close box quit.
#include <QWidget>

class QPushButton;

class TForm46 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm46(QWidget* parent = nullptr);

  QPushButton* Button10;
  QPushButton* Button26;
  QPushButton* BitBtn2;

 protected:
  void closeEvent(QCloseEvent* event) override;
};

// Makes the end of a cumulation show the one TForm46.
void InstallCumulativeEndWindow();
