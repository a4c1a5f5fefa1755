#include "core/ui/WindowStyle.h"

#include "core/Globals.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QGridLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>

namespace ui {
namespace {

const QStringList kSansFamilies = {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                   QStringLiteral("Noto Sans"), QStringLiteral("FreeSans"), QStringLiteral("Arial"),
                                   QStringLiteral("Segoe UI")};
const QStringList kMonoFamilies = {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                                   QStringLiteral("Noto Sans Mono"), QStringLiteral("FreeMono"),
                                   QStringLiteral("Courier New"), QStringLiteral("Consolas")};
const QStringList kMonoWindowsNames = {QStringLiteral("Courier New"), QStringLiteral("Courier"),
                                       QStringLiteral("Lucida Console"), QStringLiteral("Consolas")};

const QString kStylerName = QStringLiteral("talvaronWindowStyle");
const QString kHolderName = QStringLiteral("talvaronCentredContent");

bool isMonoName(const QString& windowsName) {
  return kMonoWindowsNames.contains(windowsName.trimmed(), Qt::CaseInsensitive);
}

// A font set on a control that is meant to be monospaced.
bool isMonospaced(const QFont& font) {
  if (font.styleHint() == QFont::TypeWriter || font.fixedPitch()) return true;
  const QString family = font.family();
  return isMonoName(family) || kMonoFamilies.contains(family, Qt::CaseInsensitive) ||
         family == QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QRect availableArea(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

bool growsWithTheWindow(QWidget* window) {
  for (QAbstractScrollArea* area : window->findChildren<QAbstractScrollArea*>())
    if (area->maximumWidth() == QWIDGETSIZE_MAX && area->maximumHeight() == QWIDGETSIZE_MAX) return true;
  return false;
}

void collectFocusChain(QLayout* layout, QList<QWidget*>& chain);

void collectWidget(QWidget* widget, QList<QWidget*>& chain) {
  if (widget->focusPolicy() & Qt::TabFocus) chain << widget;
  if (widget->layout()) collectFocusChain(widget->layout(), chain);
}

void collectFocusChain(QLayout* layout, QList<QWidget*>& chain) {
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (QWidget* w = item->widget())
      collectWidget(w, chain);
    else if (QLayout* inner = item->layout())
      collectFocusChain(inner, chain);
  }
}

QLayout* contentLayout(QWidget* window) {
  if (auto* main = qobject_cast<QMainWindow*>(window)) {
    QWidget* central = main->centralWidget();
    if (central && central->objectName() == kHolderName && central->layout()->count() > 0)
      central = central->layout()->itemAt(0)->widget();
    return central ? central->layout() : nullptr;
  }
  return window->layout();
}

// Carries one window's look and applies it each time the window is shown.
class Styler : public QObject {
 public:
  Styler(QWidget* window, const WindowLook& look)
      : QObject(window), window_(window), look_(look), cancel_(look.cancelButton), enter_(look.enterButton) {
    setObjectName(kStylerName);
    if (window->testAttribute(Qt::WA_Resized)) base_ = window->size();
    window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Show && !event->spontaneous()) {
      apply();
      return false;
    }
    // Placed once the window has set itself up in its own show handler.
    if (watched == window_ && event->type() == QEvent::ShowToParent) {
      place();
      return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    return buttonKey(watched, key) || (watched == window_ && ownKey(key));
  }

  void setEnterButton(QAbstractButton* button) { enter_ = button; }

 private:
  // Enter and Esc given to the window's buttons.
  bool buttonKey(QObject* watched, QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) return false;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && enter_) {
      // The window's own Enter: whatever control has the focus.
      if (enter_->isVisible() && enter_->isEnabled()) enter_->click();
      return true;
    }
    if (enter) {
      if (auto* button = qobject_cast<QPushButton*>(watched); button && button->hasFocus()) {
        if (button->isEnabled()) button->click();
        return true;
      }
      // Dialogs press their default button themselves.
      if (watched == window_ && !qobject_cast<QDialog*>(window_))
        if (QPushButton* fallback = defaultButton()) {
          fallback->click();
          return true;
        }
      return false;
    }
    if (key->key() == Qt::Key_Escape && watched == window_ && cancel_ && cancel_->isVisible() && cancel_->isEnabled()) {
      cancel_->click();
      return true;
    }
    return false;
  }

