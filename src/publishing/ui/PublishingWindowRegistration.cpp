#include "publishing/ui/PublishingWindowRegistration.h"

#include "core/FormNames.h"
#include "core/ui/WindowInteraction.h"
#include "publishing/ui/DiagramOptionsWindow.h"
#include "publishing/ui/DiagramsWindow.h"
#include "publishing/ui/HandRecordsPrinter.h"
#include "publishing/ui/PbnFileChoiceWindow.h"
#include "publishing/ui/PublishingQuestionWindows.h"

void RegisterPublishingWindows() {
  RegisterPublishingDialogs();
  ui::InstallHandRecordsPrinter();
  ui::RegisterChoiceWindow(forms::Diagrams, [](const ui::Choice& c) {
    TForm64 window;
    return window.ask(c.text, c.extra.value(QStringLiteral("diagrams")).toStringList());
  });
  ui::RegisterListWindow(forms::PbnFileChoice, [](const ui::ListChoice& c) {
    TForm85 window;
    return window.ask(c);
  });
  ui::RegisterChoiceWindow(forms::DiagramOptions, [](const ui::Choice&) {
    TForm107 window;
    window.exec();
    return 0;
  });
}
