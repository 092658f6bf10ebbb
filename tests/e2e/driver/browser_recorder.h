// The user's browser as the end-to-end tests see it: a recording program of the tests' own set
// as the open command for http addresses, and the command lines it was started with.
#pragma once

#include <string>
#include <vector>

namespace e2e {

class BrowserRecorder {
public:
    // Makes the recorder the browser, with an empty record. The command found before is kept
    // for restore().
    bool install();
    // Puts the command found by install() back.
    void restore();

    // The registry's open command while installed: the recorder, its record file and "%1".
    const std::string& command() const { return command_; }
    // Forgets every launch so far.
    void clear() const;
    // The command line of each launch so far, in order.
    std::vector<std::string> launches() const;

private:
    std::string command_;
    std::string recordPath_;
    bool installed_ = false;
    bool hadValue_ = false;
    unsigned long oldType_ = 0;
    std::string oldValue_;
};

// The one recorder of a test program, installed for every test by its environment.
BrowserRecorder& RecordedBrowser();

}  // namespace e2e
