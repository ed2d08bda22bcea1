#include "nav/ui/GpsConfigDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "nav/ui/GpsSentenceView.h"

namespace hx {

namespace {

QComboBox* listBox(const QString& name, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    return c;
}

template <typename Entries>
void fill(QComboBox* c, const Entries& entries) {
    for (const char* e : entries) c->addItem(QString::fromLatin1(e));
}

QSpinBox* portSpin(const QString& name, QWidget* parent) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(1, 65535);
    s->setKeyboardTracking(false);
    return s;
}

constexpr GpsSourceKind kSourceOrder[] = {GpsSourceKind::Serial, GpsSourceKind::Gpsd, GpsSourceKind::Udp};

}  // namespace

CGPSConfigDlg::CGPSConfigDlg(GpsConfigContext context, QWidget* parent) : QDialog(parent), ctx_(std::move(context)) {
    setWindowTitle(QString::fromLatin1(kGpsConfigTitle));
    setModal(false);
    buildControls();
    connectControls();
    model_.load(ctx_.settings, GpsPortListModel{});
    syncFromModel();
}

void CGPSConfigDlg::buildControls() {
    source_ = listBox(QStringLiteral("comboSource"), this);
    source_->addItems({QStringLiteral("Serial port"), QStringLiteral("gpsd"), QStringLiteral("UDP NMEA")});
    port_ = listBox(QStringLiteral("combo1133"), this);
    port_->setEditable(true);
    port_->setInsertPolicy(QComboBox::NoInsert);
    port_->setMinimumContentsLength(16);
    baud_ = listBox(QStringLiteral("combo1211"), this);
    for (const GpsListEntry& e : kBaudRateEntries) baud_->addItem(QString::fromLatin1(e.text), e.value);
    parity_ = listBox(QStringLiteral("combo1135"), this);
    fill(parity_, kParityEntries);
    dataBits_ = listBox(QStringLiteral("combo1221"), this);
    fill(dataBits_, kDataBitsEntries);
    stopBits_ = listBox(QStringLiteral("combo1136"), this);
    fill(stopBits_, kStopBitsEntries);
    flow_ = listBox(QStringLiteral("combo1222"), this);
    fill(flow_, kFlowControlEntries);
    sentences_ = listBox(QStringLiteral("combo1134"), this);
    fill(sentences_, kSentenceEntries);

    interval_ = new QLineEdit(this);
    interval_->setObjectName(QStringLiteral("edit1068"));
    interval_->setValidator(new QIntValidator(100, 2000, interval_));
    interval_->setMaximumWidth(70);
    intervalSpin_ = new QSpinBox(this);
    intervalSpin_->setObjectName(QStringLiteral("spin1212"));
    intervalSpin_->setRange(2, 20);
    intervalSpin_->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    intervalSpin_->setMaximumWidth(50);

    gpsdHost_ = new QLineEdit(this);
    gpsdHost_->setObjectName(QStringLiteral("editGpsdHost"));
    gpsdPort_ = portSpin(QStringLiteral("spinGpsdPort"), this);
    udpAddress_ = new QLineEdit(this);
    udpAddress_->setObjectName(QStringLiteral("editUdpAddress"));
    udpPort_ = portSpin(QStringLiteral("spinUdpPort"), this);

    quality_ = new QLineEdit(this);
    quality_->setObjectName(QStringLiteral("edit1004"));
    quality_->setReadOnly(true);
    satellites_ = new QLineEdit(this);
    satellites_->setObjectName(QStringLiteral("edit1104"));
    satellites_->setReadOnly(true);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("button1"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("button2"));
    default_ = new QPushButton(QStringLiteral("Default"), this);
    default_->setObjectName(QStringLiteral("button5"));
    apply_ = new QPushButton(QStringLiteral("Apply"), this);
    apply_->setObjectName(QStringLiteral("button7"));

    sentenceView_ = new GpsSentenceView(this);
    sentenceView_->setObjectName(QStringLiteral("sentenceView"));

    auto* line = new QGroupBox(QStringLiteral("Com Port Settings"), this);
    auto* grid = new QGridLayout(line);
    auto row = [&](int r, const char* label, QWidget* w, int col = 0) {
        grid->addWidget(new QLabel(QString::fromLatin1(label), line), r, col);
        grid->addWidget(w, r, col + 1);
    };
    row(0, "Source:", source_);
    row(1, "Com Port:", port_);
    row(2, "Baud Rate:", baud_);
    row(3, "Parity:", parity_);
    row(1, "Data Bits:", dataBits_, 2);
    row(2, "Stop Bits:", stopBits_, 2);
    row(3, "Flow Control:", flow_, 2);
    row(4, "gpsd Server:", gpsdHost_);
    row(4, "Port:", gpsdPort_, 2);
    row(5, "UDP Address:", udpAddress_);
    row(5, "Port:", udpPort_, 2);

    auto* nmea = new QGroupBox(QStringLiteral("NMEA"), this);
    auto* nmeaGrid = new QGridLayout(nmea);
    nmeaGrid->addWidget(new QLabel(QStringLiteral("Select NMEA Sentences:"), nmea), 0, 0);
    nmeaGrid->addWidget(sentences_, 0, 1, 1, 3);
    nmeaGrid->addWidget(new QLabel(QStringLiteral("GPS Output Time:"), nmea), 1, 0);
    nmeaGrid->addWidget(interval_, 1, 1);
    nmeaGrid->addWidget(intervalSpin_, 1, 2);
    nmeaGrid->addWidget(new QLabel(QStringLiteral("msec"), nmea), 1, 3);
    nmeaGrid->addWidget(new QLabel(QStringLiteral("GPS Quality / Status"), nmea), 2, 0);
    nmeaGrid->addWidget(quality_, 2, 1, 1, 3);
    nmeaGrid->addWidget(new QLabel(QStringLiteral("Number of Satellites in Use"), nmea), 3, 0);
    nmeaGrid->addWidget(satellites_, 3, 1, 1, 3);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {ok_, cancel_, default_, apply_}) buttons->addWidget(b);
    buttons->addStretch();

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(line);
    left->addWidget(nmea);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(new QLabel(QStringLiteral("Received NMEA Sentences:"), this));
    layout->addWidget(sentenceView_, 1);
}