  // The window's own Enter and Esc.
  bool ownKey(QKeyEvent* key) const {
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter && key->key() != Qt::Key_Escape) return false;
    // A copy: the action may close the window, and this with it.
    const std::function<void()> action = enter ? look_.onEnter : look_.onEscape;
    if (!action) return false;
    action();
    return true;
  }

  QPushButton* defaultButton() const {
    for (QPushButton* b : window_->findChildren<QPushButton*>())
      if (b->isDefault() && b->isVisible() && b->isEnabled()) return b;
    return nullptr;
  }

  void apply() {
    applyFonts();
    for (QPushButton* b : window_->findChildren<QPushButton*>()) {
      b->setFlat(false);
      b->setFocusPolicy(Qt::StrongFocus);
      b->installEventFilter(this);
    }
    // Enter given to one button is seen before any control acts on it.
    if (enter_)
      for (QWidget* child : window_->findChildren<QWidget*>())
        if (child->focusPolicy() != Qt::NoFocus && !qobject_cast<QPushButton*>(child)) child->installEventFilter(this);
    if (QLayout* layout = contentLayout(window_)) {
      QList<QWidget*> chain;
      collectFocusChain(layout, chain);
      for (qsizetype i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
      // A message box lays itself out; a main window holds its content
      // centred already (StyleWindow).
      if (!qobject_cast<QMessageBox*>(window_) && !qobject_cast<QMainWindow*>(window_))
        layout->setAlignment(growsWithTheWindow(window_) ? Qt::Alignment() : Qt::AlignCenter);
    }
    if (qobject_cast<QMessageBox*>(window_)) return;
    widenWrappedLabels();
    // A maximised window keeps the size of its screen.
    if (!(window_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) fitToContent();
  }

  void place() {
    if (!window_->isWindow() || (window_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) return;
    if (look_.centre) CentreOnScreen(window_);
  }

  // A wrapped label is as wide as its longest line, up to about 60
  // characters, rather than a narrow column.
  void widenWrappedLabels() {
    for (QLabel* label : window_->findChildren<QLabel*>()) {
      if (!label->wordWrap() || label->text().isEmpty()) continue;
      const QFontMetrics metrics(label->font());
      int widest = 0;
      for (const QString& line : PlainLines(label->text()).split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
      label->setMinimumWidth(std::min(widest + 2, metrics.averageCharWidth() * 60));
    }
  }

  void applyFonts() {
    const QFont font = FontFor(look_.font, look_.pointSize);
    window_->setFont(font);
    const QString mono = FamilyFor(QStringLiteral("Courier New"));
    // Menus are windows of their own: they would not inherit the font.
    for (QMenu* menu : window_->findChildren<QMenu*>())
      if (!menu->testAttribute(Qt::WA_SetFont)) menu->setFont(font);
    for (QWidget* child : window_->findChildren<QWidget*>()) {
      if (!child->testAttribute(Qt::WA_SetFont)) continue;
      QFont own = child->font();
      const QString family = isMonospaced(own) ? mono : font.family();
      if (own.family() == family) continue;
      own.setFamilies({family});
      own.setFamily(family);
      child->setFont(own);
    }
  }

  void fitToContent() {
    if (QLayout* layout = window_->layout()) layout->activate();
    QSize size = base_.expandedTo(window_->sizeHint()).expandedTo(window_->minimumSizeHint());
    const QRect area = availableArea(window_);
    if (area.isValid()) size = size.boundedTo(area.size());
    window_->resize(size);
  }

  QWidget* window_;
  WindowLook look_;
  QPointer<QAbstractButton> cancel_;
  QPointer<QAbstractButton> enter_;
  QSize base_;
};

// Keeps a list's highlight and its current line one and the same.
class ChoiceListKeys : public QObject {
 public:
  ChoiceListKeys(QListWidget* list, std::function<void()> take)
      : QObject(list), list_(list), take_(std::move(take)) {
    setObjectName(QStringLiteral("talvaronChoiceList"));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->installEventFilter(this);
    QObject::connect(list, &QListWidget::currentRowChanged, this, [this](int row) {
      if (row >= 0 && !list_->item(row)->isSelected()) list_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    });
    QObject::connect(list, &QListWidget::itemSelectionChanged, this, [this] {
      if (list_->selectedItems().isEmpty() && list_->currentRow() >= 0)
        list_->selectionModel()->clearCurrentIndex();
    });
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != list_) return false;
    if (event->type() == QEvent::FocusIn && list_->currentRow() < 0) {
      // The view would make its first line current (framed as if chosen)
      // without choosing it: the list only repaints.
      list_->viewport()->update();
      return true;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (SelectFromNothing(list_, key)) return true;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && take_) {
      take_();
      return true;
    }
    return false;
  }

 private:
  QListWidget* list_;
  std::function<void()> take_;
};

Styler* stylerOf(QWidget* window) {
  return static_cast<Styler*>(window->findChild<QObject*>(kStylerName, Qt::FindDirectChildrenOnly));
}

}  // namespace

QStringList FallbackFamilies(const QString& windowsName) { return isMonoName(windowsName) ? kMonoFamilies : kSansFamilies; }

QString FamilyFor(const QString& windowsName) {
  static QHash<QString, QString> resolved;
  const bool mono = isMonoName(windowsName);
  const QString key = mono ? QStringLiteral("mono") : QStringLiteral("sans");
  if (const auto it = resolved.constFind(key); it != resolved.constEnd()) return *it;
  const QStringList installed = QFontDatabase::families();
  QString family;
  for (const QString& candidate : FallbackFamilies(windowsName))
    if (installed.contains(candidate, Qt::CaseInsensitive)) {
      family = candidate;
      break;
    }
  if (family.isEmpty())
    family = QFontDatabase::systemFont(mono ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont).family();
  resolved.insert(key, family);
  return family;
}

QFont FontFor(const QString& windowsName, int pointSize, bool bold) {
  QFont font = QGuiApplication::font();
  const QString family = FamilyFor(windowsName);
  font.setFamilies({family});
  font.setFamily(family);
  font.setStyleHint(isMonoName(windowsName) ? QFont::TypeWriter : QFont::SansSerif);
  if (pointSize > 0) font.setPointSize(pointSize);
  font.setBold(bold);
  return font;
}

void StyleWindow(QWidget* window, const WindowLook& look) {
  delete window->findChild<QObject*>(kStylerName, Qt::FindDirectChildrenOnly);
  new Styler(window, look);
  // A main window whose controls do not grow keeps them together, at their
  // own size, in the middle of a larger (maximised) window.
  auto* main = qobject_cast<QMainWindow*>(window);
  if (main && main->centralWidget() && !growsWithTheWindow(window) &&
      main->centralWidget()->objectName() != kHolderName) {
    QWidget* content = main->takeCentralWidget();
    auto* holder = new QWidget;
    holder->setObjectName(kHolderName);
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(content, 0, 0, Qt::AlignCenter);
    main->setCentralWidget(holder);
  }
  // The font now, so that sizes computed before the first show are right.
  window->setFont(FontFor(look.font, look.pointSize));
}

void FitTextArea(QPlainTextEdit* area, const QString& text) {
  const QFontMetrics metrics(area->font());
  const int margins = 2 * (area->frameWidth() + static_cast<int>(area->document()->documentMargin())) + 8;
  const int bar = area->verticalScrollBar()->sizeHint().width();
  QSize limit(metrics.averageCharWidth() * 72, metrics.lineSpacing() * 30);
  const QRect screen = availableArea(area->window());
  if (screen.isValid()) limit = limit.boundedTo(QSize(screen.width() * 4 / 5, screen.height() * 4 / 5));
  const QString plain = PlainLines(text);
  int width = 0;
  for (const QString& line : plain.split(QLatin1Char('\n'))) width = std::max(width, metrics.horizontalAdvance(line));
  width = std::min(width + 2, limit.width() - margins - bar);
  const int height = metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, plain).height();
  const QSize wanted = QSize(width + margins + bar, height + margins).boundedTo(limit);
  area->setFixedSize(wanted.expandedTo(QSize(240, 3 * metrics.lineSpacing())));
}

void SetCreamBackground(QWidget* window) {
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, QColor(0xFF, 0xFB, 0xF0));
  window->setPalette(palette);
  window->setAutoFillBackground(true);
}

