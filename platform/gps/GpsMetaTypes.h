// The GPS types that cross from the reader thread to the user-interface
// thread in queued signals.
#pragma once

#include <QMetaType>
#include <QString>

#include "nav/GpsSettings.h"
#include "nav/GpsSnapshot.h"

namespace hx {

// What a reopen achieved, for the document and the dialog.
struct GpsPortState {
    bool open = false;
    GpsSourceKind kind = GpsSourceKind::Serial;
    QString device;       // the serial device opened (FindGpsPort may pick another)
    int portNumber = 0;   // its "GPS Comm Port" number
    quint16 boundPort = 0;  // the UDP port listened on
};

void registerGpsMetaTypes();

}  // namespace hx

Q_DECLARE_METATYPE(hx::GpsSnapshot)
Q_DECLARE_METATYPE(hx::GpsSettings)
Q_DECLARE_METATYPE(hx::GpsPortState)
