// The main frame's two status bars of 23 panes each: fixed labels, value
// panes refreshed by the status update, free text panes, and the stretch
// pane of the first bar that shows command prompts.
#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QLabel;

namespace hx {

enum class StatusPane {
    Prompt,        // first bar's stretch pane
    Zoom, Gain, Temperature, Depth, Text1, Longitude, HeadingText, Text2,
    Text3, Target, Pitch, Roll, Heading, Text4, Latitude, Speed, Text5,
    Count
};

class StatusPanes : public QWidget {
    Q_OBJECT
public:
    explicit StatusPanes(QWidget* parent = nullptr);

    void setText(StatusPane pane, const QString& text);
    QString text(StatusPane pane) const;
    // A pane in alarm shows on red, whatever the window theme.
    void setAlarm(StatusPane pane, bool alarm);
    bool alarm(StatusPane pane) const;
    // At night a pane in alarm is a dark red that keeps the eyes adapted.
    void setNight(bool night);
    // Number of panes in bar 0 or 1 (always 23).
    int paneCount(int bar) const { return paneCounts_[static_cast<std::size_t>(bar)]; }

private:
    std::array<QLabel*, static_cast<std::size_t>(StatusPane::Count)> values_{};
    std::array<int, 2> paneCounts_{};
    bool night_ = false;
};

}  // namespace hx