void CentreOnScreen(QWidget* window) {
  const QRect area = availableArea(window);
  if (!area.isValid()) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(area.center());
  window->move(frame.topLeft());
}

QMargins KnownFrame(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect inside = window->geometry();
  return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
          frame.bottom() - inside.bottom()};
}

namespace {

bool framedByTheSystem(const QWidget* window) {
  const Qt::WindowType type = window->windowType();
  return window->isWindow() && (type == Qt::Window || type == Qt::Dialog) &&
         !window->windowFlags().testFlag(Qt::FramelessWindowHint);
}

}  // namespace

QMargins WindowFrame(const QWidget* window) {
  if (!framedByTheSystem(window)) return {};
  if (const QMargins own = KnownFrame(window); !own.isNull()) return own;
  QMargins widest;
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other == window || !other->isVisible() || !framedByTheSystem(other)) continue;
    const QMargins m = KnownFrame(other);
    widest = QMargins(std::max(widest.left(), m.left()), std::max(widest.top(), m.top()),
                      std::max(widest.right(), m.right()), std::max(widest.bottom(), m.bottom()));
  }
  if (!widest.isNull()) return widest;
  // No framed window to go by: a title bar of about two lines of text and
  // thin borders, what the usual window managers draw.
  const int line = QFontMetrics(QApplication::font()).height();
  return {4, 2 * line + 4, 4, 4};
}

