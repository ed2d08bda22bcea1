#include "platform/QtFileDialogPort.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace hx {

namespace {

QStringList filtersOf(const std::string& filter) {
    return QString::fromStdString(filter).split(QStringLiteral(";;"), Qt::SkipEmptyParts);
}

QString q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QString filterForIndex(const QStringList& filters, int filterIndex) {
    if (filters.isEmpty()) return {};
    if (filterIndex >= 1 && filterIndex <= filters.size()) return filters[filterIndex - 1];
    return filters.front();
}

int indexOfFilter(const QStringList& filters, const QString& chosen, int fallback) {
    const int i = filters.indexOf(chosen);
    return i >= 0 ? i + 1 : fallback;
}

std::optional<std::string> QtFileDialogPort::openFile(const std::string& title, const std::string& filter) {
    const auto choice = openFileFrom(title, filter, FileDialogStart{});
    if (!choice) return std::nullopt;
    return choice->path;
}

std::optional<std::string> QtFileDialogPort::saveFile(const std::string& title, const std::string& filter,
                                                      const std::string& suggestedName) {
    const auto choice = saveFileFrom(title, filter, suggestedName, FileDialogStart{});
    if (!choice) return std::nullopt;
    return choice->path;
}

std::optional<FileDialogChoice> QtFileDialogPort::openFileFrom(const std::string& title, const std::string& filter,
                                                               const FileDialogStart& start) {
    const QStringList filters = filtersOf(filter);
    QString selected = filterForIndex(filters, start.filterIndex);
    const QString path =
        QFileDialog::getOpenFileName(parent_, q(title), q(start.folder), q(filter), &selected);
    if (path.isEmpty()) return std::nullopt;
    return FileDialogChoice{path.toStdString(), indexOfFilter(filters, selected, start.filterIndex)};
}

std::optional<FileDialogChoice> QtFileDialogPort::saveFileFrom(const std::string& title, const std::string& filter,
                                                               const std::string& suggestedName,
                                                               const FileDialogStart& start) {
    const QStringList filters = filtersOf(filter);
    QString selected = filterForIndex(filters, start.filterIndex);
    // A bare suggested name opens in the start folder.
    QString suggested = q(suggestedName);
    if (!start.folder.empty() && !suggested.isEmpty() && QFileInfo(suggested).isRelative())
        suggested = QDir(q(start.folder)).filePath(suggested);
    else if (suggested.isEmpty())
        suggested = q(start.folder);
    const QString path = QFileDialog::getSaveFileName(parent_, q(title), suggested, q(filter), &selected);
    if (path.isEmpty()) return std::nullopt;
    return FileDialogChoice{path.toStdString(), indexOfFilter(filters, selected, start.filterIndex)};
}

}  // namespace hx