void CGPSConfigDlg::connectControls() {
    connect(source_, &QComboBox::activated, this, [this](int i) {
        if (i < 0 || i > 2) return;
        model_.selectSource(kSourceOrder[i]);
        syncFromModel();
    });
    connect(port_, &QComboBox::activated, this, [this](int i) {
        model_.selectPort(i);
        syncFromModel();
    });
    connect(port_->lineEdit(), &QLineEdit::editingFinished, this, &CGPSConfigDlg::portTextEntered);
    auto onList = [this](QComboBox* c, void (GpsConfigModel::*select)(int)) {
        connect(c, &QComboBox::activated, this, [this, select](int i) {
            (model_.*select)(i);
            syncFromModel();
        });
    };
    onList(baud_, &GpsConfigModel::selectBaud);
    onList(parity_, &GpsConfigModel::selectParity);
    onList(dataBits_, &GpsConfigModel::selectDataBits);
    onList(stopBits_, &GpsConfigModel::selectStopBits);
    onList(sentences_, &GpsConfigModel::selectSentence);
    connect(gpsdHost_, &QLineEdit::editingFinished, this, [this] {
        model_.setGpsdServer(gpsdHost_->text().trimmed().toStdString(), gpsdPort_->value());
        syncFromModel();
    });
    connect(gpsdPort_, &QSpinBox::valueChanged, this, [this](int v) {
        model_.setGpsdServer(gpsdHost_->text().trimmed().toStdString(), v);
        syncFromModel();
    });
    connect(udpAddress_, &QLineEdit::editingFinished, this, [this] {
        model_.setUdpListen(udpAddress_->text().trimmed().toStdString(), udpPort_->value());
        syncFromModel();
    });
    connect(udpPort_, &QSpinBox::valueChanged, this, [this](int v) {
        model_.setUdpListen(udpAddress_->text().trimmed().toStdString(), v);
        syncFromModel();
    });
    connect(intervalSpin_, &QSpinBox::valueChanged, this, [this](int v) {
        const int step = v - lastSpin_;
        lastSpin_ = v;
        if (step == 0) return;
        const int ms = GpsConfigModel::stepReadInterval(ctx_.settings, step);
        syncFromModel();
        emit readIntervalChanged(ms);
    });
    connect(interval_, &QLineEdit::editingFinished, this, [this] {
        if (GpsConfigModel::typeReadInterval(ctx_.settings, interval_->text().toInt()))
            emit readIntervalChanged(ctx_.settings.gpsReadInterval);
        syncFromModel();
    });
    connect(ok_, &QPushButton::clicked, this, [this] { finish(false); });
    connect(apply_, &QPushButton::clicked, this, [this] { finish(true); });
    connect(cancel_, &QPushButton::clicked, this, &CGPSConfigDlg::reject);
    connect(default_, &QPushButton::clicked, this, [this] {
        model_.defaults();
        syncFromModel();
    });
}

