#include "app/StatusPanes.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace hx {

namespace {

// One pane of a bar: a fixed label, a value pane, a spacer or the stretch.
struct PaneSpec {
    enum Kind { Stretch, Label, Value, Spacer } kind;
    const char* text;         // label text or a value's initial text
    StatusPane pane;          // value panes
    int minWidth;
};

constexpr PaneSpec kFirstBar[] = {
    {PaneSpec::Stretch, "", StatusPane::Prompt, 0},
    {PaneSpec::Label, "Zoom:", StatusPane::Count, 0},
    {PaneSpec::Value, "", StatusPane::Zoom, 44},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Label, "Gain:", StatusPane::Count, 0},
    {PaneSpec::Value, "", StatusPane::Gain, 70},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Label, "Temp:", StatusPane::Count, 0},
    {PaneSpec::Value, "", StatusPane::Temperature, 54},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Label, "Depth:", StatusPane::Count, 0},
    {PaneSpec::Value, "", StatusPane::Depth, 60},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Value, "", StatusPane::Text1, 60},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Label, "Long:", StatusPane::Count, 0},
    {PaneSpec::Value, "", StatusPane::Longitude, 110},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Label, "Heading:", StatusPane::Count, 0},
    {PaneSpec::Value, "", StatusPane::HeadingText, 50},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Value, "", StatusPane::Text2, 80},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
};

constexpr PaneSpec kSecondBar[] = {
    {PaneSpec::Stretch, "", StatusPane::Count, 0},
    {PaneSpec::Value, "", StatusPane::Text3, 60},
    {PaneSpec::Value, "Target:", StatusPane::Target, 90},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Label, "Pitch:", StatusPane::Count, 0},
    {PaneSpec::Value, "", StatusPane::Pitch, 44},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Label, "Roll:", StatusPane::Count, 0},
    {PaneSpec::Value, "", StatusPane::Roll, 44},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Label, "Heading:", StatusPane::Count, 0},
    {PaneSpec::Value, "", StatusPane::Heading, 50},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Value, "", StatusPane::Text4, 60},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Label, "Lat:", StatusPane::Count, 0},
    {PaneSpec::Value, "", StatusPane::Latitude, 110},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Label, "Speed:", StatusPane::Count, 0},
    {PaneSpec::Value, "", StatusPane::Speed, 50},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
    {PaneSpec::Value, "", StatusPane::Text5, 80},
    {PaneSpec::Spacer, "", StatusPane::Count, 6},
};

}  // namespace

StatusPanes::StatusPanes(QWidget* parent) : QWidget(parent) {
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(2, 0, 2, 0);
    rows->setSpacing(1);
    auto addBar = [&](const auto& specs, int bar) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        int count = 0;
        for (const PaneSpec& spec : specs) {
            auto* label = new QLabel(QString::fromLatin1(spec.text), this);
            label->setMinimumWidth(spec.minWidth);
            if (spec.kind == PaneSpec::Value || spec.kind == PaneSpec::Stretch) {
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                if (spec.pane != StatusPane::Count) values_[static_cast<std::size_t>(spec.pane)] = label;
            }
            row->addWidget(label, spec.kind == PaneSpec::Stretch ? 1 : 0);
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

QString StatusPanes::text(StatusPane pane) const {
    const QLabel* label = values_[static_cast<std::size_t>(pane)];
    return label ? label->text() : QString();
}

}  // namespace hx
