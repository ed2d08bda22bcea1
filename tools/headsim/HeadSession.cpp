#include "tools/headsim/HeadSession.h"

#include "tools/headsim/SimContext.h"
#include "tools/headsim/model/ReplyBuilder.h"
#include "tools/headsim/model/SystemSetup.h"

#include <QTcpSocket>

#include <algorithm>

namespace hx::sim {

namespace {

constexpr std::size_t kMaxQueuedRequests = 8;       // a client that floods us loses the excess
constexpr qint64 kMaxUnsentBytes = 4 * 1024 * 1024; // nor do replies pile up for a client that never reads
constexpr int kSplitGapMs = 25;                     // long enough for two separate segments on loopback
constexpr std::uint8_t kExtraByte = 0xA5;

}  // namespace

HeadSession::HeadSession(QTcpSocket* socket, int head, SimContext& context, QObject* parent)
    : QObject(parent), socket_(socket), head_(head), context_(context), faults_(context.options.faults, head) {
    socket_->setParent(this);
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    replyTimer_.setSingleShot(true);
    replyTimer_.setTimerType(Qt::PreciseTimer);
    splitTimer_.setSingleShot(true);
    splitTimer_.setTimerType(Qt::PreciseTimer);
    connect(&replyTimer_, &QTimer::timeout, this, &HeadSession::sendFirstPart);
    connect(&splitTimer_, &QTimer::timeout, this, &HeadSession::sendRest);
    connect(socket_, &QTcpSocket::readyRead, this, &HeadSession::onReadyRead);
    connect(socket_, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        if (socket_->state() != QAbstractSocket::ConnectedState) deleteLater();
    });
    if (socket_->bytesAvailable() > 0) onReadyRead();
}

void HeadSession::finish() {
    closing_ = true;
    replyTimer_.stop();
    splitTimer_.stop();
    socket_->flush();
    socket_->disconnectFromHost();
}

void HeadSession::onReadyRead() {
    while (socket_->bytesAvailable() > 0) {
        const qint64 n = socket_->read(readBuffer_.data(), static_cast<qint64>(readBuffer_.size()));
        if (n <= 0) break;
        framer_.push({reinterpret_cast<const std::uint8_t*>(readBuffer_.data()), static_cast<std::size_t>(n)});
        while (auto message = framer_.next()) {
            const auto request = parseCommand(*message);
            if (!request || closing_) {
                ++context_.ignoredCommands;
                continue;
            }
            if (queue_.size() >= kMaxQueuedRequests) queue_.pop_front();
            queue_.push_back(*request);
        }
    }
    serve();
}

void HeadSession::serve() {
    if (serving_) return;  // completeReply() called from inside the loop below
    serving_ = true;
    while (!busy_ && !closing_ && !queue_.empty()) {
        const HeadRequest request = queue_.front();
        queue_.pop_front();
        int delayMs = 0;
        if (!prepare(request, &delayMs)) continue;
        busy_ = true;
        if (delayMs > 0) replyTimer_.start(delayMs);
        else sendFirstPart();
    }
    serving_ = false;
}

// Builds the reply to a request in out_; false when the head does not answer it.
bool HeadSession::prepare(const HeadRequest& request, int* delayMs) {
    if (socket_->bytesToWrite() > kMaxUnsentBytes) return false;
    std::size_t replyBytes = 0;
    if (request.kind == HeadRequest::Kind::SystemInfo) {
        if (!faults_.answersSystemInfo()) return false;
        std::copy(context_.systemInfo.begin(), context_.systemInfo.end(), out_.begin());
        replyBytes = kSystemInfoBytes;
        replyFaults_ = faults_.nextReply(false, replyBytes);
        *delayMs = faults_.extraDelayMs();
        ++context_.systemInfoReplies;
    } else {
        if (!faults_.answersData() || silenced_) return false;
        if (!request.secondHalf && context_.pingLimitReached(head_)) {
            closing_ = true;
            emit pingLimitReached();
            return false;
        }
        const double nowS = context_.elapsedS();
        const HeadLines& lines = request.secondHalf ? context_.world.secondHalf(head_, request, nowS)
                                                    : context_.world.firstHalf(head_, request, nowS);
        replyBytes = kDataReplyBytes;
        replyFaults_ = faults_.nextReply(true, replyBytes);
        ReplyHeaderFields header;
        header.id = headIdentifier(head_);
        header.status = replyFaults_.statusErrorBits;
        header.pingNumber = lines.pingNumber;
        header.headNumber = static_cast<std::uint8_t>(head_);
        header.secondHalf = request.secondHalf;
        header.transmitControl = lines.settings.transmitControl;
        header.frequencyHz = lines.settings.frequencyHz;
        header.rangeM = lines.settings.rangeM;
        header.gainDb = lines.settings.gainDb;
        buildDataReply(std::span<std::uint8_t, kDataReplyBytes>(out_.data(), kDataReplyBytes), header,
                       request.secondHalf ? lines.secondHalf : lines.firstHalf);
        *delayMs = dataReplyDelayMs(context_.options, lines.settings, request.secondHalf);
        ++context_.dataReplies;
        // A head that goes quiet in mid-survey: this connection answers no
        // more data requests, and the surface program must rebuild it.
        const int silentEvery = context_.options.faults.silentEvery;
        if (silentEvery > 0 && context_.dataReplies % silentEvery == 0) silenced_ = true;
    }
    outBytes_ = replyBytes;
    if (replyFaults_.extraByte) out_[outBytes_++] = kExtraByte;
    const std::size_t garbage = std::min(replyFaults_.garbageBytes, out_.size() - outBytes_);
    fillGarbage(replyFaults_.garbageSeed, out_.data() + outBytes_, garbage);
    outBytes_ += garbage;
    return true;
}

void HeadSession::sendFirstPart() {
    const std::size_t first = replyFaults_.splitAt > 0 ? std::min(replyFaults_.splitAt, outBytes_) : outBytes_;
    socket_->write(reinterpret_cast<const char*>(out_.data()), static_cast<qint64>(first));
    socket_->flush();
    if (first < outBytes_) {
        splitTimer_.start(kSplitGapMs);
        return;
    }
    completeReply();
}

void HeadSession::sendRest() {
    const std::size_t first = std::min(replyFaults_.splitAt, outBytes_);
    socket_->write(reinterpret_cast<const char*>(out_.data() + first), static_cast<qint64>(outBytes_ - first));
    socket_->flush();
    completeReply();
}

void HeadSession::completeReply() {
    busy_ = false;
    if (replyFaults_.closeAfter) {
        closing_ = true;
        queue_.clear();
        socket_->disconnectFromHost();
        return;
    }
    serve();
}

}  // namespace hx::sim
