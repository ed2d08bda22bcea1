// The modeless diagnostics window: eleven read-only fields with the raw state
// of every head and four with each head's link health, "n/a" until the first
// refresh. The main frame's accelerators
// keep working while it has the focus.
#pragma once

#include <QDialog>

#include <array>

#include "link/DiagnosticsText.h"

class QLineEdit;

namespace hx {

inline constexpr std::size_t kDiagnosticsFields = 15;

class CDiagnosticsDlg : public QDialog {
    Q_OBJECT
public:
    // accelerators: the main frame's actions that carry shortcuts.
    CDiagnosticsDlg(const QList<QAction*>& accelerators, QWidget* parent = nullptr);

    void refresh(const DiagnosticsTexts& texts);
    const DiagnosticsTexts& texts() const { return texts_; }
    QString fieldText(const QString& label) const;

private:
    DiagnosticsTexts texts_;
    std::array<QLineEdit*, kDiagnosticsFields> fields_{};
};

}  // namespace hx
