#include "platform/Registry.h"

#include "platform/Folders.h"
#include "platform/TextFiles.h"

#include <QList>
#include <QPair>

namespace platform {
namespace {

struct Section {
  QString key;
  QList<QPair<QString, QString>> values;
};

QList<Section> readSections(const QString& path) {
  QList<Section> sections;
  const auto lines = tryReadTextLines(path);
  if (!lines) return sections;
  for (const QString& raw : *lines) {
    const QString line = raw.trimmed();
    if (line.startsWith('[') && line.endsWith(']')) {
      sections.append({line.mid(1, line.size() - 2), {}});
    } else if (!sections.isEmpty() && line.contains('=')) {
      const qsizetype eq = raw.indexOf('=');
      sections.last().values.append({raw.left(eq).trimmed(), raw.mid(eq + 1)});
    }
  }
  return sections;
}

void writeSections(const QString& path, const QList<Section>& sections) {
  QStringList lines;
  for (const Section& s : sections) {
    lines << '[' + s.key + ']';
    for (const auto& [name, value] : s.values) lines << name + '=' + value;
  }
  writeTextLines(path, lines);
}

Section* findSection(QList<Section>& sections, const QString& key) {
  for (Section& s : sections)
    if (s.key.compare(key, Qt::CaseInsensitive) == 0) return &s;
  return nullptr;
}

FileRegistry programRegistry;
Registry* installed = nullptr;

}  // namespace

Registry& registry() { return installed ? *installed : programRegistry; }

void setRegistry(Registry* implementation) { installed = implementation; }

FileRegistry::FileRegistry(QString path) : path_(std::move(path)) {}

QString FileRegistry::path() const {
  return path_.isEmpty() ? driveRootFolder() + QStringLiteral(".talvaron-registre.ini") : path_;
}

bool FileRegistry::keyExists(const QString& key) {
  QList<Section> sections = readSections(path());
  return findSection(sections, key) != nullptr;
}

std::optional<QString> FileRegistry::value(const QString& key, const QString& name) {
  QList<Section> sections = readSections(path());
  if (const Section* s = findSection(sections, key))
    for (const auto& [n, v] : s->values)
      if (n.compare(name, Qt::CaseInsensitive) == 0) return v;
  return std::nullopt;
}

bool FileRegistry::setValue(const QString& key, const QString& name, const QString& value) {
  QList<Section> sections = readSections(path());
  Section* s = findSection(sections, key);
  if (!s) return false;
  bool replaced = false;
  for (auto& [n, v] : s->values)
    if (n.compare(name, Qt::CaseInsensitive) == 0) {
      v = value;
      replaced = true;
    }
  if (!replaced) s->values.append({name, value});
  writeSections(path(), sections);
  return true;
}

void FileRegistry::createKey(const QString& key) {
  QList<Section> sections = readSections(path());
  if (findSection(sections, key)) return;
  sections.append({key, {}});
  writeSections(path(), sections);
}

MemoryRegistry::MemoryRegistry() : previous_(installed) { setRegistry(this); }

MemoryRegistry::~MemoryRegistry() { setRegistry(previous_); }

bool MemoryRegistry::keyExists(const QString& key) { return keys.contains(key.toUpper()); }

std::optional<QString> MemoryRegistry::value(const QString& key, const QString& name) {
  const auto k = keys.constFind(key.toUpper());
  if (k == keys.constEnd()) return std::nullopt;
  const auto v = k->constFind(name.toUpper());
  if (v == k->constEnd()) return std::nullopt;
  return *v;
}

bool MemoryRegistry::setValue(const QString& key, const QString& name, const QString& value) {
  const auto k = keys.find(key.toUpper());
  if (k == keys.end()) return false;
  k->insert(name.toUpper(), value);
  ++writes;
  return true;
}

void MemoryRegistry::createKey(const QString& key) {
  if (!keys.contains(key.toUpper())) keys.insert(key.toUpper(), {});
}

}  // namespace platform
