// The scripted front end: plays a key script against the running box,
// headless, for tests and documentation.
#include <chrono>
#include <cstdio>
#include <thread>

#include "frontend.h"
#include "snapshot.h"
#include "tap.h"

namespace boxsim {
namespace {

using std::chrono::milliseconds;

// How long a snapshot waits for queued keys to take effect.
constexpr milliseconds kSettleTimeout(10000);

class ScriptedFrontEnd : public FrontEnd {
public:
    ScriptedFrontEnd(std::vector<Step> steps, const Options& options)
        : steps_(std::move(steps)), options_(options) {}

    int run(Box& box) override {
        for (size_t i = 0; i < steps_.size(); ++i) {
            if (box.interrupted()) return 0;
            if (box.ended()) {
                std::printf("boxsim: the plug-in has ended; %zu script step(s) not played\n",
                            steps_.size() - i);
                return 0;
            }
            int result = play(box, steps_[i]);
            if (result != 0) return result;
        }
        return 0;
    }

private:
    int play(Box& box, const Step& step) {
        switch (step.kind) {
        case Step::Key:
            box.pressKey(step.code);
            return 0;
        case Step::Stop:
            box.stop();
            return 0;
        case Step::Wait:
            box.waitFor(std::chrono::duration_cast<milliseconds>(
                std::chrono::microseconds(step.microseconds)));
            return 0;
        case Step::WaitEnd:
            while (!box.ended() && !box.interrupted()) box.waitFor(milliseconds(1000));
            return 0;
        case Step::Snap:
            return snap(box, step.path);
        }
        return 0;
    }

    int snap(Box& box, const std::string& name) {
        if (!box.ended() && !box.settle(kSettleTimeout))
            std::fprintf(stderr, "boxsim: the plug-in did not take its keys within %lld s; "
                                 "snapshot %s shows the screen as it is\n",
                         static_cast<long long>(kSettleTimeout.count() / 1000), name.c_str());
        std::vector<uint32_t> pixels;
        uint64_t frame = box.screen(&pixels);
        SnapshotTarget target = snapshotTarget(options_, name);
        std::string path = target.folder + "/" + target.name;
        std::string error = "its folder was not opened";
        bool written = false;
        for (const SnapshotFolder& folder : options_.snapshotFolders)
            if (folder.path == target.folder) {
                written = writePng(folder.descriptor, target.name, pixels.data(), TAP_ScreenWidth,
                                   TAP_ScreenHeight, &error);
                break;
            }
        if (!written) {
            std::fprintf(stderr, "boxsim: cannot write %s: %s\n", path.c_str(), error.c_str());
            box.stop();
            return 1;
        }
        std::printf("boxsim: snapshot %s (frame %llu)\n", path.c_str(),
                    static_cast<unsigned long long>(frame));
        std::fflush(stdout);
        return 0;
    }

    std::vector<Step> steps_;
    const Options& options_;
};

}  // namespace

std::unique_ptr<FrontEnd> makeScriptedFrontEnd(std::vector<Step> steps, const Options& options) {
    return std::make_unique<ScriptedFrontEnd>(std::move(steps), options);
}

}  // namespace boxsim
