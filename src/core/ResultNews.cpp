#include "core/ResultNews.h"

#include <QByteArrayView>

#include <algorithm>
#include <vector>

namespace {

std::vector<ResultListener*>& listeners() {
  static std::vector<ResultListener*> added;
  return added;
}

bool added(const ResultListener* listener) {
  const std::vector<ResultListener*>& all = listeners();
  return std::find(all.cbegin(), all.cend(), listener) != all.cend();
}

// Tells the listeners added when the news came, each still added when its
// turn comes.
template <typename Tell>
void tellEach(const Tell& tell) {
  const std::vector<ResultListener*> told = listeners();
  for (ResultListener* listener : told)
    if (added(listener)) tell(*listener);
}

}  // namespace

void AddResultListener(ResultListener& listener) {
  if (!added(&listener)) listeners().push_back(&listener);
}

void RemoveResultListener(ResultListener& listener) { std::erase(listeners(), &listener); }

bool ResultListenerAdded(const char* name) {
  const std::vector<ResultListener*>& all = listeners();
  return std::any_of(all.cbegin(), all.cend(),
                     [name](const ResultListener* l) { return QByteArrayView(l->name()) == QByteArrayView(name); });
}

void TellResultStored(int slot, ResultSheet sheet, ResultOrigin origin) {
  tellEach([&](ResultListener& l) { l.resultStored(slot, sheet, origin); });
}

void TellResultErased(int slot, ResultSheet sheet) {
  tellEach([&](ResultListener& l) { l.resultErased(slot, sheet); });
}

void TellResultAdjusted(int slot, const QString& remark) {
  tellEach([&](ResultListener& l) { l.resultAdjusted(slot, remark); });
}

void TellResultsCounted() {
  tellEach([](ResultListener& l) { l.resultsCounted(); });
}
