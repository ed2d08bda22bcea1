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
        table_->setItem(r, 0, new QTableWidgetItem(QString::fromLatin1(kRows[r].command)));
        table_->setItem(r, 1, new QTableWidgetItem(QString::fromLatin1(kRows[r].key)));
        table_->setItem(r, 2, new QTableWidgetItem(QString::fromLatin1(kRows[r].description)));
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
