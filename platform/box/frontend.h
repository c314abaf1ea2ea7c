// The seam between boxsim and its front ends.  A front end drives the
// running box (keys, stop, screen) through Box; boxsim owns the plug-in's
// thread and the firmware.  The scripted front end plays a key script; the
// web front end serves a page with the live screen and a remote control.
#ifndef STECKWART_BOXSIM_FRONTEND_H
#define STECKWART_BOXSIM_FRONTEND_H

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "keyscript.h"
#include "options.h"

namespace boxsim {

// The running box as a front end sees it.  Callable from the front end's
// thread; the plug-in itself runs on a thread of its own.
class Box {
public:
    virtual ~Box() = default;
    // Queues a remote-control key; the plug-in gets it in its next pass.
    virtual void pressKey(uint32_t code) = 0;
    // Queues the firmware's stop event.
    virtual void stop() = 0;
    // True once TAP_Main has returned.
    virtual bool ended() const = 0;
    // TAP_Main's result, once ended() is true.
    virtual int result() const = 0;
    // True once the user asked boxsim to end (Ctrl-C, SIGTERM).
    virtual bool interrupted() const = 0;
    // Waits up to timeout; returns early when the plug-in ends or boxsim is
    // interrupted.  True when the plug-in has ended.
    virtual bool waitFor(std::chrono::milliseconds timeout) = 0;
    // Waits until every queued event is delivered and a main-loop pass has
    // run after it, so the screen shows their effect.  False on timeout.
    virtual bool settle(std::chrono::milliseconds timeout) = 0;
    // The screen of the last TAP_Osd_Sync (720 x 576 ARGB words) and its
    // frame number (0: nothing shown yet).
    virtual uint64_t screen(std::vector<uint32_t>* pixels) = 0;
};

class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    // Drives the box until the front end is done, the plug-in ends or boxsim
    // is interrupted.  Returns 0, or an exit code for a failure of its own.
    virtual int run(Box& box) = 0;
};

// Plays steps; snapshots go where snapshotTarget puts them, through the
// folders opened before the sandbox started (options.snapshotFolders).
// options must outlive the front end.
std::unique_ptr<FrontEnd> makeScriptedFrontEnd(std::vector<Step> steps, const Options& options);

// Serves the web remote on 127.0.0.1:port (0: a free port).  Binds at once,
// so a port in use is known before the plug-in starts: then returns null
// with error naming the port and how to choose another.  Prints the address
// to open.
std::unique_ptr<FrontEnd> makeWebFrontEnd(uint16_t port, std::string* error);

}  // namespace boxsim

#endif
