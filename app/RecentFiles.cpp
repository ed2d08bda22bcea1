#include "app/RecentFiles.h"

#include <QSettings>

namespace hx {

namespace {
constexpr const char* kGroup = "Recent File List";
}

QStringList withRecentFile(const QStringList& list, const QString& path) {
    QStringList out{path};
    for (const QString& p : list)
        if (p != path && !p.isEmpty() && out.size() < kRecentFileCount) out.append(p);
    return out;
}

QStringList loadRecentFiles() {
    QSettings store(QStringLiteral("Corvane"), QStringLiteral("HX642"));
    store.beginGroup(QLatin1String(kGroup));
    QStringList list;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString p = store.value(QStringLiteral("File%1").arg(i)).toString();
        if (!p.isEmpty()) list.append(p);
    }
    return list;
}

void saveRecentFiles(const QStringList& list) {
    QSettings store(QStringLiteral("Corvane"), QStringLiteral("HX642"));
    store.beginGroup(QLatin1String(kGroup));
    for (int i = 1; i <= kRecentFileCount; ++i)
        store.setValue(QStringLiteral("File%1").arg(i), i <= list.size() ? list[i - 1] : QString());
}

}  // namespace hx
