#include "app/DiskSpacePane.h"

#include <QDir>

#include "record/DiskSpaceWarning.h"
#include "record/FileAccess.h"
#include "record/RecorderState.h"

namespace hx {

namespace {
constexpr int kRefreshMs = 2000;

const char* styleFor(DiskSpaceLevel level) {
    switch (level) {
        case DiskSpaceLevel::Critical: return "QLabel { background: #c62828; color: white; padding: 0 6px; }";
        case DiskSpaceLevel::Low: return "QLabel { background: #f9a825; color: black; padding: 0 6px; }";
        case DiskSpaceLevel::Plenty: break;
    }
    return "QLabel { padding: 0 6px; }";
}
}  // namespace

DiskSpacePane::DiskSpacePane(const RecorderState& recorder, IFileSystem& fs, QWidget* parent)
    : QLabel(parent), recorder_(recorder), fs_(fs) {
    setObjectName(QStringLiteral("diskSpacePane"));
    connect(&timer_, &QTimer::timeout, this, &DiskSpacePane::refresh);
    timer_.start(kRefreshMs);
    refresh();
}

void DiskSpacePane::refresh() {
    std::string where = recorder_.recording ? recorder_.outputPath : recorder_.recordDirectory;
    if (where.empty()) where = QDir::homePath().toStdString();
    const auto freeBytes = fs_.freeSpaceBytes(where);
    if (!freeBytes) {
        setText(QString());
        setToolTip(QString());
        setStyleSheet(QString());
        return;
    }
    const DiskSpaceReport report =
        diskSpaceReport(*freeBytes, recorder_.recording ? recorder_.rate.bytesPerSecond() : std::nullopt);
    setText(QString::fromStdString(report.text));
    setToolTip(QString::fromStdString(where));
    setStyleSheet(QLatin1String(styleFor(report.level)));
}

}  // namespace hx
