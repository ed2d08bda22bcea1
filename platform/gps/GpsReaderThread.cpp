#include "platform/gps/GpsReaderThread.h"

#include "platform/gps/CReadGPSData.h"

namespace hx {

void registerGpsMetaTypes() {
    qRegisterMetaType<GpsSnapshot>("hx::GpsSnapshot");
    qRegisterMetaType<GpsSettings>("hx::GpsSettings");
    qRegisterMetaType<GpsPortState>("hx::GpsPortState");
}

GpsReaderThread::GpsReaderThread(INotifier* notifier, QObject* parent) : QObject(parent), notifier_(notifier) {
    registerGpsMetaTypes();
    thread_.setObjectName(QStringLiteral("GPS reader"));
}

GpsReaderThread::~GpsReaderThread() {
    if (worker_) {
        if (thread_.isRunning()) QMetaObject::invokeMethod(worker_, &CReadGPSData::shutdown, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
        delete worker_;
    }
}

void GpsReaderThread::start() {
    if (worker_) return;
    worker_ = new CReadGPSData;
    worker_->moveToThread(&thread_);
    connect(this, &GpsReaderThread::readRequested, worker_, &CReadGPSData::ReadGpsData);
    connect(this, &GpsReaderThread::reopenRequested, worker_, &CReadGPSData::ReopenGpsPort);
    connect(this, &GpsReaderThread::closeRequested, worker_, &CReadGPSData::CloseGpsPorts);
    connect(this, &GpsReaderThread::resetRequested, worker_, &CReadGPSData::ResetGpsData);
    connect(this, &GpsReaderThread::sentenceSelectionChanged, worker_, &CReadGPSData::setSentenceSelection);

    connect(worker_, &CReadGPSData::readDone, this, [this](const GpsSnapshot& s) {
        latest_ = s;
        emit readDone(latest_);
    });
    connect(worker_, &CReadGPSData::dataReset, this, [this](const GpsSnapshot& s) {
        latest_ = s;
        emit dataReset(latest_);
    });
    connect(worker_, &CReadGPSData::portReopened, this, &GpsReaderThread::portReopened);
    connect(worker_, &CReadGPSData::message, this, [this](const QString& text) {
        if (notifier_) notifier_->message(text.toStdString(), MessageIcon::Warning);
    });
    thread_.start();
}

void GpsReaderThread::requestRead() { emit readRequested(); }

void GpsReaderThread::ReopenGpsPort(const GpsSettings& settings) { emit reopenRequested(settings); }

void GpsReaderThread::CloseGpsPorts() { emit closeRequested(); }

void GpsReaderThread::ResetGpsData() { emit resetRequested(); }

void GpsReaderThread::setSentenceSelection(int gpsType) { emit sentenceSelectionChanged(gpsType); }

}  // namespace hx
