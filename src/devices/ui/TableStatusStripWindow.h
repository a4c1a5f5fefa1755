#pragma once
// "BM": the table-status strip beside the tournament menu, one square per
// table (white, green once a scorer logged on, red once the table is done).
#include <QWidget>

class TForm112Grid;

class TForm112 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm112(QWidget* parent = nullptr);
  // Sized for the strip's tables and drawn again.
  void layOut();
  // Shown to the right of the tournament menu (8 pixels beside it, 20 below
  // its top), or centred when there is no menu on screen.
  void placeBesideMenu();

  QWidget* DrawGrid1;
};

// Installs the window behind the strip's routines (created at its first use).
void RegisterTableStatusStrip();
