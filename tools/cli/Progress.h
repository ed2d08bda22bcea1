// Progress of a long file job on stderr: on a terminal one line redrawn in
// place (bar, percentage, records per second), elsewhere (a log, a pipe) a
// plain line at every tenth of the way, so that logs stay readable.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace hx::cli {

class Progress {
public:
    // what names the job in each line: "hx642-cli export".
    Progress(std::string what, std::uint64_t totalBytes);
    // done: bytes of the input behind us; records: how many so far.
    void update(std::uint64_t doneBytes, std::uint64_t records);
    // Ends the progress line.
    void finish();

private:
    void draw(std::uint64_t doneBytes, std::uint64_t records);

    std::string what_;
    std::uint64_t total_;
    bool terminal_;
    int lastTenth_ = -1;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDraw_;
    bool drawn_ = false;
};

}  // namespace hx::cli
