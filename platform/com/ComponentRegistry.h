#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace com
{

struct RegisteredClass {
    QString clsid;
    QString progId;
    QString library; // absolute path of the shared library serving the class
};

// The per-user component registry: a text file, one class a line
// ("{CLSID}<TAB>ProgId<TAB>/path/lib.so"). OSTREVO_REGISTRY names the file;
// otherwise it lives in the user's data folder.
class ComponentRegistry
{
public:
    explicit ComponentRegistry(QString fileName = defaultFileName());

    static QString defaultFileName();
    QString fileName() const { return m_fileName; }

    std::vector<RegisteredClass> classes() const;
    std::optional<RegisteredClass> findByProgId(const QString &progId) const;
    std::optional<RegisteredClass> findByClsid(const QString &clsid) const;

    // Both replace the whole file at once, so a failed write loses nothing.
    bool add(const std::vector<RegisteredClass> &entries);
    bool removeLibrary(const QString &library, const std::vector<QString> &clsids);

private:
    bool write(const std::vector<RegisteredClass> &entries) const;
    QString m_fileName;
};

} // namespace com
