// The received-sentence area of the GPS configuration dialog: the reader's
// latest sentences on white, one line each 16 pixels, those of the chosen
// sentence selection in blue and the others in black.
#pragma once

#include <QWidget>

#include "nav/GpsFix.h"

namespace hx {

class GpsSentenceView : public QWidget {
    Q_OBJECT
public:
    explicit GpsSentenceView(QWidget* parent = nullptr);

    void setHistory(const GpsSentenceHistory& history, int count);
    void setSentenceSelection(int gpsType);
    const GpsSentenceHistory& history() const { return history_; }

    QSize sizeHint() const override { return {400, 10 * 16 + 8}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    GpsSentenceHistory history_{};
    int count_ = 0;
    int gpsType_ = 0;
};

}  // namespace hx
