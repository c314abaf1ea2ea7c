// boxsim's web remote, black-box over HTTP: the page's keys reach the
// plug-in as the right codes, the screen is sent only when its picture
// changed, the end of the plug-in is told before boxsim ends, a taken port
// is explained, and pages of other sites cannot press keys.
// Runs outside the sandbox: boxsim makes its own.
#include <netinet/in.h>
#include <png.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>
#include <regex>
#include <set>

#include <gtest/gtest.h>
#include <httplib.h>

#include "process.h"
#include "tap.h"

namespace {

using process::Result;

// A boxsim with the web front end on a free port, running the fixture.
class WebBoxsim {
public:
    explicit WebBoxsim(const std::string& name, std::vector<std::string> extra = {})
        : folder_(process::freshFolder("webremote/" + name)),
          running_(command(folder_, extra)) {
        std::regex address("web remote at http://127\\.0\\.0\\.1:([0-9]+)/");
        bool listening = process::eventually(30, [&] {
            std::string out = running_.outSoFar();
            std::smatch match;
            if (!std::regex_search(out, match, address) ||
                running_.errSoFar().find("fixture: main") == std::string::npos)
                return false;
            port_ = std::stoi(match[1]);
            return true;
        });
        EXPECT_TRUE(listening) << running_.outSoFar() << running_.errSoFar();
    }

    httplib::Client client() const {
        httplib::Client client("127.0.0.1", port_);
        client.set_read_timeout(20, 0);
        return client;
    }
    int port() const { return port_; }
    process::Running& process() { return running_; }

    // Waits until the fixture has reported count keys on stderr.
    bool keysArrived(size_t count) {
        return process::eventually(20, [&] { return keyLines().size() >= count; });
    }
    std::vector<std::string> keyLines() const {
        std::vector<std::string> lines;
        std::string err = running_.errSoFar();
        std::regex key("fixture: key (0x[0-9A-F]+)");
        for (auto it = std::sregex_iterator(err.begin(), err.end(), key);
             it != std::sregex_iterator(); ++it)
            lines.push_back((*it)[1]);
        return lines;
    }

private:
    static std::vector<std::string> command(const std::string& folder,
                                            const std::vector<std::string>& extra) {
        std::vector<std::string> command = {STECKWART_BOXSIM, "--box", folder + "/box",
                                            "--router", "127.0.0.1:9", "--port", "0"};
        command.insert(command.end(), extra.begin(), extra.end());
        command.push_back(STECKWART_FIXTURE);
        return command;
    }

