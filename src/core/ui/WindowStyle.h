#pragma once
// The look and keyboard of every window, in one place.
//
// Every window calls ui::StyleWindow once, at the end of its constructor:
//
//   ui::StyleWindow(this);                                   // "MS Sans Serif"
//   ui::StyleWindow(this, {.font = QStringLiteral("Comic Sans MS"), .cancelButton = cancel});
//
// and then, each time it is shown:
// - its font is the Windows font named, resolved through one fallback list
//   to an installed readable family (FamilyFor); children that set a font of
//   their own keep its size and weight but take the window's family, or the
//   monospaced one when their font was monospaced: one family per window;
// - push buttons look like buttons (never flat) and take keyboard focus;
//   Enter presses look.enterButton when given, else the focused button,
//   else the default one; Esc presses look.cancelButton when given (a
//   dialog without one is rejected); a key none of these used runs
//   look.onEnter or look.onEscape when given;
// - Tab follows the layout (the order of the layouts' items);
// - the window is sized to its content (never smaller than a size set by the
//   constructor), kept on its screen and centred (unless look.centre is
//   false: a window placing itself); when maximised its controls stay
//   together in the middle unless it holds a text or list area that grows.
// A font for a single control: ui::FontFor("Courier New", 10, true).
#include <QFont>
#include <QMargins>
#include <QString>
#include <QStringList>

#include <functional>

class QAbstractButton;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace ui {

// The installed families tried, in order, for a Windows font name: a plain
// sans-serif for "MS Sans Serif", "Arial", "Comic Sans MS", "Tahoma" and any
// other name; a monospaced one for "Courier New", "Courier" and "Lucida
// Console".
QStringList FallbackFamilies(const QString& windowsName);
// The first installed family of that list (the system's general or fixed
// font's family when none is installed).
QString FamilyFor(const QString& windowsName);
// That family at the size given in points (0: the application's size).
QFont FontFor(const QString& windowsName, int pointSize = 0, bool bold = false);

struct WindowLook {
  QString font = QStringLiteral("MS Sans Serif");
  int pointSize = 0;                        // 0: the application's size
  bool centre = true;                       // centred each time it is shown
  QAbstractButton* cancelButton = nullptr;  // pressed by Esc
  // Pressed by Enter wherever the focus stands, before any control of the
  // window sees the key (a window that gives Enter to one button).
  QAbstractButton* enterButton = nullptr;
  // The window's own Enter and Esc: run when the key reaches the window
  // itself, no control nor the buttons above having used it, whatever
  // Shift, Ctrl or Alt is held; the key goes no further.
  std::function<void()> onEnter = nullptr;
  std::function<void()> onEscape = nullptr;
};
// Gives window the look above; call it once, after the controls are built.
void StyleWindow(QWidget* window, const WindowLook& look = {});

// Gives a read-only text area the size of text (wrapped at about 72
// characters, at most 30 lines and 80 % of the screen; beyond, it scrolls).
void FitTextArea(QPlainTextEdit* area, const QString& text);

// The cream background of the message windows.
void SetCreamBackground(QWidget* window);
// Moves a top-level window to the centre of its screen.
void CentreOnScreen(QWidget* window);
// The frame the window system draws around a top-level window: its own once
// the window system has framed it. Before that (on a window's first display
// the frame is not known yet) the widest frame around the program's other
// framed windows, else a title bar and borders of the usual size, so that a
// window placed before its frame is known still fits its screen with it.
QMargins WindowFrame(const QWidget* window);
// The frame as the window system reports it now: none before it has framed
// the window.
QMargins KnownFrame(const QWidget* window);

// A main window's caption followed by the club's name, when it has one.
QString WithClubName(const QString& caption);

// A push button named name (the name the window's tests find it by).
QPushButton* MakeButton(const QString& name, const QString& text, QWidget* parent);

// A text whose lines end in CR LF (or CR) as a plain text with "\n".
QString PlainLines(const QString& text);

// Gives Enter to button in a window already styled (a button made after
// StyleWindow); nullptr gives Enter back to the focused or default button.
void SetEnterButton(QWidget* window, QAbstractButton* button);

// A list with no line selected: Down, Up, Page Up, Page Down and Home select
// the first line, End the last one (true: the key was used).
bool SelectFromNothing(QListWidget* list, int key);

// Makes list a list to choose from, alike in every window: at most one line
// is highlighted and it is always the current line (the selection follows
// the current line; a cleared selection leaves no current line, so no line
// looks chosen when none is, even once the list has the focus). From no
// line, Down, Up, Page Up, Page Down and Home highlight the first line, End
// the last one; then the arrows move the highlight. Enter calls take (when
// none is given the key goes on to the window's default button).
void MakeChoiceList(QListWidget* list, std::function<void()> take = {});
// Highlights row as the list opens (0-based; -1 or out of range: none).
void StartChoiceAt(QListWidget* list, int row);
// The highlighted row, -1 when none.
int ChosenRow(const QListWidget* list);

}  // namespace ui