void CGPSConfigDlg::portTextEntered() {
    const std::string text = port_->currentText().trimmed().toStdString();
    if (text.empty() || text == model_.working().gpsDevice) return;
    const auto& devices = model_.ports().devices;
    const auto it = std::find(devices.begin(), devices.end(), text);
    if (it != devices.end())
        model_.selectPort(static_cast<int>(it - devices.begin()));
    else
        model_.typePort(text);
    syncFromModel();
}

void CGPSConfigDlg::syncFromModel() {
    const GpsSettings& w = model_.working();
    const QSignalBlocker b0(source_), b1(port_), b2(baud_), b3(parity_), b4(dataBits_), b5(stopBits_),
        b6(sentences_), b7(intervalSpin_), b8(gpsdPort_), b9(udpPort_);
    for (int i = 0; i < 3; ++i)
        if (kSourceOrder[i] == w.gpsSource) source_->setCurrentIndex(i);

    const auto& ports = model_.ports();
    QStringList entries;
    for (const std::string& d : ports.devices) entries << QString::fromStdString(d);
    QStringList current;
    for (int i = 0; i < port_->count(); ++i) current << port_->itemText(i);
    if (current != entries) {
        port_->clear();
        port_->addItems(entries);
    }
    port_->lineEdit()->setPlaceholderText(QString::fromStdString(ports.placeholder()));
    const QString device = QString::fromStdString(w.gpsDevice);
    const int listed = port_->findText(device);
    if (listed >= 0) port_->setCurrentIndex(listed);
    port_->setEditText(device);

    baud_->setCurrentIndex(model_.baudIndex());
    parity_->setCurrentIndex(model_.parityIndex());
    dataBits_->setCurrentIndex(model_.dataBitsIndex());
    stopBits_->setCurrentIndex(model_.stopBitsIndex());
    flow_->setCurrentIndex(0);
    sentences_->setCurrentIndex(model_.sentenceIndex());

    const bool serial = w.gpsSource == GpsSourceKind::Serial;
    for (QWidget* c : {static_cast<QWidget*>(port_), static_cast<QWidget*>(baud_), static_cast<QWidget*>(parity_),
                       static_cast<QWidget*>(dataBits_), static_cast<QWidget*>(stopBits_), static_cast<QWidget*>(flow_)})
        c->setEnabled(serial);
    gpsdHost_->setEnabled(w.gpsSource == GpsSourceKind::Gpsd);
    gpsdPort_->setEnabled(w.gpsSource == GpsSourceKind::Gpsd);
    udpAddress_->setEnabled(w.gpsSource == GpsSourceKind::Udp);
    udpPort_->setEnabled(w.gpsSource == GpsSourceKind::Udp);
    if (!gpsdHost_->hasFocus()) gpsdHost_->setText(QString::fromStdString(w.gpsdHost));
    gpsdPort_->setValue(w.gpsdPort);
    if (!udpAddress_->hasFocus()) udpAddress_->setText(QString::fromStdString(w.udpAddress));
    udpPort_->setValue(w.udpPort);

    lastSpin_ = GpsConfigModel::spinPosition(ctx_.settings);
    intervalSpin_->setValue(lastSpin_);
    lastSpin_ = intervalSpin_->value();
    interval_->setText(QString::number(ctx_.settings.gpsReadInterval));

    apply_->setEnabled(model_.applyEnabled());
    sentenceView_->setSentenceSelection(ctx_.settings.gpsType);
}

void CGPSConfigDlg::refill() {
    std::vector<ProbedPort> probed;
    if (ctx_.probePorts) probed = ctx_.probePorts();
    const bool inUse = ctx_.portInUse && ctx_.portInUse();
    model_.load(ctx_.settings, buildGpsPortList(probed, ctx_.settings.gpsDevice, inUse));
    syncFromModel();
}

void CGPSConfigDlg::showReadDiagnostics(const GpsSnapshot& snapshot) {
    quality_->setText(QString::fromStdString(snapshot.qualityText));
    satellites_->setText(QString::number(snapshot.satellitesInUse));
    sentenceView_->setSentenceSelection(ctx_.settings.gpsType);
    sentenceView_->setHistory(snapshot.sentenceHistory, snapshot.historyCount);
}

void CGPSConfigDlg::finish(bool apply) {
    // A path still being typed counts.
    portTextEntered();
    const GpsApplyOutcome out = model_.accept(ctx_.settings, apply);
    if (out.changed && !(ctx_.playbackMode && ctx_.playbackMode())) emit reopenRequested();
    syncFromModel();
    if (out.closeDialog) hide();
}

void CGPSConfigDlg::reject() {
    model_.cancel(ctx_.settings);
    syncFromModel();
    hide();
}

void CGPSConfigDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    refill();
}

}  // namespace hx
