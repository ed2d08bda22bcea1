// The one QCoreApplication of a Qt test binary, made on first use.
#pragma once

#include <QCoreApplication>

namespace hx::test {

inline QCoreApplication& qtTestApp() {
    static int argc = 1;
    static char name[] = "hx642-link-tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

}  // namespace hx::test
