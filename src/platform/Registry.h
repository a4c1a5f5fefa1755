#pragma once
// The one registry value the program touches belongs to the BridgeMates
// control program ("OverrideDBSettings"). Here the current user's registry is
// a small settings file; tests install MemoryRegistry.
#include <QHash>
#include <QString>

#include <optional>

namespace platform {

// The key of the BridgeMates control program's settings (current user).
inline const QString kBridgeMatesSettingsKey = QStringLiteral("Software\\VB and VBA Program Settings\\RFCM\\Settings");
inline const QString kOverrideDbSettingsValue = QStringLiteral("OverrideDBSettings");

// Keys and value names are compared without regard to case, as Windows does.
class Registry {
 public:
  virtual ~Registry() = default;
  virtual bool keyExists(const QString& key) = 0;
  // A string value; nothing when the key or the value is absent.
  virtual std::optional<QString> value(const QString& key, const QString& name) = 0;
  // Writes a value in an existing key; false (nothing written) when the key
  // does not exist: a key is never created here.
  virtual bool setValue(const QString& key, const QString& name, const QString& value) = 0;
  // Creates a key (what the control program does at its first run).
  virtual void createKey(const QString& key) = 0;
  // Where the keys are kept, as the director is told: a file's full name.
  virtual QString location() const = 0;
};

// The installed registry (the settings file until a test installs its own).
Registry& registry();
// Installs an implementation (not owned); nullptr puts the settings file back.
void setRegistry(Registry* implementation);

// The registry kept in a settings file: sections "[key]" holding lines
// "name=value", Windows-1252. The file of the program is
// driveRootFolder() + ".talvaron-registre.ini".
class FileRegistry : public Registry {
 public:
  // An empty path: the program's file, looked up at each call.
  explicit FileRegistry(QString path = {});
  QString path() const;

  bool keyExists(const QString& key) override;
  std::optional<QString> value(const QString& key, const QString& name) override;
  bool setValue(const QString& key, const QString& name, const QString& value) override;
  void createKey(const QString& key) override;
  QString location() const override { return path(); }

 private:
  QString path_;
};

// The registry of the tests, in memory; installs itself for its lifetime.
class MemoryRegistry : public Registry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;
  MemoryRegistry(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;

  bool keyExists(const QString& key) override;
  std::optional<QString> value(const QString& key, const QString& name) override;
  bool setValue(const QString& key, const QString& name, const QString& value) override;
  void createKey(const QString& key) override;
  QString location() const override { return where; }

  QHash<QString, QHash<QString, QString>> keys;  // upper-case key -> upper-case name -> value
  QString where = QStringLiteral("registre.ini");
  int writes = 0;

 private:
  Registry* previous_ = nullptr;
};

}  // namespace platform
