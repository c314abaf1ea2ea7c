// Host firmware: event delivery and pacing, formatting and debug output,
// waits, version and system id, and the firmware's UTF-8 text validation.
//
// Events posted from any thread wait in a queue; TAP_SystemProc hands them to
// the plug-in's event handler on the plug-in's own thread (so the plug-in's
// unlocked globals are never raced) and then sleeps to the next tick, which
// paces the main loop.
#include <atomic>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

#include "firmware.h"
#include "tapsim.h"

namespace {

struct Event {
    uint32_t code;
    uint32_t parameter1;
    uint32_t parameter2;
};

std::mutex eventMutex;
std::deque<Event> events;
std::atomic<TAP_EventFunction> eventHandler{nullptr};
std::atomic<uint64_t> systemProcCalls{0};

std::mutex printMutex;
FILE* printSink = nullptr;  // stderr unless set

std::atomic<uint32_t> systemId{0x00005A3Cu};  // the simulated box model
constexpr uint32_t kFirmwareVersion = 0x0130;

std::atomic<uint32_t> waitCalls{0};
std::atomic<uint64_t> waitTicks{0};

bool popEvent(Event* event) {
    std::lock_guard<std::mutex> lock(eventMutex);
    if (events.empty()) return false;
    *event = events.front();
    events.pop_front();
    return true;
}

void sleepTicks(uint32_t ticks) {
    waitCalls++;
    waitTicks += ticks;
    std::this_thread::sleep_for(std::chrono::microseconds(
        static_cast<uint64_t>(ticks) * firmware::tickLength()));
}

// Length of the well-formed UTF-8 sequence at text, or 0.
int sequenceLength(const unsigned char* text) {
    int length = (text[0] & 0xE0) == 0xC0 ? 2 : (text[0] & 0xF0) == 0xE0 ? 3
                 : (text[0] & 0xF8) == 0xF0 ? 4 : 0;
    for (int i = 1; i < length; ++i)
        if ((text[i] & 0xC0) != 0x80) return 0;
    return length;
}

}  // namespace

extern "C" {

void TAP_SystemProc(void) {
    systemProcCalls++;
    Event event;
    while (popEvent(&event)) {
        TAP_EventFunction handler = eventHandler.load();
        if (handler) handler(event.code, event.parameter1, event.parameter2);
    }
    // Sleep to the start of the next tick.
    uint32_t tick = TAP_GetTick();
    while (TAP_GetTick() == tick)
        std::this_thread::sleep_for(std::chrono::microseconds(firmware::tickLength() / 4 + 1));
}

int TAP_SPrint(char* buffer, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsprintf(buffer, format, arguments);
    va_end(arguments);
    return length;
}

int TAP_Print(const char* format, ...) {
    std::lock_guard<std::mutex> lock(printMutex);
    FILE* sink = printSink ? printSink : stderr;
    va_list arguments;
    va_start(arguments, format);
    int length = std::vfprintf(sink, format, arguments);
    va_end(arguments);
    std::fflush(sink);
    return length;
}

void TAP_Delay(uint32_t ticks) { sleepTicks(ticks); }

void TAP_Sleep(uint32_t ticks) { sleepTicks(ticks); }

uint32_t TAP_GetVersion(void) { return kFirmwareVersion; }

uint32_t TAP_GetSystemId(void) { return systemId.load(); }

void tapsim_SetEventHandler(TAP_EventFunction handler) { eventHandler = handler; }

void tapsim_PostEvent(uint32_t event, uint32_t parameter1, uint32_t parameter2) {
    std::lock_guard<std::mutex> lock(eventMutex);
    events.push_back({event, parameter1, parameter2});
}

size_t tapsim_PendingEvents(void) {
    std::lock_guard<std::mutex> lock(eventMutex);
    return events.size();
}

uint64_t tapsim_SystemProcCount(void) { return systemProcCalls.load(); }

void tapsim_SetSystemId(uint32_t id) { systemId = id; }

void tapsim_SetPrintSink(FILE* sink) {
    std::lock_guard<std::mutex> lock(printMutex);
    printSink = sink;
}

void tapsim_WaitCounts(uint32_t* calls, uint64_t* ticks) {
    if (calls) *calls = waitCalls.load();
    if (ticks) *ticks = waitTicks.load();
}

}  // extern "C"

// The firmware's repair of a text for UTF-8 output: every byte that does not
// belong to a well-formed sequence becomes '?'.  Returns the number of bytes
// replaced.  A C++ function: plug-ins find it by its mangled name.
FIRMWARE_INTERNAL int Appl_ConvertToValidUTF8Str(unsigned char* text, int capacity) {
    if (!text || capacity <= 0) return 0;
    int replaced = 0;
    for (int i = 0; i < capacity && text[i];) {
        if (text[i] < 0x80) {
            ++i;
            continue;
        }
        int length = sequenceLength(text + i);
        if (length > 0 && i + length <= capacity) {
            i += length;
        } else {
            text[i++] = '?';
            ++replaced;
        }
    }
    return replaced;
}