    std::string folder_;
    process::Running running_;
    int port_ = 0;
};

httplib::Result pressKey(httplib::Client& client, const std::string& name) {
    return client.Post("/key", httplib::Params{{"name", name}});
}

// The version from a /state answer, or -1.
long long versionOf(const httplib::Result& state) {
    std::smatch match;
    if (!state || !std::regex_search(state->body, match, std::regex("\"version\":([0-9]+)")))
        return -1;
    return std::stoll(match[1]);
}

std::vector<uint32_t> decodePng(const std::string& bytes, uint32_t* width, uint32_t* height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    std::vector<uint32_t> pixels;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return pixels;
    image.format = PNG_FORMAT_BGRA;  // ARGB words on a little-endian machine
    pixels.resize(size_t{image.width} * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) pixels.clear();
    *width = image.width;
    *height = image.height;
    return pixels;
}

TEST(WebRemote, EveryKeyOfThePageReachesThePlugInAsItsCode) {
    WebBoxsim boxsim("keys");
    httplib::Client client = boxsim.client();
    httplib::Result page = client.Get("/");
    ASSERT_TRUE(page);
    ASSERT_EQ(page->status, 200);
    EXPECT_NE(page->get_header_value("Content-Type").find("text/html"), std::string::npos);

    struct Key {
        const char* name;
        const char* code;
    } keys[] = {
        {"lower", "0x1000F"}, {"previous", "0x10012"}, {"info", "0x10014"}, {"raise", "0x10015"},
        {"next", "0x1001D"},  {"ok", "0x1001E"},       {"0", "0x10000"},    {"1", "0x10001"},
        {"2", "0x10002"},     {"3", "0x10003"},        {"4", "0x10004"},    {"5", "0x10005"},
        {"6", "0x10006"},     {"7", "0x10007"},        {"8", "0x10008"},
        // Key 9 would make the fixture ignore the stop event; the exit key ends it.
        {"exit", "0x10017"},
    };
    // The page names exactly these keys (and 9) for its buttons and styles.
    std::set<std::string> onPage, pressed = {"9"};
    std::regex button("data-key=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(page->body.begin(), page->body.end(), button);
         it != std::sregex_iterator(); ++it)
        onPage.insert((*it)[1]);
    for (const Key& key : keys) pressed.insert(key.name);
    EXPECT_EQ(onPage, pressed);

    std::vector<std::string> expected;
    for (const Key& key : keys) {
        httplib::Result answer = pressKey(client, key.name);
        ASSERT_TRUE(answer) << key.name;
        EXPECT_EQ(answer->status, 200) << key.name << ": " << answer->body;
        EXPECT_NE(answer->body.find(std::string("\"code\":\"") + key.code + "\""),
                  std::string::npos)
            << answer->body;
        expected.push_back(key.code);
        // One at a time, so the order on stderr is the order pressed.
        ASSERT_TRUE(boxsim.keysArrived(expected.size())) << key.name;
    }
    EXPECT_EQ(boxsim.keyLines(), expected);

    // The exit key has ended the fixture by itself.
    EXPECT_TRUE(process::eventually(20, [&] {
        httplib::Result state = client.Get("/state");
        return state && state->body.find("\"ended\":true,\"result\":7") != std::string::npos;
    }));
    Result result = boxsim.process().wait(30);
    EXPECT_EQ(result.exitCode, 7) << result.err;
    EXPECT_EQ(result.err.find("fixture: stop"), std::string::npos) << "ended by its exit key";
}

TEST(WebRemote, SendsTheScreenOnlyWhenThePictureChanged) {
    WebBoxsim boxsim("screen");
    httplib::Client client = boxsim.client();
    // Waits for the fixture's first picture.
    long long first = versionOf(client.Get("/state?since=0"));
    ASSERT_GE(first, 1) << "the fixture has drawn its screen";

    httplib::Result png = client.Get("/screen.png");
    ASSERT_TRUE(png);
    ASSERT_EQ(png->status, 200);
    EXPECT_EQ(png->get_header_value("Content-Type"), "image/png");
    std::string tag = "\"" + std::to_string(first) + "\"";
    EXPECT_EQ(png->get_header_value("ETag"), tag);
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> screen = decodePng(png->body, &width, &height);
    ASSERT_EQ(width, 720u);
    ASSERT_EQ(height, 576u);
    // The fixture's region lies at 60,40: blue, a white box at 5,5, no key yet.
    EXPECT_EQ(screen[(40 + 5) * 720 + 60 + 5], 0xFFFFFFFFu);
    EXPECT_EQ(screen[(40 + 30) * 720 + 60 + 5], 0xFF204080u);

    httplib::Headers known = {{"If-None-Match", tag}};
    httplib::Result unchanged = client.Get("/screen.png", known);
    ASSERT_TRUE(unchanged);
    EXPECT_EQ(unchanged->status, 304);
    EXPECT_TRUE(unchanged->body.empty());

    // Key 8 makes the fixture sync the same picture again: a new frame, but
    // no new version and no new image.
    ASSERT_EQ(pressKey(client, "8")->status, 200);
    ASSERT_TRUE(boxsim.keysArrived(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(versionOf(client.Get("/state")), first);
    EXPECT_EQ(client.Get("/screen.png", known)->status, 304);

    // A long poll waits for a change and answers as soon as a key makes one.
    httplib::Client poller = boxsim.client();
    auto waiting = std::async(std::launch::async, [&] {
        return versionOf(poller.Get(("/state?since=" + std::to_string(first)).c_str()));
    });
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout)
        << "answered although nothing changed";
    auto pressed = std::chrono::steady_clock::now();
    ASSERT_EQ(pressKey(client, "down")->status, 200);
    long long second = waiting.get();
    EXPECT_GT(second, first);
    EXPECT_LT(std::chrono::steady_clock::now() - pressed, std::chrono::seconds(5));

    httplib::Result changed = client.Get("/screen.png", known);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->status, 200);
    EXPECT_EQ(changed->get_header_value("ETag"), "\"" + std::to_string(second) + "\"");
    screen = decodePng(changed->body, &width, &height);
    ASSERT_EQ(screen.size(), 720u * 576u);
    // The first key that draws fills the box at 5,30 of the region with its code.
    EXPECT_EQ(screen[(40 + 30) * 720 + 60 + 5], 0xFF01001Du);

    boxsim.process().signal(SIGTERM);
    Result result = boxsim.process().wait(30);
    EXPECT_EQ(result.exitCode, 7) << result.err;
    EXPECT_NE(result.err.find("fixture: stop"), std::string::npos) << result.err;
}

TEST(WebRemote, TellsThePageThatThePlugInEndedBeforeBoxsimEnds) {
    WebBoxsim boxsim("ended");
    httplib::Client client = boxsim.client();
    long long version = versionOf(client.Get("/state?since=0"));
    ASSERT_GE(version, 1);
    httplib::Result stop = client.Post("/stop");
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->status, 202);

