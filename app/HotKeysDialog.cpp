#include "app/HotKeysDialog.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hx {

namespace {

struct HotKeyRow {
    const char* command;
    const char* key;
    const char* description;
};

constexpr HotKeyRow kRows[] = {
    {"Connect to sonar head", "Ctrl + N",
     "Establish a Ethernet connection between the sonar head and the control computer."},
    {"Hold", "H", "Display on hold"},
    {"Clear the Screen", "C", "Display on hold"},
    {"Clear", "", ""},
    // Playback: in real time these keys keep their other meanings.
    {"Play / Pause", "Space", "Playback: hold the display or play on"},
    {"Step", "Left / Right", "Playback: one record back or forward"},
    {"Jump", "Shift + Left / Right", "Playback: 100 records back or forward"},
    {"First / Last", "Home / End", "Playback: the first or the last record of the file"},
    {"Play Speed", "+ / -", "Playback: play faster or slower"},
    {"Reverse Playback", "R", "Playback: play backwards or forwards"},
    {"Next Event", "N", "Playback: the next event of the file"},
    {"Previous Event", "P", "Playback: the previous event of the file"},
    {"Night Mode", "Ctrl + Shift + N", "Dark windows and dim red pictures for work at night"},
    {"Night Brighter", "Ctrl + Shift + Up", "Night mode: one brightness step up"},
    {"Night Dimmer", "Ctrl + Shift + Down", "Night mode: one brightness step down"},
};

constexpr int kCommandWidth = 70;
constexpr int kKeyWidth = 70;

}  // namespace

CHelpListDlg::CHelpListDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Hot Keys ..."));
    table_ = new QTableWidget(static_cast<int>(std::size(kRows)), 3, this);
    table_->setHorizontalHeaderLabels({QStringLiteral("Command"), QStringLiteral("Hot Key"), QStringLiteral("Discription")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < static_cast<int>(std::size(kRows)); ++r) {
        const char* texts[] = {kRows[r].command, kRows[r].key, kRows[r].description};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(QString::fromLatin1(texts[c]));
            // The narrow columns cut longer key names short: the whole text on hover.
            item->setToolTip(item->text());
            table_->setItem(r, c, item);
        }
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    // The description column takes whatever width the window gives it.
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    table_->setColumnWidth(0, kCommandWidth);
    table_->setColumnWidth(1, kKeyWidth);
    resize(520, 200);
}

}  // namespace hx
