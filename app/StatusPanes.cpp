#include "app/StatusPanes.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace hx {

namespace {

// One pane of a bar: a fixed label, a value pane, a spacer or the stretch.
struct PaneLayout {
    enum Kind { Stretch, Label, Value, Spacer } kind;
    const char* text;         // label text or a value's initial text
    StatusPane pane;          // value panes
    int minWidth;
};

constexpr PaneLayout kFirstBar[] = {
    {PaneLayout::Stretch, "", StatusPane::Prompt, 0},
    {PaneLayout::Label, "Zoom:", StatusPane::Count, 0},
    {PaneLayout::Value, "", StatusPane::Zoom, 44},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Label, "Gain:", StatusPane::Count, 0},
    {PaneLayout::Value, "", StatusPane::Gain, 70},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Label, "Temp:", StatusPane::Count, 0},
    {PaneLayout::Value, "", StatusPane::Temperature, 54},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Label, "Depth:", StatusPane::Count, 0},
    {PaneLayout::Value, "", StatusPane::Depth, 60},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Value, "", StatusPane::Text1, 60},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Label, "Long:", StatusPane::Count, 0},
    {PaneLayout::Value, "", StatusPane::Longitude, 110},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Label, "Heading:", StatusPane::Count, 0},
    {PaneLayout::Value, "", StatusPane::HeadingText, 72},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Value, "", StatusPane::Text2, 80},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
};

constexpr PaneLayout kSecondBar[] = {
    {PaneLayout::Stretch, "", StatusPane::Count, 0},
    {PaneLayout::Value, "", StatusPane::Text3, 60},
    {PaneLayout::Value, "Target:", StatusPane::Target, 90},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Label, "Pitch:", StatusPane::Count, 0},
    {PaneLayout::Value, "", StatusPane::Pitch, 44},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Label, "Roll:", StatusPane::Count, 0},
    {PaneLayout::Value, "", StatusPane::Roll, 44},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Label, "Heading:", StatusPane::Count, 0},
    {PaneLayout::Value, "", StatusPane::Heading, 50},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Value, "", StatusPane::Text4, 60},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Label, "Lat:", StatusPane::Count, 0},
    {PaneLayout::Value, "", StatusPane::Latitude, 110},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Label, "Speed:", StatusPane::Count, 0},
    {PaneLayout::Value, "", StatusPane::Speed, 72},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
    {PaneLayout::Value, "", StatusPane::Text5, 80},
    {PaneLayout::Spacer, "", StatusPane::Count, 6},
};

void applyAlarmStyle(QLabel& label, bool alarm, bool night) {
    if (!alarm)
        label.setStyleSheet(QString());
    else if (night)
        label.setStyleSheet(QStringLiteral("QLabel { background: #4a0000; color: #d04040; }"));
    else
        label.setStyleSheet(QStringLiteral("QLabel { background: #c62828; color: white; }"));
}

}  // namespace

StatusPanes::StatusPanes(QWidget* parent) : QWidget(parent) {
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(2, 0, 2, 0);
    rows->setSpacing(1);
    auto addBar = [&](const auto& layouts, int bar) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        int count = 0;
        for (const PaneLayout& layout : layouts) {
            auto* label = new QLabel(QString::fromLatin1(layout.text), this);
            label->setMinimumWidth(layout.minWidth);
            if (layout.kind == PaneLayout::Value || layout.kind == PaneLayout::Stretch) {
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                if (layout.pane != StatusPane::Count) values_[static_cast<std::size_t>(layout.pane)] = label;
            }
            row->addWidget(label, layout.kind == PaneLayout::Stretch ? 1 : 0);
            ++count;
        }
        paneCounts_[static_cast<std::size_t>(bar)] = count;
        rows->addLayout(row);
    };
    addBar(kFirstBar, 0);
    addBar(kSecondBar, 1);
}

void StatusPanes::setText(StatusPane pane, const QString& text) {
    QLabel* label = values_[static_cast<std::size_t>(pane)];
    if (label && label->text() != text) label->setText(text);
}

void StatusPanes::setAlarm(StatusPane pane, bool alarm) {
    QLabel* label = values_[static_cast<std::size_t>(pane)];
    if (!label || label->property("alarm").toBool() == alarm) return;
    label->setProperty("alarm", alarm);
    applyAlarmStyle(*label, alarm, night_);
}

void StatusPanes::setNight(bool night) {
    night_ = night;
    for (QLabel* label : values_)
        if (label) applyAlarmStyle(*label, label->property("alarm").toBool(), night_);
}

bool StatusPanes::alarm(StatusPane pane) const {
    const QLabel* label = values_[static_cast<std::size_t>(pane)];
    return label && label->property("alarm").toBool();
}

QString StatusPanes::text(StatusPane pane) const {
    const QLabel* label = values_[static_cast<std::size_t>(pane)];
    return label ? label->text() : QString();
}

}  // namespace hx
