// The beam coverage window (CBeamCoverView, "HX642 - Beam Coverage"): a
// planning picture independent of the live data. Up/Down pairs for the
// frequency class, range, height and gain (held down they repeat), Meters
// and Feet, Preview and Print, and the values beside them. Printing goes
// through Qt Print Support, so a PDF file works on a machine without a
// printer.
#pragma once

#include <QWidget>

#include <map>

#include "nav/BeamCoverage.h"

class QPrinter;
class QPrintPreviewDialog;
class QPushButton;

namespace hx {

inline constexpr const char* kBeamCoverTitle = "HX642 - Beam Coverage";
inline constexpr const char* kBeamPreviewTitle = "Skerry - Beam Coverage - Print Preview";
inline constexpr const char* kBeamPrintingText = "Printing...";

class CBeamCoverView : public QWidget {
    Q_OBJECT
public:
    explicit CBeamCoverView(QWidget* parent = nullptr);

    const BeamCoverageParams& params() const { return params_; }
    QPushButton* button(int id) const;

    // The page onto a printer (a PDF file, a real printer, the preview),
    // with "Printing..." shown meanwhile.
    void printOn(QPrinter& printer);
    // Prints straight into a PDF file; false when it cannot be written.
    bool printToPdf(const QString& path);
    // The preview dialog, not yet shown; the caller runs or deletes it.
    QPrintPreviewDialog* makePreviewDialog(QPrinter& printer);

public slots:
    void runButton(int id);
    void preview();  // 57609
    void print();    // 57607, Ctrl+P

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeButtons();

    BeamCoverageParams params_;
    std::map<int, QPushButton*> buttons_;
};

}  // namespace hx
