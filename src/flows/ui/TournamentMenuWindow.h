#pragma once
// TForm5 "Menu du tournoi": the hub of a running tournament. One button per
// feature, the two counters, the collection notices and the collection
// timer. Enter clicks Button3; Esc and the close box run the quit routine.
#include <QWidget>

#include <functional>

class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

class TForm5 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm5(QWidget* parent = nullptr);
  ~TForm5() override;

  // Shows the menu with the focus on Button3.
  void showMenu();
  QTimer* timer() const { return collectionTimer; }

  QLabel* resultsCounter;
  QLabel* playersCounter;
  QLabel* versionLabel;
  QLabel* pauseHelp;
  QLabel* deviceLine;
  QLabel* tablesAddress;  // the address the tables type, and its QR code
  QLabel* tablesCode;
  QLabel* tablesAccess;   // the code or the password the tables type
  QLabel* tablesOthers;   // the computer's other addresses
  QLabel* tablesAlarm;    // red while the tables are not served
  QLabel* tablesNews;     // when they were served again
  QLabel* tablesHolders;  // which device holds which table
  QPlainTextEdit* runningNotice;
  QPlainTextEdit* stoppedNotice;
  QLineEdit* creamField;
  QProgressBar* analysisProgress;  // the double-dummy computation, while it runs
  QPushButton* Button3;
  QPushButton* pauseButton;
  QPushButton* BitBtn2;
  QTimer* collectionTimer;
  // A change in a table's folder wakes the collection at once (wake): the
  // timer stays as the floor.
  QFileSystemWatcher* tableFolders;
  QTimer* wake;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QPushButton* addButton(const QString& name, const QString& caption, const std::function<void()>& routine);
  void handle(const std::function<void()>& routine);
  void applyView();
  // The tables' folders watched as CollectionWakeFolders says.
  void watchTableFolders();
  QPushButton* button(const char* name) const;
  bool centred_ = false;
};