QString WithClubName(const QString& caption) {
  return ClubName.isEmpty() ? caption : caption + QStringLiteral(" - ") + ClubName;
}

QPushButton* MakeButton(const QString& name, const QString& text, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  return b;
}

QString PlainLines(const QString& text) {
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return lines;
}

bool SelectFromNothing(QListWidget* list, int key) {
  if (list->count() == 0 || !list->selectedItems().isEmpty()) return false;
  switch (key) {
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
    case Qt::Key_Home:
      list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
      return true;
    case Qt::Key_End:
      list->setCurrentRow(list->count() - 1, QItemSelectionModel::ClearAndSelect);
      return true;
    default:
      return false;
  }
}

void SetEnterButton(QWidget* window, QAbstractButton* button) {
  if (Styler* styler = stylerOf(window)) styler->setEnterButton(button);
}

void MakeChoiceList(QListWidget* list, std::function<void()> take) {
  delete list->findChild<QObject*>(QStringLiteral("talvaronChoiceList"), Qt::FindDirectChildrenOnly);
  new ChoiceListKeys(list, std::move(take));
}

void StartChoiceAt(QListWidget* list, int row) {
  if (row >= 0 && row < list->count() && (list->item(row)->flags() & Qt::ItemIsSelectable)) {
    list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    list->scrollToItem(list->item(row));
  } else {
    list->clearSelection();
    list->selectionModel()->clearCurrentIndex();
  }
}

int ChosenRow(const QListWidget* list) {
  const int row = list->currentRow();
  return row >= 0 && list->item(row)->isSelected() ? row : -1;
}

}  // namespace ui
