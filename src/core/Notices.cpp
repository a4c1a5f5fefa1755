#include "core/Notices.h"

#include <QHash>

namespace ui {
namespace {

struct NoticeWindow {
  std::function<void(const QString&)> show;
  std::function<void()> hide;
};

QHash<QString, NoticeWindow>& noticeWindows() {
  static QHash<QString, NoticeWindow> windows;
  return windows;
}

}  // namespace

void ShowNotice(const QString& form, const QString& text) {
  const NoticeWindow w = noticeWindows().value(form);
  if (w.show) w.show(text);
}

void HideNotice(const QString& form) {
  const NoticeWindow w = noticeWindows().value(form);
  if (w.hide) w.hide();
}

void RegisterNoticeWindow(const QString& form, std::function<void(const QString&)> show, std::function<void()> hide) {
  noticeWindows().insert(form, NoticeWindow{std::move(show), std::move(hide)});
}

}  // namespace ui
