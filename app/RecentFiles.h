// The four most recent data files, most recent first, kept in the per-user
// store under "Corvane" / "Recent File List" as "File1".."File4".
#pragma once

#include <QStringList>

namespace hx {

inline constexpr int kRecentFileCount = 4;

// Puts path at the top: an entry already present moves up, others shift down
// and the fourth drops out.
QStringList withRecentFile(const QStringList& list, const QString& path);

QStringList loadRecentFiles();
void saveRecentFiles(const QStringList& list);

}  // namespace hx