    // The long poll answers the fixture's last picture (its region deleted)
    // and the end; the picture may come a poll before the end does.
    httplib::Result state = client.Get(("/state?since=" + std::to_string(version)).c_str());
    for (int poll = 0; poll < 2 && state && state->body.find("\"ended\":true") == std::string::npos;
         ++poll)
        state = client.Get(("/state?since=" + std::to_string(versionOf(state))).c_str());
    ASSERT_TRUE(state);
    EXPECT_NE(state->body.find("\"ended\":true,\"result\":7"), std::string::npos) << state->body;
    EXPECT_GT(versionOf(state), version);
    httplib::Result late = pressKey(client, "ok");
    ASSERT_TRUE(late) << "boxsim serves on for a moment after telling";
    EXPECT_EQ(late->status, 409);
    EXPECT_NE(late->body.find("the plug-in has ended"), std::string::npos);

    auto told = std::chrono::steady_clock::now();
    Result result = boxsim.process().wait(30);
    EXPECT_EQ(result.exitCode, 7) << result.err;
    EXPECT_LT(std::chrono::steady_clock::now() - told, std::chrono::seconds(5));
    EXPECT_NE(result.out.find("telling the web remote"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("TAP_Main returned 7"), std::string::npos) << result.out;
}

TEST(WebRemote, RefusesKeysFromOtherSitesAndKeysWithoutName) {
    WebBoxsim boxsim("refused");
    httplib::Client client = boxsim.client();
    struct Case {
        const char* name;
        httplib::Headers headers;
        std::string body;
        int status;
    } cases[] = {
        {"other site", {{"Origin", "http://example.invalid"}}, "name=ok", 403},
        {"other port", {{"Origin", "http://127.0.0.1:1"}}, "name=ok", 403},
        {"unknown name", {}, "name=power", 400},
        {"no name", {}, "", 400},
        {"raw code", {}, "name=0x1001E", 400},
    };
    for (const Case& c : cases) {
        httplib::Result answer =
            client.Post("/key", c.headers, c.body, "application/x-www-form-urlencoded");
        ASSERT_TRUE(answer) << c.name;
        EXPECT_EQ(answer->status, c.status) << c.name << ": " << answer->body;
    }
    httplib::Result stop =
        client.Post("/stop", {{"Origin", "http://example.invalid"}}, "", "text/plain");
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->status, 403);

    // The page's own origin is welcome.
    std::string origin = "http://127.0.0.1:" + std::to_string(boxsim.port());
    httplib::Result own = client.Post("/key", {{"Origin", origin}}, "name=ok",
                                      "application/x-www-form-urlencoded");
    ASSERT_TRUE(own);
    EXPECT_EQ(own->status, 200) << own->body;
    ASSERT_TRUE(boxsim.keysArrived(1));
    EXPECT_EQ(boxsim.keyLines(), std::vector<std::string>{"0x1001E"});

    boxsim.process().signal(SIGINT);
    Result result = boxsim.process().wait(30);
    EXPECT_EQ(result.exitCode, 7) << result.err;
}

TEST(WebRemote, ExplainsATakenPortAndNeverStartsThePlugIn) {
    int taken = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(taken, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(taken, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(taken, 1), 0);
    ASSERT_EQ(getsockname(taken, reinterpret_cast<sockaddr*>(&address), &length), 0);
    std::string port = std::to_string(ntohs(address.sin_port));

    std::string folder = process::freshFolder("webremote/taken");
    Result result = process::run({STECKWART_BOXSIM, "--box", folder + "/box", "--port", port,
                                  STECKWART_FIXTURE});
    close(taken);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("boxsim: cannot serve the web remote on 127.0.0.1:" + port +
                              " (Address already in use): another program (another boxsim?) "
                              "has it. Choose another port with --port N, or --port 0 for a "
                              "free one\n"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(result.err.find("fixture:"), std::string::npos) << "the plug-in must not start";

    struct Usage {
        std::vector<std::string> arguments;
        const char* message;
    } usages[] = {
        {{"--port", "65536"}, "--port wants a number from 0 to 65535"},
        {{"--port", "0x50"}, "--port wants a number from 0 to 65535"},
        {{"--front-end", "tv"}, "unknown front end 'tv' (there are: web, scripted)"},
        {{"--front-end", "web", "--script", "ok"}, "a key script needs the scripted front end"},
    };
    for (const Usage& usage : usages) {
        std::vector<std::string> command = {STECKWART_BOXSIM, "--box", folder + "/box"};
        command.insert(command.end(), usage.arguments.begin(), usage.arguments.end());
        command.push_back(STECKWART_FIXTURE);
        Result refused = process::run(command);
        EXPECT_EQ(refused.exitCode, 2) << usage.message;
        EXPECT_NE(refused.err.find(usage.message), std::string::npos) << refused.err;
    }
}

}  // namespace
